#pragma once
// The tick list of an axis: major and minor tick values with their labels
// and pixels, in ascending value order, holding only ticks on the scale.
#include "plot/TiPlotScaleMap.h"

#include <QString>
#include <functional>
#include <vector>

struct TiPlotTick {
    int Style = 0; // 0 major, 1 minor
    double Position = 0;
    int Pixels = 0;
    QString Label; // empty for minor ticks
    bool OnScale = false;
};

struct TiPlotTickSettings {
    int MinorCount = 1;
    double DesiredStart = 0;
    double DesiredIncrement = 0;
    bool LabelsVisible = true;
    TiPlotTextFormat LabelsFormatStyle = iptfValue;
    // Most intervals whose labels fit along the scale (see maxIntervals).
    int MaxIntervals = 1;
};

struct TiPlotTickResult {
    std::vector<TiPlotTick> Ticks;
    double Increment = 0;
    int Count = 0;
    bool MonthMode = false;
    bool YearMode = false;
};

namespace TiPlotTicks {

using LabelFunction = std::function<QString(double)>;

// Pixels one label needs along the scale; at least 1.
int labelPitch(bool horizontal, TiRotationAngle rotation, int widthOf0, int heightOf0, double labelSeparation,
               int requiredLabelLength);
// Trunc(spanLength / pitch), at least 1.
int maxIntervals(int spanLength, int pitch);

struct Step {
    double Increment = 0;
    int Count = 0;
    bool MonthMode = false;
    bool YearMode = false;
};
// Smallest 1, 2 or 5 x 10^E step with at most maxIntervals intervals.
Step linearStep(double span, int maxIntervals);
// Calendar step for a span in days.
Step dateTimeStep(double span, int maxIntervals);
// Power-of-two fraction step (1/256 .. 1/2), then 1-2-5 steps.
Step price32Step(double span, int maxIntervals);

// Rebuilds the tick list for `scale`; `label` gives a major tick's text.
TiPlotTickResult calcTicks(const TiPlotScaleMap& scale, const TiPlotTickSettings& settings,
                           const LabelFunction& label);

// Recomputes OnScale and Pixels of a list the user built by hand.
void updatePixels(std::vector<TiPlotTick>& ticks, const TiPlotScaleMap& scale);

} // namespace TiPlotTicks
