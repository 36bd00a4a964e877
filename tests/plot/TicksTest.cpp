#include "plot/TiPlotLabelText.h"
#include "plot/TiPlotTicks.h"

#include <gtest/gtest.h>

namespace {

struct Lists {
    std::vector<double> majors, minors;
    QStringList labels;
};

Lists split(const TiPlotTickResult& r)
{
    Lists l;
    for (const TiPlotTick& t : r.Ticks) {
        EXPECT_TRUE(t.OnScale) << t.Position;
        if (t.Style == 0) {
            l.majors.push_back(t.Position);
            l.labels << t.Label;
        } else {
            EXPECT_TRUE(t.Label.isEmpty());
            l.minors.push_back(t.Position);
        }
    }
    return l;
}

TiPlotTicks::LabelFunction valueLabels(double span)
{
    return [span](double v) { return TiPlotLabelText::text(v, TiPlotLabelFormat {}, span); };
}

} // namespace

TEST(PlotTicks, ConsoleXAxisMinus45To80WithThreeMinors)
{
    const auto scale = TiPlotScaleMap::horizontal(-45, 125, 50, 550);
    TiPlotTickSettings s;
    s.MinorCount = 3;
    s.MaxIntervals = 10;
    const TiPlotTickResult r = TiPlotTicks::calcTicks(scale, s, valueLabels(125));
    EXPECT_EQ(r.Increment, 20);
    EXPECT_EQ(r.Count, 6);
    const Lists l = split(r);
    EXPECT_EQ(l.majors, (std::vector<double> {-40, -20, 0, 20, 40, 60, 80}));
    EXPECT_EQ(l.labels, (QStringList {"-40", "-20", "0", "20", "40", "60", "80"}));
    std::vector<double> minors;
    for (int v = -45; v <= 75; v += 5)
        if (v % 20 != 0)
            minors.push_back(v);
    EXPECT_EQ(l.minors, minors);
    EXPECT_EQ(r.Ticks.front().Position, -45);
    EXPECT_EQ(r.Ticks.front().Pixels, 50);
    EXPECT_EQ(r.Ticks.back().Position, 80);
    EXPECT_EQ(r.Ticks.back().Pixels, 550);
    // Ascending value order, majors and minors interleaved.
    for (size_t i = 1; i < r.Ticks.size(); ++i)
        EXPECT_LT(r.Ticks[i - 1].Position, r.Ticks[i].Position);
}

TEST(PlotTicks, ConsoleYAxis0To5500)
{
    const auto scale = TiPlotScaleMap::vertical(0, 5500, 400, 20);
    TiPlotTickSettings s;
    s.MaxIntervals = 35;
    const TiPlotTickResult r = TiPlotTicks::calcTicks(scale, s, valueLabels(5500));
    EXPECT_EQ(r.Increment, 200);
    EXPECT_EQ(r.Count, 28);
    const Lists l = split(r);
    std::vector<double> majors, minors;
    QStringList labels;
    for (int v = 0; v <= 5400; v += 200) {
        majors.push_back(v);
        labels << QString::number(v);
    }
    for (int v = 100; v <= 5500; v += 200)
        minors.push_back(v);
    EXPECT_EQ(l.majors, majors);
    EXPECT_EQ(l.labels, labels);
    EXPECT_EQ(l.minors, minors);
}

TEST(PlotTicks, StepChoices)
{
    struct Case {
        double span;
        int maxIntervals;
        double increment;
        int count;
    };
    for (const Case& c : {Case {10, 1, 10, 1}, Case {125, 10, 20, 6}, Case {5500, 35, 200, 28},
                          Case {1, 10, 0.1, 10}, Case {0.003, 4, 0.001, 3}, Case {7, 100, 0.1, 70}}) {
        const TiPlotTicks::Step s = TiPlotTicks::linearStep(c.span, c.maxIntervals);
        EXPECT_DOUBLE_EQ(s.Increment, c.increment) << c.span << " " << c.maxIntervals;
        EXPECT_EQ(s.Count, c.count) << c.span;
    }
    // A single interval stays single: halving needs room for two.
    const auto scale = TiPlotScaleMap::horizontal(0, 10, 0, 100);
    TiPlotTickSettings s;
    s.MinorCount = 0;
    s.MaxIntervals = 1;
    const TiPlotTickResult r = TiPlotTicks::calcTicks(scale, s, valueLabels(10));
    EXPECT_EQ(r.Increment, 10);
    EXPECT_EQ(split(r).majors, (std::vector<double> {0, 10}));
    // With room for two the single interval is halved.
    s.MaxIntervals = 2;
    const auto halved = TiPlotTicks::calcTicks(TiPlotScaleMap::horizontal(0, 10, 0, 100), s, valueLabels(10));
    EXPECT_EQ(split(halved).majors, (std::vector<double> {0, 5, 10}));
}

