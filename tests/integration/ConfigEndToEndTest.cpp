// The Configuration tab end to end: the real window, its engine and the Qt
// serial port against a libmodbus RTU slave on the other end of a pty pair.
#include "app/TForm1.h"
#include "integration/ModbusSlave.h"
#include "link/QtSerialPort.h"
#include "support/PtyPair.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedParameterDialogs.h"
#include "support/TimerRun.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Readable failure output for recorded boxes.
void PrintTo(const RecordingMessageBoxes::Message& message, std::ostream* out)
{
    *out << '"' << message.text << "\" / \"" << message.caption << '"';
}

namespace {

class ConfigEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ok());
        slave = std::make_unique<ModbusSlave>(pty.second());
        ASSERT_TRUE(slave->ok());
        auto boxes = std::make_unique<RecordingMessageBoxes>();
        messages = boxes.get();
        form = std::make_unique<TForm1>(std::make_unique<QtSerialPort>(), std::move(boxes));
        // The slave's registers start at zero, which no parameter file can
        // hold, and a stopped slave answers nothing: Default and the address
        // go on without a backup, as the operator may choose.
        auto scripted = std::make_unique<ScriptedParameterDialogs>();
        dialogs = scripted.get();
        dialogs->goOnWithout = true;
        form->setParameterDialogs(std::move(scripted));
        form->findChild<QComboBox*>("rdCOM")->setEditText(QString::fromStdString(pty.first()));
        click("Button1");
        ASSERT_EQ(form->text("Button1"), "Close") << (messages->empty() ? "" : messages->last().text);
    }

    void TearDown() override
    {
        // The slave's thread first: it must not outlive the pty it serves.
        slave.reset();
        form.reset();
    }

    void type(const std::string& edit, const std::string& text)
    {
        QLineEdit* control = form->findChild<QLineEdit*>(QString::fromStdString(edit));
        ASSERT_NE(control, nullptr) << edit;
        control->setText(QString::fromStdString(text));
    }

    void select(const std::string& combo, int index)
    {
        QComboBox* control = form->findChild<QComboBox*>(QString::fromStdString(combo));
        ASSERT_NE(control, nullptr) << combo;
        control->setCurrentIndex(index);
    }

    void click(const std::string& button)
    {
        QAbstractButton* control = form->findChild<QAbstractButton*>(QString::fromStdString(button));
        ASSERT_NE(control, nullptr) << button;
        control->click();
    }

    // Lets the window's timers run until `done` holds or the engine has
    // ticked `tickBudget` times. A command that gets no answer ends after
    // about 110 ticks.
    bool runUntil(const std::function<bool()>& done, int tickBudget = 400)
    {
        return runUntilTicked(form->timer2(), done, tickBudget);
    }

    // Clicks a button and waits for the message the engine shows.
    RecordingMessageBoxes::Message clickAndWaitForMessage(const std::string& button)
    {
        const std::size_t before = messages->messages().size();
        click(button);
        EXPECT_EQ(form->linkState().LinkBusy, 1) << button << " did not queue";
        if (!runUntil([&] { return messages->messages().size() > before; }))
            ADD_FAILURE() << button << " got no message; " << engineState();
        return messages->last();
    }

    // Clicks a button whose command shows no message and waits for its end.
    void clickAndWaitForIdle(const std::string& button)
    {
        click(button);
        EXPECT_EQ(form->linkState().LinkBusy, 1) << button << " did not queue";
        EXPECT_TRUE(runUntil([&] { return form->linkState().LinkBusy == 0; })) << button << ": " << engineState();
    }

    std::string engineState()
    {
        const LinkState& s = form->linkState();
        std::string text = "CommandCode " + std::to_string(s.CommandCode) + ", LinkBusy "
            + std::to_string(s.LinkBusy) + ", CommandArmed " + std::to_string(s.CommandArmed) + ", WaitTicks "
            + std::to_string(s.WaitTicks) + ", received";
        for (std::uint32_t i = 0; i < s.RxLength && i < s.RxFrame.size(); ++i)
            text.append(" ").append(std::to_string(s.RxFrame[i]));
        return text;
    }

    std::vector<std::uint16_t> holding(int first, int count)
    {
        std::vector<std::uint16_t> values;
        for (int reg = first; reg < first + count; ++reg)
            values.push_back(slave->holding(reg));
        return values;
    }

    using Message = RecordingMessageBoxes::Message;

    PtyPair pty;
    std::unique_ptr<ModbusSlave> slave;
    RecordingMessageBoxes* messages = nullptr;
    ScriptedParameterDialogs* dialogs = nullptr;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(ConfigEndToEnd, InternalFansLandInRegisters0To10)
{
    type("Edit12", "$1F");
    type("Edit5", "65535");
    type("Edit13", "0x1F");
    type("Edit14", "2.3");
    type("Edit27", "0.3");
    type("Edit9", "-0.05");
    type("Edit6", "15");
    type("Edit7", "-2.5");
    type("Edit41", "255");
    select("ComboBox1", 1);
    select("ComboBox2", -1);
    EXPECT_EQ(clickAndWaitForMessage("Set"), (Message { "Set Successfully!", "Set Intfan1" }));
    EXPECT_EQ(holding(0, 11), (std::vector<std::uint16_t> { 31, 65535, 31, 23, 3, 0, 150, 0xFFE7, 255, 1, 0x00FF }));
    EXPECT_EQ(form->linkState().LinkBusy, 0);
}

