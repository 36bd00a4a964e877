#include "widgets/TiAngularGauge.h"

#include "widgets/TiError.h"
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
    SetProperty(clampArcRange(value), m_arcRangeDegrees, irtBackGround);
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

void TiAngularGauge::SetMinMaxPointerStyle(TiAngularGaugePointerStyle value) { SetProperty(value, m_minMaxPointerStyle, irtBackGround); }

void TiAngularGauge::SetLabel1AlignHorizontal(TiAlignmentHorizontal value) { SetProperty(value, m_label1.alignHorizontal, irtBackGround); }

void TiAngularGauge::SetLabel2AlignHorizontal(TiAlignmentHorizontal value) { SetProperty(value, m_label2.alignHorizontal, irtBackGround); }

void TiAngularGauge::SetLabel1AlignVertical(TiAlignmentVertical value) { SetProperty(value, m_label1.alignVertical, irtBackGround); }

void TiAngularGauge::SetLabel2AlignVertical(TiAlignmentVertical value) { SetProperty(value, m_label2.alignVertical, irtBackGround); }

void TiAngularGauge::SetTickLabelAlignment(TiLabelAlignment value) { SetProperty(value, m_tickLabelAlignment, irtBackGround); }

void TiAngularGauge::SetPanelFaceStyle(TiPanelFaceStyle value) { SetProperty(value, m_panelFaceStyle, irtBackGround); }

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
    const GaugeLayout layout = computeLayout(canvas);
    if (index < 0 || index >= static_cast<int>(layout.labelRects.size()))
        throw TiError(QStringLiteral("Index out of Bounds"));
    const QPoint shift = center - layout.center;
    return layout.labelRects[static_cast<std::size_t>(index)].Offset(shift.x(), shift.y());
}

GaugeLayout TiAngularGauge::computeLayout(TiCanvas& canvas)
{
    GaugeLayoutInput in;
    in.width = Width();
    in.height = Height();
    in.plainCenter = TiGaugeComponent::GetCenterPoint(canvas);
    in.offsetX = OffsetX();
    in.offsetY = OffsetY();
    in.autoCenter = m_autoCenter;
    in.autoSize = m_autoSize;
    in.arcRadius = m_arcRadius;
    in.outerMargin = m_outerMargin;
    in.hubSize = m_hubSize;
    in.tickMargin = TickMargin();
    in.majorLength = TickMajorLength();
    in.minorLength = TickMinorLength();
    in.minorAlignment = TickMinorAlignment();
    in.showInnerArc = m_showInnerArcRadius;
    in.showOuterArc = m_showOuterArcRadius;
    in.labelMargin = TickLabelMargin();
    in.labelAlignment = m_tickLabelAlignment;
    in.arcStart = m_arcStartDegrees;
    in.arcRange = m_arcRangeDegrees;
    in.reverse = m_reverseScale;
    in.positionMin = PositionMin();
    in.positionMax = PositionMax();
    canvas.Font = TickLabelFont();
    for (int i = 0; i < TickMajorCount(); ++i) {
        in.labelDegrees.push_back(PositionToDegrees(GetLabelValue(i)));
        in.labelSizes.push_back(canvas.TextExtent(GetLabelText(i)));
    }
    return gaugeLayout(in);
}

QPoint TiAngularGauge::GetCenterPoint(TiCanvas& canvas)
{
    return computeLayout(canvas).center;
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
    m_layout = computeLayout(canvas);
    // AutoSize chooses ArcRadius itself; it is stored without a repaint
    // request, since whatever changed the size or the labels already asked
    // for the background to be rebuilt.
    m_arcRadius = m_layout.arcRadius;
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
        canvas.Ellipse(m_layout.center.x() - r, m_layout.center.y() - r, m_layout.center.x() + r + 1,
                       m_layout.center.y() + r + 1);
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
    const double a1 = PositionToDegrees(from);
    const double a2 = PositionToDegrees(to);
    // On a screen with finer pixels the ring follows the true circle; at one
    // device pixel per pixel the rounded outline is exactly what is drawn.
    if (canvas.PixelRatio() > 1) {
        const QList<QPointF> points = arcSegmentPointsExact(a1, a2, r1, r2, m_layout.center);
        if (r1 == r2)
            canvas.PolylineF(points);
        else
            canvas.PolygonF(points);
        return;
    }
    const QList<QPoint> points = arcSegmentPoints(a1, a2, r1, r2, m_layout.center);
    if (r1 == r2)
        canvas.Polyline(points);
    else
        canvas.Polygon(points);
}

void TiAngularGauge::drawSections(TiCanvas& canvas)
{
    const Radii& r = m_layout.radii;
    const std::array<double, 4> ends{SectionEnd1(), SectionEnd2(), SectionEnd3(), SectionEnd4()};
    for (const SectionSpan& s : sectionSpans(PositionMin(), PositionMax(), SectionCount(), ends))
        drawArcSegment(canvas, s.from, s.to, r.sectionInner, r.sectionOuter,
                       SectionColor(s.colorIndex));
}

void TiAngularGauge::drawArcLines(TiCanvas& canvas)
{
    const Radii& r = m_layout.radii;
    if (m_showInnerArcRadius)
        drawArcSegment(canvas, PositionMin(), PositionMax(), r.tickInner, r.tickInner,
                       TickMajorColor());
    if (m_showOuterArcRadius)
        drawArcSegment(canvas, PositionMin(), PositionMax(), r.tickOuter, r.tickOuter,
                       TickMajorColor());
}

void TiAngularGauge::drawTicksAndLabels(TiCanvas& canvas)
{
    const Radii& r = m_layout.radii;
    const TiScaleMath::TickValues ticks =
        TiScaleMath::tickValues(LabelStart(), LabelEnd(), TickMajorCount(), TickMinorCount(),
                                UsesLabelRange() && ShowTicksMinor(), PositionMin(), PositionMax());
    canvas.Brush.Style = bsClear;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    const auto tick = [&](double value, double from, double to) {
        const double degrees = PositionToDegrees(value);
        const QPoint a = GetXYRadPoint(degrees, from, m_layout.center);
        const QPoint b = GetXYRadPoint(degrees, to, m_layout.center);
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
        if (ShowTickLabels() && i < m_layout.labelRects.size()) {
            canvas.Font = TickLabelFont();
            canvas.Brush.Style = bsClear;
            canvas.DrawText(m_layout.labelRects[i], GetLabelText(static_cast<int>(i)),
                            itfCenter | itfVCenter | itfSingleLine | itfNoClip);
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
    int y = m_layout.center.y() + label.offsetY - size.height() / 2;
    if (label.alignVertical == iavTop)
        y = label.offsetY;
    else if (label.alignVertical == iavBottom)
        y = label.offsetY + Height() - size.height();
    int x = m_layout.center.x() + label.offsetX - size.width() / 2;
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
    const PointerShape shape = pointerShape(style, PositionToDegrees(position), m_layout.arcRadius,
                                            margin, size, drawScaleSide, m_layout.center);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = color;
    if (shape.hasLine)
        canvas.Line(m_layout.center.x(), m_layout.center.y(), shape.tip.x(), shape.tip.y());
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
            m_dragDegrees = dragDegrees(m_layout.center, p, m_arcStartDegrees);
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
    const double degrees = dragDegrees(m_layout.center, QPoint(x, y), m_arcStartDegrees);
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
