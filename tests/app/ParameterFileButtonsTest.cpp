// The parameter-file buttons of the real window on a scripted port: what
// they put into the controls, what they refuse, and where they sit.
#include "support/FormHarness.h"
#include "support/ScriptedParameterDialogs.h"

#include "console/AtomicFile.h"
#include "console/ParameterFile.h"
#include "console/ParameterTable.h"
#include "console/PlausibilityRules.h"
#include "support/FakeController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

class ParameterFileButtons : public ::testing::Test {
protected:
    ParameterFileButtons()
    {
        auto scripted = std::make_unique<ScriptedParameterDialogs>();
        dialogs = scripted.get();
        h.form->setParameterDialogs(std::move(scripted));
    }

    void click(const char* button) { h.form->findChild<QAbstractButton*>(button)->click(); }

    std::map<std::string, std::string> controlTexts() const
    {
        std::map<std::string, std::string> texts;
        for (const ParameterEntry& param : ParameterTable::all())
            texts[std::string(param.control())] = h.form->text(std::string(param.control()));
        return texts;
    }

    // Every parameter's value: `values` by register, the others plausible,
    // accepted by their Set button, or 0 (the first item).
    static std::vector<std::int32_t> valuesOf(const std::map<int, std::int32_t>& values)
    {
        std::vector<std::int32_t> all;
        for (const ParameterEntry& param : ParameterTable::all()) {
            const auto it = values.find(param.reg());
            const auto plausible = kPlausible.find(std::string(param.name()));
            all.push_back(it != values.end()                ? it->second
                          : plausible != kPlausible.end() ? plausible->second
                          : param.accepted                ? kAccepted.at(param.reg())
                                                          : 0);
        }
        return all;
    }

    std::string writeFile(const char* name, const std::map<int, std::int32_t>& values)
    {
        ParameterFile::Document document;
        document.console = "test";
        document.date = "2026-12-09T13:00:00Z";
        document.values = valuesOf(values);
        const std::string path = dir.filePath(name).toStdString();
        EXPECT_EQ(AtomicFile::write(path, ParameterFile::toJson(document)), "");
        return path;
    }

    // Runs the engine against the scripted line until the link is free.
    void untilIdle()
    {
        for (int i = 0; i < 400 && h.form->linkState().LinkBusy == 1; ++i) {
            h.form->Timer2Timer();
            h.port->advance();
        }
    }

    static inline const std::map<int, std::int32_t> kAccepted = {{27, 5}, {39, 580}, {40, 420}, {41, 350}, {42, 30}};
    // The sides of the plausibility rules, each in the right order.
    static inline const std::map<std::string, std::int32_t> kPlausible = {
        {"Intfan1 MinSpeed", 800},   {"Intfan1 MaxSpeed", 2200}, {"Intfan1 MinTemp", 200},
        {"Intfan1 MaxTemp", 350},    {"Intfan1 StopTemp", 50},   {"Extfan1 MinSpeed", 900},
        {"Extfan1 MaxSpeed", 2400},  {"Extfan1 MinTemp", 250},   {"Extfan1 MaxTemp", 400},
        {"Extfan1 StopTemp", 150},   {"TempAlarm Low", -100},    {"TempAlarm High", 550},
        {"Heater MinCurrent", 5},    {"Heater MaxCurrent", 30},
    };
    FormHarness h;
    ScriptedParameterDialogs* dialogs = nullptr;
    QTemporaryDir dir;
};

} // namespace

TEST_F(ParameterFileButtons, SitBelowDefaultWithoutTouchingAnything)
{
    h.form->show();
    const QWidget* sheet = h.form->findChild<QWidget*>("Configuration");
    const QRect defaultButton = h.form->findChild<QWidget*>("BitBtn2")->geometry();
    for (const char* name : {"SaveParameters", "LoadParameters", "WriteAll", "CompareParameters"}) {
        SCOPED_TRACE(name);
        const auto* button = h.form->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->parentWidget(), sheet);
        const QRect bounds = button->geometry();
        EXPECT_GT(bounds.top(), defaultButton.bottom());
        EXPECT_TRUE(sheet->rect().contains(bounds));
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 6, bounds.width()) << "caption cut";
        for (const QWidget* other : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != button && other->isVisible()) {
                EXPECT_FALSE(other->geometry().intersects(bounds)) << other->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(h.form->findChild<QAbstractButton*>("SaveParameters")->text(), "Save Parameters...");
    EXPECT_EQ(h.form->findChild<QAbstractButton*>("LoadParameters")->text(), "Load Parameters...");
    EXPECT_EQ(h.form->findChild<QAbstractButton*>("WriteAll")->text(), "Write All");
    EXPECT_EQ(h.form->findChild<QAbstractButton*>("CompareParameters")->text(), "Compare...");
    EXPECT_EQ(h.form->size(), QSize(815, 634));
}

