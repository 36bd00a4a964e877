#include "console/ConfigCommands.h"
#include "console/ConversionError.h"
#include "console/TextConversions.h"
#include "link/LinkState.h"
#include "support/FakeFormControls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Message = std::pair<std::string, std::string>;

bool sameBytes(const LinkState& a, const LinkState& b)
{
    return std::memcmp(&a, &b, sizeof(LinkState)) == 0;
}

class ConfigCommandsTest : public ::testing::Test {
protected:
    ConfigCommandsTest()
    {
        // A zero-filled image so that a byte comparison sees only real changes.
        std::memset(static_cast<void*>(&state), 0, sizeof state);
        state.CommandCode = Command::None;
        state.CommandArmed = 0;
        state.SlaveAddress = 1;
    }

    void fill(const std::vector<std::pair<std::string, std::string>>& values)
    {
        for (const auto& [name, text] : values)
            controls.texts[name] = text;
    }

    void expectQueued(std::uint8_t code)
    {
        EXPECT_EQ(state.CommandCode, code);
        EXPECT_EQ(state.CommandArmed, 1);
        EXPECT_EQ(state.LinkBusy, 1);
    }

    void expectNotQueued()
    {
        EXPECT_EQ(state.CommandCode, Command::None);
        EXPECT_EQ(state.CommandArmed, 0);
        EXPECT_EQ(state.LinkBusy, 0);
    }

    std::string conversionError(const std::function<void()>& handler)
    {
        try {
            handler();
        } catch (const ConversionError& e) {
            return e.what();
        }
        return "no error";
    }

    LinkState state;
    FakeFormControls controls;
    bool portOpen = true;
    ConfigCommands commands { state, controls, [this] { return portOpen; } };
};

struct Handler {
    const char* name;
    void (ConfigCommands::*click)();
    std::uint8_t code;
    Message busyBox;
};

const std::vector<Handler>& queueingHandlers()
{
    static const std::vector<Handler> handlers = {
        { "SetClick", &ConfigCommands::SetClick, 0, { "Systerm Busy,Please Wait", "Set Intfan1!" } },
        { "Button10Click", &ConfigCommands::Button10Click, 1, { "Systerm Busy,Please Wait", "Set Extfan1!" } },
        { "Button15Click", &ConfigCommands::Button15Click, 2, { "Set Heater!", "Systerm Busy,Please Wait" } },
        { "Button11Click", &ConfigCommands::Button11Click, 3, { "Systerm Busy,Please Wait", "Set Alarm TEMP!" } },
        { "Button3Click", &ConfigCommands::Button3Click, 4, { "Systerm Busy,Please Wait", "Calibrate Temp!" } },
        { "Button4Click", &ConfigCommands::Button4Click, 5, { "Systerm Busy,Please Wait", "Set Intfan1!" } },
        { "Button7Click", &ConfigCommands::Button7Click, 6, { "Systerm Busy,Please Wait", "Set Intfan1!" } },
        { "Button9Click", &ConfigCommands::Button9Click, 7, { "Systerm Busy,Please Wait", "Set Alarm TEMP!" } },
        { "Button14Click", &ConfigCommands::Button14Click, 8, { "Systerm Busy,Please Wait", "Set Alarm TEMP!" } },
        { "BitBtn1Click", &ConfigCommands::BitBtn1Click, 9, { "Systerm Busy,Please Wait", "Set Intfan1!" } },
        { "Button5Click", &ConfigCommands::Button5Click, 10, { "Systerm Busy,Please Wait", "Set Intfan1!" } },
        { "BitBtn2Click", &ConfigCommands::BitBtn2Click, 11, { "Systerm Busy,Please Wait", "Set Intfan1!" } },
    };
    return handlers;
}

