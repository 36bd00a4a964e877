#include "console/AtomicFile.h"
#include "console/ConfigCommands.h"
#include "console/ConversionError.h"
#include "console/ParameterComparison.h"
#include "console/ParameterFile.h"
#include "console/ParameterValues.h"
#include "link/LinkState.h"
#include "link/WriteCommand.h"
#include "support/FakeFormControls.h"
#include "support/WriterChecks.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using ParameterFile::Document;
using ParameterFile::Problem;

// A document of values unlike the factory ones, one per parameter.
Document sampleDocument()
{
    // By register.
    const std::map<int, std::int32_t> values = {
        {0, 1200}, {1, 65535}, {2, 0}, {3, 23}, {4, 450}, {5, -25}, {6, -32768}, {7, 32767}, {8, 255}, {9, 1},
        {10, 0}, {11, 1300}, {12, 3100}, {13, 900}, {14, 260}, {15, 465}, {16, 210}, {17, 160}, {18, 3},
        {19, 4}, {20, 0}, {21, 1}, {22, -25}, {23, 40}, {24, 123}, {25, 3}, {26, 1}, {27, 7}, {28, 550},
        {29, -50}, {33, 5}, {34, -5}, {35, 15}, {36, 20}, {37, 1}, {38, 1}, {39, 700}, {40, 240}, {41, 180},
        {42, 50}, {43, -5},
    };
    Document document;
    document.console = "0.1";
    document.date = "2026-12-09T13:00:00Z";
    document.firmware = "HX-CTRL \"V2.13\"";
    document.busAddress = 7;
    for (const ParameterEntry& param : ParameterTable::all())
        document.values.push_back(values.at(param.reg()));
    return document;
}

std::map<std::string, std::string> controlTexts(const Document& document)
{
    std::map<std::string, std::string> texts;
    const auto params = ParameterTable::all();
    for (std::size_t i = 0; i < params.size(); ++i)
        texts[std::string(params[i].control())] = ParameterValues::controlText(params[i], document.values[i]);
    return texts;
}

// The sample file with the text `from` replaced by `to` (first occurrence).
std::string edited(const std::string& from, const std::string& to)
{
    std::string json = ParameterFile::toJson(sampleDocument());
    const std::size_t at = json.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? json : json.replace(at, from.size(), to);
}

std::string line(const char* name, int reg, const std::string& value, const char* unit)
{
    return std::string("\"") + name + "\": { \"register\": " + std::to_string(reg) + ", \"value\": " + value
        + (*unit ? std::string(", \"unit\": \"") + unit + "\"" : "") + " }";
}

} // namespace

TEST(ParameterFile, SaveLoadSaveGivesTheIdenticalFile)
{
    const Document document = sampleDocument();
    const std::string first = ParameterFile::toJson(document);
    const ParameterFile::Checked loaded = ParameterFile::parse(first);
    ASSERT_TRUE(loaded.document) << ParameterFile::report("", loaded.problems);
    EXPECT_EQ(loaded.document->values, document.values);
    EXPECT_EQ(loaded.document->firmware, document.firmware);
    EXPECT_EQ(loaded.document->busAddress, document.busAddress);

    // Through the controls: the texts a load puts there convert back to the
    // same values.
    const auto texts = controlTexts(*loaded.document);
    ParameterFile::Checked held = ParameterFile::fromTexts([&](const ParameterEntry& s) { return texts.at(std::string(s.control())); });
    ASSERT_TRUE(held.document) << ParameterFile::report("", held.problems);
    held.document->console = document.console;
    held.document->date = document.date;
    held.document->firmware = document.firmware;
    held.document->busAddress = document.busAddress;
    EXPECT_EQ(ParameterFile::toJson(*held.document), first);
}

