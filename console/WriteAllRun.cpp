#include "console/WriteAllRun.h"

#include "console/ConfigCommands.h"
#include "console/ConversionError.h"
#include "console/ParameterTable.h"
#include "link/LinkState.h"
#include "link/TransactionEngine.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kConfigurationTab = 0;

}

WriteAllRun::WriteAllRun(LinkState& state, SetHandler handler)
    : state_(state), handler_(std::move(handler))
{
}

WriteAllRun::SetHandler WriteAllRun::writing(ConfigCommands& commands, const ParameterSet& parameters)
{
    return [&commands, &parameters](std::uint8_t command) {
        // The bus address is never part of a run.
        const auto groups = ParameterTable::writeAllGroups();
        if (std::find(groups.begin(), groups.end(), command) == groups.end())
            throw std::logic_error("Write All has no group for command " + std::to_string(command));
        commands.writeGroup(command, parameters);
    };
}

void WriteAllRun::start(std::span<const std::uint8_t> commands)
{
    commands_.assign(commands.begin(), commands.end());
    outcomes_.clear();
    next_ = 0;
    launchNext();
}

void WriteAllRun::launchNext()
{
    while (next_ < commands_.size()) {
        current_ = commands_[next_++];
        phase_ = Phase::Launching;
        refusal_.clear();
        try {
            handler_(current_);
        } catch (const ConversionError& error) {
            refusal_ = error.what();
        }
        if (refusal_.empty() && state_.LinkBusy == 1 && state_.CommandCode == current_) {
            phase_ = Phase::Waiting;
            ended_.reset();
            return;
        }
        outcomes_.push_back({current_, Status::Failed, refusal_.empty() ? "not queued" : refusal_});
    }
    phase_ = Phase::Idle;
}

bool WriteAllRun::takeMessage(const std::string& text, const std::string&)
{
    switch (phase_) {
    case Phase::Launching:
        // The handler's own refusal ("Data out of range!!", busy, port).
        refusal_ = text;
        return true;
    case Phase::Waiting:
        // The group's own acknowledgement: the summary says it instead.
        return ended_ && ended_->result == LinkOutcome::Valid;
    case Phase::Idle:
        break;
    }
    return false;
}

bool WriteAllRun::afterTick(int tab)
{
    if (phase_ != Phase::Waiting)
        return false;
    if (tab != kConfigurationTab) {
        cancel("interrupted: the Configuration tab was left");
        return true;
    }
    if (state_.LinkBusy == 1)
        return false;
    const LinkOutcome result = ended_ ? ended_->result : LinkOutcome::Timeout;
    if (result == LinkOutcome::Valid) {
        finish(Status::Written, {});
    } else if (result == LinkOutcome::Refused) {
        // The controller is there and said no to this group only.
        finish(Status::Refused, "refused by the controller: " + refusalText(ended_->exceptionCode));
    } else if (result == LinkOutcome::Timeout || state_.WaitTicks >= TransactionEngine::kWaitLimit) {
        // No answer: the link is gone, so nothing more is tried.
        finish(Status::Failed, "no answer from the controller (time-out)");
        notSentFromHere("the link failed");
        phase_ = Phase::Idle;
        return true;
    } else {
        finish(Status::Failed, "the controller's reply was not an acknowledgement");
    }
    launchNext();
    return !running();
}

void WriteAllRun::transactionEnded(const TransactionOutcome& outcome)
{
    if (phase_ == Phase::Waiting && outcome.id == TransactionId{TransactionId::Kind::Command, current_})
        ended_ = outcome;
}

void WriteAllRun::cancel(const std::string& reason)
{
    if (!running())
        return;
    finish(Status::Failed, reason);
    notSentFromHere(reason);
    phase_ = Phase::Idle;
}

void WriteAllRun::finish(Status status, const std::string& reason)
{
    outcomes_.push_back({current_, status, reason});
}

void WriteAllRun::notSentFromHere(const std::string& reason)
{
    for (; next_ < commands_.size(); ++next_)
        outcomes_.push_back({commands_[next_], Status::NotSent, reason});
}

std::string WriteAllRun::summary(const std::string& source) const
{
    std::size_t written = 0;
    for (const Outcome& o : outcomes_)
        written += o.status == Status::Written ? 1 : 0;
    std::string text = std::to_string(written) + " of " + std::to_string(outcomes_.size()) + " groups written.";
    for (const Outcome& o : outcomes_) {
        text.append("\n").append(ParameterTable::groupName(o.command)).append(": ");
        switch (o.status) {
        case Status::Written:
            text += "written";
            break;
        case Status::Refused:
            text += o.reason;
            break;
        case Status::Failed:
            text += "failed, " + o.reason;
            break;
        case Status::NotSent:
            text += "not sent (" + o.reason + ")";
            break;
        }
    }
    if (!source.empty())
        text += "\n" + source;
    return text;
}
