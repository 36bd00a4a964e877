#include "widgets/TiThermometer.h"

#include "widgets/TiScaleMath.h"

#include <QImage>
#include <algorithm>

using TiThermometerMath::Tube;

TiThermometer::TiThermometer(QWidget* parent) : TiScaleComponent(parent)
{
    SetTickMajorLength(10);
    SetTickMinorLength(6);
    SetTickMargin(8);
    SetMinMaxPointerMargin(5);
    resize(100, 150);
}

void TiThermometer::SetIndicatorStyle(TiThermometerIndicatorStyle value) { SetProperty(value, m_indicatorStyle, irtBackGround); }

void TiThermometer::SetIndicatorWidth(int value) { SetProperty(value, m_indicatorWidth, irtBackGround); }
void TiThermometer::SetIndicatorBulbSize(int value) { SetProperty(value, m_indicatorBulbSize, irtBackGround); }
void TiThermometer::SetIndicatorColor(TColor value) { SetProperty(value, m_indicatorColor, irtBackGround); }
void TiThermometer::SetIndicatorBackGroundColor(TColor value) { SetProperty(value, m_indicatorBackGroundColor, irtBackGround); }

void TiThermometer::SetIndicatorFillReferenceStyle(TiPointerFillReferenceStyle value) { SetProperty(value, m_fillReferenceStyle, irtBackGround); }

void TiThermometer::SetIndicatorFillReferenceValue(double value) { SetProperty(value, m_fillReferenceValue, irtBackGround); }

void TiThermometer::SetOrientation(TiOrientation value)
{
    if (value == m_orientation)
        return;
    m_orientation = value;
    if (!Loading())
        SetBounds(x(), y(), height(), width());
    BackGroundChange();
}

void TiThermometer::SetOrientationTickMarks(TiOrientationSide value) { SetProperty(value, m_orientationTickMarks, irtBackGround); }

void TiThermometer::SetEndsMargin(int value) { SetProperty(value, m_endsMargin, irtBackGround); }
void TiThermometer::SetAutoCenter(bool value) { SetProperty(value, m_autoCenter, irtBackGround); }
void TiThermometer::SetReverseScale(bool value) { SetProperty(value, m_reverseScale, irtBackGround); }

TiThermometerMath::Style TiThermometer::MathStyle() const
{
    switch (m_indicatorStyle) {
    case itisBulb:
        return TiThermometerMath::Style::Bulb;
    case itisBar:
        return TiThermometerMath::Style::Bar;
    case itisBarSunken:
    case itisBarRaised:
        return TiThermometerMath::Style::BarFramed;
    }
    return TiThermometerMath::Style::Bulb;
}

int TiThermometer::MarkerExtent() const
{
    int e = 0;
    if (ShowMinPointer() || ShowMaxPointer())
        e = MinMaxPointerMargin() + MinMaxPointerSize();
    for (int i = 0; i < GetLimitCount(); ++i) {
        const TiPositionLimit& l = Limit(i);
        if (l.ShowUpperPointer || l.ShowLowerPointer)
            e = std::max(e, l.PointerMargin + l.PointerSize);
    }
    return e;
}

QPoint TiThermometer::GetCenterPoint(TiCanvas& canvas)
{
    QPoint c = TiScaleComponent::GetCenterPoint(canvas);
    if (!m_autoCenter)
        return c;
    int labelSize = 0;
    if (ShowTickLabels()) {
        canvas.Font = TickLabelFont();
        const int decimals = GetDecimalPoints();
        const QString minText = TiScaleMath::tickLabelText(PositionMin(), decimals);
        const QString maxText = TiScaleMath::tickLabelText(PositionMax(), decimals);
        labelSize = Vertical() ? std::max(canvas.TextWidth(minText), canvas.TextWidth(maxText))
                               : std::max(canvas.TextHeight(minText), canvas.TextHeight(maxText));
    }
    const int s = TiThermometerMath::centerShift(ShowTickLabels(), TickLabelMargin(), labelSize, m_indicatorWidth,
                                                 MarkerExtent(), ShowTicksMajor(), TickMajorLength(), TickMargin());
    const bool ticksBottomRight = m_orientationTickMarks == iosBottomRight;
    if (Vertical())
        c.rx() += ticksBottomRight ? -(s / 2) : s / 2;
    else
        c.ry() += ticksBottomRight ? -(s / 2) : s / 2;
    return c;
}