TEST_F(ConfigEndToEnd, ExternalFansLandInRegisters11To21)
{
    type("Edit34", "1300");
    type("Edit8", "65535");
    type("Edit35", "900");
    type("Edit36", "26");
    type("Edit37", "46.5");
    type("Edit15", "-3276.8");
    type("Edit38", "16");
    type("Edit39", "3");
    type("Edit40", "4");
    select("ComboBox3", 0);
    select("ComboBox4", 1);
    EXPECT_EQ(clickAndWaitForMessage("Button10"), (Message { "Set Successfully", "Set Extfan1!" }));
    EXPECT_EQ(holding(11, 11), (std::vector<std::uint16_t> { 1300, 65535, 900, 260, 465, 0x8000, 160, 30, 4, 0, 1 }));
}

TEST_F(ConfigEndToEnd, HeaterLandsInRegisters22To26)
{
    type("Edit50", "12.3");
    type("Edit51", "0.3");
    type("Edit52", "-2.5");
    type("Edit53", "25");
    select("ComboBox5", 1);
    EXPECT_EQ(clickAndWaitForMessage("Button15"), (Message { "Set Successfully", "Set Heater!" }));
    EXPECT_EQ(holding(22, 5), (std::vector<std::uint16_t> { 0xFFE7, 250, 123, 3, 1 }));
}

// What the technician types is what Read All shows afterwards.
TEST_F(ConfigEndToEnd, TypedDecimalsComeBackAsTyped)
{
    type("Edit12", "1200");
    type("Edit5", "3000");
    type("Edit13", "800");
    type("Edit14", "2.3");
    type("Edit27", "-33.3");
    type("Edit9", "2.35");
    type("Edit6", "1e1");
    type("Edit7", "0.3");
    type("Edit41", "2");
    select("ComboBox1", 1);
    select("ComboBox2", 1);
    EXPECT_EQ(clickAndWaitForMessage("Set"), (Message { "Set Successfully!", "Set Intfan1" }));
    EXPECT_EQ(holding(3, 5), (std::vector<std::uint16_t> { 23, static_cast<std::uint16_t>(-333), 23, 100, 3 }));

    clickAndWaitForIdle("BitBtn1");
    EXPECT_EQ(form->text("Edit14"), "2.3");
    EXPECT_EQ(form->text("Edit27"), "-33.3");
    EXPECT_EQ(form->text("Edit9"), "2.3");
    EXPECT_EQ(form->text("Edit6"), "10");
    EXPECT_EQ(form->text("Edit7"), "0.3");
}

// Values their register cannot hold are refused before anything is sent.
TEST_F(ConfigEndToEnd, OversizedValuesAreRefusedAndNotSent)
{
    struct Case {
        const char* button;
        const char* edit;
        const char* text;
    };
    const Case cases[] = {
        { "Set", "Edit14", "5000" },
        { "Set", "Edit5", "70000" },
        { "Button10", "Edit40", "300" },
        { "Button15", "Edit53", "26" },
        { "Button9", "Edit18", "70.1" },
    };
    for (const char* edit : { "Edit12", "Edit5", "Edit13", "Edit41", "Edit34", "Edit8", "Edit35", "Edit40" })
        type(edit, "1");
    for (const char* edit : { "Edit14", "Edit27", "Edit9", "Edit6", "Edit7", "Edit36", "Edit37", "Edit15",
             "Edit38", "Edit39", "Edit50", "Edit51", "Edit52", "Edit53", "Edit28" })
        type(edit, "24");
    type("Edit18", "60");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string before = form->text(c.edit);
        type(c.edit, c.text);
        click(c.button);
        EXPECT_EQ(messages->last(), (Message { "Data out of range!!", "Set Unsuccessfully" }));
        EXPECT_EQ(form->linkState().LinkBusy, 0);
        type(c.edit, before);
    }
    EXPECT_EQ(holding(0, 44), std::vector<std::uint16_t>(44, 0));
    // The link is free: the next good value goes out.
    type("Edit18", "70");
    EXPECT_EQ(clickAndWaitForMessage("Button9"), (Message { "Set Successfully", "Set Alarm Voltage" }));
    EXPECT_EQ(holding(39, 2), (std::vector<std::uint16_t> { 700, 240 }));
}

