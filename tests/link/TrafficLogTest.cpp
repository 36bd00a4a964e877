// The monitor's record of the line: frames grouped as the engine judged
// them, counters, the bound, and the log files.
#include "EngineHarness.h"

#include "link/TrafficLog.h"
#include "link/TrafficLogFile.h"
#include "support/ScratchDisk.h"
#include "support/WriterChecks.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

using Bytes = FakeSerialPort::Bytes;
using Kind = TrafficEntry::Kind;

struct Watched : EngineHarness {
    TrafficLog log;
    std::int64_t clockUs = 0;

    explicit Watched(int tab = 0, std::size_t capacity = TrafficLog::kDefaultCapacity)
        : EngineHarness(tab), log(capacity)
    {
        engine.setObserver(&log);
        engine.tap().setClock([this] { return LinkTime{clockUs += 10000, 1'700'000'000'000'000 + clockUs}; });
    }
    std::vector<Kind> kinds() const
    {
        std::vector<Kind> k;
        for (const TrafficEntry& e : log.entries())
            k.push_back(e.kind);
        return k;
    }
    const TrafficEntry& last(Kind kind) const
    {
        for (auto it = log.entries().rbegin(); it != log.entries().rend(); ++it) {
            if (it->kind == kind)
                return *it;
        }
        throw std::logic_error("no such entry");
    }
};

struct Grouping {
    const char* name;
    int tab;
    std::function<void(Watched&)> run;
    std::vector<Kind> kinds;
    std::function<void(const Watched&)> check;
};

TEST(TrafficLog, GroupsReceivedChunksIntoTheFramesTheEngineJudged)
{
    const std::vector<Grouping> cases{
        {"reply in pieces", 0,
         [](Watched& h) {
             h.request(Command::SetIntfan);
             h.tick();
             h.port.deliverInPieces(echoReply(h.port.lastWritten()), {3, 2, 2}, 1, 2);
             h.ticks(8);
         },
         {Kind::Request, Kind::Reply},
         [](const Watched& h) {
             EXPECT_EQ(h.last(Kind::Reply).bytes, echoReply(h.port.written()[0]));
             EXPECT_EQ(h.last(Kind::Reply).direction, TrafficEntry::Direction::In);
             EXPECT_EQ(h.last(Kind::Request).bytes, h.port.written()[0]);
         }},
        {"stray bytes", 1,
         [](Watched& h) {
             h.tick();
             Bytes stream{0x00, 0x7E};
             const Bytes reply = withCrc({1, 0x01, 2, 0x15, 0x10});
             stream.insert(stream.end(), reply.begin(), reply.end());
             h.port.deliver(stream);
             h.tick();
         },
         // The engine took the first seven bytes; the monitor shows the noise
         // apart and the whole reply it pushed out of the engine's view.
         {Kind::Request, Kind::Unframed, Kind::WrongReply},
         [](const Watched& h) {
             EXPECT_EQ(h.last(Kind::Unframed).bytes, (Bytes{0x00, 0x7E}));
             EXPECT_EQ(TrafficText::decoded(h.last(Kind::Unframed)), "2 bytes that make no frame");
             EXPECT_EQ(h.last(Kind::WrongReply).bytes, withCrc({1, 0x01, 2, 0x15, 0x10}));
             EXPECT_EQ(TrafficText::decoded(h.last(Kind::WrongReply)),
                       "from 1: coils 0-15 on: 0 internal fan 1, 2 external fan 1, 4 compressor, 12 forced-on output "
                       "(2 stray bytes came first)");
             EXPECT_EQ(h.log.counters().wrongReplies, 1u);
         }},
        {"noise instead of a reply", 1,
         [](Watched& h) {
             h.tick();
             h.port.deliver({0x08, 0x27, 0xD2, 0x00, 0x7E, 0x11, 0x22});
             h.tick();
         },
         {Kind::Request, Kind::WrongReply},
         [](const Watched& h) {
             EXPECT_EQ(TrafficText::decoded(h.last(Kind::WrongReply)), "7 bytes that make no frame");
         }},
        {"opened in the middle of an exchange", 0,
         [](Watched& h) {
             h.engine.setObserver(nullptr);
             h.request(Command::SetIntfan);
             h.tick();
             const Bytes echo = echoReply(h.port.lastWritten());
             h.port.deliver(Bytes(echo.begin(), echo.begin() + 2));
             h.tick();
             h.engine.setObserver(&h.log);
             h.port.deliver(Bytes(echo.begin() + 2, echo.end()));
             h.ticks(3);
             h.request(Command::SetIntfan);
             h.tick();
             h.port.deliver(echoReply(h.port.lastWritten()));
             h.ticks(3);
         },
         // Nothing of the exchange it never saw the request of.
         {Kind::Request, Kind::Reply},
         [](const Watched& h) {
             EXPECT_EQ(h.log.counters().requests, 1u);
             EXPECT_EQ(h.log.counters().validReplies, 1u);
             EXPECT_EQ(h.log.counters().bytesIn, 8u);
         }},
        {"CRC mismatch, then more bytes", 0,
         [](Watched& h) { h.crcMismatchThenMoreBytes(); },
         {Kind::Request, Kind::CrcError, Kind::Unframed},
         [](const Watched& h) {
             EXPECT_EQ(h.last(Kind::Unframed).bytes, (Bytes{0x55, 0x66}));
             EXPECT_EQ(h.log.counters().crcErrors, 1u);
             EXPECT_EQ(h.log.counters().timeouts, 0u);
         }},
        {"part of a reply when time runs out", 0,
         [](Watched& h) {
             h.request(Command::ReadAll);
             h.tick();
             h.port.deliver({1, 0x03, 0x58, 0, 1});
             h.ticks(101);
         },
         {Kind::Request, Kind::Incomplete, Kind::Timeout},
         [](const Watched& h) {
             EXPECT_EQ(h.log.counters().timeouts, 1u);
             EXPECT_EQ(TrafficText::decoded(h.last(Kind::Timeout)),
                       "no valid reply in time (to 1: read holding 0-43 (44))");
         }},
        {"exception reply", 1,
         [](Watched& h) {
             h.tick();
             h.port.deliver(withCrc({1, 0x81, 0x02}));
             h.tick();
         },
         {Kind::Request, Kind::ExceptionReply},
         [](const Watched& h) {
             EXPECT_EQ(h.log.counters().exceptionReplies, 1u);
             EXPECT_EQ(h.log.counters().wrongReplies, 0u);
             EXPECT_NE(TrafficText::decoded(h.last(Kind::ExceptionReply)).find("Illegal data address"),
                       std::string::npos);
         }},
        {"late reply dropped by the next request", 0,
         [](Watched& h) { h.lateReplyThenNextRequest(); },
         // The queue is dropped right after the write, as the engine does it.
         {Kind::Request, Kind::Timeout, Kind::Request, Kind::Discarded},
         [](const Watched& h) {
             EXPECT_EQ(h.last(Kind::Discarded).count, 8u);
             EXPECT_EQ(h.last(Kind::Discarded).direction, TrafficEntry::Direction::None);
         }},
        {"abandoned by a tab change", 0,
         [](Watched& h) {
             h.request(Command::SetIntfan);
             h.tick();
             h.port.deliver({1, 0x10});
             h.tick();
             h.view.tab = 1;
             h.ticks(2);
         },
         {Kind::Request, Kind::Unframed, Kind::Request},
         [](const Watched& h) { EXPECT_EQ(h.log.counters().requests, 2u); }},
        {"no port", 0,
         [](Watched& h) {
             h.port.close();
             h.request(Command::SetIntfan);
             h.ticks(102);
         },
         {Kind::NotSent, Kind::Timeout},
         [](const Watched& h) {
             EXPECT_EQ(h.log.counters().bytesOut, 0u);
             EXPECT_EQ(TrafficText::decoded(h.last(Kind::Timeout)), "no valid reply in time (to 1: write regs 0-10)");
         }},
    };
    for (const Grouping& c : cases) {
        SCOPED_TRACE(c.name);
        Watched h(c.tab);
        c.run(h);
        EXPECT_EQ(h.kinds(), c.kinds);
        c.check(h);
    }
}

TEST(TrafficLog, CountersAgreeWithWhatTheControllerDid)
{
    Watched h(1);
    FakeController controller;
    int replies = 0;
    int lost = 0;
    int spoiled = 0;
    int misdirected = 0;
    std::uint64_t bytesIn = 0;
    h.port.setResponder([&](const Bytes& rq) {
        ++replies;
        if (replies % 7 == 0) {
            ++lost;
            return Bytes{};
        }
        Bytes reply = controller.answer(rq);
        if (replies % 5 == 0) {
            ++spoiled;
            reply.back() ^= 0xFF;
        } else if (replies % 11 == 0) {
            ++misdirected;
            reply = withCrc({2, reply[1]});
        }
        bytesIn += reply.size();
        return reply;
    });
    h.ticks(5000);
    const TrafficCounters& c = h.log.counters();
    std::uint64_t bytesOut = 0;
    for (const Bytes& w : h.port.written())
        bytesOut += w.size();
    // The last request may still be waiting.
    EXPECT_EQ(c.requests, h.port.written().size());
    EXPECT_EQ(c.timeouts + (c.requests == c.validReplies + c.timeouts + c.crcErrors + c.wrongReplies ? 0 : 1),
              static_cast<std::uint64_t>(lost + misdirected));
    EXPECT_EQ(c.crcErrors, static_cast<std::uint64_t>(spoiled));
    EXPECT_EQ(c.wrongReplies, 0u);   // four-byte replies from address 2 never make a whole frame
    EXPECT_EQ(c.bytesOut, bytesOut);
    EXPECT_EQ(c.bytesIn, bytesIn);
}

TEST(TrafficLog, KeepsTheNewestEntriesAndCountsTheDropped)
{
    struct Listener : TrafficListener {
        int added = 0;
        std::size_t dropped = 0;
        void entryAdded(const TrafficEntry&) override { ++added; }
        void oldestDropped(std::size_t n) override { dropped += n; }
        void cleared() override {}
    } listener;
    TrafficLog log(5);
    log.addListener(&listener);
    for (std::uint32_t i = 0; i < 12; ++i) {
        TrafficEntry e;
        e.kind = Kind::Discarded;
        e.count = i;
        log.add(e);
    }
    EXPECT_EQ(log.size(), 5u);
    EXPECT_EQ(log.dropped(), 7u);
    EXPECT_EQ(log.firstSequence(), 7u);
    EXPECT_EQ(log.at(7).count, 7u);
    EXPECT_EQ(log.entries().back().count, 11u);
    EXPECT_EQ(listener.added, 12);
    EXPECT_EQ(listener.dropped, 7u);

    log.clear();
    EXPECT_EQ(log.size(), 0u);
    EXPECT_EQ(log.dropped(), 0u);
}

TEST(TrafficLog, TimeoutRateCoversTheLastMinute)
{
    TrafficLog log;
    const Bytes rq{1, 3, 0, 0, 0, 1, 0x84, 0x0A};
    const auto exchange = [&](std::int64_t atS, LinkOutcome outcome) {
        log.requestSent({atS * 1'000'000, 0}, rq, 8, 7);
        log.outcome({atS * 1'000'000 + 1, 0}, outcome, 0);
    };
    exchange(0, LinkOutcome::Timeout);
    exchange(10, LinkOutcome::Valid);
    exchange(30, LinkOutcome::Timeout);
    exchange(50, LinkOutcome::Valid);
    EXPECT_DOUBLE_EQ(log.timeoutRate(55'000'000), 0.5);
    EXPECT_DOUBLE_EQ(log.timeoutRate(65'000'000), 1.0 / 3.0);   // the first has left the minute
    EXPECT_DOUBLE_EQ(log.timeoutRate(200'000'000), 0.0);
}

std::vector<std::string> linesOf(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(TrafficLogFile, WritesTextOrCsvByExtension)
{
    Watched h(1);
    h.tick();
    h.port.deliver(withCrc({1, 0x01, 2, 0x15, 0x10}));
    h.tick();
    h.ticks(102);
    ASSERT_GE(h.log.size(), 3u);

    QTemporaryDir dir;
    const std::string text = dir.filePath("traffic.log").toStdString();
    const std::string csv = dir.filePath("traffic.CSV").toStdString();
    std::string error;
    ASSERT_TRUE(TrafficLogFile::save(text, h.log.entries(), error)) << error;
    ASSERT_TRUE(TrafficLogFile::save(csv, h.log.entries(), error)) << error;

    const auto textLines = linesOf(text);
    ASSERT_EQ(textLines.size(), h.log.size());
    for (std::size_t i = 0; i < textLines.size(); ++i) {
        const TrafficEntry& e = h.log.entries()[i];
        EXPECT_EQ(textLines[i], TrafficText::textLine(e));
        EXPECT_NE(textLines[i].find(TrafficText::hex(e)), std::string::npos);
        EXPECT_NE(textLines[i].find(TrafficText::decoded(e)), std::string::npos);
    }
    const auto csvLines = linesOf(csv);
    ASSERT_EQ(csvLines.size(), h.log.size() + 1);
    EXPECT_EQ(csvLines[0], TrafficText::csvHeader());
    EXPECT_EQ(csvLines[2], TrafficText::csvLine(h.log.entries()[1]));
    EXPECT_NE(csvLines[2].find("\"RX\",\"valid\",\"01 01 02 15 10"), std::string::npos) << csvLines[2];
}

TEST(TrafficLogFile, FailuresNameTheReasonAndLoseNothingElse)
{
    TrafficEntry entry;
    entry.kind = Kind::Timeout;
    const std::deque<TrafficEntry> entries(200, entry);
    {
        SCOPED_TRACE("save");
        expectSafeWriter([&](const std::string& path) {
            std::string error;
            return TrafficLogFile::save(path, entries, error) ? std::string() : path + ": " + error;
        });
    }
    {
        SCOPED_TRACE("auto-save");
        expectSafeWriter(
            [&](const std::string& path) {
                TrafficLogFile file;
                bool ok = file.open(path, true);
                for (const TrafficEntry& e : entries)
                    ok = ok && file.write(e);
                return ok && file.close() ? std::string() : path + ": " + file.error();
            },
            true);
    }

    TrafficLogFile missing;
    EXPECT_FALSE(missing.open("/nonexistent-dir/traffic.log", true));
    EXPECT_EQ(missing.error(), "cannot open: No such file or directory");
    EXPECT_FALSE(missing.open("/dev/null", true));
    EXPECT_EQ(missing.error(), "cannot open: it is not a regular file");

    // The write that does not fit says so itself, and the file is closed.
    ScratchDisk disk;
    TrafficLogFile full;
    ASSERT_TRUE(full.open(disk.path("traffic.log"), true));
    disk.fill();
    EXPECT_FALSE(full.write(entry));
    EXPECT_EQ(full.error().rfind("cannot write: ", 0), 0u) << full.error();
    EXPECT_FALSE(full.isOpen());
    EXPECT_FALSE(full.write(entry));
}

TEST(TrafficLogFile, AppendKeepsWhatTheFileHeld)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("auto.csv").toStdString();
    TrafficEntry entry;
    entry.kind = Kind::Timeout;
    for (int run = 0; run < 2; ++run) {
        TrafficLogFile file;
        ASSERT_TRUE(file.open(path, true));
        EXPECT_TRUE(file.write(entry));
        EXPECT_TRUE(file.close());
    }
    const auto lines = linesOf(path);
    ASSERT_EQ(lines.size(), 3u);   // one header, two rows
    EXPECT_EQ(lines[0], TrafficText::csvHeader());
}

} // namespace
