// Configuration commands 0 to 11 as the controller sees them (request bytes)
// and as the operator sees them (messages, controls, address change).
#include "EngineHarness.h"
#include "link/FirmwareReadCommand.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Bytes = FakeSerialPort::Bytes;

struct WriteCase {
    std::uint8_t code;
    std::function<void(LinkState&)> fill;
    Bytes body;   // expected request without CRC
    std::string text;
    std::string caption;
    int countdown;
};

std::vector<WriteCase> writeCases()
{
    return {
        {Command::SetIntfan,
         [](LinkState& s) {
             s.Intfan1 = {};
             s.Intfan1.StepRev = 1500;
             s.Intfan1.MaxRev = 70000;   // only the low 16 bits travel
             s.Intfan1.MinRev = 300;
             s.Intfan1.StepTemp = -55;
             s.Intfan1.MaxTemp = 450;
             s.Intfan1.MinTemp = 200;
             s.Intfan1.StopTemp = 100;
             s.Intfan1.DeltTemp = 30;
             s.Intfan1.PulseNo = 2;
             s.Intfan1.Enable = 1;
             s.Intfan2.Enable = 255;      // no selection
         },
         {1, 0x10, 0x00, 0x00, 0x00, 0x0B, 0x16, 0x05, 0xDC, 0x11, 0x70, 0x01, 0x2C, 0xFF, 0xC9, 0x01, 0xC2,
          0x00, 0xC8, 0x00, 0x64, 0x00, 0x1E, 0x00, 0x02, 0x00, 0x01, 0x00, 0xFF},
         "Set Successfully!", "Set Intfan1", 10},
        {Command::SetExtfan,
         [](LinkState& s) {
             s.Extfan1.StepRev = 1;
             s.Extfan1.MaxRev = 2;
             s.Extfan1.MinRev = 3;
             s.Extfan1.StepTemp = 4;
             s.Extfan1.MaxTemp = 5;
             s.Extfan1.MinTemp = 6;
             s.Extfan1.StopTemp = 7;
             s.Extfan1.DeltTemp = 8;
             s.Extfan1.PulseNo = 9;
             s.Extfan1.Enable = 0;
             s.Extfan2.Enable = 1;
         },
         {1, 0x10, 0x00, 0x0B, 0x00, 0x0B, 0x16, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 0, 0, 1},
         "Set Successfully", "Set Extfan1!", 10},
        {Command::SetHeater,
         [](LinkState& s) {
             s.Settings.HeaterStartTemp = -100;
             s.Settings.HeaterDeltTemp = 20;
             s.Settings.HeaterMaxCurrent = 150;
             s.Settings.HeaterMinCurrent = 20;
             s.Settings.HeaterEnable = 1;
         },
         {1, 0x10, 0x00, 0x16, 0x00, 0x05, 0x0A, 0xFF, 0x9C, 0x00, 0x14, 0x00, 0x96, 0x00, 0x14, 0x00, 0x01},
         "Set Successfully", "Set Heater!", 10},
        {Command::SetTempAlarm,
         [](LinkState& s) {
             s.Settings.TempAlarmHigh = 450;
             s.Settings.TempAlarmLow = -50;
         },
         {1, 0x10, 0x00, 0x1C, 0x00, 0x02, 0x04, 0x01, 0xC2, 0xFF, 0xCE},
         "Set Successfully", "Set Alarm TEMP", 30},
        {Command::SetCalibration,
         [](LinkState& s) {
             s.Settings.CalTemp1 = 5;
             s.Settings.CalTemp2 = -5;
             s.Settings.CalCurrent = 1;
             s.Settings.CalVoltage = -1;
         },
         {1, 0x10, 0x00, 0x21, 0x00, 0x04, 0x08, 0x00, 0x05, 0xFF, 0xFB, 0x00, 0x01, 0xFF, 0xFF},
         "Set Successfully", "Calibrate Temp", 30},
        {Command::SetExtInput,
         [](LinkState& s) {
             s.Settings.ExtInputEnable = -1;
             s.Settings.ExtInputType = 1;
         },
         {1, 0x10, 0x00, 0x25, 0x00, 0x02, 0x04, 0xFF, 0xFF, 0x00, 0x01},
         "Set Successfully", "Extinput Option", 30},
        {Command::SetAddress, [](LinkState& s) { s.Settings.NewDeviceAddress = 7; },
         {1, 0x10, 0x00, 0x1B, 0x00, 0x01, 0x02, 0x00, 0x07},
         "Set Successfully", "Set Address", 30},
        {Command::SetVoltAlarm,
         [](LinkState& s) {
             s.Settings.VoltAlarmHigh = 580;
             s.Settings.VoltAlarmLow = 420;
         },
         {1, 0x10, 0x00, 0x27, 0x00, 0x02, 0x04, 0x02, 0x44, 0x01, 0xA4},
         "Set Successfully", "Set Alarm Voltage", 30},
        {Command::SetCompressor,
         [](LinkState& s) {
             s.Settings.CompStartTemp = 350;
             s.Settings.CompDeltTemp = 50;
             s.Settings.CompMaxRPM = 4500;
         },
         {1, 0x10, 0x00, 0x29, 0x00, 0x03, 0x06, 0x01, 0x5E, 0x00, 0x32, 0x11, 0x94},
         "Set Successfully", "Set Compressor", 30},
    };
}