QPoint TiThermometer::ScratchCentre()
{
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TiCanvas canvas(scratch);
    return GetCenterPoint(canvas);
}

Tube TiThermometer::TubeFor(QPoint centre) const
{
    return TiThermometerMath::tube(Vertical(), MathStyle(), centre.x(), centre.y(), m_indicatorWidth,
                                   m_indicatorBulbSize, m_endsMargin, Width(), Height(), OffsetX(), OffsetY());
}

Tube TiThermometer::TubeRect() { return TubeFor(ScratchCentre()); }

int TiThermometer::PixelOn(const TiThermometerMath::Tube& t, double value) const
{
    return TiThermometerMath::positionPixels(ValuePercent(value), t, Vertical(), Reversed());
}

int TiThermometer::GetPositionPixels(double value) { return PixelOn(TubeRect(), value); }

int TiThermometer::LiquidPixel()
{
    const TiThermometerMath::Tube t = TubeRect();
    if (m_indicatorStyle != itisBulb)
        return PixelOn(t, GetPosition());
    return Vertical() ? TiThermometerMath::bulbLiquidTop(PositionPercent(), t)
                      : TiThermometerMath::bulbLiquidRight(PositionPercent(), t);
}

double TiThermometer::FillReference() const
{
    return m_fillReferenceStyle == ipfrsMin ? PositionMin()
        : m_fillReferenceStyle == ipfrsMax  ? PositionMax()
                                            : m_fillReferenceValue;
}

int TiThermometer::ReferencePixel() { return PixelOn(TubeRect(), FillReference()); }

void TiThermometer::DrawScale(TiCanvas& canvas, const TiThermometerMath::Tube& t, QPoint centre)
{
    UpdateScaleRange();
    TiScaleObject& scale = Scale();
    scale.Orientation = m_orientation;
    scale.Side = m_orientationTickMarks;
    scale.Reverse = Reversed();
    if (Vertical()) {
        scale.PixelMin = t.bottom;
        scale.PixelMax = t.top;
        scale.ScaleLine = centre.x();
    } else {
        scale.PixelMin = t.left;
        scale.PixelMax = t.right;
        scale.ScaleLine = centre.y();
    }
    scale.Draw(canvas);
}

// The bulb, its ring and the empty tube do not move with the value: they go
// into the cached layer and only the liquid is drawn on every paint.
void TiThermometer::DrawBulbGlass(TiCanvas& canvas, const TiThermometerMath::Tube& t, QPoint centre)
{
    const int b = m_indicatorBulbSize;
    const int w = m_indicatorWidth;
    const int hl = 2 * b / 5;
    QPoint p = Vertical() ? QPoint(centre.x(), t.bottom + b) : QPoint(t.left - b, centre.y());
    // The bulb sits one pixel into the tube so the two join without a seam.
    p += Vertical() ? QPoint(0, -1) : QPoint(0, 1);
    const TiRect bulb{p.x() - b, p.y() - b, p.x() + b, p.y() + b};
    const TiRect highlight{p.x() - hl, p.y() - hl, p.x() + hl, p.y() + hl};

    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = m_indicatorColor;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = m_indicatorColor;
    canvas.Ellipse(bulb);

    // Ring: lit from the upper left.
    const TiRect outer = bulb.Inflated(1, 1);
    canvas.Pen.Color = clBtnFace;
    canvas.ArcDegrees(bulb, 90, 225);
    canvas.Pen.Color = clBtnShadow;
    canvas.ArcDegrees(bulb, 225, 450);
    canvas.Pen.Color = clBtnHighlight;
    canvas.ArcDegrees(outer, 90, 225);
    canvas.Pen.Color = clBtnShadow;
    canvas.ArcDegrees(outer, 225, 450);

    canvas.Pen.Color = clWhite;
    canvas.ArcDegrees(highlight, 90, 180);
    canvas.ArcDegrees(highlight.Inflated(1, 1), 90, 180);

    canvas.Pen.Color = m_indicatorBackGroundColor;
    canvas.Brush.Color = m_indicatorBackGroundColor;
    if (Vertical()) {
        canvas.Ellipse(TiRect{t.left, t.top, t.right, t.top + 2 * w});
        canvas.Rectangle(TiRect{t.left, t.top + w, t.right, t.bottom + 1});
    } else {
        canvas.Ellipse(TiRect{t.right - 2 * w, t.top, t.right, t.bottom});
        canvas.Rectangle(TiRect{t.left, t.top, t.right - w, t.bottom});
    }
}