TEST(PlotTicks, DesiredStartAndIncrement)
{
    const auto scale = TiPlotScaleMap::horizontal(0, 100, 0, 1000);
    TiPlotTickSettings s;
    s.MinorCount = 0;
    s.MaxIntervals = 50;
    s.DesiredIncrement = 25;
    s.DesiredStart = 10;
    const Lists l = split(TiPlotTicks::calcTicks(scale, s, valueLabels(100)));
    EXPECT_EQ(l.majors, (std::vector<double> {10, 35, 60, 85}));
}

TEST(PlotTicks, LabelPitchAndMaxIntervals)
{
    // Horizontal upright labels need their length plus the separation.
    EXPECT_EQ(TiPlotTicks::labelPitch(true, ira000, 6, 13, 2, 30), 48);
    EXPECT_EQ(TiPlotTicks::labelPitch(true, ira090, 6, 13, 2, 30), 39);
    EXPECT_EQ(TiPlotTicks::labelPitch(false, ira000, 6, 13, 0, 30), 13);
    EXPECT_EQ(TiPlotTicks::labelPitch(false, ira000, 6, 0, -1, 30), 1);
    EXPECT_EQ(TiPlotTicks::maxIntervals(500, 48), 10);
    EXPECT_EQ(TiPlotTicks::maxIntervals(20, 48), 1);
}

TEST(PlotTicks, LogDecades)
{
    TiPlotTickSettings s;
    s.MaxIntervals = 10;
    const auto scale = TiPlotScaleMap::horizontal(1, 999, 0, 300, false, ipstLog10);
    const Lists l = split(TiPlotTicks::calcTicks(scale, s, [](double v) { return QString::number(v); }));
    EXPECT_EQ(l.majors, (std::vector<double> {1, 10, 100, 1000}));
    EXPECT_EQ(l.minors.size(), 24u); // 2..9 in each of three decades
    EXPECT_EQ(l.minors.front(), 2);
    EXPECT_EQ(l.minors.back(), 900);

    // Too many decades for the room: every second decade, no minors.
    s.MaxIntervals = 3;
    const auto wide = TiPlotScaleMap::horizontal(1, 1e6 - 1, 0, 300, false, ipstLog10);
    const Lists w = split(TiPlotTicks::calcTicks(wide, s, [](double v) { return QString::number(v); }));
    EXPECT_EQ(w.majors, (std::vector<double> {1, 100, 10000, 1000000}));
    EXPECT_TRUE(w.minors.empty());
}

TEST(PlotTicks, DateTimeStepsAcrossSpans)
{
    struct Case {
        double spanDays;
        int n;
        double incrementDays;
        bool month, year;
    };
    const double second = 1 / 86400.0;
    for (const Case& c : {Case {30 * second, 10, 5 * second, false, false},
                          Case {2 * second, 10, 0.2 * second, false, false},
                          Case {6 / 24.0, 10, 1 / 24.0, false, false},
                          Case {2.0, 10, 6 / 24.0, false, false},
                          Case {60.0, 10, 7.0, false, false},
                          Case {365.0, 10, 2, true, false},
                          Case {3650.0, 10, 1, false, true},
                          Case {36500.0, 10, 10, false, true}}) {
        const TiPlotTicks::Step s = TiPlotTicks::dateTimeStep(c.spanDays, c.n);
        EXPECT_NEAR(s.Increment, c.incrementDays, 1e-12) << c.spanDays;
        EXPECT_EQ(s.MonthMode, c.month) << c.spanDays;
        EXPECT_EQ(s.YearMode, c.year) << c.spanDays;
    }
}

TEST(PlotTicks, MonthModeStartsOnFirstDaysWithoutMinors)
{
    const double min = TiPlotLabelText::encodeDateTime(2026, 1, 15);
    const auto scale = TiPlotScaleMap::horizontal(min, 365, 0, 600);
    TiPlotTickSettings s;
    s.MinorCount = 3;
    s.MaxIntervals = 10;
    s.LabelsFormatStyle = iptfDateTime;
    TiPlotLabelFormat f;
    f.Style = iptfDateTime;
    f.DateTimeFormat = "yyyy-mm-dd";
    const TiPlotTickResult r = TiPlotTicks::calcTicks(scale, s, [&](double v) { return TiPlotLabelText::text(v, f, 365); });
    EXPECT_TRUE(r.MonthMode);
    const Lists l = split(r);
    EXPECT_TRUE(l.minors.empty());
    EXPECT_EQ(l.labels, (QStringList {"2026-03-01", "2026-05-01", "2026-07-01", "2026-09-01", "2026-11-01",
                                      "2027-01-01"}));
}

TEST(PlotTicks, Price32ndsUsesPowerOfTwoFractions)
{
    EXPECT_EQ(TiPlotTicks::price32Step(1, 10).Increment, 0.125);
    EXPECT_EQ(TiPlotTicks::price32Step(1, 300).Increment, 1 / 256.0);
    EXPECT_EQ(TiPlotTicks::price32Step(30, 10).Increment, 5);
}

