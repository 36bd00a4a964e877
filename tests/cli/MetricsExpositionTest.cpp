// The metrics text of hxctl serve for known values, and the bounded
// request head of its HTTP endpoint.
#include "cli/HttpRequestHead.h"
#include "cli/MetricsExposition.h"
#include "cli/MetricsServer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using MetricsExposition::AddressState;

constexpr std::int64_t kNow = 1'800'000'000'000;
constexpr std::int64_t kStale = 30'000;

std::size_t indexOf(std::string_view name)
{
    return *LiveQuantities::indexOf(name);
}

bool hasLine(const std::string& text, const std::string& line)
{
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        if (l == line)
            return true;
    }
    return false;
}

TEST(MetricsExposition, NamesUnitsLabelsUpAndStaleValues)
{
    LinkState state;
    state.Live.IndoorTemp = 235;
    state.Live.SupplyVoltage = 481;
    state.Live.CompGauge = 12;
    state.Intfan1.Speed = 1500;
    state.Intfan1.Running = 1;
    state.Live.HighTempAlarm = 1;

    AddressState answering;
    answering.address = 1;
    answering.record(LiveQuantities::sampleOf(state, 0b1111, kNow - 1000, 0), true);
    answering.counters.requests = 8;
    answering.counters.validReplies = 7;
    answering.counters.exceptionReplies = 1;

    // Answered long ago, silent since: its readings are stale, not exported.
    AddressState silent;
    silent.address = 2;
    silent.record(LiveQuantities::sampleOf(state, 0b1111, kNow - kStale - 1, 0), true);
    silent.record(LiveQuantities::sampleOf(state, 0, kNow - 500, 0), false);

    // Silent just now: last values stay, with hx_up 0.
    AddressState justSilent;
    justSilent.address = 3;
    justSilent.record(LiveQuantities::sampleOf(state, 0b1000, kNow - 4000, 0), true);
    justSilent.record(LiveQuantities::sampleOf(state, 0, kNow - 100, 0), false);

    AddressState neverPolled;
    neverPolled.address = 4;

    const std::string text = MetricsExposition::text("tcp://a\"b\\c\nd", {answering, silent, justSilent, neverPolled},
                                                     kNow, kStale);
    const std::string labels1 = R"({port="tcp://a\"b\\c\nd",address="1")";
    const std::string labels2 = R"({port="tcp://a\"b\\c\nd",address="2")";
    const std::string labels3 = R"({port="tcp://a\"b\\c\nd",address="3")";
    const std::string labels4 = R"({port="tcp://a\"b\\c\nd",address="4")";
    const struct {
        std::string line;
        bool present;
    } lines[] = {
        {"# TYPE hx_up gauge", true},
        {"hx_up" + labels1 + "} 1", true},
        {"hx_up" + labels2 + "} 0", true},
        {"hx_up" + labels3 + "} 0", true},
        {"hx_up" + labels4 + "} 0", true},
        {"hx_last_success_timestamp_seconds" + labels1 + "} 1799999999", true},
        {"hx_last_success_timestamp_seconds" + labels3 + "} 1799999996", true},
        {"# HELP hx_indoor_temp_celsius Indoor temperature", true},
        {"# TYPE hx_indoor_temp_celsius gauge", true},
        {"hx_indoor_temp_celsius" + labels1 + "} 23.5", true},
        {"hx_indoor_temp_celsius" + labels2 + "} 23.5", false},
        {"hx_indoor_temp_celsius" + labels3 + "} 23.5", true},
        {"hx_supply_voltage_volts" + labels1 + "} 48.1", true},
        {"hx_compressor_current_amperes" + labels1 + "} 1.2", true},
        {"hx_intfan1_speed_rpm" + labels1 + "} 1500", true},
        {"hx_intfan1_running" + labels1 + "} 1", true},
        {"hx_alarm" + labels1 + ",alarm=\"high_temp_alarm\"} 1", true},
        {"hx_alarm" + labels1 + ",alarm=\"low_temp_alarm\"} 0", true},
        // Address 3 answered only the measurements: no alarm values.
        {"hx_alarm" + labels3 + ",alarm=\"high_temp_alarm\"} 1", false},
        {"# TYPE hx_requests_total counter", true},
        {"hx_requests_total" + labels1 + "} 8", true},
        {"hx_valid_replies_total" + labels1 + "} 7", true},
        {"hx_refusals_total" + labels1 + "} 1", true},
        {"hx_timeouts_total" + labels4 + "} 0", true},
    };
    for (const auto& l : lines)
        EXPECT_EQ(hasLine(text, l.line), l.present) << l.line << "\n" << text;
    EXPECT_EQ(text.find("hx_last_success_timestamp_seconds" + labels4), std::string::npos);
    EXPECT_EQ(text.find("hx_indoor_temp_celsius" + labels4), std::string::npos);

    // Every quantity of the table has its family; alarms share one.
    for (const LiveQuantities::Quantity& q : LiveQuantities::kQuantities)
        EXPECT_NE(text.find("# TYPE " + MetricsExposition::metricName(q) + " gauge\n"), std::string::npos) << q.name;
    EXPECT_EQ(MetricsExposition::metricName(LiveQuantities::kQuantities[indexOf("heater_alarm")]), "hx_alarm");

    const std::string page = MetricsExposition::statusPage("COM1", {answering, silent, neverPolled}, kNow);
    EXPECT_NE(page.find("address 1: answering, last answer 2027-01-15T07:59:59Z"), std::string::npos) << page;
    EXPECT_NE(page.find("address 2: not answering"), std::string::npos) << page;
    EXPECT_NE(page.find("address 4: not polled yet"), std::string::npos) << page;
}

