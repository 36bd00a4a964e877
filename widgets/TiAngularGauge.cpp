#include "widgets/TiAngularGauge.h"

#include "widgets/TiScaleMath.h"

#include <algorithm>

using namespace TiAngularGaugeMath;

TiAngularGauge::TiAngularGauge(QWidget* parent) : TiGaugeComponent(parent)
{
    Scale().SetTickLabelMargin(15);
    m_label1.offsetX = -15;
    m_label1.offsetY = -35;
    m_label2.offsetX = -15;
    m_label2.offsetY = -20;
    resize(150, 150);
}

void TiAngularGauge::SetArcRangeDegrees(int value)
{
    SetIntegerProperty(clampArcRange(value), m_arcRangeDegrees, irtBackGround);
}

TiAngularGaugePointerStyle TiAngularGauge::PointerStyle() const
{
    return PointersStyle(0);
}

void TiAngularGauge::SetPointerStyle(TiAngularGaugePointerStyle value)
{
    SetPointersStyle(0, value);
}

int TiAngularGauge::PointerSize() const
{
    return Pointers(0).Size();
}

void TiAngularGauge::SetPointerSize(int value)
{
    Pointers(0).SetSize(value);
}

int TiAngularGauge::PointerMargin() const
{
    return PointersMargin(0);
}

void TiAngularGauge::SetPointerMargin(int value)
{
    SetPointersMargin(0, value);
}

TColor TiAngularGauge::PointerColor() const
{
    return Pointers(0).Color();
}

void TiAngularGauge::SetPointerColor(TColor value)
{
    Pointers(0).SetColor(value);
}

int TiAngularGauge::PointersMargin(int index) const
{
    return Pointers(index).Margin();
}

void TiAngularGauge::SetPointersMargin(int index, int value)
{
    Pointers(index).SetMargin(value);
}

TiAngularGaugePointerStyle TiAngularGauge::PointersStyle(int index) const
{
    return static_cast<TiAngularGaugePointerStyle>(std::clamp(Pointers(index).Style(), 0, 3));
}

void TiAngularGauge::SetPointersStyle(int index, TiAngularGaugePointerStyle value)
{
    Pointers(index).SetStyle(value);
}

void TiAngularGauge::SetMinMaxPointerStyle(TiAngularGaugePointerStyle value)
{
    if (value == m_minMaxPointerStyle)
        return;
    m_minMaxPointerStyle = value;
    BackGroundChange();
}

void TiAngularGauge::SetLabel1AlignHorizontal(TiAlignmentHorizontal value)
{
    if (value == m_label1.alignHorizontal)
        return;
    m_label1.alignHorizontal = value;
    BackGroundChange();
}

void TiAngularGauge::SetLabel2AlignHorizontal(TiAlignmentHorizontal value)
{
    if (value == m_label2.alignHorizontal)
        return;
    m_label2.alignHorizontal = value;
    BackGroundChange();
}

void TiAngularGauge::SetLabel1AlignVertical(TiAlignmentVertical value)
{
    if (value == m_label1.alignVertical)
        return;
    m_label1.alignVertical = value;
    BackGroundChange();
}

void TiAngularGauge::SetLabel2AlignVertical(TiAlignmentVertical value)
{
    if (value == m_label2.alignVertical)
        return;
    m_label2.alignVertical = value;
    BackGroundChange();
}

void TiAngularGauge::SetTickLabelAlignment(TiLabelAlignment value)
{
    if (value == m_tickLabelAlignment)
        return;
    m_tickLabelAlignment = value;
    BackGroundChange();
}

void TiAngularGauge::SetPanelFaceStyle(TiPanelFaceStyle value)
{
    if (value == m_panelFaceStyle)
        return;
    m_panelFaceStyle = value;
    BackGroundChange();
}

// ---------------------------------------------------------------- geometry

double TiAngularGauge::PositionToDegrees(double value) const
{
    return positionToDegrees(value, PositionMin(), PositionMax(), m_arcStartDegrees,
                             m_arcRangeDegrees, m_reverseScale);
}

double TiAngularGauge::GetLabelValue(int index) const
{
    return TiScaleMath::labelValue(index, LabelStart(), LabelEnd(), TickMajorCount());
}

QString TiAngularGauge::GetLabelText(int index)
{
    return GetTickLabelText(index, GetLabelValue(index));
}

TiRect TiAngularGauge::GetLabelRect(TiCanvas& canvas, int index, QPoint center)
{
    return labelRectFor(canvas, index, GetLabelText(index), center);
}