TEST(ParameterFile, WritesEveryParameterWithRegisterUnitAndFullResolution)
{
    const std::string json = ParameterFile::toJson(sampleDocument());
    EXPECT_NE(json.find("\"format\": \"hxconsole-parameters\""), std::string::npos);
    EXPECT_NE(json.find("\"version\": 1,"), std::string::npos);
    EXPECT_NE(json.find("\"firmware\": \"HX-CTRL \\\"V2.13\\\"\""), std::string::npos);
    for (const std::string& expected : {
             line("Intfan1 StepSpeed", 0, "1200", "rpm"), line("Intfan1 StepTemp", 3, "2.3", "°C"),
             line("Intfan1 MinTemp", 5, "-2.5", "°C"), line("Intfan1 StopTemp", 6, "-3276.8", "°C"),
             line("Intfan1 Enable", 9, "\"Enable\"", ""), line("Intfan1 PulseNo", 8, "255", ""),
             line("Heater DeltTemp", 23, "4.0", "°C"), line("Heater MaxCurrent", 24, "12.3", "A"),
             line("TempAlarm High", 28, "55.0", "°C"), line("Calibration Voltage", 36, "2.0", "V"),
             line("ExtInput Type", 38, "\"NC\"", ""), line("Compressor MaxSpeed", 43, "-5", "rpm"),
             line("Device Address", 27, "7", "")}) {
        EXPECT_NE(json.find(expected), std::string::npos) << expected;
    }
    // Unknown firmware and address are left out rather than guessed.
    Document bare = sampleDocument();
    bare.firmware.clear();
    bare.busAddress.reset();
    const std::string without = ParameterFile::toJson(bare);
    EXPECT_EQ(without.find("firmware"), std::string::npos);
    EXPECT_EQ(without.find("busAddress"), std::string::npos);
    EXPECT_TRUE(ParameterFile::parse(without).document);
}

