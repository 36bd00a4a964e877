#include "widgets/TiScaleObject.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// A vertical column from y = 200 (minimum) to y = 20 (maximum), its line at x = 10.
struct ColumnScale {
    int changes = 0;
    TiScaleObject scale{[this] { ++changes; }};
    QImage image{120, 230, QImage::Format_ARGB32_Premultiplied};

    ColumnScale()
    {
        scale.Min = 0;
        scale.Max = 100;
        scale.PixelMin = 200;
        scale.PixelMax = 20;
        scale.ScaleLine = 10;
        image.fill(Qt::white);
    }

    void draw()
    {
        TiCanvas canvas(image);
        scale.Draw(canvas);
    }

    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }

    bool inkIn(int left, int top, int right, int bottom) const
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    return true;
        return false;
    }
};

} // namespace

TEST(ScaleObject, SettersClampAndReportOnlyChanges)
{
    ColumnScale s;
    s.scale.SetTickMajorCount(1);
    EXPECT_EQ(s.scale.TickMajorCount(), 2);
    s.scale.SetTickMajorCount(500);
    EXPECT_EQ(s.scale.TickMajorCount(), 100);
    EXPECT_EQ(s.changes, 2);
    s.scale.SetTickMajorCount(100);
    s.scale.SetShowTicksMajor(true);
    EXPECT_EQ(s.changes, 2);
    s.scale.SetTickMinorLength(0);
    EXPECT_EQ(s.scale.TickMinorLength(), 1);
    EXPECT_EQ(s.changes, 3);
}

TEST(ScaleObject, DrawsMajorAndMinorTicksBesideTheLine)
{
    ColumnScale s;
    s.draw();
    // Major ticks: x 15..21 at y 200, 155, 110, 65, 20.
    for (int y : {200, 155, 110, 65, 20}) {
        EXPECT_EQ(s.at(15, y), 0u) << y;
        EXPECT_EQ(s.at(21, y), 0u) << y;
        EXPECT_EQ(s.at(14, y), 0xFFFFFFu) << y;
        EXPECT_EQ(s.at(22, y), 0xFFFFFFu) << y;
    }
    // Minor ticks every 5 (9 px): 3 px long from the major tick start.
    EXPECT_EQ(s.at(16, 191), 0u);
    EXPECT_EQ(s.at(19, 191), 0xFFFFFFu);
    // Labels right of the ticks, centred on the tick.
    EXPECT_TRUE(s.inkIn(27, 100, 60, 120));
    EXPECT_FALSE(s.inkIn(0, 0, 14, 230));
}

TEST(ScaleObject, TopLeftSideMirrorsTheTicks)
{
    ColumnScale s;
    s.scale.ScaleLine = 100;
    s.scale.Side = iosTopLeft;
    s.scale.SetShowTickLabels(false);
    s.draw();
    EXPECT_EQ(s.at(95, 110), 0u);
    EXPECT_EQ(s.at(89, 110), 0u);
    EXPECT_EQ(s.at(88, 110), 0xFFFFFFu);
    EXPECT_EQ(s.at(96, 110), 0xFFFFFFu);
}

TEST(ScaleObject, RaisedTicksAreLightOverDark)
{
    ColumnScale s;
    s.scale.SetShowTickLabels(false);
    s.scale.SetTickMajorStyle(ibsRaised);
    s.image.fill(Qt::gray);
    s.draw();
    EXPECT_EQ(s.at(18, 110), 0xFFFFFFu);
    EXPECT_EQ(s.at(18, 111), 0u);
}

TEST(ScaleObject, FixedLabelsExtendMinorTicksToTheBounds)
{
    // Thermometer column -40..80 with labels -25..75.
    ColumnScale s;
    s.scale.Min = -40;
    s.scale.Max = 80;
    s.scale.PixelMin = 200;
    s.scale.PixelMax = 80; // 1 px per degree
    s.scale.UseLabelRange = true;
    s.scale.LabelMin = -25;
    s.scale.LabelMax = 75;
    s.scale.SetShowTickLabels(false);
    s.draw();
    EXPECT_EQ(s.at(16, 200), 0u);            // minor tick at -40
    EXPECT_EQ(s.at(19, 200), 0xFFFFFFu);
    EXPECT_EQ(s.at(19, 185), 0u);            // major tick at -25
    EXPECT_EQ(s.at(16, 80), 0u);             // minor tick at 80
    std::vector<QString> labels;
    s.scale.LabelText = [&](int i, double v) {
        labels.push_back(QString::number(i) + ':' + QString::number(v));
        return QString::number(v);
    };
    s.scale.SetShowTickLabels(true);
    s.draw();
    EXPECT_EQ(labels, (std::vector<QString>{"0:-25", "1:0", "2:25", "3:50", "4:75"}));
}
