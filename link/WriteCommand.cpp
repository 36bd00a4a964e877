#include "link/WriteCommand.h"

#include "link/Frames.h"

namespace {

using Frames::encodeRegister;

struct Caption {
    const char* text;
    const char* caption;
};

constexpr std::array<Caption, 9> kMessages{{
    {"Set Successfully!", "Set Intfan1"},
    {"Set Successfully", "Set Extfan1!"},
    {"Set Successfully", "Set Heater!"},
    {"Set Successfully", "Set Alarm TEMP"},
    {"Set Successfully", "Calibrate Temp"},
    {"Set Successfully", "Extinput Option"},
    {"Set Successfully", "Set Address"},
    {"Set Successfully", "Set Alarm Voltage"},
    {"Set Successfully", "Set Compressor"},
}};

template <typename... Fields>
void put(WriteCommand::Block& block, Fields... fields)
{
    block.count = 0;
    ((block.values[block.count++] = encodeRegister(fields)), ...);
}

void putFanPair(WriteCommand::Block& block, const FanRecord& first, const FanRecord& second)
{
    put(block, first.StepRev, first.MaxRev, first.MinRev, first.StepTemp, first.MaxTemp, first.MinTemp,
        first.StopTemp, first.DeltTemp, first.PulseNo, first.Enable, second.Enable);
}

} // namespace

WriteCommand::WriteCommand(std::uint8_t code) : code_(code <= Command::SetCompressor ? code : Command::SetIntfan) {}

std::uint8_t WriteCommand::function() const
{
    return Frames::Function::WriteRegisters;
}

WriteCommand::Block WriteCommand::block(const LinkState& state) const
{
    const DeviceSettings& s = state.Settings;
    Block block;
    switch (code_) {
    case Command::SetIntfan:
        block.first = 0;
        putFanPair(block, state.Intfan1, state.Intfan2);
        break;
    case Command::SetExtfan:
        block.first = 11;
        putFanPair(block, state.Extfan1, state.Extfan2);
        break;
    case Command::SetHeater:
        block.first = 22;
        put(block, s.HeaterStartTemp, s.HeaterDeltTemp, s.HeaterMaxCurrent, s.HeaterMinCurrent, s.HeaterEnable);
        break;
    case Command::SetTempAlarm:
        block.first = 28;
        put(block, s.TempAlarmHigh, s.TempAlarmLow);
        break;
    case Command::SetCalibration:
        block.first = 33;
        put(block, s.CalTemp1, s.CalTemp2, s.CalCurrent, s.CalVoltage);
        break;
    case Command::SetExtInput:
        block.first = 37;
        put(block, s.ExtInputEnable, s.ExtInputType);
        break;
    case Command::SetAddress:
        block.first = 27;
        put(block, s.NewDeviceAddress);
        break;
    case Command::SetVoltAlarm:
        block.first = 39;
        put(block, s.VoltAlarmHigh, s.VoltAlarmLow);
        break;
    default:
        block.first = 41;
        put(block, s.CompStartTemp, s.CompDeltTemp, s.CompMaxRPM);
        break;
    }
    return block;
}

std::size_t WriteCommand::buildRequest(LinkState& state) const
{
    const Block b = block(state);
    return Frames::buildWriteRegisters(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), b.first,
                                       std::span<const std::uint16_t>(b.values.data(), b.count));
}

std::string WriteCommand::successText() const
{
    return kMessages[code_].text;
}

std::string WriteCommand::successCaption() const
{
    return kMessages[code_].caption;
}

void WriteCommand::onValidReply(EngineContext& context, std::span<const std::uint8_t>) const
{
    context.discardReceived();
    context.endCommand();
    context.stepLinkIndicator();
    if (!isFanOrHeater())
        context.state.LinkAliveCountdown = 30;
    // The controller answers at its new address from now on; the comm
    // address edit keeps what the operator typed.
    if (code_ == Command::SetAddress)
        context.state.SlaveAddress = static_cast<std::uint32_t>(context.state.Settings.NewDeviceAddress);
    context.view.showMessage(successText(), successCaption());
}

void WriteCommand::onWrongReply(EngineContext& context) const
{
    if (isFanOrHeater())
        context.stepLinkIndicator();
    context.endCommand();
}

void WriteCommand::onTimeout(EngineContext& context) const
{
    context.endCommand();
}
