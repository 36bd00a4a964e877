#include "console/TransactionOutcome.h"

#include "link/LinkState.h"

#include <array>

namespace {

constexpr std::array<const char*, 12> kCommandNames{
    "Set Intfan", "Set Extfan", "Set Heater", "Set Alarm TEMP", "Calibrate Temp", "Extinput Option",
    "Set Address", "Set Alarm Voltage", "Set Compressor", "Read All", "Version", "Default",
};

}

std::string TransactionOutcome::name() const
{
    switch (id.kind) {
    case TransactionId::Kind::Command:
        return id.code < kCommandNames.size() ? kCommandNames[id.code] : "Command " + std::to_string(id.code);
    case TransactionId::Kind::CurveFetch:
        return id.code == Command::FetchIntCurve ? "DrawIntfan" : "DrawExtfan";
    case TransactionId::Kind::LiveAction:
        switch (id.code) {
        case LiveActionCode::DebugTemperature:
            return "Debug temperature";
        case LiveActionCode::ForceOutput:
            return "Forced-on output";
        default:
            return "Re-check";
        }
    case TransactionId::Kind::PollStep:
        break;
    }
    return "Poll step " + std::to_string(id.code);
}

bool TransactionOutcome::isWrite() const
{
    switch (id.kind) {
    case TransactionId::Kind::Command:
        return id.code <= Command::SetCompressor || id.code == Command::FactoryReset;
    case TransactionId::Kind::LiveAction:
        return true;
    default:
        return false;
    }
}

bool TransactionOutcome::startedByOperator() const
{
    return id.kind != TransactionId::Kind::PollStep;
}

std::string TransactionOutcome::failureLine() const
{
    const std::string from = " from address " + std::to_string(address);
    switch (result) {
    case LinkOutcome::Valid:
        return {};
    case LinkOutcome::Refused:
        return name() + " refused by the controller: " + refusalText(exceptionCode);
    case LinkOutcome::Timeout:
        return name() + ": no answer" + from + " (time-out)";
    case LinkOutcome::WrongReply:
        return name() + ": no valid answer" + from + " (wrong reply)";
    case LinkOutcome::CrcMismatch:
        return name() + ": no valid answer" + from + " (CRC mismatch)";
    }
    return {};
}