// Values every group accepts.
const std::vector<std::pair<std::string, std::string>> kAcceptedValues = {
    { "Edit12", "1200" }, { "Edit5", "3000" }, { "Edit13", "800" }, { "Edit14", "25" },
    { "Edit27", "45" }, { "Edit9", "20" }, { "Edit7", "2" }, { "Edit6", "15" }, { "Edit41", "2" },
    { "Edit34", "1300" }, { "Edit8", "3100" }, { "Edit35", "900" }, { "Edit36", "26" },
    { "Edit37", "46" }, { "Edit15", "21" }, { "Edit39", "3" }, { "Edit38", "16" }, { "Edit40", "4" },
    { "Edit50", "5" }, { "Edit51", "1" }, { "Edit52", "5" }, { "Edit53", "2" },
    { "Edit24", "55" }, { "Edit25", "-5" }, { "Edit1", "0.5" }, { "Edit2", "-0.5" },
    { "Edit10", "0" }, { "Edit16", "0" }, { "Edit4", "2" }, { "Edit18", "57" }, { "Edit28", "42" },
    { "Edit30", "25" }, { "Edit29", "3" }, { "Edit31", "4000" }, { "Edit17", "1" }, { "Edit11", "30" },
};

}

TEST_F(ConfigCommandsTest, EveryHandlerQueuesItsCommand)
{
    for (const Handler& h : queueingHandlers()) {
        SCOPED_TRACE(h.name);
        state.LinkBusy = 0;
        state.CommandArmed = 0;
        state.CommandCode = Command::None;
        fill(kAcceptedValues);
        controls.messages.clear();
        (commands.*h.click)();
        expectQueued(h.code);
        EXPECT_TRUE(controls.messages.empty());
    }
}

TEST_F(ConfigCommandsTest, ClosedPortRefusesEveryHandlerButCommAddress)
{
    portOpen = false;
    fill(kAcceptedValues);
    const LinkState before = state;
    for (const Handler& h : queueingHandlers()) {
        SCOPED_TRACE(h.name);
        controls.messages.clear();
        (commands.*h.click)();
        EXPECT_EQ(controls.messages, (std::vector<Message> { { "ComPort Not Open!!", "Comm Error" } }));
        EXPECT_TRUE(sameBytes(state, before));
    }
    controls.messages.clear();
    commands.Button6Click();
    EXPECT_EQ(controls.messages, (std::vector<Message> { { "ComPort Not Open!!", "Comm Error" } }));
    EXPECT_TRUE(sameBytes(state, before));
    // Read All cleared nothing while refused.
    EXPECT_TRUE(controls.setTextOrder.empty());

    controls.texts["Edit17"] = "0";
    controls.messages.clear();
    commands.Button8Click();
    EXPECT_EQ(state.SlaveAddress, 0u);
    EXPECT_TRUE(controls.messages.empty());
}

TEST_F(ConfigCommandsTest, BusyLinkShowsTheHandlersBoxAndChangesNoField)
{
    fill(kAcceptedValues);
    state.LinkBusy = 1;
    state.CommandCode = Command::ReadAll;
    const LinkState before = state;
    for (const Handler& h : queueingHandlers()) {
        SCOPED_TRACE(h.name);
        controls.messages.clear();
        (commands.*h.click)();
        EXPECT_EQ(controls.messages, (std::vector<Message> { h.busyBox }));
        EXPECT_TRUE(sameBytes(state, before));
    }
    EXPECT_TRUE(controls.setTextOrder.empty());
}

TEST_F(ConfigCommandsTest, PortTestComesBeforeBusyTest)
{
    portOpen = false;
    state.LinkBusy = 1;
    commands.SetClick();
    EXPECT_EQ(controls.messages, (std::vector<Message> { { "ComPort Not Open!!", "Comm Error" } }));
}

TEST_F(ConfigCommandsTest, InternalFansStoreEveryFieldAsTyped)
{
    fill({ { "Edit12", "$1F" }, { "Edit5", "65535" }, { "Edit13", "0x1F" }, { "Edit14", "2.3" },
        { "Edit27", "0.3" }, { "Edit9", "-0.05" }, { "Edit7", "-2.5" }, { "Edit6", "-3276.8" },
        { "Edit41", "255" } });
    controls.setItemIndex("ComboBox1", 1);
    commands.SetClick();

    const FanRecord& f = state.Intfan1;
    EXPECT_EQ(f.StepRev, 31);
    EXPECT_EQ(f.MaxRev, 65535);
    EXPECT_EQ(f.MinRev, 31);
    EXPECT_EQ(f.StepTemp, 23);
    EXPECT_EQ(f.MaxTemp, 3);
    EXPECT_EQ(f.MinTemp, 0);
    EXPECT_EQ(f.DeltTemp, -25);
    EXPECT_EQ(f.StopTemp, -32768);
    EXPECT_EQ(f.PulseNo, 255);
    EXPECT_EQ(f.Enable, 1);
    EXPECT_EQ(state.Intfan2.Enable, 255); // no selection
    EXPECT_EQ(state.Intfan2.StepRev, 0);
    EXPECT_EQ(state.Intfan2.PulseNo, 0);
    EXPECT_TRUE(controls.messages.empty());
    expectQueued(Command::SetIntfan);
}