TEST(HttpRequestHead, BoundsAndJudgesTheRequestLine)
{
    using State = HttpRequestHead::State;
    const struct {
        std::vector<std::string> chunks;
        State state;
        const char* path;
    } cases[] = {
        {{"GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n"}, State::Complete, "/metrics"},
        {{"GE", "T /metrics?x=1 HT", "TP/1.0\r\n", "\r\n"}, State::Complete, "/metrics"},
        {{"GET /metrics HTTP/1.1\r\nHost: x\r\n"}, State::Incomplete, ""},
        {{"GET /metrics HTTP/2\r\n\r\n"}, State::BadVersion, ""},
        {{"GET metrics HTTP/1.1\r\n\r\n"}, State::Malformed, ""},
        {{"GET /a b HTTP/1.1\r\n\r\n"}, State::Malformed, ""},
        {{"\x16\x03\x01\x02\x01\r\n\r\n"}, State::Malformed, ""},
        {{"GET /" + std::string(9000, 'a') + " HTTP/1.1\r\n\r\n"}, State::TooLarge, ""},
        {{"GET / HTTP/1.1\r\n", std::string(4100, 'x'), std::string(4100, 'x')}, State::TooLarge, ""},
    };
    for (const auto& c : cases) {
        HttpRequestHead head;
        for (const std::string& chunk : c.chunks)
            head.add(chunk);
        EXPECT_EQ(head.state(), c.state) << c.chunks.front().substr(0, 30);
        if (c.state == State::Complete) {
            EXPECT_EQ(head.path(), c.path);
        }
    }

    HttpAnswer head = httpError(404);
    head.withBody = false;
    EXPECT_EQ(head.bytes(), "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain; charset=utf-8\r\n"
                            "Content-Length: 14\r\nConnection: close\r\n\r\n");
}

TEST(MetricsServer, ListenAddresses)
{
    const struct {
        const char* text;
        bool ok;
        QHostAddress address;
        quint16 port;
    } cases[] = {
        {"127.0.0.1:9464", true, QHostAddress::LocalHost, 9464},
        {":9464", true, QHostAddress::Any, 9464},
        {"[::1]:80", true, QHostAddress::LocalHostIPv6, 80},
        {"localhost:0", true, QHostAddress::LocalHost, 0},
        {"127.0.0.1:65536", false, {}, 0},
        {"127.0.0.1:", false, {}, 0},
        {"127.0.0.1", false, {}, 0},
        {"cabinet-row:80", false, {}, 0},
    };
    for (const auto& c : cases) {
        QHostAddress address;
        quint16 port = 1;
        EXPECT_EQ(MetricsServer::parseListen(c.text, address, port), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(address, c.address) << c.text;
            EXPECT_EQ(port, c.port) << c.text;
        }
    }
}

} // namespace