TiRect TiAngularGauge::labelRectFor(TiCanvas& canvas, int index, const QString& text,
                                    QPoint center)
{
    canvas.Font = TickLabelFont();
    const QSize size = canvas.TextExtent(text);
    const double degrees = PositionToDegrees(GetLabelValue(index));
    const QPoint anchor = GetXYRadPoint(degrees, currentRadii().label, center);
    return labelRect(m_tickLabelAlignment, anchor, size.width(), size.height(), degrees);
}

Radii TiAngularGauge::currentRadii() const
{
    return radii(m_arcRadius, TickMargin(), TickMajorLength(), TickMinorLength(),
                 TickMinorAlignment(), m_showInnerArcRadius, m_showOuterArcRadius,
                 TickLabelMargin());
}

std::vector<TiRect> TiAngularGauge::labelRectsAtOrigin(TiCanvas& canvas, int arcRadius)
{
    const int saved = m_arcRadius;
    m_arcRadius = arcRadius;
    // Measured also while the labels are hidden, so that hiding them
    // neither moves nor resizes the dial.
    std::vector<TiRect> rects;
    for (int i = 0; i < TickMajorCount(); ++i)
        rects.push_back(GetLabelRect(canvas, i, QPoint(0, 0)));
    m_arcRadius = saved;
    return rects;
}

QPoint TiAngularGauge::GetCenterPoint(TiCanvas& canvas)
{
    const QPoint plain = TiGaugeComponent::GetCenterPoint(canvas);
    if (!m_autoCenter && !m_autoSize)
        return plain;
    const std::vector<double> angles = bandSampleAngles(
        PositionMin(), PositionMax(), m_arcStartDegrees, m_arcRangeDegrees, m_reverseScale);
    return autoCenter(plain, Width(), Height(), m_hubSize,
                      TickMargin() + m_arcRadius + TickMinorLength(), angles,
                      labelRectsAtOrigin(canvas, m_arcRadius), OffsetX(), OffsetY());
}

void TiAngularGauge::applyAutoSize(TiCanvas& canvas)
{
    // Stored without a repaint request: whatever changed the size or the
    // labels has already asked for the background to be rebuilt.
    m_arcRadius = autoSizeRadius(labelRectsAtOrigin(canvas, 0), Width(), Height(),
                                 m_arcRangeDegrees, m_outerMargin, m_hubSize);
}

QRegion TiAngularGauge::PointerRegion(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_pointerRegions.size()))
        return {};
    return m_pointerRegions[static_cast<std::size_t>(index)];
}

// ---------------------------------------------------------------- painting

void TiAngularGauge::iPaintTo(TiCanvas& canvas)
{
    if (m_autoSize)
        applyAutoSize(canvas);
    m_center = GetCenterPoint(canvas);
    DrawCached(canvas, [this](TiCanvas& c) { drawStatic(c); });

    if (m_label1.show)
        drawFreeLabel(canvas, m_label1);
    if (m_label2.show)
        drawFreeLabel(canvas, m_label2);
    drawMarkers(canvas);

    const int count = GetPointerCount();
    m_pointerRegions.assign(static_cast<std::size_t>(count), QRegion());
    for (int i = 0; i < count; ++i) {
        const TiGaugePointer& p = Pointers(i);
        if (!p.Visible())
            continue;
        m_pointerRegions[static_cast<std::size_t>(i)] =
            drawIndicator(canvas, p.Position(), PointersStyle(i), p.Margin(), p.Size(), p.Color(),
                          p.DrawScaleSide())
                .hit;
    }

    if (m_showHub) {
        const int r = m_hubSize / 2;
        canvas.Pen.Style = psSolid;
        canvas.Pen.Width = 1;
        canvas.Pen.Color = m_hubColor;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = m_hubColor;
        // One pixel wider so that the hub is centred on the centre pixel,
        // where the needles start.
        canvas.Ellipse(m_center.x() - r, m_center.y() - r, m_center.x() + r + 1,
                       m_center.y() + r + 1);
    }
}

void TiAngularGauge::drawStatic(TiCanvas& canvas)
{
    DrawBackGround(canvas, BackGroundColor());
    drawFace(canvas);
    drawSections(canvas);
    drawArcLines(canvas);
    drawTicksAndLabels(canvas);
}

