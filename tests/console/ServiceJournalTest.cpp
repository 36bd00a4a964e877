// The service journal: one line per write the console makes, read back as
// it was written; a bad line costs only itself; a journal that cannot be
// written says so once and loses nothing; the report of a range.
#include "console/ConsoleCore.h"
#include "console/ParameterControls.h"
#include "console/ServiceJournal.h"
#include "console/ServiceReport.h"
#include "link/Crc16.h"
#include "link/Frames.h"
#include "support/FakeController.h"
#include "support/FakeFormControls.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"
#include "support/ScratchDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = FakeSerialPort::Bytes;
using Entry = ServiceJournalEntry;
using Outcome = ServiceJournalEntry::Outcome;
using Value = ServiceJournalEntry::Value;

enum class Reply { Valid, Refuse, Silent, Wrong };

struct Rig {
    QTemporaryDir dir;
    FakeSerialPort port;
    LinkState dummy;
    RecordingView view{&dummy};
    FakeFormControls controls;
    ConsoleCore core{port, view, &controls, nullptr, nullptr, "/nonexistent"};
    FakeController controller;
    std::vector<std::string> reports;
    ServiceJournal journal{core, dir.filePath("journal/service-journal.log").toStdString(),
                           [] { return std::string("/dev/ttyUSB0"); },
                           [this](const std::string& m) { reports.push_back(m); }};
    std::vector<Entry> made;
    Reply reply = Reply::Valid;

    Rig()
    {
        journal.setEntrySink([this](const Entry& e) { made.push_back(e); });
        port.setResponder([this](const Bytes& request) -> Bytes {
            switch (reply) {
            case Reply::Valid:
                break;
            case Reply::Silent:
                return {};
            case Reply::Wrong: {
                Bytes answer = controller.answer(request);
                answer[0] ^= 0x10;
                return answer;
            }
            case Reply::Refuse: {
                Bytes body{request[0], static_cast<std::uint8_t>(request[1] | 0x80), 0x03};
                const std::uint16_t crc = Crc16(body.data(), body.size());
                body.push_back(static_cast<std::uint8_t>(crc >> 8));
                body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
                return body;
            }
            }
            return controller.answer(request);
        });
        core.open("/dev/ttyUSB0", 9600, 8);
    }
    // Runs `handler` on `tab` until the exchange it queued has ended.
    void run(int tab, const std::function<void()>& handler)
    {
        view.tab = tab;
        port.advance();
        core.tick();
        handler();
        for (int i = 0; i < 400 && (core.busy() || core.state().LiveAction != 0 || i < 2); ++i) {
            port.advance();
            core.tick();
        }
    }
    // Every control of a group holds `text`, every choice the second item.
    void fill(std::uint8_t group, const std::string& text)
    {
        for (const RegisterMap::Entry* e : RegisterMap::group(group)) {
            if (e->isChoice)
                controls.setItemIndex(std::string(ParameterControls::controlOf(*e)), 1);
            else
                controls.setText(std::string(ParameterControls::controlOf(*e)), text);
        }
    }
};

const Value* find(const std::vector<Value>& values, const std::string& name)
{
    for (const Value& v : values) {
        if (v.name == name)
            return &v;
    }
    return nullptr;
}