TEST(ParameterFile, EveryKindOfBadFileIsRefusedWithItsProblem)
{
    struct Case {
        const char* what;
        std::string text;
        Problem expected;
    };
    const std::vector<Case> cases = {
        {"not JSON", "{ \"format\": ", {"", "The file is not readable JSON"}},
        {"not an object", "[1, 2]", {"", "holds no JSON object"}},
        {"empty", "", {"", "The file is not readable JSON"}},
        {"wrong format", edited("hxconsole-parameters", "hxconsole-layout"), {"", "This is not a parameter file"}},
        {"wrong version", edited("\"version\": 1", "\"version\": 2"), {"", "version 2 is not supported"}},
        {"no parameters", "{\"format\": \"hxconsole-parameters\", \"version\": 1}", {"", "no \"parameters\""}},
        {"unknown name", edited("\"Intfan1 StepSpeed\"", "\"Intfan1 StepSpeeds\""), {"Intfan1 StepSpeeds", "unknown parameter."}},
        {"missing parameter", edited("\"Intfan1 StepSpeed\"", "\"Intfan1 StepSpeeds\""), {"Intfan1 StepSpeed", "missing."}},
        {"text for a number", edited("\"value\": 1200", "\"value\": \"1200\""),
            {"Intfan1 StepSpeed", "a number is expected, not the text \"1200\"."}},
        {"number for a choice", edited("\"value\": \"Enable\"", "\"value\": 1"),
            {"Intfan1 Enable", "a choice text (Disable|Enable) is expected, not a number."}},
        {"unknown choice", edited("\"value\": \"NC\"", "\"value\": \"NX\""), {"ExtInput Type", "'NX' is not one of NO, NC."}},
        {"no value", edited(", \"value\": 1200", ""), {"Intfan1 StepSpeed", "has no \"value\"."}},
        {"wrong register", edited("\"register\": 0,", "\"register\": 1,"), {"Intfan1 StepSpeed", "its register is 0, the file says 1."}},
        {"fraction for an integer", edited("\"value\": 1200", "\"value\": 1200.5"),
            {"Intfan1 StepSpeed", "'1200.5' is not a valid integer value."}},
        {"internal fan speed", edited("\"value\": 65535", "\"value\": 65536"), {"Intfan1 MaxSpeed", "'65536' does not fit"}},
        {"internal fan pulses", edited("\"value\": 255", "\"value\": 256"), {"Intfan1 PulseNo", "'256' does not fit"}},
        {"external fan temperature", edited("\"value\": 26.0", "\"value\": 3276.8"), {"Extfan1 StepTemp", "'3276.8' does not fit"}},
        {"heater hysteresis", edited("\"value\": 4.0", "\"value\": 25.6"), {"Heater DeltTemp", "'25.6' is not a valid integer"}},
        {"heater hysteresis too big", edited("\"value\": 4.0", "\"value\": 26"), {"Heater DeltTemp", "'26' does not fit"}},
        {"temperature alarm", edited("\"value\": 55.0", "\"value\": -4000"), {"TempAlarm High", "'-4000' does not fit"}},
        {"calibration", edited("\"value\": 1.5", "\"value\": 1e9"), {"Calibration Current", "'1e+09' does not fit"}},
        {"address", edited("\"value\": 7", "\"value\": 256"), {"Device Address", "(Data out of range!!)"}},
        {"voltage alarm", edited("\"value\": 70.0", "\"value\": 70.2"), {"VoltAlarm High", "(Data out of range!!)"}},
        {"voltage alarm low", edited("\"value\": 24.0", "\"value\": 23.9"), {"VoltAlarm Low", "(Data out of range!!)"}},
        {"compressor", edited("\"value\": 18.0", "\"value\": 17.9"), {"Compressor StartTemp", "(Data out of range!!)"}},
        {"compressor hysteresis", edited("\"value\": 5.0", "\"value\": -0.1"), {"Compressor DeltTemp", "(Data out of range!!)"}},
        {"parameter given twice", edited("\"parameters\": {", "\"parameters\": {\n \"Intfan1 MaxSpeed\": { \"value\": 100 },"),
            {"Intfan1 MaxSpeed", "given more than once."}},
        {"header key given twice", edited("\"version\": 1,", "\"version\": 1, \"version\": 1,"),
            {"", "\"version\" is given more than once."}},
        {"more decimals than tenths", edited("\"value\": 26.0", "\"value\": 26.05"),
            {"Extfan1 StepTemp", "26.05 has more decimals than the register holds (steps of 0.1 °C)."}},
        {"more decimals than whole units", edited("\"value\": 1200", "\"value\": 1200.25"), {"Intfan1 StepSpeed", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ParameterFile::Checked checked = ParameterFile::parse(c.text);
        EXPECT_FALSE(checked.document);
        bool found = false;
        for (const Problem& p : checked.problems)
            found = found || (p.parameter == c.expected.parameter && p.message.find(c.expected.message) != std::string::npos);
        EXPECT_TRUE(found) << ParameterFile::report("got:", checked.problems);
    }
}

TEST(ParameterFile, ReportListsTwentyProblemsAndCountsTheRest)
{
    std::vector<Problem> problems;
    for (int i = 0; i < 25; ++i)
        problems.push_back({std::string("P").append(std::to_string(i)), "bad."});
    const std::string text = ParameterFile::report("Not loaded.", problems);
    EXPECT_EQ(text.rfind("Not loaded.\nP0: bad.\nP1: bad.", 0), 0u);
    EXPECT_NE(text.find("P19: bad.\n... and 5 more\n(25 problems)"), std::string::npos);
    EXPECT_EQ(text.find("P20"), std::string::npos);
    EXPECT_EQ(ParameterFile::report("H", {{"", "Not JSON."}}), "H\nNot JSON.\n(1 problem)");
}

// The table and the Set handlers agree: the values of a file, put into the
// controls and set by each group's handler, are the registers the engine
// writes.
TEST(ParameterFile, HandlersSetTheFileValuesIntoTheirRegisters)
{
    const Document document = sampleDocument();
    LinkState state;
    FakeFormControls controls;
    controls.texts = controlTexts(document);
    for (const ParameterEntry& param : ParameterTable::all()) {
        if (param.isChoice())
            controls.setItemIndex(std::string(param.control()), document.values[static_cast<std::size_t>(&param - ParameterTable::all().data())]);
    }
    ConfigCommands commands(state, controls, [] { return true; });
    const std::map<std::uint8_t, void (ConfigCommands::*)()> handlers = {
        {0, &ConfigCommands::SetClick}, {1, &ConfigCommands::Button10Click}, {2, &ConfigCommands::Button15Click},
        {3, &ConfigCommands::Button11Click}, {4, &ConfigCommands::Button3Click}, {5, &ConfigCommands::Button4Click},
        {6, &ConfigCommands::Button7Click}, {7, &ConfigCommands::Button9Click}, {8, &ConfigCommands::Button14Click},
    };
    // Each group set from its controls' texts, then from the document's values.
    const ParameterSet parameters = ParameterFile::toSet(document);
    for (const bool fromSet : {false, true}) {
        SCOPED_TRACE(fromSet ? "from the set" : "from the controls");
        std::map<int, std::uint16_t> written;
        for (const auto& [code, handler] : handlers) {
            state = LinkState{};
            if (fromSet)
                commands.writeGroup(code, parameters);
            else
                (commands.*handler)();
            ASSERT_EQ(state.LinkBusy, 1) << "group " << int(code);
            const WriteCommand::Block block = WriteCommand(code).block(state);
            for (std::size_t i = 0; i < block.count; ++i)
                written[block.first + static_cast<int>(i)] = block.values[i];
        }
        EXPECT_TRUE(controls.messages.empty());
        const auto params = ParameterTable::all();
        ASSERT_EQ(written.size(), params.size());
        for (std::size_t i = 0; i < params.size(); ++i)
            EXPECT_EQ(written.at(params[i].reg()), static_cast<std::uint16_t>(document.values[i])) << params[i].name();
    }
}

TEST(ParameterFile, ComparisonListsExactlyTheDifferingParameters)
{
    const Document document = sampleDocument();
    ParameterSet controller = ParameterFile::toSet(document);
    EXPECT_TRUE(ParameterComparison::differences(document, controller).empty());

    controller.set(RegisterMap::named("TempAlarm High"), 470);
    controller.set(RegisterMap::named("ExtInput Type"), 5);   // a register no item stands for
    controller.forget(RegisterMap::named("Calibration Temp1"));
    const auto found = ParameterComparison::differences(document, controller);
    EXPECT_EQ(found, (std::vector<ParameterDifference>{{"TempAlarm High", "47.0 °C", "55.0 °C"},
                         {"Calibration Temp1", "not read", "0.5 °C"},
                         {"ExtInput Type", "item 5 is not one of NO, NC.", "NC"}}));
}

// What Read All read goes into a file and comes back as the same set; a set
// with a value its Set button would not send, or one not read, makes no file.
TEST(ParameterFile, SetToFileToSetIsIdentical)
{
    ParameterSet read;
    for (const ParameterEntry& param : ParameterTable::all())
        read.setWord(*param.entry, static_cast<std::uint16_t>(sampleDocument().values[&param - ParameterTable::all().data()]));
    const ParameterFile::Checked saved = ParameterFile::fromSet(read);
    ASSERT_TRUE(saved.document) << ParameterFile::report("", saved.problems);
    const ParameterFile::Checked loaded = ParameterFile::parse(ParameterFile::toJson(*saved.document));
    ASSERT_TRUE(loaded.document) << ParameterFile::report("", loaded.problems);
    EXPECT_EQ(ParameterFile::toSet(*loaded.document), read);

    ParameterSet odd = read;
    odd.setWord(RegisterMap::named("Heater DeltTemp"), 0xFFFF);   // -1 in an 8-bit field
    odd.set(RegisterMap::named("VoltAlarm High"), 400);          // below the Set button's limit
    odd.forget(RegisterMap::named("Intfan1 Enable"));
    odd.set(RegisterMap::named("Compressor DeltTemp"), 45);        // fine: 4.5 °C can be typed
    EXPECT_EQ(ParameterFile::fromSet(odd).problems,
              (std::vector<Problem>{{"Intfan1 Enable", "not read from the controller."},
                                    {"Heater DeltTemp", "'-1' does not fit the register (0.0 °C to 25.5 °C)."},
                                    {"VoltAlarm High", "'40' is outside the limits of the Set button (Data out of range!!)."}}));
    // The heater's hysteresis is typed in whole degrees: 4.5 is read, never sent.
    ParameterSet half = read;
    half.set(RegisterMap::named("Heater DeltTemp"), 45);
    EXPECT_EQ(ParameterFile::fromSet(half).problems,
              (std::vector<Problem>{{"Heater DeltTemp", "'4.5' is not a valid integer value."}}));
}

class AtomicFileTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString()))
            names.push_back(entry.path().filename().string());
        return names;
    }
    QTemporaryDir dir;
};