TEST(EngineConfigWrite, RequestsWrongAndValidRepliesOfCommands0To8)
{
    for (const WriteCase& c : writeCases()) {
        SCOPED_TRACE("command " + std::to_string(c.code));
        EngineHarness h;
        c.fill(h.state);

        // A wrong reply first: silent, and only fans and heater step the indicator.
        h.request(c.code);
        h.tick();
        Bytes wrong = h.port.lastWritten();
        wrong[1] = 0x06;
        h.port.deliver(withCrc(Bytes(wrong.begin(), wrong.begin() + 6)));
        h.tick();
        EXPECT_TRUE(h.idle());
        EXPECT_TRUE(h.view.messages.empty());
        const int wrongSteps = c.code <= Command::SetHeater ? 1 : 0;
        EXPECT_EQ(h.view.linkSteps, wrongSteps);
        EXPECT_EQ(h.state.SlaveAddress, 1u);

        h.request(c.code);
        h.tick();
        ASSERT_EQ(h.port.written().size(), 2u);
        EXPECT_EQ(h.port.lastWritten(), withCrc(c.body));
        EXPECT_EQ(h.view.lastInterval(), 200);

        h.port.deliver(echoReply(h.port.lastWritten()));
        const int discards = h.port.discardCount();
        h.tick();
        ASSERT_EQ(h.view.messages.size(), 1u);
        const auto& m = h.view.messages[0];
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.caption, c.caption);
        // Everything is settled before the box opens.
        EXPECT_EQ(m.state->LinkBusy, 0);
        EXPECT_EQ(m.state->CommandCode, Command::None);
        EXPECT_EQ(m.state->LinkAliveCountdown, c.countdown);
        EXPECT_EQ(h.view.linkSteps, wrongSteps + 1);
        EXPECT_EQ(h.port.discardCount(), discards + 1);
        EXPECT_EQ(h.view.log.back(), "message " + c.text + "|" + c.caption);
        EXPECT_TRUE(h.idle());
    }
}

TEST(EngineConfigWrite, NewAddressTakesOverAfterCommand6)
{
    EngineHarness h;
    h.state.Settings.NewDeviceAddress = 7;
    h.request(Command::SetAddress);
    h.tick();
    h.port.deliver(echoReply(h.port.lastWritten()));
    h.tick();
    ASSERT_EQ(h.view.messages.size(), 1u);
    EXPECT_EQ(h.view.messages[0].state->SlaveAddress, 7u);
    EXPECT_FALSE(h.view.hasText("Edit17"));

    h.request(Command::ReadAll);
    h.tick();
    EXPECT_EQ(h.port.lastWritten(), withCrc({7, 0x03, 0x00, 0x00, 0x00, 0x2C}));
}

TEST(EngineConfigRead, RequestsOfCommands9To11)
{
    EngineHarness h;
    h.request(Command::ReadAll);
    h.tick();
    EXPECT_EQ(h.port.lastWritten(), (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x2C, 0x44, 0x17}));

    h.state.SlaveAddress = 9;
    h.request(Command::ReadVersion);
    h.tick();   // a new request ends nothing: the queued command replaces the old one
    EXPECT_EQ(h.port.lastWritten(), withCrc({0x09, 0x04, 0x00, 0x0F, 0x00, 0x09}));
    EXPECT_EQ(h.view.lastInterval(), 200);

    h.request(Command::FactoryReset);
    h.tick();
    EXPECT_EQ(h.port.lastWritten(), withCrc({0x09, 0x05, 0x00, 0x14, 0xFF, 0x00}));
}

