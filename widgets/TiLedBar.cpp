#include "widgets/TiLedBar.h"

#include "widgets/TiLedBarMath.h"

TiLedBar::TiLedBar(QWidget* parent) : TiProgressComponent(parent)
{
    SetBackGroundColor(clBlack);
    resize(16, 200);
}

void TiLedBar::SetSegmentDirection(TiDirection value)
{
    if (value == m_direction)
        return;
    const bool wasVertical = Vertical();
    m_direction = value;
    if (wasVertical != Vertical() && !Loading())
        SetBounds(x(), y(), height(), width());
    InvalidateChange();
}

void TiLedBar::SetSegmentSize(int value) { SetProperty(value, m_segmentSize, irtInvalidate); }
void TiLedBar::SetSegmentSpacing(int value) { SetProperty(value, m_segmentSpacing, irtInvalidate); }
void TiLedBar::SetSegmentMargin(int value) { SetProperty(value, m_segmentMargin, irtInvalidate); }

void TiLedBar::SetSegmentStyle(TiLedBarSegmentStyle value) { SetProperty(value, m_segmentStyle, irtInvalidate); }

TiRect TiLedBar::WorkingRect() const
{
    const TiRect whole{0, 0, Width(), Height()};
    return BorderStyle() == ibsNone ? whole : whole.Inflated(-2, -2);
}

int TiLedBar::SegmentCount() const
{
    const TiRect r = WorkingRect();
    return TiLedBarMath::segmentLayout(Vertical() ? r.Height() : r.Width(), m_segmentSize, m_segmentSpacing,
                                       m_segmentMargin)
        .count;
}

int TiLedBar::LitCount() const
{
    return TiLedBarMath::litSegments(ValuePercent(GetPosition()), SegmentCount());
}

TiRect TiLedBar::SegmentRect(int index) const
{
    const TiRect r = WorkingRect();
    const TiLedBarMath::SegmentLayout layout = TiLedBarMath::segmentLayout(
        Vertical() ? r.Height() : r.Width(), m_segmentSize, m_segmentSpacing, m_segmentMargin);
    const int c = layout.leftover;
    const int m = m_segmentMargin;
    const int s = m_segmentSize;
    const int step = index * layout.pitch;
    switch (m_direction) {
    case idUp:
        return TiRect{r.Left + m, r.Bottom - c - m - s, r.Right - m, r.Bottom - c - m}.Offset(0, -step);
    case idDown:
        return TiRect{r.Left + m, r.Top + c + m, r.Right - m, r.Top + c + m + s}.Offset(0, step);
    case idRight:
        return TiRect{r.Left + c + m, r.Top + m, r.Left + c + m + s, r.Bottom - m}.Offset(step, 0);
    case idLeft:
        return TiRect{r.Right - c - m - s, r.Top + m, r.Right - c - m, r.Bottom - m}.Offset(-step, 0);
    }
    return {};
}

TColor TiLedBar::SectionColorOf(int index) const
{
    const int n = SegmentCount();
    const int b1 = TiLedBarMath::sectionBoundary(SectionEnd1(), PositionMin(), PositionMax(), n);
    const int b2 = TiLedBarMath::sectionBoundary(SectionEnd2(), PositionMin(), PositionMax(), n);
    const int section = TiLedBarMath::sectionOfSegment(index, SectionCount(), b1, b2);
    return section == 1 ? SectionColor1() : section == 2 ? SectionColor2() : SectionColor3();
}

TColor TiLedBar::SegmentColor(int index) const
{
    const TColor color = SectionColorOf(index);
    return index < LitCount() ? color : tiDimColor(color);
}

void TiLedBar::iPaintTo(TiCanvas& canvas)
{
    // Everything moves with the position: no cached layer.
    DrawBackGround(canvas, BackGroundColor());
    const int n = SegmentCount();
    const int lit = LitCount();
    const int s = m_segmentSize;
    for (int i = 0; i < n; ++i) {
        if (i == lit && !ShowOffSegments())
            break;
        const TiRect seg = SegmentRect(i);
        const TColor color = SegmentColor(i);
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = color;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = color;
        const int cx = (seg.Left + seg.Right) / 2;
        const int cy = (seg.Top + seg.Bottom) / 2;
        switch (m_segmentStyle) {
        case ilbssRectangle:
            canvas.Rectangle(seg);
            break;
        case ilbssCircle: {
            const TiRect box{cx - s / 2, cy - s / 2, cx + s - s / 2, cy + s - s / 2};
            canvas.Ellipse(box);
            // The unlit lamp keeps a hint of its bright colour in the highlight.
            canvas.Pen.Color = i < lit ? clWhite : SectionColorOf(i);
            const int q = s / 4;
            const QPoint from(box.Right - s / 2, box.Top);
            const QPoint to(box.Left, box.Bottom - s / 2);
            canvas.Arc(box.Inflated(-q, -q), from, to);
            canvas.Arc(box.Inflated(-q - 1, -q - 1), from, to);
            break;
        }
        case ilbssTriangle: {
            QList<QPoint> tri;
            switch (m_direction) {
            case idUp:
                tri = {{cx - s / 2, seg.Bottom}, {cx + s / 2, seg.Bottom}, {cx, seg.Top}};
                break;
            case idDown:
                tri = {{cx - s / 2, seg.Top}, {cx + s / 2, seg.Top}, {cx, seg.Bottom}};
                break;
            case idRight:
                tri = {{seg.Left, cy - s / 2}, {seg.Left, cy + s / 2}, {seg.Right, cy}};
                break;
            case idLeft:
                tri = {{seg.Right, cy - s / 2}, {seg.Right, cy + s / 2}, {seg.Left, cy}};
                break;
            }
            canvas.Polygon(tri);
            break;
        }
        }
    }
}