TEST_F(AtomicFileTest, WritesReplacesAndReadsBack)
{
    EXPECT_EQ(AtomicFile::write(path("p.json"), "first"), "");
    EXPECT_EQ(AtomicFile::write(path("p.json"), "second"), "");
    const AtomicFile::ReadResult read = AtomicFile::read(path("p.json"), 100);
    EXPECT_EQ(read.bytes, "second");
    EXPECT_EQ(entries(), std::vector<std::string>{"p.json"});
}

TEST(ParameterFileWriter, FailedWriteLeavesTheOldFileWhole)
{
    const std::string json = ParameterFile::toJson(sampleDocument());
    expectSafeWriter([&](const std::string& path) { return AtomicFile::write(path, json); });
}

TEST_F(AtomicFileTest, UnwritableAndUnreadableFilesSayWhy)
{
    EXPECT_EQ(AtomicFile::write(path("missing/p.json"), "x"), "Cannot write " + path("missing/p.json") + ": No such file or directory");
    const AtomicFile::ReadResult missing = AtomicFile::read(path("none.json"), 100);
    EXPECT_FALSE(missing.bytes);
    EXPECT_EQ(missing.error, "Cannot read " + path("none.json") + ": No such file or directory");
    ASSERT_EQ(AtomicFile::write(path("big.json"), std::string(101, 'x')), "");
    EXPECT_NE(AtomicFile::read(path("big.json"), 100).error.find("too large"), std::string::npos);
    EXPECT_FALSE(AtomicFile::read(dir.path().toStdString(), 100).bytes);
    ASSERT_EQ(::mkfifo(path("fifo.json").c_str(), 0600), 0);
    EXPECT_EQ(AtomicFile::read(path("fifo.json"), 100).error, "Cannot read " + path("fifo.json") + ": it is not a regular file");
}