TEST_F(ParameterFileButtons, ChoicesAreTheComboBoxesItems)
{
    for (const ParameterEntry& param : ParameterTable::all()) {
        if (!param.isChoice())
            continue;
        const auto* combo = h.form->findChild<QComboBox*>(QString::fromStdString(std::string(param.control())));
        ASSERT_NE(combo, nullptr) << param.name();
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        EXPECT_EQ(items.join('|').toStdString(), std::string(param.items)) << param.name();
    }
}

TEST_F(ParameterFileButtons, LoadFillsEveryControlAndSaveWritesThemBack)
{
    const std::string path = writeFile("in.json", {{0, 1250}, {3, 255}, {9, 1}, {23, 40}, {38, 1}, {43, -5}});
    dialogs->fileNames = {path};
    click("LoadParameters");
    EXPECT_TRUE(h.boxes->empty()) << h.boxes->last().text;
    EXPECT_EQ(dialogs->captions, std::vector<std::string>{"Load Parameters..."});
    EXPECT_EQ(h.form->text("Edit12"), "1250");
    EXPECT_EQ(h.form->text("Edit14"), "25.5");
    EXPECT_EQ(h.form->itemIndex("ComboBox1"), 1);
    EXPECT_EQ(h.form->itemIndex("ComboBox2"), 0);
    EXPECT_EQ(h.form->text("Edit53"), "4");
    EXPECT_EQ(h.form->text("ComboBox7"), "NC");
    EXPECT_EQ(h.form->text("Edit31"), "-5");
    EXPECT_EQ(h.form->text("Edit4"), "5");
    // Nothing goes to the controller until the technician sets it.
    EXPECT_EQ(h.form->linkState().LinkBusy, 0);

    // With a port open and no Read All since, a Read All is offered first;
    // cancelled, nothing is saved.
    const std::string out = dir.filePath("out.json").toStdString();
    h.form->core().open("fake", 9600, 8);
    dialogs->answer = ParameterDialogs::Answer::Cancel;
    dialogs->fileNames = {out};
    click("SaveParameters");
    EXPECT_EQ(dialogs->questions, 1);
    EXPECT_FALSE(AtomicFile::read(out, 1 << 20).bytes);

    // Declined: what the controls hold is saved, the same parameters.
    dialogs->answer = ParameterDialogs::Answer::No;
    click("SaveParameters");
    EXPECT_EQ(dialogs->questions, 2);
    EXPECT_EQ(h.boxes->last().text, "Parameters saved to " + out);
    const ParameterFile::Checked in = ParameterFile::parse(*AtomicFile::read(path, 1 << 20).bytes);
    const ParameterFile::Checked saved = ParameterFile::parse(*AtomicFile::read(out, 1 << 20).bytes);
    ASSERT_TRUE(saved.document);
    EXPECT_EQ(saved.document->values, in.document->values);
    EXPECT_EQ(saved.document->busAddress, 1);
    EXPECT_EQ(saved.document->firmware, "") << "the version was not read";
}

TEST_F(ParameterFileButtons, BadFilesChangeNoControl)
{
    const std::string good = writeFile("good.json", {});
    std::string text = *AtomicFile::read(good, 1 << 20).bytes;
    text.replace(text.find("\"value\": 0"), 10, "\"value\": \"x\"");
    const std::string textForNumber = dir.filePath("text.json").toStdString();
    ASSERT_EQ(AtomicFile::write(textForNumber, text), "");
    const std::string notJson = dir.filePath("not.json").toStdString();
    ASSERT_EQ(AtomicFile::write(notJson, "parameters"), "");

    h.form->setText("Edit12", "777");
    h.form->setText("ComboBox3", "Enable");
    const auto before = controlTexts();
    const std::string missing = dir.filePath("missing.json").toStdString();
    for (const std::string& path : {textForNumber, notJson, missing}) {
        SCOPED_TRACE(path);
        h.boxes->clear();
        dialogs->reports.clear();
        dialogs->fileNames = {path};
        click("LoadParameters");
        // One message: a report of the file's problems, or why it cannot be read.
        ASSERT_EQ(h.boxes->messages().size() + dialogs->reports.size(), 1u);
        EXPECT_EQ(h.boxes->empty() ? dialogs->reports.back().caption : h.boxes->last().caption, "Load Parameters");
        EXPECT_EQ(controlTexts(), before);
    }
    EXPECT_NE(h.boxes->last().text.find("Cannot read " + missing), std::string::npos);
    dialogs->fileNames = {textForNumber};
    click("LoadParameters");
    EXPECT_NE(dialogs->reports.back().text.find("Intfan1 StepSpeed: a number is expected, not the text \"x\"."),
        std::string::npos) << dialogs->reports.back().text;

    // Write All without a loaded file says what to do first.
    h.boxes->clear();
    click("WriteAll");
    EXPECT_EQ(h.boxes->last().text, "Load a parameter file first: Write All sends the groups of the loaded file.");
}