void TiAngularGauge::drawFace(TiCanvas& canvas)
{
    if (m_panelFaceStyle == ipfsNone)
        return;
    const int w = Width();
    const int h = Height();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = m_panelFaceOuterColor;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = clWhite;
    canvas.RoundRect(TiRect{0, 0, w, h}, w / 8, h / 8);
    canvas.Brush.Color = m_panelFaceInnerColor;
    canvas.Pen.Color = m_panelFaceInnerColor;
    canvas.Ellipse(m_panelFaceSize, m_panelFaceSize, w - m_panelFaceSize, h - m_panelFaceSize);
}

void TiAngularGauge::drawArcSegment(TiCanvas& canvas, double from, double to, double r1,
                                    double r2, TColor color)
{
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = color;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    const QList<QPoint> points =
        arcSegmentPoints(PositionToDegrees(from), PositionToDegrees(to), r1, r2, m_center);
    if (r1 == r2)
        canvas.Polyline(points);
    else
        canvas.Polygon(points);
}

void TiAngularGauge::drawSections(TiCanvas& canvas)
{
    const Radii r = currentRadii();
    const std::array<double, 4> ends{SectionEnd1(), SectionEnd2(), SectionEnd3(), SectionEnd4()};
    for (const SectionSpan& s : sectionSpans(PositionMin(), PositionMax(), SectionCount(), ends))
        drawArcSegment(canvas, s.from, s.to, r.sectionInner, r.sectionOuter,
                       SectionColor(s.colorIndex));
}

void TiAngularGauge::drawArcLines(TiCanvas& canvas)
{
    const Radii r = currentRadii();
    if (m_showInnerArcRadius)
        drawArcSegment(canvas, PositionMin(), PositionMax(), r.tickInner, r.tickInner,
                       TickMajorColor());
    if (m_showOuterArcRadius)
        drawArcSegment(canvas, PositionMin(), PositionMax(), r.tickOuter, r.tickOuter,
                       TickMajorColor());
}

void TiAngularGauge::drawTicksAndLabels(TiCanvas& canvas)
{
    const Radii r = currentRadii();
    const TiScaleMath::TickValues ticks =
        TiScaleMath::tickValues(LabelStart(), LabelEnd(), TickMajorCount(), TickMinorCount(),
                                UsesLabelRange() && ShowTicksMinor(), PositionMin(), PositionMax());
    canvas.Brush.Style = bsClear;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    const auto tick = [&](double value, double from, double to) {
        const double degrees = PositionToDegrees(value);
        const QPoint a = GetXYRadPoint(degrees, from, m_center);
        const QPoint b = GetXYRadPoint(degrees, to, m_center);
        canvas.Line(a.x(), a.y(), b.x(), b.y());
    };
    const auto minorTicks = [&](std::size_t from, std::size_t to) {
        canvas.Pen.Color = TickMinorColor();
        for (std::size_t k = from; k < to && k < ticks.minor.size(); ++k)
            tick(ticks.minor[k], r.minorFrom, r.minorTo);
    };
    // Interval by interval: its major tick, its label, then its minor ticks
    // (drawn over the label where they overlap).
    const std::size_t perInterval = static_cast<std::size_t>(ticks.minorPerInterval);
    for (std::size_t i = 0; i < ticks.major.size(); ++i) {
        if (ShowTicksMajor()) {
            canvas.Pen.Color = TickMajorColor();
            tick(ticks.major[i], r.tickInner, r.tickOuter);
        }
        if (ShowTickLabels()) {
            const int index = static_cast<int>(i);
            const QString text = GetLabelText(index);
            const TiRect rect = labelRectFor(canvas, index, text, m_center);
            canvas.Brush.Style = bsClear;
            canvas.DrawText(rect, text, itfCenter | itfVCenter | itfSingleLine | itfNoClip);
        }
        if (ShowTicksMinor() && i + 1 < ticks.major.size())
            minorTicks(i * perInterval, (i + 1) * perInterval);
    }
    // The fixed auto-scaler's minor ticks beyond the first and last label.
    if (ShowTicksMinor())
        minorTicks((ticks.major.size() - 1) * perInterval, ticks.minor.size());
}

void TiAngularGauge::drawFreeLabel(TiCanvas& canvas, const FreeLabel& label)
{
    canvas.Font = label.font;
    canvas.Brush.Style = bsClear;
    const QSize size = canvas.TextExtent(label.text);
    int y = m_center.y() + label.offsetY - size.height() / 2;
    if (label.alignVertical == iavTop)
        y = label.offsetY;
    else if (label.alignVertical == iavBottom)
        y = label.offsetY + Height() - size.height();
    int x = m_center.x() + label.offsetX - size.width() / 2;
    if (label.alignHorizontal == iahLeft)
        x = label.offsetX;
    else if (label.alignHorizontal == iahRight)
        x = label.offsetX + Width() - size.width();
    canvas.TextOut(x, y, label.text);
}