// A value its register cannot hold (Read All would show another number) is
// refused where it would be stored: the fields before it keep their new
// values, it and the rest keep their old ones, and nothing is queued.
TEST_F(ConfigCommandsTest, ValuesTheirRegisterCannotHoldAreRefused)
{
    struct Case {
        const char* control;
        const char* text;
        void (ConfigCommands::*click)();
        std::function<std::int64_t(const LinkState&)> refusedField;
        std::function<std::int64_t(const LinkState&)> earlierField;
        std::int64_t earlierValue;
    };
    const auto stepTemp = [](const LinkState& s) -> std::int64_t { return s.Intfan1.StepTemp; };
    const auto maxRev = [](const LinkState& s) -> std::int64_t { return s.Intfan1.MaxRev; };
    const Case cases[] = {
        { "Edit14", "5000", &ConfigCommands::SetClick, stepTemp, maxRev, 3000 },
        { "Edit5", "70000", &ConfigCommands::SetClick, maxRev,
            [](const LinkState& s) -> std::int64_t { return s.Intfan1.StepRev; }, 1200 },
        { "Edit12", "-1", &ConfigCommands::SetClick,
            [](const LinkState& s) -> std::int64_t { return s.Intfan1.StepRev; }, stepTemp, 0 },
        { "Edit40", "300", &ConfigCommands::Button10Click,
            [](const LinkState& s) -> std::int64_t { return s.Extfan1.PulseNo; },
            [](const LinkState& s) -> std::int64_t { return s.Extfan1.DeltTemp; }, 30 },
        { "Edit53", "26", &ConfigCommands::Button15Click,
            [](const LinkState& s) -> std::int64_t { return s.Settings.HeaterDeltTemp; },
            [](const LinkState& s) -> std::int64_t { return s.Settings.HeaterStartTemp; }, 50 },
        { "Edit25", "-3276.9", &ConfigCommands::Button11Click,
            [](const LinkState& s) -> std::int64_t { return s.Settings.TempAlarmLow; },
            [](const LinkState& s) -> std::int64_t { return s.Settings.TempAlarmHigh; }, 0 },
        { "Edit31", "70000", &ConfigCommands::Button14Click,
            [](const LinkState& s) -> std::int64_t { return s.Settings.CompMaxRPM; },
            [](const LinkState& s) -> std::int64_t { return s.Settings.CompDeltTemp; }, 30 },
        { "Edit18", "5000", &ConfigCommands::Button9Click,
            [](const LinkState& s) -> std::int64_t { return s.Settings.VoltAlarmHigh; },
            [](const LinkState& s) -> std::int64_t { return s.Settings.VoltAlarmLow; }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " = " + c.text);
        std::memset(static_cast<void*>(&state), 0, sizeof state);
        state.CommandCode = Command::None;
        controls.messages.clear();
        fill(kAcceptedValues);
        controls.texts[c.control] = c.text;
        (commands.*c.click)();
        EXPECT_EQ(controls.messages, (std::vector<Message> { { "Data out of range!!", "Set Unsuccessfully" } }));
        EXPECT_EQ(c.refusedField(state), 0);
        EXPECT_EQ(c.earlierField(state), c.earlierValue);
        expectNotQueued();
    }
}

TEST_F(ConfigCommandsTest, ExternalFansReadTheirOwnControls)
{
    fill(kAcceptedValues);
    controls.setItemIndex("ComboBox3", 0);
    controls.setItemIndex("ComboBox4", 1);
    commands.Button10Click();
    const FanRecord& f = state.Extfan1;
    EXPECT_EQ(f.StepRev, 1300);
    EXPECT_EQ(f.MaxRev, 3100);
    EXPECT_EQ(f.MinRev, 900);
    EXPECT_EQ(f.StepTemp, 260);
    EXPECT_EQ(f.MaxTemp, 460);
    EXPECT_EQ(f.MinTemp, 210);
    EXPECT_EQ(f.DeltTemp, 30);
    EXPECT_EQ(f.StopTemp, 160);
    EXPECT_EQ(f.PulseNo, 4);
    EXPECT_EQ(f.Enable, 0);
    EXPECT_EQ(state.Extfan2.Enable, 1);
    EXPECT_EQ(state.Intfan1.StepRev, 0);
}