TEST(PlotTicks, CustomListOnlyGetsPixels)
{
    std::vector<TiPlotTick> ticks(2);
    ticks[0].Position = 50;
    ticks[1].Position = 500;
    TiPlotTicks::updatePixels(ticks, TiPlotScaleMap::horizontal(0, 100, 0, 200));
    EXPECT_TRUE(ticks[0].OnScale);
    EXPECT_EQ(ticks[0].Pixels, 100);
    EXPECT_FALSE(ticks[1].OnScale);
}

TEST(PlotTicks, NonsensicalSettingsStayBounded)
{
    const auto scale = TiPlotScaleMap::horizontal(0, 100, 0, 500);
    TiPlotTickSettings s;
    s.MinorCount = 50000000;
    s.MaxIntervals = 10;
    const TiPlotTickResult many = TiPlotTicks::calcTicks(scale, s, {});
    EXPECT_LE(many.Ticks.size(), 100000u);

    // A desired start far above the range steps back in one go.
    s.MinorCount = 0;
    s.DesiredIncrement = 1e-3;
    s.DesiredStart = 50.0005;
    s.MaxIntervals = 1000000;
    const TiPlotTickResult fine = TiPlotTicks::calcTicks(TiPlotScaleMap::horizontal(0, 100, 0, 500), s, {});
    ASSERT_FALSE(fine.Ticks.empty());
    EXPECT_LT(fine.Ticks.front().Position, 0.002);
}

TEST(PlotTicks, AxisDrawingGeometry)
{
    using TiPlotTicks::axisSide;
    EXPECT_EQ(axisSide(true, false, false), TiPlotAxisSide::Bottom);
    EXPECT_EQ(axisSide(true, false, true), TiPlotAxisSide::Top);
    EXPECT_EQ(axisSide(false, false, false), TiPlotAxisSide::Left);
    EXPECT_EQ(axisSide(false, true, false), TiPlotAxisSide::Right);
    EXPECT_EQ(axisSide(true, true, true), TiPlotAxisSide::Bottom);

    // Console X axis below the data view: band (60, 264) .. (524, 294).
    const TiRect band {60, 264, 524, 294};
    EXPECT_EQ(TiPlotTicks::scaleLine(TiPlotAxisSide::Bottom, band, 3), QLine(60, 267, 525, 267));
    EXPECT_EQ(TiPlotTicks::tickLine(TiPlotAxisSide::Bottom, band, 3, 4, 100, true), QLine(100, 267, 100, 271));
    EXPECT_EQ(TiPlotTicks::tickLine(TiPlotAxisSide::Bottom, band, 3, 2, 110, false), QLine(110, 269, 110, 267));
    const int a = TiPlotTicks::labelOffset(true, false, 3, 4, 3);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(TiPlotTicks::labelRect(TiPlotAxisSide::Bottom, ira000, band, a, 20, 13, 100), (TiRect {90, 274, 110, 287}));
    bool turned = true;
    EXPECT_EQ(TiPlotTicks::titleRect(TiPlotAxisSide::Bottom, band, 1, false, 80, 16, &turned),
              (TiRect {60, 277, 524, 293}));
    EXPECT_FALSE(turned);

    // Y axis on the left: band (5, 11) .. (55, 264).
    const TiRect left {5, 11, 55, 264};
    EXPECT_EQ(TiPlotTicks::scaleLine(TiPlotAxisSide::Left, left, 3), QLine(52, 11, 52, 265));
    EXPECT_EQ(TiPlotTicks::tickLine(TiPlotAxisSide::Left, left, 3, 4, 200, true), QLine(52, 200, 48, 200));
    EXPECT_EQ(TiPlotTicks::labelRect(TiPlotAxisSide::Left, ira000, left, 10, 24, 13, 200), (TiRect {21, 194, 45, 206}));
    EXPECT_EQ(TiPlotTicks::labelRect(TiPlotAxisSide::Left, ira090, left, 10, 24, 13, 200), (TiRect {32, 188, 45, 212}));
    EXPECT_EQ(TiPlotTicks::titleRect(TiPlotAxisSide::Left, left, 2, false, 60, 16, &turned),
              (TiRect {7, 137 - 30, 23, 137 + 30}));
    EXPECT_TRUE(turned);
    EXPECT_EQ(TiPlotTicks::scaleLine(TiPlotAxisSide::Right, left, 3), QLine(8, 11, 8, 265));
    EXPECT_EQ(TiPlotTicks::scaleLine(TiPlotAxisSide::Top, band, 3), QLine(60, 291, 524, 291));

    // Cartesian ticks cross their line; labels sit beside the half tick.
    EXPECT_EQ(TiPlotTicks::cartesianTickLine(true, TiRect {60, 150, 524, 150}, 4, 100), QLine(100, 148, 100, 153));
    EXPECT_EQ(TiPlotTicks::labelOffset(true, true, 3, 4, 3), 5);
    EXPECT_EQ(TiPlotTicks::gridLine(true, TiRect {60, 11, 524, 264}, 100), QLine(100, 11, 100, 264));
    EXPECT_EQ(TiPlotTicks::gridLine(false, TiRect {60, 11, 524, 264}, 50), QLine(60, 50, 524, 50));
}
