#include "plot/TiPlotLegendMath.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace TiPlotLegendMath;

namespace {

Measures measures()
{
    Measures m;
    m.WidthOf0 = 6;
    m.HeightOf0 = 13;
    m.CaptionHeight = 13;
    return m;
}

std::vector<Row> rows(const std::vector<int>& titleWidths)
{
    std::vector<Row> out;
    for (int w : titleWidths) {
        Row r;
        r.Height = 13;
        r.Widths[Title] = w;
        out.push_back(r);
    }
    return out;
}

} // namespace

TEST(PlotLegendMath, ConsoleLegendTwoRowsOneColumn)
{
    Settings s;
    s.WrapRowDesiredCount = 8;
    const Geometry g = calcRects(s, TiRect {500, 20, 580, 300}, measures(), rows({30, 34}), 0);
    EXPECT_EQ(g.Rows, 2);
    EXPECT_EQ(g.Cols, 1);
    EXPECT_FALSE(g.ButtonsVisible);
    // 16 line + ColumnGap (round(6 * 0.5) = 3) + the wider title + a "0" width each side.
    EXPECT_EQ(g.ItemWidth, 16 + 3 + 34);
    EXPECT_EQ(g.RequiredWidth, 16 + 3 + 34 + 6 + 6);
    EXPECT_EQ(g.Items[0].Top, 20 + 13);
    EXPECT_EQ(g.Items[1].Top, 20 + 13 + 13 + 3);
    EXPECT_EQ(g.Items[0].Left, 506);
    EXPECT_EQ(g.titleCell(0, rows({30, 34})), (TiRect {506 + 19, 33, 506 + 19 + 34 + 1, 46}));
    EXPECT_EQ(g.RequiredHeight, 13 + (13 + 3) * 2 + 13 - 3);
}

TEST(PlotLegendMath, TooManyRowsScrollOrWrap)
{
    // Height for exactly four rows: (area + gap) div (gap + 13) = 4.
    const int areaHeight = 4 * 13 + 3 * 3;
    const TiRect rect {0, 0, 200, areaHeight + 26};
    const std::vector<Row> ten = rows(std::vector<int>(10, 40));
    Settings s;
    s.WrapRowDesiredCount = 8;
    Geometry g = calcRects(s, rect, measures(), ten, 0);
    EXPECT_EQ(g.Rows, 4);
    EXPECT_EQ(g.Cols, 1);
    EXPECT_TRUE(g.ButtonsVisible);
    EXPECT_FALSE(g.UpEnabled);
    EXPECT_TRUE(g.DownEnabled);
    EXPECT_EQ(g.RequiredWidth, 16 + 3 + 40 + 12 + 25);
    EXPECT_EQ(g.UpButton, (TiRect {194 - 17, 13, 194, 30}));
    EXPECT_EQ(g.DownButton, (TiRect {194 - 17, 13 + areaHeight - 17, 194, 13 + areaHeight}));
    int first = 0;
    for (int i = 0; i < 3; ++i)
        first = downButtonClick(first, 10);
    g = calcRects(s, rect, measures(), ten, first);
    EXPECT_EQ(g.FirstShown, 3);
    EXPECT_EQ(g.LastShown, 6); // channels 4 to 7
    EXPECT_EQ(g.Items[3].Row, 1);
    EXPECT_EQ(g.Items[6].Row, 4);
    EXPECT_TRUE(g.UpEnabled);
    EXPECT_EQ(upButtonClick(0), 0);
    EXPECT_EQ(downButtonClick(9, 10), 9);

    s.WrapColAutoCountEnabled = true;
    g = calcRects(s, rect, measures(), ten, 3);
    EXPECT_EQ(g.Cols, 3);
    EXPECT_EQ(g.Rows, 4);
    EXPECT_FALSE(g.ButtonsVisible);
    EXPECT_EQ(g.FirstShown, 0);
    EXPECT_EQ(g.LastShown, 9);
    EXPECT_EQ(g.Items[4].Column, 2);
    EXPECT_EQ(g.Items[4].Left, 6 + (59 + 26) * 1);
    EXPECT_EQ(g.Items[9].Column, 3);
    EXPECT_EQ(g.RequiredWidth, 3 * 59 + 2 * 26 + 12);
}

TEST(PlotLegendMath, HorizontalLegendKeepsThreeRowsWhenColumnsCannotHoldAll)
{
    Settings s;
    s.Horizontal = true;
    s.WrapRowAutoCountEnabled = false;
    s.WrapRowDesiredCount = 1;
    s.WrapColDesiredCount = 2;
    s.WrapColSpacingAuto = false;
    const Geometry g = calcRects(s, TiRect {0, 0, 400, 80}, measures(), rows({40, 40, 40, 40, 40, 40, 40}), 0);
    EXPECT_EQ(g.Cols, 2);
    EXPECT_EQ(g.Rows, 3);
    EXPECT_TRUE(g.ButtonsVisible);
}

TEST(PlotLegendMath, ValueColumnsAndCaptions)
{
    Settings s;
    s.ColumnTitlesVisible = true;
    s.Show[YValue] = true;
    s.Show[YMax] = true;
    Measures m = measures();
    m.CaptionWidths[Title] = 50;
    m.CaptionWidths[YValue] = 10;
    m.CaptionWidths[XValue] = 99; // hidden: no effect
    std::vector<Row> r = rows({30});
    r[0].Widths[YValue] = 36;
    r[0].Widths[YMax] = 20;
    const Geometry g = calcRects(s, TiRect {0, 0, 300, 200}, m, r, 0);
    EXPECT_EQ(g.Widths[Title], 50);
    EXPECT_EQ(g.Offsets[Title], 19);
    EXPECT_EQ(g.Offsets[XAxisTitle], 19 + 50 + 3);
    EXPECT_EQ(g.Offsets[YValue], 72);
    EXPECT_EQ(g.Offsets[YMax], 72 + 36 + 3);
    EXPECT_EQ(g.ItemWidth, 72 + 36 + 3 + 20);
    EXPECT_EQ(g.CaptionGap, 3);
    EXPECT_EQ(g.ItemArea.Top, 13 + 13 + 3);
}

TEST(PlotLegendMath, LineSamplesOfTwoChannels)
{
    QImage im(60, 40, QImage::Format_RGB32);
    im.fill(Qt::black);
    {
        TiCanvas c(im);
        drawLineSample(c, 5, 2, 13, clRed, iplsSolid);
        drawLineSample(c, 5, 20, 13, clYellow, iplsDash);
    }
    auto row = [&](int y) {
        QString s;
        for (int x = 3; x < 21; ++x)
            s += im.pixel(x, y) == 0xFFFF0000 ? 'r' : im.pixel(x, y) == 0xFFFFFF00 ? 'y' : '.';
        return s;
    };
    for (int y : {7, 8, 9})
        EXPECT_EQ(row(y), "..rrrrrrrrrrrrr...") << y;
    EXPECT_EQ(row(6), "..................");
    EXPECT_EQ(row(10), "..................");
    for (int y : {25, 26, 27})
        EXPECT_EQ(row(y), "..yyyyy...yyyyy...") << y;
    EXPECT_EQ(lineSampleRuns(iplsDashDotDot), (std::vector<std::pair<int, int>> {{0, 5}, {7, 9}, {11, 13}}));
    const auto up = buttonTriangle(TiRect {0, 0, 17, 17}, true);
    EXPECT_EQ(up[0], QPoint(8, 6));
}
