#pragma once

#include <array>
#include <cstdint>
#include <functional>

class FormControls;
class GraphView;
struct FanCurve;
struct LinkState;

// One point of a drawn fan curve: temperature in degrees, speed in rpm.
// Speeds are whole and signed: an arrowhead wing goes below 0 rpm when the
// minimum speed is under 100.
struct FanCurvePoint {
    double x;
    std::int64_t y;

    bool operator==(const FanCurvePoint&) const = default;
};

using FanCurvePoints = std::array<FanCurvePoint, 22>;

// The Graph tab: "DrawIntfan" and "DrawExtfan" prepare the plot and queue a
// curve fetch; the engine hands the fetched curve to DrawFanCurve.
class FanCurveGraph {
public:
    // Channel 0 holds the internal fans' curve, channel 1 the external fans'.
    static constexpr int IntfanChannel = 0;
    static constexpr int ExtfanChannel = 1;
    // The channel asked for last lies above the other.
    static constexpr int TopLayer = 101;
    static constexpr int LowerLayer = 100;

    // `portOpen`: whether the operator has a port open.
    FanCurveGraph(LinkState& state, FormControls& controls, GraphView& graph, std::function<bool()> portOpen);

    void Button16Click();   // internal fans
    void Button17Click();   // external fans

    // Replaces the channel's points with the curve's 22 points.
    void DrawFanCurve(const FanCurve& curve, int channel);

    // The curve as a polyline: the stop/restart hysteresis with its two
    // arrowheads, then the regulation line up to 80 degrees.
    static FanCurvePoints CurvePoints(const FanCurve& curve);

private:
    void requestCurve(int channel, std::uint8_t commandCode);

    LinkState& state_;
    FormControls& controls_;
    GraphView& graph_;
    std::function<bool()> portOpen_;
};
