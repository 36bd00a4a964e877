#include "cli/MetricsExposition.h"

#include <charconv>
#include <ctime>
#include <utility>

namespace MetricsExposition {

namespace {

using LiveQuantities::Kind;
using LiveQuantities::kQuantities;

std::string number(double value)
{
    char buffer[32];
    const auto [end, fault] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return fault == std::errc() ? std::string(buffer, end) : "NaN";
}

std::string_view unitSuffix(std::string_view unit)
{
    if (unit == "°C")
        return "_celsius";
    if (unit == "rpm")
        return "_rpm";
    if (unit == "V")
        return "_volts";
    if (unit == "A")
        return "_amperes";
    return "";
}

// Backslash and line feed escaped, and the double quote too inside a label.
std::string escaped(std::string_view text, bool quote)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '"' && quote)
            out += "\\\"";
        else
            out += c;
    }
    return out;
}

class Writer {
public:
    explicit Writer(std::string_view port) : port_(escapeLabel(port)) {}

    void family(std::string_view name, std::string_view type, std::string_view help)
    {
        out_ += "# HELP ";
        out_ += name;
        out_ += ' ';
        out_ += escaped(help, false);
        out_ += "\n# TYPE ";
        out_ += name;
        out_ += ' ';
        out_ += type;
        out_ += '\n';
    }
    void sample(std::string_view name, std::uint8_t address, std::string_view extraLabels, const std::string& value)
    {
        out_ += name;
        out_ += "{port=\"" + port_ + "\",address=\"" + std::to_string(address) + "\"";
        out_ += extraLabels;
        out_ += "} " + value + "\n";
    }
    std::string take() { return std::move(out_); }

private:
    std::string port_;
    std::string out_;
};

struct CounterFamily {
    const char* name;
    const char* help;
    std::uint64_t TrafficCounters::*field;
};

constexpr CounterFamily kCounters[] = {
    {"hx_requests_total", "Requests sent to the controller", &TrafficCounters::requests},
    {"hx_valid_replies_total", "Valid replies from the controller", &TrafficCounters::validReplies},
    {"hx_timeouts_total", "Requests the controller left unanswered within the reply time", &TrafficCounters::timeouts},
    {"hx_crc_errors_total", "Replies with a bad CRC or content", &TrafficCounters::crcErrors},
    {"hx_wrong_replies_total", "Replies from another address or for another function", &TrafficCounters::wrongReplies},
    {"hx_refusals_total", "Exception replies: requests the controller refused", &TrafficCounters::exceptionReplies},
};

std::string utcText(std::int64_t ms)
{
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm tm{};
    gmtime_r(&seconds, &tm);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buffer;
}

} // namespace

void AddressState::record(const LiveQuantities::Sample& sample, bool answered)
{
    polled = true;
    up = answered;
    if (answered)
        lastSuccessMs = sample.wallMs;
    for (std::size_t i = 0; i < LiveQuantities::kCount; ++i) {
        if (sample.values[i]) {
            values[i] = sample.values[i];
            valueMs[i] = sample.wallMs;
        }
    }
}

std::string metricName(const LiveQuantities::Quantity& quantity)
{
    if (quantity.kind == Kind::Alarm)
        return "hx_alarm";
    return "hx_" + std::string(quantity.name) + std::string(unitSuffix(quantity.unit));
}

std::string escapeLabel(std::string_view value)
{
    return escaped(value, true);
}

std::string text(std::string_view port, const std::vector<AddressState>& states, std::int64_t nowMs,
                 std::int64_t staleAfterMs)
{
    Writer w(port);
    const auto fresh = [&](const AddressState& s, std::size_t i) {
        return s.values[i] && nowMs - s.valueMs[i] <= staleAfterMs;
    };

    w.family("hx_up", "gauge", "1 when the controller answered its last poll cycle, else 0");
    for (const AddressState& s : states)
        w.sample("hx_up", s.address, "", s.up ? "1" : "0");
    w.family("hx_last_success_timestamp_seconds", "gauge", "When the controller last answered a poll cycle");
    for (const AddressState& s : states) {
        if (s.lastSuccessMs)
            w.sample("hx_last_success_timestamp_seconds", s.address, "", number(double(*s.lastSuccessMs) / 1000.0));
    }

    for (std::size_t i = 0; i < LiveQuantities::kCount; ++i) {
        const LiveQuantities::Quantity& q = kQuantities[i];
        if (q.kind == Kind::Alarm)
            continue;
        const std::string name = metricName(q);
        const std::string help = std::string(q.label) + (q.kind == Kind::Output ? " (0/1)" : "");
        w.family(name, "gauge", help);
        for (const AddressState& s : states) {
            if (fresh(s, i))
                w.sample(name, s.address, "", number(*s.values[i]));
        }
    }

    w.family("hx_alarm", "gauge", "Alarm inputs of the controller, 1 while raised");
    for (const AddressState& s : states) {
        for (std::size_t i = 0; i < LiveQuantities::kCount; ++i) {
            if (kQuantities[i].kind == Kind::Alarm && fresh(s, i))
                w.sample("hx_alarm", s.address, ",alarm=\"" + escapeLabel(kQuantities[i].name) + "\"",
                         number(*s.values[i]));
        }
    }

    for (const CounterFamily& c : kCounters) {
        w.family(c.name, "counter", c.help);
        for (const AddressState& s : states)
            w.sample(c.name, s.address, "", std::to_string(s.counters.*c.field));
    }
    return w.take();
}

std::string statusPage(std::string_view port, const std::vector<AddressState>& states, std::int64_t nowMs)
{
    std::string page = "hxctl serve on " + std::string(port) + " at " + utcText(nowMs) + "\n\n";
    for (const AddressState& s : states) {
        page += "address " + std::to_string(s.address) + ": ";
        page += !s.polled ? "not polled yet" : s.up ? "answering" : "not answering";
        if (s.lastSuccessMs)
            page += ", last answer " + utcText(*s.lastSuccessMs);
        page += ", " + std::to_string(s.counters.requests) + " requests, " + std::to_string(s.counters.validReplies)
            + " valid replies, " + std::to_string(s.counters.timeouts) + " time-outs\n";
    }
    return page + "\nMetrics for Prometheus: /metrics\n";
}

} // namespace MetricsExposition