void TiThermometer::DrawBulbLiquid(TiCanvas& canvas, const TiThermometerMath::Tube& t)
{
    const int w = m_indicatorWidth;
    const double percent = PositionPercent();
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = m_indicatorColor;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = m_indicatorColor;
    if (Vertical()) {
        const int y = TiThermometerMath::bulbLiquidTop(percent, t);
        canvas.Ellipse(TiRect{t.left, y, t.right, y + 2 * w});
        canvas.Rectangle(TiRect{t.left, y + w, t.right, t.bottom + 1});
    } else {
        const int x = TiThermometerMath::bulbLiquidRight(percent, t);
        canvas.Ellipse(TiRect{x - 2 * w, t.top, x, t.bottom});
        canvas.Rectangle(TiRect{t.left, t.top, x - w, t.bottom});
    }
}

void TiThermometer::DrawBarGlass(TiCanvas& canvas, const TiThermometerMath::Tube& t)
{
    const TiRect tube{t.left, t.top, t.right, t.bottom};
    if (m_indicatorStyle == itisBarSunken)
        canvas.DrawEdge(tube.Inflated(2, 2), idesSunken);
    else if (m_indicatorStyle == itisBarRaised)
        canvas.DrawEdge(tube.Inflated(2, 2), idesRaised);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = m_indicatorBackGroundColor;
    canvas.FillRect(tube);
}

void TiThermometer::DrawBarLiquid(TiCanvas& canvas, const TiThermometerMath::Tube& t)
{
    const int a = PixelOn(t, GetPosition());
    const int b = PixelOn(t, FillReference());
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = m_indicatorColor;
    if (Vertical())
        canvas.FillRect(TiRect{t.left, std::min(a, b), t.right, std::max(a, b)});
    else
        canvas.FillRect(TiRect{std::min(a, b), t.top, std::max(a, b), t.bottom});
}

TiRect TiThermometer::DrawMarker(TiCanvas& canvas, const TiThermometerMath::Tube& t, double value, int size,
                                 int margin, TColor color, bool scaleSide)
{
    const int p = PixelOn(t, value);
    const int half = size / 2;
    // Markers sit on the side away from the ticks unless asked otherwise.
    const bool awaySide = (m_orientationTickMarks == iosBottomRight) != scaleSide;
    QList<QPoint> tri;
    if (Vertical()) {
        if (awaySide)
            tri = {{t.left - margin, p}, {t.left - margin - size, p - half}, {t.left - margin - size, p + half}};
        else
            tri = {{t.right + margin, p}, {t.right + margin + size, p - half}, {t.right + margin + size, p + half}};
    } else {
        if (awaySide)
            tri = {{p, t.top - margin}, {p - half, t.top - margin - size}, {p + half, t.top - margin - size}};
        else
            tri = {{p, t.bottom + margin}, {p - half, t.bottom + margin + size}, {p + half, t.bottom + margin + size}};
    }
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = color;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.Polygon(tri);
    int l = tri[0].x(), r = l, top = tri[0].y(), bottom = top;
    for (const QPoint& q : tri) {
        l = std::min(l, q.x());
        r = std::max(r, q.x());
        top = std::min(top, q.y());
        bottom = std::max(bottom, q.y());
    }
    return TiRect{l, top, r + 1, bottom + 1};
}

