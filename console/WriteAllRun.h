#pragma once

#include "console/TransactionOutcome.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class ConfigCommands;
class ParameterSet;
struct LinkState;

// "Write All": the parameter groups of a file written one after another,
// each through its own Set (same range checks, same engine command), with
// one summary at the end instead of a box per group. A group the controller refuses is reported with the controller's
// reason and the run goes on; it stops at the first time-out (the link is
// gone) and lists the groups it did not send. It holds no widgets: the
// caller runs the handlers, passes on the messages shown while it runs and
// the core's outcomes, and calls afterTick() after every engine tick.
class WriteAllRun {
public:
    enum class Status { Written, Refused, Failed, NotSent };
    struct Outcome {
        std::uint8_t command;
        Status status;
        std::string reason;   // why it was refused, failed or was not sent
    };

    // Runs the Set handler of a group: it stores the fields and queues the
    // command, or refuses with a message or a ConversionError.
    using SetHandler = std::function<void(std::uint8_t command)>;

    WriteAllRun(LinkState& state, SetHandler handler);

    // Each group's Set with its values from `parameters`, which must outlive
    // the run.
    static SetHandler writing(ConfigCommands& commands, const ParameterSet& parameters);

    bool running() const { return phase_ != Phase::Idle; }
    const std::vector<Outcome>& outcomes() const { return outcomes_; }

    // Queues the first group its handler accepts. The run may end at once
    // when every handler refuses.
    void start(std::span<const std::uint8_t> commands);
    // A message shown while the run goes on. True when the run takes it
    // instead of a box: the handlers' refusals and the success messages.
    bool takeMessage(const std::string& text, const std::string& caption);
    // How an exchange ended, as the console core reports it.
    void transactionEnded(const TransactionOutcome& outcome);
    // After every engine tick, with the tab shown. True when the run ended
    // on this tick (its summary is then due).
    bool afterTick(int tab);
    // Ends the run: the group under way fails with `reason`, the rest are
    // not sent.
    void cancel(const std::string& reason);

    // One line per group: written, refused or failed and why, or not sent;
    // `source`, when given, names what was written in a last line.
    std::string summary(const std::string& source = {}) const;

private:
    enum class Phase { Idle, Launching, Waiting };

    void launchNext();
    void finish(Status status, const std::string& reason);
    void notSentFromHere(const std::string& reason);

    LinkState& state_;
    SetHandler handler_;
    std::vector<std::uint8_t> commands_;
    std::vector<Outcome> outcomes_;
    std::size_t next_ = 0;
    Phase phase_ = Phase::Idle;
    std::uint8_t current_ = 0;
    std::string refusal_;
    std::optional<TransactionOutcome> ended_;
};