TEST_F(ConfigCommandsTest, ConversionErrorKeepsEarlierFieldsAndQueuesNothing)
{
    fill(kAcceptedValues);
    controls.texts["Edit27"] = " 4,5 ";
    EXPECT_EQ(conversionError([&] { commands.SetClick(); }), "'4,5' is not a valid floating point value.");
    EXPECT_EQ(state.Intfan1.StepRev, 1200);
    EXPECT_EQ(state.Intfan1.StepTemp, 250);
    EXPECT_EQ(state.Intfan1.MaxTemp, 0);
    EXPECT_EQ(state.Intfan1.PulseNo, 0);
    expectNotQueued();

    controls.texts["Edit12"] = "";
    EXPECT_EQ(conversionError([&] { commands.SetClick(); }), "'' is not a valid integer value.");
    expectNotQueued();
}

TEST_F(ConfigCommandsTest, HeaterTenthsAndWholeTenths)
{
    fill({ { "Edit50", "12.3" }, { "Edit51", "0.3" }, { "Edit52", "-2.5" }, { "Edit53", "25" } });
    controls.setItemIndex("ComboBox5", 1);
    commands.Button15Click();
    EXPECT_EQ(state.Settings.HeaterMaxCurrent, 123);
    EXPECT_EQ(state.Settings.HeaterMinCurrent, 3);
    EXPECT_EQ(state.Settings.HeaterStartTemp, -25);
    EXPECT_EQ(state.Settings.HeaterDeltTemp, 250);
    EXPECT_EQ(state.Settings.HeaterEnable, 1);
    expectQueued(Command::SetHeater);
}

TEST_F(ConfigCommandsTest, HeaterDeltTempIsAnIntegerField)
{
    fill({ { "Edit50", "5" }, { "Edit51", "1" }, { "Edit52", "5" }, { "Edit53", "2.5" } });
    EXPECT_EQ(conversionError([&] { commands.Button15Click(); }), "'2.5' is not a valid integer value.");
    EXPECT_EQ(state.Settings.HeaterStartTemp, 50);
    EXPECT_EQ(state.Settings.HeaterDeltTemp, 0);
    expectNotQueued();
}

TEST_F(ConfigCommandsTest, TemperatureAlarmConvertsBothBeforeStoring)
{
    fill({ { "Edit24", "45" }, { "Edit25", "-5" } });
    commands.Button11Click();
    EXPECT_EQ(state.Settings.TempAlarmHigh, 450);
    EXPECT_EQ(state.Settings.TempAlarmLow, -50);
    expectQueued(Command::SetTempAlarm);

    state.LinkBusy = 0;
    state.CommandCode = Command::None;
    state.CommandArmed = 0;
    fill({ { "Edit24", "0.3" }, { "Edit25", "x" } });
    EXPECT_THROW(commands.Button11Click(), ConversionError);
    EXPECT_EQ(state.Settings.TempAlarmHigh, 450);
    expectNotQueued();

    fill({ { "Edit24", "0.3" }, { "Edit25", "0" } });
    commands.Button11Click();
    EXPECT_EQ(state.Settings.TempAlarmHigh, 3); // the decimal as typed
}

TEST_F(ConfigCommandsTest, CalibrationAndExternalInput)
{
    fill({ { "Edit1", "0.3" }, { "Edit2", "-0.05" }, { "Edit10", "1.5" }, { "Edit16", "-3" } });
    commands.Button3Click();
    EXPECT_EQ(state.Settings.CalTemp1, 3);
    EXPECT_EQ(state.Settings.CalTemp2, 0);
    EXPECT_EQ(state.Settings.CalCurrent, 15);
    EXPECT_EQ(state.Settings.CalVoltage, -30);
    expectQueued(Command::SetCalibration);

    state.LinkBusy = 0;
    controls.setItemIndex("ComboBox7", 1);
    commands.Button4Click();
    EXPECT_EQ(state.Settings.ExtInputEnable, -1);
    EXPECT_EQ(state.Settings.ExtInputType, 1);
    expectQueued(Command::SetExtInput);
}

