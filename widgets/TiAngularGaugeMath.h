#pragma once
// Geometry of the round dial: value to angle, radii of the bands, section
// spans, arc outlines, pointer shapes and their hit regions, label
// rectangles, auto-centring and auto-sizing. Nothing here paints.
#include "widgets/TiAngularGaugeTypes.h"
#include "widgets/TiGeometry.h"
#include "widgets/TiScaleTypes.h"

#include <QList>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <array>
#include <vector>

namespace TiAngularGaugeMath {

// 0 below the minimum (or for equal bounds), 1 above the maximum, linear between.
double valuePercent(double value, double positionMin, double positionMax);

// Angle (degrees counter-clockwise from 3 o'clock) of a value. The scale
// runs clockwise from arcStart over arcRange, counter-clockwise when reversed.
double positionToDegrees(double value, double positionMin, double positionMax, int arcStart,
                         int arcRange, bool reverse);

// The sweep is at most a full turn.
int clampArcRange(int degrees);

struct Radii {
    int tickInner = 0;       // inner edge of the tick band
    int tickOuter = 0;       // outer edge (end of the major ticks)
    double minorFrom = 0;    // minor tick span
    double minorTo = 0;
    int sectionInner = 0;    // coloured ring
    int sectionOuter = 0;
    int label = 0;           // anchor of the tick labels
};

Radii radii(int arcRadius, int tickMargin, int majorLength, int minorLength,
            TiTickMinorAlignment minorAlignment, bool showInnerArc, bool showOuterArc,
            int labelMargin);

// One coloured stretch of the ring; colorIndex counts from 1.
struct SectionSpan {
    double from = 0;
    double to = 0;
    int colorIndex = 1;
};

// Sections 1..count over min..max; `ends` are SectionEnd1..4. An end outside
// the bounds is clamped, one below the previous end runs to the maximum, and
// the last section always ends at the maximum.
std::vector<SectionSpan> sectionSpans(double positionMin, double positionMax, int sectionCount,
                                      const std::array<double, 4>& ends);

// Outline of a ring sector between two angles: 401 points along r1 when the
// radii are equal (a polyline), else 803 points closing back along r2.
QList<QPoint> arcSegmentPoints(double degrees1, double degrees2, double r1, double r2,
                               QPoint center);

// The same outline without rounding, for screens with more device pixels
// than logical ones, where the rounded points would show as steps.
QList<QPointF> arcSegmentPointsExact(double degrees1, double degrees2, double r1, double r2,
                                     QPoint center);

struct PointerShape {
    bool hasLine = false;         // needle line from the centre to the tip
    QPoint tip;
    QList<QPoint> triangle;       // filled, empty for a plain line
    QRegion hit;                  // where a press counts as on the pointer
};

PointerShape pointerShape(TiAngularGaugePointerStyle style, double degrees, int arcRadius,
                          int margin, int size, bool drawScaleSide, QPoint center);

// Rectangle of a tick label of size w x h anchored at `anchor` at `degrees`.
TiRect labelRect(TiLabelAlignment alignment, QPoint anchor, int w, int h, double degrees);

// Dial centre that centres the hub, the tick band (at `bandRadius`, sampled
// at `bandAngles`) and the labels (given for a centre at the origin) in the
// widget, then shifted by the offsets (a positive offsetY moves it up).
QPoint autoCenter(QPoint plainCenter, int width, int height, int hubSize, int bandRadius,
                  const std::vector<double>& bandAngles,
                  const std::vector<TiRect>& labelRectsAtOrigin, int offsetX, int offsetY);

// Angles at which the tick band is sampled for auto-centring: the minimum and
// every tenth of the range short of the maximum.
std::vector<double> bandSampleAngles(double positionMin, double positionMax, int arcStart,
                                     int arcRange, bool reverse);

// ArcRadius that fits the dial and its labels (measured for ArcRadius 0 at
// the origin) into the widget.
int autoSizeRadius(const std::vector<TiRect>& labelRectsAtOrigin, int width, int height,
                   int arcRange, int outerMargin, int hubSize);

// Everything a paint of the dial places: worked out in one go before the
// paint and kept whole until the next one (mouse hit-tests use its centre).
struct GaugeLayoutInput {
    int width = 0;
    int height = 0;
    QPoint plainCenter;       // the base's centre point (size and offsets)
    int offsetX = 0;
    int offsetY = 0;
    bool autoCenter = true;
    bool autoSize = false;
    int arcRadius = 60;       // ArcRadius as set; AutoSize replaces it
    int outerMargin = 5;
    int hubSize = 14;
    int tickMargin = 0;
    int majorLength = 0;
    int minorLength = 0;
    TiTickMinorAlignment minorAlignment = itmnaInside;
    bool showInnerArc = false;
    bool showOuterArc = false;
    int labelMargin = 0;
    TiLabelAlignment labelAlignment = ilaCenter;
    int arcStart = 180;
    int arcRange = 90;
    bool reverse = false;
    double positionMin = 0;
    double positionMax = 100;
    // Per tick label, measured whether the labels are shown or not.
    std::vector<double> labelDegrees;
    std::vector<QSize> labelSizes;
};

struct GaugeLayout {
    QPoint center;
    int arcRadius = 0;
    Radii radii;
    std::vector<TiRect> labelRects; // about the centre
};

GaugeLayout gaugeLayout(const GaugeLayoutInput& in);

// Screen angle of the mouse about the centre for marker dragging: degrees
// clockwise from 3 o'clock (screen Y grows downward), in (-180, 180], never
// below -arcStart.
double dragDegrees(QPoint center, QPoint mouse, int arcStart);

// Change of a dragged marker's value when the mouse turns from `previous`
// to `current` (both from dragDegrees).
double dragValueDelta(double previous, double current, int arcRange, double positionMin,
                      double positionMax, bool reverse);

} // namespace TiAngularGaugeMath
