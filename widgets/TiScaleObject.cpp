#include "widgets/TiScaleObject.h"

#include "widgets/TiScaleMath.h"

#include <utility>

TiScaleObject::TiScaleObject(std::function<void()> changed) : m_changed(std::move(changed)) {}

void TiScaleObject::SetTickMajorCount(int value)
{
    store(TiScaleMath::clampTickMajorCount(value), m_tickMajorCount);
}

void TiScaleObject::SetTickMajorLength(int value)
{
    store(TiScaleMath::clampTickLength(value), m_tickMajorLength);
}

void TiScaleObject::SetTickMinorCount(int value)
{
    store(TiScaleMath::clampTickMinorCount(value), m_tickMinorCount);
}

void TiScaleObject::SetTickMinorLength(int value)
{
    store(TiScaleMath::clampTickLength(value), m_tickMinorLength);
}

void TiScaleObject::SetTickLabelPrecision(int value)
{
    store(TiScaleMath::clampTickLabelPrecision(value), m_tickLabelPrecision);
}

int TiScaleObject::PositionToPixelsAbsolute(double value) const
{
    return TiScaleMath::positionToPixelsAbsolute(value, Min, Max, PixelMin, PixelMax, Reverse);
}

int TiScaleObject::PositionToPixelsRelative(double value) const
{
    return TiScaleMath::positionToPixelsRelative(value, Min, Max, PixelMin, PixelMax, Reverse);
}

void TiScaleObject::drawTick(TiCanvas& canvas, int at, int from, int length, TColor color,
                             TiBevelStyle style) const
{
    const int side = Side == iosTopLeft ? -1 : 1;
    const int to = from + side * length;
    const auto line = [&](int offset, TColor c) {
        canvas.Pen.Color = c;
        if (Orientation == ioVertical)
            canvas.Line(from, at + offset, to, at + offset);
        else
            canvas.Line(at + offset, from, at + offset, to);
    };
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    if (style == ibsNone) {
        line(0, color);
    } else if (Orientation == ioVertical) {
        // A horizontal tick: a light and a dark line one above the other.
        line(0, style == ibsRaised ? clWhite : clBlack);
        line(1, style == ibsRaised ? clBlack : clWhite);
    } else {
        line(-1, style == ibsRaised ? clWhite : clBlack);
        line(0, clWhite);
        line(1, style == ibsRaised ? clBlack : clWhite);
    }
}

void TiScaleObject::Draw(TiCanvas& canvas) const
{
    const double start = LabelStart();
    const double end = LabelEnd();
    const int side = Side == iosTopLeft ? -1 : 1;
    const TiScaleMath::TickValues ticks = TiScaleMath::tickValues(
        start, end, m_tickMajorCount, m_tickMinorCount, UseLabelRange && m_showTicksMinor, Min, Max);

    canvas.Brush.Style = bsClear;
    canvas.Font = m_tickLabelFont;
    const int majorStart = ScaleLine + side * m_tickMargin;
    const int labelLine = majorStart + side * (m_tickMajorLength + m_tickLabelMargin);
    const int minorStart = TiScaleMath::minorTickStart(m_tickMinorAlignment, ScaleLine, side,
                                                       m_tickMargin, m_tickMajorLength,
                                                       m_tickMinorLength);

    const int last = static_cast<int>(ticks.major.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const double v = ticks.major[static_cast<std::size_t>(i)];
        const int p = PositionToPixelsAbsolute(v);
        if (m_showTicksMajor && (m_showTicksMajorFirstLast || (i != 0 && i != last)))
            drawTick(canvas, p, majorStart, m_tickMajorLength, m_tickMajorColor, m_tickMajorStyle);
        if (!m_showTickLabels)
            continue;
        const QString text = LabelText ? LabelText(i, v)
                                       : TiScaleMath::tickLabelText(v, m_tickLabelPrecision);
        const QSize size = canvas.TextExtent(text);
        if (Orientation == ioVertical) {
            const int x = side > 0 ? labelLine : labelLine - size.width();
            canvas.TextOut(x, p - size.height() / 2, text);
        } else {
            const int y = side > 0 ? labelLine : labelLine - size.height();
            canvas.TextOut(p - size.width() / 2, y, text);
        }
    }
    // Minor ticks belong to the major ones: without majors the scale is bare.
    if (!m_showTicksMinor || !m_showTicksMajor)
        return;
    for (double v : ticks.minor)
        drawTick(canvas, PositionToPixelsAbsolute(v), minorStart, m_tickMinorLength,
                 m_tickMinorColor, m_tickMinorStyle);
}
