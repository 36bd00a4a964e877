#pragma once
// The tick list of an axis: major and minor tick values with their labels
// and pixels, in ascending value order, holding only ticks on the scale.
#include "plot/TiPlotScaleMap.h"

#include "widgets/TiGeometry.h"

#include <QLine>
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

// Where an axis' labels lie relative to its scale line.
enum class TiPlotAxisSide { Left = 0, Right = 1, Top = 2, Bottom = 3 };

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

// Geometry of drawing an axis: its scale line, ticks, labels and title, and
// the data view's grid lines at its ticks. Lines run from p1 to p2 and, like
// every canvas line, leave out their last pixel.
TiPlotAxisSide axisSide(bool horizontal, bool cartesian, bool reverseSide);
// `margin` is InnerMargin, 0 for a cartesian axis.
QLine scaleLine(TiPlotAxisSide side, const TiRect& scaleRect, int margin);
// A major tick runs from the scale line outward, a minor one from its outer
// end inward; `length` is MajorLength or MinorLength.
QLine tickLine(TiPlotAxisSide side, const TiRect& drawRect, int innerMargin, int length, int pixel, bool major);
// A cartesian axis' tick crosses its line: (length + 1) div 2 to one side,
// one pixel more to the other.
QLine cartesianTickLine(bool horizontal, const TiRect& drawRect, int length, int pixel);
// Distance A of the labels from the band's data-view edge.
int labelOffset(bool scaleLinesShow, bool cartesian, int innerMargin, int majorLength, int labelGap);
// Rectangle a label of width w and height h is centred in (before turning).
TiRect labelRect(TiPlotAxisSide side, TiRotationAngle rotation, const TiRect& drawRect, int offset, int w, int h,
                 int pixel);
// Title rectangle; `turned` tells whether the title is drawn turned 90 degrees.
TiRect titleRect(TiPlotAxisSide side, const TiRect& scaleRect, int outerMargin, bool titleRotated, int textWidth,
                 int textHeight, bool* turned);
// A grid line of an axis across the data view rectangle.
QLine gridLine(bool horizontalAxis, const TiRect& rect, int pixel);

} // namespace TiPlotTicks