TEST_F(ParameterFileButtons, WriteAllKeepsTheRulesOfTheSetButtons)
{
    dialogs->fileNames = {writeFile("in.json", {})};
    click("LoadParameters");
    ASSERT_TRUE(h.form->parameterFiles().loaded());

    // No port open: refused like any Set button.
    click("WriteAll");
    EXPECT_EQ(h.boxes->last(), (RecordingMessageBoxes::Message{"ComPort Not Open!!", "Comm Error"}));
    EXPECT_FALSE(h.form->parameterFiles().writeAllRunning());

    // Port open and a command pending: busy.
    h.form->core().open("fake", 9600, 8);
    h.form->linkState().LinkBusy = 1;
    click("WriteAll");
    EXPECT_EQ(h.boxes->last(), (RecordingMessageBoxes::Message{"Systerm Busy,Please Wait", "Write All"}));
    h.form->linkState().LinkBusy = 0;

    // What is written is the loaded file, not what a Read All or a Compare
    // has put into the controls since; the file is named before it goes.
    const ParameterEntry& first = ParameterTable::all().front();
    const std::string firstControl(first.control());
    const std::string fromFile = h.form->text(firstControl);
    h.form->setText(firstControl, "1234");
    dialogs->confirmWrite = false;
    click("WriteAll");
    EXPECT_FALSE(h.form->parameterFiles().writeAllRunning());
    EXPECT_EQ(dialogs->confirmations.size(), 1u);
    dialogs->confirmWrite = true;

    // While it runs, the Set buttons and the file buttons are refused. No
    // controller answers the backup's read: the operator goes on without.
    dialogs->goOnWithout = true;
    click("WriteAll");
    for (int i = 0; i < 300 && !h.form->parameterFiles().writeAllRunning(); ++i) {
        h.form->Timer2Timer();
        h.port->advance();
    }
    EXPECT_EQ(dialogs->backupQuestions.size(), 1u);
    EXPECT_EQ(h.form->text(firstControl), fromFile);
    EXPECT_EQ(dialogs->confirmations.back(), h.form->parameterFiles().loadedPath());
    ASSERT_TRUE(h.form->parameterFiles().writeAllRunning());
    EXPECT_EQ(h.form->linkState().CommandCode, Command::SetIntfan);
    click("Button11");
    EXPECT_EQ(h.boxes->last(), (RecordingMessageBoxes::Message{"Systerm Busy,Please Wait", "Set Alarm TEMP!"}));
    click("LoadParameters");
    EXPECT_EQ(h.boxes->last(), (RecordingMessageBoxes::Message{"Systerm Busy,Please Wait", "Load Parameters"}));

    // Closing the port ends it with the summary.
    h.boxes->clear();
    click("Button1");
    EXPECT_FALSE(h.form->parameterFiles().writeAllRunning());
    EXPECT_TRUE(h.boxes->empty());
    ASSERT_EQ(dialogs->reports.size(), 1u);
    EXPECT_EQ(dialogs->reports.back().caption, "Write All");
    EXPECT_NE(dialogs->reports.back().text.find("Internal Fan: failed, interrupted: the port was closed"), std::string::npos);
    EXPECT_NE(dialogs->reports.back().text.find("Compressor: not sent"), std::string::npos);
}