void TiThermometer::iPaintTo(TiCanvas& canvas)
{
    const QPoint centre = GetCenterPoint(canvas);
    const TiThermometerMath::Tube t = TubeFor(centre);
    DrawCached(canvas, [&](TiCanvas& c) {
        DrawBackGround(c, BackGroundColor());
        DrawScale(c, t, centre);
        if (m_indicatorStyle == itisBulb)
            DrawBulbGlass(c, t, centre);
        else
            DrawBarGlass(c, t);
    });

    if (m_indicatorStyle == itisBulb)
        DrawBulbLiquid(canvas, t);
    else
        DrawBarLiquid(canvas, t);

    m_maxMarkerRect = {};
    m_minMarkerRect = {};
    if (ShowMaxPointer())
        m_maxMarkerRect = DrawMarker(canvas, t, CurrentMax(), MinMaxPointerSize(), MinMaxPointerMargin(),
                                     MaxPointerColor(), false);
    if (ShowMinPointer())
        m_minMarkerRect = DrawMarker(canvas, t, CurrentMin(), MinMaxPointerSize(), MinMaxPointerMargin(),
                                     MinPointerColor(), false);
    for (int i = 0; i < GetLimitCount(); ++i) {
        const TiPositionLimit& l = Limit(i);
        if (l.ShowUpperPointer)
            DrawMarker(canvas, t, l.UpperValue, l.PointerSize, l.PointerMargin, l.UpperPointerColor, l.DrawScaleSide);
        if (l.ShowLowerPointer)
            DrawMarker(canvas, t, l.LowerValue, l.PointerSize, l.PointerMargin, l.LowerPointerColor, l.DrawScaleSide);
    }
}

double TiThermometer::DragTravel() const
{
    double travel = (Vertical() ? Height() : Width()) - 2.0 * m_endsMargin;
    if (m_indicatorStyle == itisBulb)
        travel -= 2.0 * m_indicatorBulbSize;
    else if (m_indicatorStyle != itisBar)
        travel -= 2;
    return travel;
}

void TiThermometer::iMouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != Qt::LeftButton || !MinMaxUserCanMove())
        return;
    if (ShowMinPointer() && m_minMarkerRect.Contains(x, y)) {
        m_drag = Drag::Min;
        m_dragStartValue = CurrentMin();
    } else if (ShowMaxPointer() && m_maxMarkerRect.Contains(x, y)) {
        m_drag = Drag::Max;
        m_dragStartValue = CurrentMax();
    } else {
        return;
    }
    m_dragStart = QPoint(x, y);
    InvalidateChange();
}

void TiThermometer::iMouseMove(TShiftState, int x, int y)
{
    if (m_drag == Drag::None)
        return;
    const double travel = DragTravel();
    if (travel <= 0)
        return;
    const double range = PositionMax() - PositionMin();
    const double value = Vertical() ? m_dragStartValue + (m_dragStart.y() - y) / travel * range
                                    : m_dragStartValue - (m_dragStart.x() - x) / travel * range;
    if (m_drag == Drag::Min) {
        SetCurrentMin(value);
        if (CurrentMin() > CurrentMax())
            SetCurrentMax(CurrentMin());
    } else {
        SetCurrentMax(value);
        if (CurrentMax() < CurrentMin())
            SetCurrentMin(CurrentMax());
    }
}

void TiThermometer::iMouseUp(TMouseButton button, TShiftState, int, int)
{
    if (button == Qt::LeftButton)
        m_drag = Drag::None;
}