TEST(EngineConfigRead, ReadAllWritesEveryControlInItsTextForm)
{
    EngineHarness h;
    h.view.setComboItems("ComboBox2", {"Disable", "Enable"});
    std::vector<std::uint16_t> regs(44, 0);
    for (std::size_t k = 0; k < regs.size(); ++k)
        regs[k] = static_cast<std::uint16_t>(k);
    regs[0] = 0xFFFF;   // unsigned
    regs[3] = 255;
    regs[4] = 200;
    regs[5] = 0xFFE0;   // -32
    regs[9] = 1;
    regs[10] = 5;       // outside the combo's two items
    regs[23] = 0xFFFF;
    regs[27] = 0xFFFF;  // signed 16-bit
    regs[43] = 0x8000;
    h.request(Command::ReadAll);
    h.tick();
    h.port.deliver(registerReply(1, 0x03, regs));
    h.tick();

    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.messages.empty());
    EXPECT_EQ(h.view.linkSteps, 1);
    EXPECT_EQ(h.state.LinkAliveCountdown, 30);
    EXPECT_EQ(h.view.text("Edit12"), "65535");
    EXPECT_EQ(h.view.text("Edit14"), "25.5");
    EXPECT_EQ(h.view.text("Edit27"), "20");
    EXPECT_EQ(h.view.text("Edit9"), "-3.2");
    EXPECT_EQ(h.view.text("Edit6"), "0.6");
    EXPECT_EQ(h.view.text("Edit41"), "8");
    EXPECT_EQ(h.view.comboIndexes.at("ComboBox1"), 1);
    EXPECT_EQ(h.view.comboIndexes.at("ComboBox2"), 5);
    EXPECT_EQ(h.view.comboText("ComboBox2"), "");
    EXPECT_EQ(h.view.text("Edit53"), "-0.1");
    EXPECT_EQ(h.view.text("Edit4"), "-1");
    EXPECT_EQ(h.view.text("Edit31"), "-32768");
    EXPECT_EQ(h.view.text("Edit16"), "3.6");
    EXPECT_EQ(h.view.text("Edit29"), "4.2");
    EXPECT_EQ(h.view.comboIndexes.at("ComboBox7"), 38);

    // 34 edits and 7 combo boxes; registers 30 to 32 go nowhere.
    EXPECT_EQ(h.view.texts.size(), 34u);
    EXPECT_EQ(h.view.comboIndexes.size(), 7u);
    EXPECT_EQ(h.state.Settings.TempAlarmHigh, 0);   // fields stay as the operator set them
}

TEST(EngineConfigRead, FailedReadAllLeavesTheControls)
{
    EngineHarness h;
    h.request(Command::ReadAll);
    h.tick();
    h.port.deliver(registerReply(2, 0x03, std::vector<std::uint16_t>(44, 1)));
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.texts.empty());
    EXPECT_EQ(h.view.linkSteps, 0);
}

Bytes firmwareReply(const std::string& text)
{
    std::vector<std::uint16_t> words(9, 0);
    for (std::size_t i = 0; i < text.size() && i < 18; ++i) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        words[i / 2] = static_cast<std::uint16_t>(i % 2 == 0 ? (words[i / 2] | c << 8) : (words[i / 2] | c));
    }
    return registerReply(1, 0x04, words);
}

TEST(EngineConfigRead, FirmwareTextIsShownUpToItsNulOrInFull)
{
    const struct {
        std::string sent, shown, utf8;
    } cases[] = {
        {"HX-CTRL V2.07 2026", "HX-CTRL V2.07 2026", "HX-CTRL V2.07 2026"},
        {std::string("V1.0\0garbage", 12), "V1.0", "V1.0"},
        {"V2 \xB0" "C", "V2 \xB0" "C", "V2 \xC2\xB0" "C"},   // a Latin-1 degree sign
    };
    for (const auto& [sent, shown, utf8] : cases) {
        EngineHarness h;
        h.state.FirmwareText.fill('x');
        h.request(Command::ReadVersion);
        h.tick();
        h.port.deliver(firmwareReply(sent));
        h.tick();
        EXPECT_TRUE(h.idle());
        EXPECT_EQ(h.view.text("SWV"), shown);
        EXPECT_EQ(Firmware::text(h.state), utf8);
        EXPECT_EQ(h.state.FirmwareText[18], 0);
        EXPECT_EQ(h.state.LinkAliveCountdown, 30);
        EXPECT_TRUE(h.view.messages.empty());
    }
}

TEST(EngineConfigReset, EchoedValueDecidesTheMessage)
{
    for (std::uint16_t value : {std::uint16_t{0xFF00}, std::uint16_t{0x0000}}) {
        EngineHarness h;
        h.request(Command::FactoryReset);
        h.tick();
        h.port.deliver(withCrc({1, 0x05, 0x00, 0x14, static_cast<std::uint8_t>(value >> 8),
                                static_cast<std::uint8_t>(value & 0xFF)}));
        h.tick();
        ASSERT_EQ(h.view.messages.size(), 1u);
        EXPECT_EQ(h.view.messages[0].text,
                  value == 0xFF00 ? "Parameter Reset Successfully" : "Parameter Reset Failed!");
        EXPECT_EQ(h.view.messages[0].caption, "Parameter");
        EXPECT_EQ(h.view.messages[0].state->LinkBusy, 0);
        EXPECT_EQ(h.view.messages[0].state->LinkAliveCountdown, 30);
        EXPECT_EQ(h.view.linkSteps, 1);
    }
}

TEST(EngineConfigReset, EchoOfAnotherCoilKeepsWaiting)
{
    EngineHarness h;
    h.request(Command::FactoryReset);
    h.tick();
    h.port.deliver(withCrc({1, 0x05, 0x00, 0x15, 0xFF, 0x00}));
    h.ticks(100);
    EXPECT_EQ(h.state.LinkBusy, 1);
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.messages.empty());
}

} // namespace