TEST_F(ConfigCommandsTest, DeviceAddressRange)
{
    for (const char* refused : { "0", "256", "-1" }) {
        SCOPED_TRACE(refused);
        controls.texts["Edit4"] = refused;
        controls.messages.clear();
        commands.Button7Click();
        EXPECT_EQ(controls.messages, (std::vector<Message> { { "Data out of range!!", "Set Unsuccessfully" } }));
        EXPECT_EQ(state.Settings.NewDeviceAddress, TextConversions::toInteger(refused));
        expectNotQueued();
    }
    controls.texts["Edit4"] = "255";
    controls.messages.clear();
    commands.Button7Click();
    EXPECT_TRUE(controls.messages.empty());
    EXPECT_EQ(state.Settings.NewDeviceAddress, 255);
    expectQueued(Command::SetAddress);
}

TEST_F(ConfigCommandsTest, VoltageAlarmLimits)
{
    fill({ { "Edit18", "70.09" }, { "Edit28", "24" } });
    commands.Button9Click();
    EXPECT_EQ(state.Settings.VoltAlarmHigh, 700);
    EXPECT_EQ(state.Settings.VoltAlarmLow, 240);
    expectQueued(Command::SetVoltAlarm);

    state.LinkBusy = 0;
    state.CommandCode = Command::None;
    state.CommandArmed = 0;
    for (const auto& [high, low] : std::vector<std::pair<const char*, const char*>> {
             { "49.99", "24" }, { "70.2", "24" }, { "50", "23.99" }, { "50", "47.1" } }) {
        SCOPED_TRACE(std::string(high) + " " + low);
        fill({ { "Edit18", high }, { "Edit28", low } });
        controls.messages.clear();
        commands.Button9Click();
        EXPECT_EQ(controls.messages, (std::vector<Message> { { "Data out of range!!", "Set Unsuccessfully" } }));
        // Refused values stay stored.
        EXPECT_EQ(state.Settings.VoltAlarmHigh, TextConversions::doubleTenths(high));
        EXPECT_EQ(state.Settings.VoltAlarmLow, TextConversions::doubleTenths(low));
        expectNotQueued();
    }
}

TEST_F(ConfigCommandsTest, CompressorLimitsAndUncheckedSpeed)
{
    fill({ { "Edit30", "18" }, { "Edit29", "0" }, { "Edit31", "-5" } });
    commands.Button14Click();
    EXPECT_EQ(state.Settings.CompStartTemp, 180);
    EXPECT_EQ(state.Settings.CompDeltTemp, 0);
    EXPECT_EQ(state.Settings.CompMaxRPM, -5);
    expectQueued(Command::SetCompressor);

    state.LinkBusy = 0;
    state.CommandCode = Command::None;
    state.CommandArmed = 0;
    fill({ { "Edit30", "17.99" }, { "Edit29", "5" }, { "Edit31", "3000" } });
    commands.Button14Click();
    EXPECT_EQ(controls.messages, (std::vector<Message> { { "Data out of range!!", "Set Unsuccessfully" } }));
    EXPECT_EQ(state.Settings.CompStartTemp, 179);
    EXPECT_EQ(state.Settings.CompMaxRPM, 3000); // stored before the check
    expectNotQueued();
}

TEST_F(ConfigCommandsTest, CompressorSpeedErrorKeepsTheTemperatures)
{
    fill({ { "Edit30", "25" }, { "Edit29", "3" }, { "Edit31", "fast" } });
    EXPECT_EQ(conversionError([&] { commands.Button14Click(); }), "'fast' is not a valid integer value.");
    EXPECT_EQ(state.Settings.CompStartTemp, 250);
    EXPECT_EQ(state.Settings.CompDeltTemp, 30);

    fill({ { "Edit30", "30" }, { "Edit29", "?" }, { "Edit31", "1" } });
    EXPECT_THROW(commands.Button14Click(), ConversionError);
    EXPECT_EQ(state.Settings.CompStartTemp, 250);
    expectNotQueued();
}

