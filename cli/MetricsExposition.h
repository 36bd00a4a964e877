#pragma once

#include "link/LiveQuantities.h"
#include "link/TrafficLog.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What `hxctl serve` knows of one controller on its bus, and the Prometheus
// text exposition made of it. Pure: the poll loop fills the states, the HTTP
// side turns them into text at scrape time without touching the bus.
namespace MetricsExposition {

struct AddressState {
    std::uint8_t address = 1;
    // Each quantity's last value read and when (ms since 1970, UTC); kept
    // while the controller is silent, dropped from the text once stale.
    std::array<std::optional<double>, LiveQuantities::kCount> values{};
    std::array<std::int64_t, LiveQuantities::kCount> valueMs{};
    bool polled = false;                    // at least one cycle ended
    bool up = false;                        // the last cycle got a valid reply
    std::optional<std::int64_t> lastSuccessMs;
    TrafficCounters counters;               // the bus monitor's counts for this address

    // Takes in one completed cycle; `answered` when any of its steps got a
    // valid reply.
    void record(const LiveQuantities::Sample& sample, bool answered);
};

// The metric name of a quantity: hx_, its name, its unit ("hx_indoor_temp_celsius").
// Alarms have none of their own: they share hx_alarm with an alarm label.
std::string metricName(const LiveQuantities::Quantity& quantity);

// A label value with backslash, double quote and line feed escaped.
std::string escapeLabel(std::string_view value);

// The whole /metrics body. A value read more than `staleAfterMs` before
// `nowMs` is left out.
std::string text(std::string_view port, const std::vector<AddressState>& states, std::int64_t nowMs,
                 std::int64_t staleAfterMs);

// The plain page at /: one line per address and its state.
std::string statusPage(std::string_view port, const std::vector<AddressState>& states, std::int64_t nowMs);

} // namespace MetricsExposition
