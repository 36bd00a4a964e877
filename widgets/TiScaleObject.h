#pragma once

#include "widgets/TiCanvas.h"
#include "widgets/TiColor.h"
#include "widgets/TiFont.h"
#include "widgets/TiScaleTypes.h"
#include "widgets/TiTypes.h"

#include <QString>
#include <functional>

// Tick and label settings of a scale widget, and the drawing of a straight
// scale along a column. The owning widget publishes the settings, hands over
// the geometry before each draw and is told of every change through
// `changed` so that it can rebuild its cached background.
class TiScaleObject {
public:
    explicit TiScaleObject(std::function<void()> changed);

    bool ShowTicksMajor() const { return m_showTicksMajor; }
    void SetShowTicksMajor(bool value) { store(value, m_showTicksMajor); }
    bool ShowTicksMinor() const { return m_showTicksMinor; }
    void SetShowTicksMinor(bool value) { store(value, m_showTicksMinor); }
    bool ShowTickLabels() const { return m_showTickLabels; }
    void SetShowTickLabels(bool value) { store(value, m_showTickLabels); }
    bool ShowTicksMajorFirstLast() const { return m_showTicksMajorFirstLast; }
    void SetShowTicksMajorFirstLast(bool value) { store(value, m_showTicksMajorFirstLast); }

    int TickMajorCount() const { return m_tickMajorCount; }
    void SetTickMajorCount(int value);
    int TickMajorLength() const { return m_tickMajorLength; }
    void SetTickMajorLength(int value);
    TColor TickMajorColor() const { return m_tickMajorColor; }
    void SetTickMajorColor(TColor value) { store(value, m_tickMajorColor); }
    TiBevelStyle TickMajorStyle() const { return m_tickMajorStyle; }
    void SetTickMajorStyle(TiBevelStyle value) { store(value, m_tickMajorStyle); }

    int TickMinorCount() const { return m_tickMinorCount; }
    void SetTickMinorCount(int value);
    int TickMinorLength() const { return m_tickMinorLength; }
    void SetTickMinorLength(int value);
    TColor TickMinorColor() const { return m_tickMinorColor; }
    void SetTickMinorColor(TColor value) { store(value, m_tickMinorColor); }
    TiBevelStyle TickMinorStyle() const { return m_tickMinorStyle; }
    void SetTickMinorStyle(TiBevelStyle value) { store(value, m_tickMinorStyle); }
    TiTickMinorAlignment TickMinorAlignment() const { return m_tickMinorAlignment; }
    void SetTickMinorAlignment(TiTickMinorAlignment value) { store(value, m_tickMinorAlignment); }

    int TickMargin() const { return m_tickMargin; }
    void SetTickMargin(int value) { store(value, m_tickMargin); }
    int TickLabelMargin() const { return m_tickLabelMargin; }
    void SetTickLabelMargin(int value) { store(value, m_tickLabelMargin); }
    const TiFont& TickLabelFont() const { return m_tickLabelFont; }
    void SetTickLabelFont(const TiFont& value) { store(value, m_tickLabelFont); }
    int TickLabelPrecision() const { return m_tickLabelPrecision; }
    void SetTickLabelPrecision(int value);
    TiPrecisionStyle PrecisionStyle() const { return m_precisionStyle; }
    void SetPrecisionStyle(TiPrecisionStyle value) { store(value, m_precisionStyle); }

    // Geometry handed over by the widget before each Draw.
    double Min = 0;
    double Max = 100;
    int PixelMin = 0;          // coordinate of Min along the scale
    int PixelMax = 0;          // coordinate of Max along the scale
    int ScaleLine = 0;         // coordinate of the scale line across the scale
    TiOrientation Orientation = ioVertical;
    TiOrientationSide Side = iosBottomRight;
    bool Reverse = false;
    // Labels run over LabelMin..LabelMax instead of Min..Max (fixed auto-scale).
    bool UseLabelRange = false;
    double LabelMin = 0;
    double LabelMax = 0;

    // Text of label `index` showing `value`; set by the widget (decimals and
    // its customising event).
    std::function<QString(int index, double value)> LabelText;

    int PositionToPixelsAbsolute(double value) const;
    int PositionToPixelsRelative(double value) const;

    // First and last label value.
    double LabelStart() const { return UseLabelRange ? LabelMin : Min; }
    double LabelEnd() const { return UseLabelRange ? LabelMax : Max; }

    void Draw(TiCanvas& canvas) const;

private:
    template <typename T>
    void store(const T& value, T& field)
    {
        if (field == value)
            return;
        field = value;
        m_changed();
    }

    // A tick across the scale at coordinate `at`, from `from` `length` pixels
    // in the tick direction.
    void drawTick(TiCanvas& canvas, int at, int from, int length, TColor color,
                  TiBevelStyle style) const;

    std::function<void()> m_changed;
    bool m_showTicksMajor = true;
    bool m_showTicksMinor = true;
    bool m_showTickLabels = true;
    bool m_showTicksMajorFirstLast = true;
    int m_tickMajorCount = 5;
    int m_tickMajorLength = 7;
    TColor m_tickMajorColor = clBlack;
    TiBevelStyle m_tickMajorStyle = ibsNone;
    int m_tickMinorCount = 4;
    int m_tickMinorLength = 3;
    TColor m_tickMinorColor = clBlack;
    TiBevelStyle m_tickMinorStyle = ibsNone;
    TiTickMinorAlignment m_tickMinorAlignment = itmnaInside;
    int m_tickMargin = 5;
    int m_tickLabelMargin = 5;
    TiFont m_tickLabelFont;
    int m_tickLabelPrecision = 0;
    TiPrecisionStyle m_precisionStyle = ipsFixedDecimalPoints;
};