TEST_F(ConfigCommandsTest, CommAddress)
{
    state.LinkBusy = 1;
    for (const auto& [typed, address] : std::vector<std::pair<const char*, std::uint32_t>> {
             { "256", 1 }, { "-1", 1 }, { "0", 0 }, { "255", 255 }, { "$10", 16 } }) {
        SCOPED_TRACE(typed);
        controls.texts["Edit17"] = typed;
        commands.Button8Click();
        EXPECT_EQ(state.SlaveAddress, address);
    }
    EXPECT_TRUE(controls.messages.empty());
    EXPECT_EQ(state.CommandArmed, 0);

    controls.texts["Edit17"] = "one";
    EXPECT_THROW(commands.Button8Click(), ConversionError);
    EXPECT_EQ(state.SlaveAddress, 16u);
}

TEST_F(ConfigCommandsTest, DebugTemperatureQueuesLiveActionWithoutBusyTest)
{
    state.LinkBusy = 1;
    state.CommandCode = Command::SetHeater;
    state.PollStep = 3;
    for (const auto& [typed, sent] : std::vector<std::pair<const char*, std::int16_t>> {
             { "-40", -400 }, { "-40.0", -400 }, { "-40.05", 1100 }, { "99.9", 999 }, { "99.99", 999 },
             { "100", 1100 }, { "-40.1", 1100 }, { "2.3", 23 }, { "1e9", 1100 }, { "-1e30", 1100 },
             { "-0.05", 0 } }) {
        SCOPED_TRACE(typed);
        controls.texts["Edit11"] = typed;
        state.LiveAction = 0;
        state.CommandArmed = 0;
        state.PollStep = 3;
        commands.Button6Click();
        EXPECT_EQ(state.Settings.DebugTemperature, sent);
        EXPECT_EQ(state.LiveAction, LiveActionCode::DebugTemperature);
        EXPECT_EQ(state.CommandArmed, 1);
        EXPECT_EQ(state.PollStep, 0);
    }
    EXPECT_EQ(state.LinkBusy, 1);
    EXPECT_EQ(state.CommandCode, Command::SetHeater);
    EXPECT_TRUE(controls.messages.empty());

    state.LiveAction = 0;
    controls.texts["Edit11"] = "";
    EXPECT_EQ(conversionError([&] { commands.Button6Click(); }), "'' is not a valid floating point value.");
    EXPECT_EQ(state.LiveAction, 0);
}

TEST_F(ConfigCommandsTest, ReadAllEmptiesItsControlsInOrder)
{
    fill(kAcceptedValues);
    controls.texts["SWV"] = "V1.0";
    controls.texts["rdCOM"] = "/dev/pts/3";
    const LinkState before = state;
    commands.BitBtn1Click();
    // In register order; the debug temperature's Edit11 is not among them.
    const std::vector<std::string> expected = { "Edit12", "Edit5", "Edit13", "Edit14", "Edit27", "Edit9",
        "Edit6", "Edit7", "Edit41", "ComboBox1", "ComboBox2", "Edit34", "Edit8", "Edit35", "Edit36", "Edit37",
        "Edit15", "Edit38", "Edit39", "Edit40", "ComboBox3", "ComboBox4", "Edit52", "Edit53", "Edit50",
        "Edit51", "ComboBox5", "Edit4", "Edit24", "Edit25", "Edit1", "Edit2", "Edit10", "Edit16", "ComboBox6",
        "ComboBox7", "Edit18", "Edit28", "Edit30", "Edit29", "Edit31" };
    EXPECT_EQ(controls.setTextOrder, expected);
    for (const std::string& name : expected)
        EXPECT_EQ(controls.text(name), "") << name;
    EXPECT_EQ(controls.text("Edit17"), "1");
    EXPECT_EQ(controls.text("SWV"), "V1.0");
    EXPECT_EQ(controls.text("rdCOM"), "/dev/pts/3");
    expectQueued(Command::ReadAll);
    // Only the command variables moved: no settings field was touched.
    LinkState after = state;
    after.CommandCode = before.CommandCode;
    after.CommandArmed = before.CommandArmed;
    after.LinkBusy = before.LinkBusy;
    EXPECT_TRUE(sameBytes(after, before));
}

TEST_F(ConfigCommandsTest, SetAfterFailedReadAllIsAConversionError)
{
    commands.BitBtn1Click();
    state.LinkBusy = 0;
    state.CommandCode = Command::None;
    state.CommandArmed = 0;
    EXPECT_EQ(conversionError([&] { commands.Button10Click(); }), "'' is not a valid integer value.");
    expectNotQueued();
}
