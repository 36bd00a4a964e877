#include "plot/TiPlotLegendMath.h"

#include "widgets/TiGeometry.h"

#include <algorithm>

namespace TiPlotLegendMath {

namespace {

int ceilDiv(int a, int b) { return b <= 0 ? a : (a + b - 1) / b; }

} // namespace

TiRect Geometry::titleCell(int i, const std::vector<Row>& rows) const
{
    const ItemPlace& p = Items[i];
    return TiRect {p.Left + Offsets[Title], p.Top, p.Left + Offsets[Title] + Widths[Title] + 1, p.Top + rows[i].Height};
}

Geometry calcRects(const Settings& s, const TiRect& drawRect, const Measures& m, const std::vector<Row>& rows,
                   int firstShown)
{
    Geometry g;
    const int w0 = m.WidthOf0, h0 = m.HeightOf0;
    const int mTop = tiRound(h0 * s.MarginTop), mBottom = tiRound(h0 * s.MarginBottom);
    const int mLeft = tiRound(w0 * s.MarginLeft), mRight = tiRound(w0 * s.MarginRight);
    g.Inner = TiRect {drawRect.Left + mLeft, drawRect.Top + mTop, drawRect.Right - mRight, drawRect.Bottom - mBottom};
    g.ColumnGap = tiRound(w0 * s.ColumnSpacing);
    g.RowGap = tiRound(h0 * s.RowSpacing);
    g.WrapGap = tiRound(h0 * s.WrapColSpacingMin);

    std::array<bool, ColumnCount> show = s.Show;
    show[Title] = true;
    const int count = int(rows.size());
    firstShown = count == 0 ? 0 : std::clamp(firstShown, 0, count - 1);

    for (const Row& r : rows) {
        g.RowHeight = std::max(g.RowHeight, r.Height);
        for (int c = Title; c < ColumnCount; ++c)
            if (show[c])
                g.Widths[c] = std::max(g.Widths[c], r.Widths[c]);
    }
    if (s.ColumnTitlesVisible) {
        g.CaptionGap = m.CaptionHeight / 4;
        for (int c = Title; c < ColumnCount; ++c)
            if (show[c])
                g.Widths[c] = std::max(g.Widths[c], m.CaptionWidths[c]);
    }
    const int captionHeight = s.ColumnTitlesVisible ? m.CaptionHeight : 0;
    if (s.ChannelNameMaxWidth != 0)
        g.Widths[Title] = tiRound(w0 * s.ChannelNameMaxWidth);
    g.Widths[Line] = show[Line] ? kSampleWidth : 0;
    g.Widths[Marker] = show[Marker] ? kSampleWidth : 0;

    g.Offsets[Line] = 0;
    g.Offsets[Marker] = show[Line] ? g.Widths[Line] + g.ColumnGap : 0;
    g.Offsets[Title] = g.Offsets[Marker] + (show[Marker] ? g.Widths[Marker] + g.ColumnGap : 0);
    g.Offsets[XAxisTitle] = g.Offsets[Title] + g.Widths[Title] + g.ColumnGap;
    for (int c = YAxisTitle; c < ColumnCount; ++c)
        g.Offsets[c] = g.Offsets[c - 1] + (show[c - 1] ? g.Widths[c - 1] + g.ColumnGap : 0);
    const int end = g.Offsets[YMean] + (show[YMean] ? g.Widths[YMean] + g.ColumnGap : 0);
    g.ItemWidth = end - g.ColumnGap;

    g.CaptionRect = TiRect {g.Inner.Left, g.Inner.Top, g.Inner.Right, g.Inner.Top + captionHeight};
    g.ItemArea = TiRect {g.Inner.Left, g.Inner.Top + captionHeight + g.CaptionGap, g.Inner.Right, g.Inner.Bottom};
    const int areaHeight = g.ItemArea.Height();

    const int rowsFit = std::max(1, (areaHeight + g.RowGap) / std::max(1, g.RowGap + g.RowHeight));
    const int colsFit = std::max(1, (g.ItemArea.Width() + g.WrapGap - (s.Horizontal ? kButtonRoom : 0))
                                        / std::max(1, g.WrapGap + g.ItemWidth));

    int cols = s.WrapColAutoCountEnabled ? s.WrapColAutoCountMax : s.WrapColDesiredCount;
    const int rowLimit = s.WrapRowAutoCountEnabled ? s.WrapRowAutoCountMax : s.WrapRowDesiredCount;
    int rowCount;
    if (s.Horizontal) {
        cols = std::min(cols, colsFit);
        cols = std::max(1, cols);
        rowCount = s.WrapRowAutoCountEnabled ? ceilDiv(count, cols) : rowLimit;
        rowCount = std::min(rowCount, rowLimit);
        if (rowCount < 3 && rowCount * cols < count)
            rowCount = 3;
        if (s.WrapColAutoCountEnabled)
            cols = std::min(cols, ceilDiv(count, std::max(1, rowCount)));
    } else {
        if (s.WrapColAutoCountEnabled)
            cols = ceilDiv(count, rowsFit);
        cols = std::min(cols, s.WrapColAutoCountMax);
        rowCount = std::min({rowsFit, count, rowLimit});
        if (rowCount < 3 && rowCount * cols < count)
            rowCount = 3;
    }
    cols = std::max(1, cols);
    g.Cols = cols;
    g.Rows = rowCount;

    const bool scrolling = qint64(rowCount) * cols < count;
    // Everything fits: the list starts at the top again before placing it.
    if (!scrolling)
        firstShown = 0;
    g.FirstShown = firstShown;

    g.Items.assign(rows.size(), ItemPlace {});
    g.ColumnLefts = {g.Inner.Left};
    g.LastShown = count - 1;
    int column = 1, row = 1, y = g.ItemArea.Top;
    for (int i = firstShown; i < count; ++i) {
        g.Items[i] = ItemPlace {column, row, g.ColumnLefts[column - 1], y};
        y += g.RowHeight + g.RowGap;
        ++row;
        if (row > rowCount && i != count - 1) {
            row = 1;
            y = g.ItemArea.Top;
            ++column;
            if (column > cols) {
                g.LastShown = i;
                break;
            }
            g.ColumnLefts.push_back(g.Inner.Left + (g.ItemWidth + g.WrapGap) * (column - 1));
        }
    }

    g.RequiredWidth = cols * g.ItemWidth + (cols - 1) * g.WrapGap + mLeft + mRight;
    g.RequiredHeight = mTop + captionHeight + g.CaptionGap + (g.RowHeight + g.RowGap) * rowCount + mBottom - g.RowGap;

    if (scrolling) {
        g.ButtonsVisible = true;
        const TiRect& a = g.ItemArea;
        g.UpButton = TiRect {a.Right - kButtonSize, a.Top, a.Right, a.Top + kButtonSize};
        g.DownButton = TiRect {a.Right - kButtonSize, a.Bottom - kButtonSize, a.Right, a.Bottom};
        g.RequiredWidth += kButtonRoom;
        g.UpEnabled = g.FirstShown > 0;
        g.DownEnabled = g.LastShown + 1 < count;
    }

    if (s.Horizontal && s.WrapColSpacingAuto && cols > 1) {
        const int gap = int((g.ItemArea.Width() - kButtonRoom - cols * g.ItemWidth) / double(cols - 1));
        for (int c = 0; c < int(g.ColumnLefts.size()); ++c)
            g.ColumnLefts[c] = g.Inner.Left + (g.ItemWidth + gap) * c;
        for (int i = g.FirstShown; i <= g.LastShown && i < count; ++i)
            g.Items[i].Left = g.ColumnLefts[g.Items[i].Column - 1];
    }
    if (!s.Horizontal && s.WrapRowSpacingAuto) {
        int firstColumnRows = 0;
        for (int i = g.FirstShown; i <= g.LastShown && i < count; ++i)
            if (g.Items[i].Column == 1)
                ++firstColumnRows;
        if (firstColumnRows > 1) {
            g.RowGap = int((areaHeight - g.RowHeight * firstColumnRows) / double(firstColumnRows - 1));
            for (int i = g.FirstShown; i <= g.LastShown && i < count; ++i)
                g.Items[i].Top = g.Inner.Top + (g.Items[i].Row - 1) * (g.RowHeight + g.RowGap)
                    + (s.ColumnTitlesVisible ? captionHeight + g.CaptionGap : 0);
        }
    }
    return g;
}

int upButtonClick(int firstShown) { return std::max(0, firstShown - 1); }

int downButtonClick(int firstShown, int count) { return std::min(firstShown + 1, std::max(0, count - 1)); }

std::vector<std::pair<int, int>> lineSampleRuns(TiPlotLineStyle style)
{
    switch (style) {
    case iplsDash: return {{0, 5}, {8, 13}};
    case iplsDot: return {{0, 2}, {4, 6}, {8, 10}};
    case iplsDashDot: return {{0, 5}, {7, 9}};
    case iplsDashDotDot: return {{0, 5}, {7, 9}, {11, 13}};
    case iplsSolid: break;
    }
    return {{0, 13}};
}

void drawLineSample(TiCanvas& canvas, int left, int top, int heightOf0, TColor color, TiPlotLineStyle style)
{
    canvas.Pen = TiPen {color, 1, psSolid};
    const int middle = top + heightOf0 / 2;
    for (int dy = -1; dy <= 1; ++dy)
        for (auto [from, to] : lineSampleRuns(style))
            canvas.Line(left + from, middle + dy, left + to, middle + dy);
}

QPoint markerSampleCentre(const Geometry& g, const ItemPlace& place, int heightOf0)
{
    return QPoint(place.Left + g.Offsets[Marker] + 8, place.Top + heightOf0 / 2);
}

std::array<QPoint, 3> buttonTriangle(const TiRect& b, bool up)
{
    const int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
    if (up)
        return {QPoint(cx, cy - 2), QPoint(cx + 4, cy + 2), QPoint(cx - 4, cy + 2)};
    return {QPoint(cx, cy + 2), QPoint(cx - 4, cy - 2), QPoint(cx + 4, cy - 2)};
}

} // namespace TiPlotLegendMath