// Each rule in every flow that checks it: a file that breaks it loads with
// a warning naming it, Write All asks once before sending it, and Compare
// names it for the file and for the controller's values. The voltage limits'
// Set ranges (low up to 47.0 V, high from 50.0 V) keep a file from breaking
// their rule; a controller can still hold such values.
TEST_F(ParameterFileButtons, EachPlausibilityRuleIsNamedByLoadWriteAllAndCompare)
{
    FakeController controller;
    h.port->setResponder(controller.responder());
    h.form->core().open("fake", 9600, 8);
    for (const PlausibilityRules::Rule& rule : PlausibilityRules::kRules) {
        SCOPED_TRACE(std::string(rule.lower));
        const ParameterEntry& lower = *ParameterTable::find(rule.lower);
        const ParameterEntry& upper = *ParameterTable::find(rule.upper);
        const std::int32_t upperValue = kPlausible.count(std::string(rule.upper)) ? kPlausible.at(std::string(rule.upper))
                                                                                  : kAccepted.at(upper.reg());
        // Equal sides break "below"; one tenth more breaks "not above".
        const std::map<int, std::int32_t> breaking{
            {lower.reg(), upperValue + (rule.order == PlausibilityRules::Order::Below ? 0 : 1)}};
        const std::vector<std::int32_t> values = valuesOf(breaking);
        const std::string expected = PlausibilityRules::describe(PlausibilityRules::check(PlausibilityRules::fromValues(values)));
        ASSERT_NE(expected.find(std::string(rule.lower) + " ("), std::string::npos) << expected;
        ASSERT_EQ(expected.find('\n'), std::string::npos) << "one rule broken: " << expected;

        dialogs->reports.clear();
        dialogs->brokenRuleQuestions.clear();
        const std::string file = writeFile("broken.json", breaking);
        const bool fileCanBreakIt = ParameterFile::parse(*AtomicFile::read(file, 1 << 20).bytes).document.has_value();
        EXPECT_EQ(fileCanBreakIt, rule.lower != "VoltAlarm Low");
        if (fileCanBreakIt) {
            dialogs->fileNames = {file};
            click("LoadParameters");
            ASSERT_EQ(dialogs->reports.size(), 1u);
            EXPECT_EQ(dialogs->reports[0].caption, "Load Parameters");
            EXPECT_EQ(dialogs->reports[0].text, file + " is loaded, but its values break these rules:\n" + expected);
            ASSERT_EQ(h.form->parameterFiles().loadedPath(), file) << "loaded all the same";

            dialogs->writeAnyway = false;
            click("WriteAll");
            EXPECT_EQ(dialogs->brokenRuleQuestions, std::vector<std::string>{expected});
            EXPECT_FALSE(h.form->parameterFiles().writeAllRunning());
            EXPECT_EQ(h.form->linkState().LinkBusy, 0) << "cancelled: nothing sent";

            // Compared with a controller holding plausible values.
            controller.holding = {};
            for (std::size_t i = 0; i < ParameterTable::all().size(); ++i)
                controller.holding[ParameterTable::all()[i].reg()] = static_cast<std::uint16_t>(valuesOf({})[i]);
            dialogs->fileNames = {file};
            click("CompareParameters");
            untilIdle();
            h.form->Timer2Timer();
            ASSERT_FALSE(dialogs->brokenOnCompare.empty());
            EXPECT_EQ(dialogs->brokenOnCompare.back(), "The file's values break:\n" + expected);
        }

        // The controller holds the broken values, the file plausible ones.
        for (std::size_t i = 0; i < ParameterTable::all().size(); ++i)
            controller.holding[ParameterTable::all()[i].reg()] = static_cast<std::uint16_t>(values[i]);
        dialogs->fileNames = {writeFile("plausible.json", {})};
        const std::size_t compared = dialogs->brokenOnCompare.size();
        click("CompareParameters");
        untilIdle();
        h.form->Timer2Timer();
        ASSERT_EQ(dialogs->brokenOnCompare.size(), compared + 1);
        EXPECT_EQ(dialogs->brokenOnCompare.back(), "The controller's values break:\n" + expected);
    }
    // A plausible file goes without the question.
    dialogs->fileNames = {writeFile("plausible.json", {})};
    dialogs->reports.clear();
    dialogs->brokenRuleQuestions.clear();
    click("LoadParameters");
    click("WriteAll");
    // It starts once the backup is read.
    for (int i = 0; i < 300 && !h.form->parameterFiles().writeAllRunning(); ++i) {
        h.form->Timer2Timer();
        h.port->advance();
    }
    EXPECT_TRUE(dialogs->reports.empty());
    EXPECT_TRUE(dialogs->brokenRuleQuestions.empty());
    EXPECT_TRUE(h.form->parameterFiles().writeAllRunning());
}

// The core's quiet Read All (a backup before a change) leaves the tab as
// the operator has it; the button's fills it from the same kind of set.
TEST_F(ParameterFileButtons, AQuietReadLeavesTheTabTheButtonFillsIt)
{
    FakeController controller;
    controller.holding[0] = 1500;
    controller.holding[9] = 1;
    controller.holding[22] = 0xFFCE;   // -5.0 °C
    h.port->setResponder(controller.responder());
    ASSERT_EQ(h.form->core().open("fake", 9600, 8), ConsoleCore::OpenResult::Opened);
    h.form->setText("Edit12", "typed");
    const std::string heater = h.form->text("Edit52");
    ASSERT_TRUE(h.form->core().readParameters());
    untilIdle();
    ASSERT_TRUE(h.form->core().parameters());
    EXPECT_EQ(h.form->core().parameters()->value(RegisterMap::named("Intfan1 StepSpeed")), 1500);
    EXPECT_EQ(h.form->text("Edit12"), "typed");
    EXPECT_EQ(h.form->text("Edit52"), heater);

    click("BitBtn1");
    untilIdle();
    EXPECT_EQ(h.form->text("Edit12"), "1500");
    EXPECT_EQ(h.form->text("ComboBox1"), "Enable");
    EXPECT_EQ(h.form->text("Edit52"), "-5");
    EXPECT_TRUE(h.boxes->empty());
}