PointerShape TiAngularGauge::drawIndicator(TiCanvas& canvas, double position,
                                           TiAngularGaugePointerStyle style, int margin, int size,
                                           TColor color, bool drawScaleSide)
{
    const PointerShape shape = pointerShape(style, PositionToDegrees(position), m_arcRadius,
                                            margin, size, drawScaleSide, m_center);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = color;
    if (shape.hasLine)
        canvas.Line(m_center.x(), m_center.y(), shape.tip.x(), shape.tip.y());
    if (!shape.triangle.isEmpty())
        canvas.Polygon(shape.triangle);
    return shape;
}

void TiAngularGauge::drawMarkers(TiCanvas& canvas)
{
    m_minRegion = QRegion();
    m_maxRegion = QRegion();
    if (ShowMaxPointer())
        m_maxRegion = drawIndicator(canvas, CurrentMax(), m_minMaxPointerStyle,
                                    MinMaxPointerMargin(), MinMaxPointerSize(), MaxPointerColor(),
                                    false)
                          .hit;
    if (ShowMinPointer())
        m_minRegion = drawIndicator(canvas, CurrentMin(), m_minMaxPointerStyle,
                                    MinMaxPointerMargin(), MinMaxPointerSize(), MinPointerColor(),
                                    false)
                          .hit;
    for (int i = 0; i < GetLimitCount(); ++i) {
        if (GetLimitShowUpperPointer(i))
            drawIndicator(canvas, GetLimitUpperValue(i), iagpsArrow, GetLimitPointerMargin(i),
                          GetLimitPointerSize(i), GetLimitUpperPointerColor(i), GetLimitDrawScaleSide(i));
        if (GetLimitShowLowerPointer(i))
            drawIndicator(canvas, GetLimitLowerValue(i), iagpsArrow, GetLimitPointerMargin(i),
                          GetLimitPointerSize(i), GetLimitLowerPointerColor(i), GetLimitDrawScaleSide(i));
    }
}

// ---------------------------------------------------------------- mouse

void TiAngularGauge::iMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TiGaugeComponent::iMouseDown(button, shift, x, y);
    if (button != Qt::LeftButton)
        return;
    const QPoint p(x, y);
    if (MinMaxUserCanMove()) {
        if (ShowMinPointer() && m_minRegion.contains(p))
            m_drag = Drag::Min;
        else if (ShowMaxPointer() && m_maxRegion.contains(p))
            m_drag = Drag::Max;
        if (m_drag != Drag::None) {
            m_dragDegrees = dragDegrees(m_center, p, m_arcStartDegrees);
            InvalidateChange();
        }
    }
    for (int i = 0; i < GetPointerCount(); ++i)
        Pointers(i).Pressed = Pointers(i).Visible() && PointerRegion(i).contains(p);
}

void TiAngularGauge::iMouseMove(TShiftState shift, int x, int y)
{
    TiGaugeComponent::iMouseMove(shift, x, y);
    if (m_drag == Drag::None)
        return;
    const double degrees = dragDegrees(m_center, QPoint(x, y), m_arcStartDegrees);
    const double delta = dragValueDelta(m_dragDegrees, degrees, m_arcRangeDegrees, PositionMin(),
                                        PositionMax(), m_reverseScale);
    m_dragDegrees = degrees;
    if (m_drag == Drag::Min) {
        SetCurrentMin(CurrentMin() + delta);
        if (CurrentMin() > CurrentMax())
            SetCurrentMax(CurrentMin());
    } else {
        SetCurrentMax(CurrentMax() + delta);
        if (CurrentMax() < CurrentMin())
            SetCurrentMin(CurrentMax());
    }
}

void TiAngularGauge::iMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TiGaugeComponent::iMouseUp(button, shift, x, y);
    m_drag = Drag::None;
    const QPoint p(x, y);
    std::vector<int> clicked;
    for (int i = 0; i < GetPointerCount(); ++i) {
        TiGaugePointer& pointer = Pointers(i);
        if (pointer.Pressed && pointer.Visible() && PointerRegion(i).contains(p))
            clicked.push_back(i);
        pointer.Pressed = false;
    }
    for (int i : clicked)
        emit OnClickPointer(i);
}