TEST_F(ConfigEndToEnd, TemperatureAlarmAndCalibration)
{
    type("Edit24", "45");
    type("Edit25", "-5");
    EXPECT_EQ(clickAndWaitForMessage("Button11"), (Message { "Set Successfully", "Set Alarm TEMP" }));
    EXPECT_EQ(holding(28, 2), (std::vector<std::uint16_t> { 450, 0xFFCE }));

    type("Edit1", "0.3");
    type("Edit2", "-1");
    type("Edit10", "1.5");
    type("Edit16", "2");
    EXPECT_EQ(clickAndWaitForMessage("Button3"), (Message { "Set Successfully", "Calibrate Temp" }));
    EXPECT_EQ(holding(33, 4), (std::vector<std::uint16_t> { 3, 0xFFF6, 15, 20 }));
}

TEST_F(ConfigEndToEnd, ExternalInputVoltageAlarmAndCompressor)
{
    select("ComboBox6", -1);
    select("ComboBox7", 1);
    EXPECT_EQ(clickAndWaitForMessage("Button4"), (Message { "Set Successfully", "Extinput Option" }));
    EXPECT_EQ(holding(37, 2), (std::vector<std::uint16_t> { 0xFFFF, 1 }));

    type("Edit18", "70.09");
    type("Edit28", "24");
    EXPECT_EQ(clickAndWaitForMessage("Button9"), (Message { "Set Successfully", "Set Alarm Voltage" }));
    EXPECT_EQ(holding(39, 2), (std::vector<std::uint16_t> { 700, 240 }));

    type("Edit30", "18");
    type("Edit29", "0");
    type("Edit31", "-5");
    EXPECT_EQ(clickAndWaitForMessage("Button14"), (Message { "Set Successfully", "Set Compressor" }));
    EXPECT_EQ(holding(41, 3), (std::vector<std::uint16_t> { 180, 0, 0xFFFB }));
}

TEST_F(ConfigEndToEnd, RefusedValuesAreNeitherQueuedNorSent)
{
    type("Edit18", "49.99");
    type("Edit28", "24");
    click("Button9");
    EXPECT_EQ(messages->last(), (Message { "Data out of range!!", "Set Unsuccessfully" }));
    EXPECT_EQ(form->linkState().LinkBusy, 0);

    type("Edit12", "12a");
    click("Set");
    EXPECT_EQ(messages->last().text, "'12a' is not a valid integer value.");
    EXPECT_EQ(form->linkState().LinkBusy, 0);

    // Nothing went out: the next command is answered normally.
    type("Edit24", "45");
    type("Edit25", "-5");
    EXPECT_EQ(clickAndWaitForMessage("Button11"), (Message { "Set Successfully", "Set Alarm TEMP" }));
    EXPECT_EQ(holding(39, 2), (std::vector<std::uint16_t> { 0, 0 }));
}

TEST_F(ConfigEndToEnd, DeviceAddressMovesTheConsoleToTheNewAddress)
{
    type("Edit4", "7");
    const Message shown = clickAndWaitForMessage("Button7");
    EXPECT_EQ(shown.text, "Set Successfully");
    EXPECT_EQ(slave->holding(27), 7);
    EXPECT_EQ(form->linkState().SlaveAddress, 7u);
    EXPECT_EQ(form->text("Edit17"), "1");
}

