#include "console/FanCurveGraph.h"

#include "console/FormControls.h"
#include "console/GraphView.h"
#include "link/LinkState.h"

FanCurveGraph::FanCurveGraph(LinkState& state, FormControls& controls, GraphView& graph,
                             std::function<bool()> portOpen)
    : state_(state)
    , controls_(controls)
    , graph_(graph)
    , portOpen_(std::move(portOpen))
{
}

void FanCurveGraph::Button16Click()
{
    requestCurve(IntfanChannel, Command::FetchIntCurve);
}

void FanCurveGraph::Button17Click()
{
    requestCurve(ExtfanChannel, Command::FetchExtCurve);
}

void FanCurveGraph::requestCurve(int channel, std::uint8_t commandCode)
{
    if (!portOpen_()) {
        controls_.showMessage("ComPort Not Open!!", "Comm Error");
        return;
    }
    // Both buttons share the internal fans' busy caption.
    if (state_.LinkBusy == 1) {
        controls_.showMessage("Systerm Busy,Please Wait", "Set Intfan1!");
        return;
    }
    // Emptied at once: a fetch that fails leaves no stale curve behind.
    graph_.clearChannel(channel);
    graph_.setChannelLayer(channel, TopLayer);
    graph_.setChannelLayer(channel == IntfanChannel ? ExtfanChannel : IntfanChannel, LowerLayer);
    state_.CommandArmed = 1;
    state_.CommandCode = commandCode;
    state_.LinkBusy = 1;
}

void FanCurveGraph::DrawFanCurve(const FanCurve& curve, int channel)
{
    graph_.clearChannel(channel);
    for (const FanCurvePoint& point : CurvePoints(curve))
        graph_.addChannelPoint(channel, point.x, static_cast<double>(point.y));
}

FanCurvePoints FanCurveGraph::CurvePoints(const FanCurve& curve)
{
    // The fields are single precision; sums and differences are formed in
    // double and never rounded back to single.
    const double s = curve.StopTemp;
    const double d = curve.DeltTemp;
    const double t = curve.MinTemp;
    const double m = curve.MaxTemp;
    const double e = curve.StepTemp;
    const std::int64_t r = curve.MinRev;
    const std::int64_t v = curve.MaxRev;
    const std::int64_t p = curve.StepRev;
    const std::int64_t h = r / 2;
    const double restart = s + d;
    return {{
        // Down at the stop temperature, arrowhead pointing down at h.
        {s, r}, {s, h}, {s - 1, h + 50}, {s, h}, {s + 1, h + 50}, {s, h}, {s, 0},
        // Stopped until the restart temperature, then up with an arrowhead
        // pointing up, and back along the minimum speed.
        {restart, 0}, {restart, h}, {restart, r}, {restart, h}, {restart - 1, h - 50}, {restart, h},
        {restart + 1, h - 50}, {restart, h}, {restart, r}, {s, r},
        // Regulation: minimum speed, ramp, maximum speed, the step, to 80.
        {t, r}, {m, v}, {m + e, v}, {m + e, v + p}, {80, v + p},
    }};
}