TEST(ServiceJournal, OneLinePerWriteWithValuesSentBeforeAndOutcome)
{
    struct Case {
        const char* name;
        bool readFirst;   // a Read All (and the firmware) before the write
        int tab;
        std::function<void(Rig&)> write;
        Reply reply;
        std::string action;
        Outcome outcome;
        std::size_t sentCount;
        Value sent;        // one of the values sent ("" name: none)
        Value before;      // one of the values before ("" name: not known)
    };
    const Case cases[] = {
        {"Set after Read All", true, 0, [](Rig& r) { r.fill(Command::SetIntfan, "5"); r.controls.setText("Edit12", "350"); r.core.commands().SetClick(); },
         Reply::Valid, "Set Intfan", Outcome::Written, 11, {"Intfan1 StepSpeed", "350 rpm"}, {"Intfan1 StepSpeed", "300 rpm"}},
        {"Set refused", false, 0, [](Rig& r) { r.fill(Command::SetHeater, "2"); r.core.commands().Button15Click(); },
         Reply::Refuse, "Set Heater", Outcome::Refused, 5, {"Heater Enable", "Enable"}, {}},
        {"address change", true, 0, [](Rig& r) { r.controls.setText("Edit4", "7"); r.core.commands().Button7Click(); },
         Reply::Valid, "Set Address", Outcome::Written, 1, {"Device Address", "7"}, {"Device Address", "1"}},
        {"Default", true, 0, [](Rig& r) { r.core.commands().BitBtn2Click(); },
         Reply::Valid, "Default", Outcome::Written, 0, {}, {"Intfan1 StepSpeed", "300 rpm"}},
        {"debug temperature", false, 1, [](Rig& r) { r.controls.setText("Edit11", "25.5"); r.core.commands().Button6Click(); },
         Reply::Silent, "Debug temperature", Outcome::Timeout, 1, {"Debug Temperature", "25.5 °C"}, {}},
        {"forced-on output", false, 1, [](Rig& r) {
             LinkState& s = r.core.state();
             s.CoilWriteValue = Frames::CoilOn;
             s.LiveAction = LiveActionCode::ForceOutput;
             s.CommandArmed = 1;
             s.PollStep = 0; },
         Reply::Wrong, "Forced-on output", Outcome::WrongReply, 1, {"Forced-on output", "on"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.controller.holding[0] = 300;
        rig.controller.holding[27] = 1;
        rig.controller.input.fill(0x4858);   // "HX" over and over
        if (c.readFirst) {
            rig.run(0, [&] { rig.core.commands().BitBtn1Click(); });
            rig.run(0, [&] { rig.core.commands().Button5Click(); });
        }
        rig.reply = c.reply;
        rig.run(c.tab, [&] { c.write(rig); });
        ASSERT_EQ(rig.made.size(), 1u) << "one line per write, none for reads";
        const Entry& e = rig.made.front();
        EXPECT_EQ(e.kind, Entry::Kind::Write);
        EXPECT_EQ(e.action, c.action);
        EXPECT_EQ(e.address, 1);
        EXPECT_EQ(e.port, "/dev/ttyUSB0");
        EXPECT_EQ(e.firmware.empty(), !c.readFirst);
        EXPECT_EQ(e.outcome, c.outcome);
        EXPECT_EQ(e.exceptionCode, c.outcome == Outcome::Refused ? 3 : 0);
        EXPECT_EQ(e.sent.size(), c.sentCount);
        if (!c.sent.name.empty()) {
            ASSERT_NE(find(e.sent, c.sent.name), nullptr);
            EXPECT_EQ(*find(e.sent, c.sent.name), c.sent);
        }
        ASSERT_EQ(e.before.has_value(), !c.before.name.empty());
        if (e.before) {
            ASSERT_NE(find(*e.before, c.before.name), nullptr);
            EXPECT_EQ(*find(*e.before, c.before.name), c.before);
        }
        // On disk as it was made.
        const ServiceJournal::ReadResult back = ServiceJournal::read(rig.journal.path());
        EXPECT_EQ(back.error, "");
        EXPECT_TRUE(back.parsed.problems.empty());
        EXPECT_EQ(back.parsed.entries, rig.made);
        EXPECT_TRUE(rig.reports.empty());
    }
}

TEST(ServiceJournal, WhatIsKnownFollowsTheWrites)
{
    Rig rig;
    rig.controller.holding[0] = 300;
    rig.run(0, [&] { rig.core.commands().BitBtn1Click(); });
    rig.fill(Command::SetIntfan, "5");
    rig.controls.setText("Edit12", "350");
    rig.run(0, [&] { rig.core.commands().SetClick(); });
    // A combo box left without a selection goes out as is, and is journalled.
    rig.controls.setItemIndex("ComboBox2", -1);
    rig.run(0, [&] { rig.core.commands().SetClick(); });
    ASSERT_EQ(rig.made.size(), 2u);
    EXPECT_EQ(*find(rig.made[1].sent, "Intfan2 Enable"), (Value{"Intfan2 Enable", "255 (no item)"}));
    EXPECT_EQ(*find(*rig.made[1].before, "Intfan1 StepSpeed"), (Value{"Intfan1 StepSpeed", "350 rpm"}))
        << "a written value is what the next write changes";
    rig.reply = Reply::Silent;
    rig.run(0, [&] { rig.core.commands().SetClick(); });
    rig.reply = Reply::Valid;
    rig.run(0, [&] { rig.core.commands().SetClick(); });
    ASSERT_EQ(rig.made.size(), 4u);
    EXPECT_FALSE(rig.made[3].before) << "after a write without an answer the values are not known";

    // A backup supplies them, and is a line of its own.
    rig.journal.recordBackup(1, "/backups/address-1.json", "Default", {{0, 280}});
    rig.run(0, [&] { rig.core.commands().SetClick(); });
    ASSERT_EQ(rig.made.size(), 6u);
    EXPECT_EQ(rig.made[4].kind, Entry::Kind::Backup);
    EXPECT_EQ(*find(*rig.made[5].before, "Intfan1 StepSpeed"), (Value{"Intfan1 StepSpeed", "280 rpm"}));
}

Entry sample(Entry::Kind kind, std::int64_t wallMs, int address, const std::string& action)
{
    Entry e;
    e.kind = kind;
    e.wallMs = wallMs;
    e.utcOffsetSeconds = 3600;
    e.port = "/dev/ttyUSB0";
    e.address = address;
    e.firmware = "HX-CTRL V2.13";
    e.action = action;
    if (kind == Entry::Kind::Write) {
        e.outcome = Outcome::Written;
        e.sent = {{"Intfan1 MaxSpeed", "3200 rpm"}, {"Intfan1 StepTemp", "-2.5 °C"}};
        e.before = std::vector<Value>{{"Intfan1 MaxSpeed", "3000 rpm"}};
    }
    return e;
}

// 2026-12-09 12:00:00 UTC and days around it.
constexpr std::int64_t kNoon = 1796817600000;
constexpr std::int64_t kDay = 86'400'000;

TEST(ServiceJournal, LinesReadBackAndABadLineCostsOnlyItself)
{
    Entry refused = sample(Entry::Kind::Write, kNoon, 1, "Set Heater");
    refused.outcome = Outcome::Refused;
    refused.exceptionCode = 3;
    refused.run = "Write All";
    refused.file = "/home/tech/cab \"7\".json";
    refused.before.reset();
    Entry compare = sample(Entry::Kind::Compare, kNoon + 1, 1, "Compare");
    compare.differences = {{"Heater MaxCurrent", "5.0 A", "4.5 A"}};
    Entry backup = sample(Entry::Kind::Backup, kNoon + 2, 1, "Backup");
    backup.run = "Default";
    backup.file = "/backups/x.json";
    const std::vector<Entry> entries{sample(Entry::Kind::Write, kNoon, 1, "Set Intfan"), refused, compare, backup};
    std::string text;
    for (const Entry& e : entries)
        text += e.line() + "\n";
    EXPECT_EQ(refused.outcomeText(), "refused: illegal data value (03)");

    struct Bad {
        std::string line;
        std::string reason;
    };
    const Bad bad[] = {
        {"garbage", "no time stamp"},
        {"2026-12-09T13:00:00.000+01:00 {\"kind\":\"write\"", "not a JSON object"},
        {"2026-12-09T13:00:00.000+01:00 {\"kind\":\"reboot\",\"address\":1,\"action\":\"x\"}", "unknown kind"},
        {"2026-12-09T13:00:00.000+01:00 {\"kind\":\"write\",\"address\":300,\"action\":\"x\",\"outcome\":\"written\"}", "no bus address"},
        {"2026-12-09T13:00:00.000+01:00 {\"kind\":\"write\",\"address\":1,\"action\":\"x\"}", "a write without a known outcome"},
        {"2026-12-09T13:00:00.000+01:00 {\"kind\":\"write\",\"address\":1,\"action\":\"x\",\"outcome\":\"written\",\"sent\":[[1,2]]}", "values that are not lists of texts"},
    };
    // Each bad line goes in after the second entry; a blank line and a
    // Windows line end on the way are no problem.
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.line);
        const std::size_t second = text.find('\n', text.find('\n') + 1) + 1;
        const std::string journal = text.substr(0, second) + "\r\n" + b.line + "\n" + text.substr(second);
        const Entry::Parsed parsed = Entry::parse(journal);
        EXPECT_EQ(parsed.entries, entries);
        ASSERT_EQ(parsed.problems.size(), 1u);
        EXPECT_EQ(parsed.problems[0].line, 4);
        EXPECT_NE(parsed.problems[0].text().find("line 4: " + b.reason), std::string::npos) << parsed.problems[0].text();
    }
}

