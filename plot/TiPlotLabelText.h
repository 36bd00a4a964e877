#pragma once
// Texts of axis labels (also used for cursor and legend read-outs) and the
// band sizes an axis asks of the layout, computed from measured text sizes.
#include "plot/TiPlotTypes.h"
#include "widgets/TiScaleTypes.h"

#include <QString>

struct TiPlotLabelFormat {
    TiPlotTextFormat Style = iptfValue;
    int Precision = 3;
    TiPrecisionStyle PrecisionStyle = ipsSignificantDigits;
    QString DateTimeFormat = QStringLiteral("hh:nn:ss");
};

namespace TiPlotLabelText {

// Decimal places for a value of magnitude `reference`.
int decimalPlaces(int precision, TiPrecisionStyle style, double reference);

// Label text of `value` on an axis of `span` and `scaleType`. An unknown
// result reads "Unknown", a value that cannot be formatted "Error".
QString text(double value, const TiPlotLabelFormat& format, double span, TiPlotScaleType scaleType = ipstLinear);

// Fixed-point text with `decimals` decimals; a value that rounds to zero is
// written without a minus sign.
QString fixedText(double value, int decimals);

// Date-time (days since 30 December 1899, fraction = time of day) written
// with the letters yyyy yy mmmm mmm mm m dddd ddd dd d hh h nn n ss s zzz z
// am/pm ampm; "m" right after an hour means minutes; quoted text is copied.
QString formatDateTime(double value, const QString& format);

// Days since 30 December 1899 of a calendar date and time.
double encodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int msec = 0);

// The label of the widest value an axis can show: Span + Int(Min / Span) * Span.
double widestLabelValue(double min, double span);

// Thickness of an axis band and where its title begins.
struct BandInput {
    bool TitleVisible = false; // TitleShow and not cartesian
    bool TitleRotated = false;
    int TitleWidth = 0;        // in TitleFont
    int TitleHeight = 0;
    double TitleMargin = 0.25;
    bool ScaleLinesShow = true;
    int MajorLength = 7;
    int MinorLength = 3;
    bool LabelsVisible = true;
    int HeightA = 0;           // text height of "A" in LabelsFont
    double LabelsMargin = 0.25;
    int Across = 0;            // label extent across the band
    int InnerMargin = 5;
    int OuterMargin = 5;
};
struct BandResult {
    int RequiredWidth = 0;
    int TitleOffset = 0;
};
BandResult requiredWidth(const BandInput& in);

// Extent of the labels across a band: the widest label for labels standing
// across the band, one text height otherwise.
int labelsAcross(bool horizontal, TiRotationAngle rotation, int widestLabel, int labelHeight);

// How far labels stick out beyond the scale ends: `heightXYZ` is the text
// height of "XYZ" in LabelsFont.
int requiredLengthGuard(bool labelsVisible, bool horizontal, TiRotationAngle rotation, int heightXYZ,
                        int widestLabel);

// Widest label: at least `minLength` widths of "0" and at least every
// measured label width.
int requiredLabelLength(int widthOf0, double minLength, int widestMeasured);

} // namespace TiPlotLabelText
