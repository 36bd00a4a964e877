#pragma once
// Position list and knob angles of the multi-position switches.
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace TiSwitchMath {

inline constexpr int kMaxPositionLabelsLength = 255;

// True when the comma-separated label text is short enough to be accepted.
bool positionLabelsFit(const QString& labels);

// Splits the label text: pieces trimmed, an empty piece in the middle named
// "???", an empty trailing piece dropped; stops at `maxPositions` (0 = no limit).
QStringList parsePositionLabels(const QString& labels, int maxPositions);

// Angle between positions: 90 and 45 degree spacings shrink when more
// positions must fit round the knob.
double effectiveSpacing(double desiredSpacing, int positionCount);

// Angle of position k, counter-clockwise from 3 o'clock, in [0, 360).
double positionAngle(int k, double startDegrees, double spacing);

// Position under a mouse point with the knob centred at (cx, cy), or -1 when
// the point lies beyond the last position's sector.
int gotoPosition(double x, double y, double cx, double cy, double startDegrees, double spacing,
                 int positionCount);

// Radius of the label anchors round the knob.
int labelRadius(int pointerLength, int labelMargin, bool showIndicators, int indicatorMargin,
                int indicatorSize);

// Offset that centres the knob drawing: the rounded middle of the bounding
// box of the label ring (radius `outerRadius` at every position) and of the
// knob's far end (radius -pointerLength at positions 1 .. count - 1), seen
// from (0, 0). The knob centre is the plain centre minus this.
QPoint knobCentreOffset(double startDegrees, double spacing, int positionCount, double outerRadius,
                        int pointerLength);

// The five corners of the pointer knob at an angle: tip at `length`, the
// shoulders `height` either side of radius length - 2 * height, and the
// tail corners `height` either side of radius -length.
QList<QPoint> pointerPolygon(QPoint centre, double degrees, int length, int height);

// The four corners of the bar knob, `height` either side of the axis from
// radius -length to radius length.
QList<QPoint> barPolygon(QPoint centre, double degrees, int length, int height);

// Hour (1..12, fractional for half hours) on a clock face for an angle.
double clockHour(double degrees);

} // namespace TiSwitchMath