TEST(ServiceReport, ARangeListsItsChangesBackupsAndComparesOnly)
{
    Entry compare = sample(Entry::Kind::Compare, kNoon + 3000, 1, "Compare");
    compare.differences = {{"Heater MaxCurrent", "5.0 A", "4.5 A"}};
    Entry backup = sample(Entry::Kind::Backup, kNoon + 1000, 1, "Backup");
    backup.run = "Default";
    backup.file = "/backups/address-1-Default.json";
    Entry reset = sample(Entry::Kind::Write, kNoon + 2000, 1, "Default");
    reset.sent.clear();
    reset.before = std::vector<Value>{{"Heater MinCurrent", "1.5 A"}};
    Entry earlier = sample(Entry::Kind::Write, kNoon - kDay, 1, "Set Extfan");
    Entry later = sample(Entry::Kind::Write, kNoon + kDay, 1, "Set Compressor");
    Entry elsewhere = sample(Entry::Kind::Write, kNoon, 2, "Set Calibration");
    const std::vector<Entry> journal{earlier, sample(Entry::Kind::Write, kNoon, 1, "Set Intfan"), backup, reset,
                                     compare, elsewhere, later};
    const ServiceReport::Scope scope{1, kNoon - 1000, kNoon + kDay};
    EXPECT_EQ(ServiceReport::select(journal, scope).size(), 4u);

    const std::string html = ServiceReport::html(journal, scope, "2026-12-09", "Made 2026-12-09 by hxconsole.");
    for (const char* shown : {"Set Intfan", "<td class=\"changed\">Intfan1 MaxSpeed</td><td>3000 rpm</td><td class=\"changed\">3200 rpm</td>",
                              "<td>Intfan1 StepTemp</td><td>not known</td><td>-2.5 °C</td>",
                              "<td class=\"changed\">Heater MinCurrent</td><td>1.5 A</td><td class=\"changed\">factory value</td>",
                              "/backups/address-1-Default.json", "<td>Heater MaxCurrent</td><td>5.0 A</td><td>4.5 A</td>",
                              "HX-CTRL V2.13", "/dev/ttyUSB0", "2026-12-09 13:00:00 +01:00"}) {
        EXPECT_NE(html.find(shown), std::string::npos) << shown;
    }
    for (const char* outside : {"Set Extfan", "Set Compressor", "Set Calibration", "http", "src=", "<link"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;

    // The listing's one line: what changed; values sent again are left out.
    EXPECT_EQ(ServiceReport::changeText(journal[1]), "Intfan1 MaxSpeed 3000 rpm \u2192 3200 rpm, Intfan1 StepTemp \u2192 -2.5 °C");
    Entry again = journal[1];
    again.before = again.sent;
    EXPECT_EQ(ServiceReport::changeText(again), "no change (2 values sent again)");
    EXPECT_EQ(ServiceReport::changeText(compare), "Heater MaxCurrent 5.0 A (file 4.5 A)");

    const std::string empty = ServiceReport::html(journal, {7, {}, {}}, "every day", "");
    EXPECT_NE(empty.find("holds nothing"), std::string::npos);
}

TEST(ServiceJournal, AJournalThatCannotBeWrittenSaysSoOnceAndKeepsItsEntries)
{
    struct Case {
        const char* name;
        std::function<std::string(ScratchDisk&)> breakIt;   // the journal's path
        std::string said;
        std::function<void(ScratchDisk&)> mend;   // nullptr: stays broken
    };
    const Case cases[] = {
        {"folder cannot be made", [](ScratchDisk& d) {
             QFile blocker(QString::fromStdString(d.path("taken")));
             blocker.open(QIODevice::WriteOnly);
             return d.path("taken/journal/service-journal.log"); },
         "Cannot make the folder", [](ScratchDisk& d) { QFile::remove(QString::fromStdString(d.path("taken"))); }},
        {"disk full", [](ScratchDisk& d) { d.fill(); return d.path("service-journal.log"); }, "Cannot write", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDisk disk;
        const std::string path = c.breakIt(disk);
        Rig rig;
        std::vector<std::string> reports;
        ServiceJournal journal(rig.core, path, {}, [&](const std::string& m) { reports.push_back(m); });
        journal.recordCompare(1, "a.json", {});
        journal.recordCompare(1, "b.json", {});
        ASSERT_EQ(reports.size(), 1u) << "one message, not one per entry";
        EXPECT_NE(reports[0].find(c.said), std::string::npos) << reports[0];
        EXPECT_NE(reports[0].find(path.substr(path.rfind('/'))), std::string::npos) << "names the journal";
        EXPECT_EQ(journal.unwritten().size(), 2u);
        const std::string held = fileBytes(path);
        EXPECT_TRUE(held == "<missing>" || held.empty()) << "no half line: " << held;
        if (!c.mend)
            continue;
        c.mend(disk);
        journal.recordCompare(1, "c.json", {});
        EXPECT_TRUE(journal.unwritten().empty());
        EXPECT_EQ(ServiceJournal::read(path).parsed.entries.size(), 3u) << "the kept entries go out with the next";
        EXPECT_EQ(reports.size(), 1u);
    }
}

} // namespace