TEST_F(ConfigEndToEnd, ReadAllFillsEveryControlFromTheRegisters)
{
    struct Expected {
        int reg;
        std::uint16_t value;
        const char* control;
        const char* text;
    };
    const std::vector<Expected> expected = {
        { 0, 65535, "Edit12", "65535" }, { 1, 3000, "Edit5", "3000" }, { 2, 800, "Edit13", "800" },
        { 3, 255, "Edit14", "25.5" }, { 4, 200, "Edit27", "20" }, { 5, 0xFFE0, "Edit9", "-3.2" },
        { 6, 150, "Edit6", "15" }, { 7, 1, "Edit7", "0.1" }, { 8, 2, "Edit41", "2" },
        { 9, 1, "ComboBox1", "Enable" }, { 10, 0, "ComboBox2", "Disable" },
        { 11, 1300, "Edit34", "1300" }, { 12, 3100, "Edit8", "3100" }, { 13, 900, "Edit35", "900" },
        { 14, 0x8000, "Edit36", "-3276.8" }, { 15, 460, "Edit37", "46" }, { 16, 210, "Edit15", "21" },
        { 17, 165, "Edit38", "16.5" }, { 18, 30, "Edit39", "3" }, { 19, 4, "Edit40", "4" },
        { 20, 5, "ComboBox3", "" }, { 21, 1, "ComboBox4", "Enable" },
        { 22, 50, "Edit52", "5" }, { 23, 20, "Edit53", "2" }, { 24, 123, "Edit50", "12.3" },
        { 25, 7, "Edit51", "0.7" }, { 26, 0, "ComboBox5", "Disable" }, { 27, 0xFFFF, "Edit4", "-1" },
        { 28, 550, "Edit24", "55" }, { 29, 0xFFCE, "Edit25", "-5" },
        { 33, 3, "Edit1", "0.3" }, { 34, 0xFFF6, "Edit2", "-1" }, { 35, 15, "Edit10", "1.5" },
        { 36, 20, "Edit16", "2" }, { 37, 1, "ComboBox6", "Enable" }, { 38, 1, "ComboBox7", "NC" },
        { 39, 570, "Edit18", "57" }, { 40, 420, "Edit28", "42" }, { 41, 250, "Edit30", "25" },
        { 42, 30, "Edit29", "3" }, { 43, 0xFFFB, "Edit31", "-5" },
    };
    ASSERT_EQ(expected.size(), 41u);
    for (const Expected& e : expected)
        slave->setHolding(e.reg, e.value);
    select("ComboBox3", 1);
    type("Edit17", "1");

    clickAndWaitForIdle("BitBtn1");
    EXPECT_TRUE(messages->empty());
    for (const Expected& e : expected)
        EXPECT_EQ(form->text(e.control), e.text) << e.control;
    EXPECT_EQ(form->itemIndex("ComboBox3"), -1);
    EXPECT_EQ(form->itemIndex("ComboBox7"), 1);
    EXPECT_EQ(form->text("Edit17"), "1");
    EXPECT_EQ(form->text("SWV"), "");
}

TEST_F(ConfigEndToEnd, FirmwareVersionFillsSwv)
{
    const std::string version = "HX-DC V1.02 170605";
    for (int i = 0; i < 9; ++i)
        slave->setInput(15 + i, static_cast<std::uint16_t>((static_cast<unsigned char>(version[2 * i]) << 8)
            | static_cast<unsigned char>(version[2 * i + 1])));
    clickAndWaitForIdle("Button5");
    EXPECT_TRUE(messages->empty());
    EXPECT_EQ(form->text("SWV"), version);
}

TEST_F(ConfigEndToEnd, DefaultSetsCoil20)
{
    EXPECT_EQ(clickAndWaitForMessage("BitBtn2"), (Message { "Parameter Reset Successfully", "Parameter" }));
    EXPECT_EQ(slave->coil(20), 1);
}

TEST_F(ConfigEndToEnd, WithTheSlaveStoppedEveryCommandEndsSilently)
{
    slave->stop();
    const std::vector<std::pair<const char*, const char*>> fills = {
        { "Edit4", "2" }, { "Edit18", "57" }, { "Edit28", "42" }, { "Edit30", "25" }, { "Edit29", "3" },
    };
    for (const auto& [edit, text] : fills)
        type(edit, text);
    for (const char* button : { "Set", "Button10", "Button15", "Button11", "Button3", "Button4", "Button7",
             "Button9", "Button14", "Button5", "BitBtn2", "BitBtn1" }) {
        SCOPED_TRACE(button);
        clickAndWaitForIdle(button);
        EXPECT_EQ(form->linkState().CommandCode, 20);
    }
    EXPECT_TRUE(messages->empty()) << messages->last().text;
    EXPECT_EQ(form->linkState().SlaveAddress, 1u);
}
