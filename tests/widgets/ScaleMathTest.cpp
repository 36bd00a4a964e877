#include "widgets/TiScaleMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace TiScaleMath;

namespace {

std::vector<double> sorted(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<double> labelValues(const AutoScaleResult& r)
{
    std::vector<double> values;
    for (int i = 0; i < r.tickCount; ++i)
        values.push_back(labelValue(i, r.low, r.high, r.tickCount));
    return values;
}

} // namespace

TEST(ScaleFixedStyle, ThermometerRangePutsLabelsOnQuarterSteps)
{
    const AutoScaleResult r = autoScaleFixedMinMax(-40, 80, 5, 6);
    EXPECT_EQ(r.tickCount, 5);
    EXPECT_EQ(labelValues(r), (std::vector<double>{-25, 0, 25, 50, 75}));
}

TEST(ScaleFixedStyle, MinorTicksContinueToBothBounds)
{
    const AutoScaleResult r = autoScaleFixedMinMax(-40, 80, 5, 6);
    const TickValues t = tickValues(r.low, r.high, r.tickCount, 4, true, -40, 80);
    EXPECT_EQ(t.major, (std::vector<double>{-25, 0, 25, 50, 75}));
    std::vector<double> expected;
    for (double v = -40; v <= 80; v += 5) {
        if (std::find(t.major.begin(), t.major.end(), v) == t.major.end())
            expected.push_back(v);
    }
    EXPECT_EQ(sorted(t.minor), expected);
}

TEST(ScaleFixedStyle, MinorTicksStayInsideLabelsWithoutExtension)
{
    const TickValues t = tickValues(-25, 75, 5, 4, false, -40, 80);
    EXPECT_EQ(t.minor.size(), 16u);
    EXPECT_EQ(sorted(t.minor).front(), -20);
    EXPECT_EQ(sorted(t.minor).back(), 70);
}

TEST(ScaleFixedStyle, RoundRangesKeepTheirBounds)
{
    EXPECT_EQ(labelValues(autoScaleFixedMinMax(0, 100, 5, 6)),
              (std::vector<double>{0, 25, 50, 75, 100}));
    EXPECT_EQ(labelValues(autoScaleFixedMinMax(0, 80, 5, 6)),
              (std::vector<double>{0, 20, 40, 60, 80}));
}

TEST(ScaleFixedStyle, OddRangeFallsBackToFourLabels)
{
    const AutoScaleResult r = autoScaleFixedMinMax(3, 97, 5, 6);
    EXPECT_EQ(r.tickCount, 4);
    EXPECT_EQ(labelValues(r), (std::vector<double>{20, 40, 60, 80}));
}

TEST(ScaleFixedStyle, NegativeRangeAndEqualBounds)
{
    const AutoScaleResult neg = autoScaleFixedMinMax(-97, -3, 5, 6);
    EXPECT_EQ(labelValues(neg), (std::vector<double>{-80, -60, -40, -20}));
    const AutoScaleResult flat = autoScaleFixedMinMax(7, 7, 5, 6);
    EXPECT_EQ(flat.low, 7);
    EXPECT_EQ(flat.high, 7);
    EXPECT_EQ(flat.tickCount, 2);
}

TEST(ScaleAutoStyle, BoundsMoveOutToRoundValues)
{
    const AutoScaleResult a = autoScaleMinMax(-40, 80, 5, 6);
    EXPECT_EQ(a.low, -50);
    EXPECT_EQ(a.high, 100);
    EXPECT_EQ(a.tickCount, 4);

    const AutoScaleResult b = autoScaleMinMax(3, 97, 5, 6);
    EXPECT_EQ(b.low, 0);
    EXPECT_EQ(b.high, 100);
    EXPECT_EQ(b.tickCount, 5);
}

TEST(ScaleAutoStyle, NegativeAndSmallRanges)
{
    const AutoScaleResult neg = autoScaleMinMax(-97, -3, 5, 6);
    EXPECT_EQ(neg.low, -100);
    EXPECT_EQ(neg.high, 0);
    EXPECT_EQ(neg.tickCount, 5);

    const AutoScaleResult small = autoScaleMinMax(0.12, 0.83, 5, 6);
    EXPECT_LE(small.low, 0.12);
    EXPECT_GE(small.high, 0.83);
    EXPECT_LE(small.tickCount, 6);

    const AutoScaleResult flat = autoScaleMinMax(5, 5, 5, 6);
    EXPECT_EQ(flat.low, 5);
    EXPECT_EQ(flat.high, 5);
    EXPECT_EQ(flat.tickCount, 2);
}

TEST(ScaleNiceCount, PicksNiceStepsClosestToDesired)
{
    EXPECT_EQ(niceTickCount(100, 5, 6), 5);   // step 25
    EXPECT_EQ(niceTickCount(150, 5, 6), 4);   // 75 and 50 are nice; 50 is nearer 5 ticks
    EXPECT_EQ(niceTickCount(3000, 5, 6), 5);  // step 750
    EXPECT_EQ(niceTickCount(0.5, 5, 6), 6);   // steps 0.125 not nice, 0.1 is
    EXPECT_EQ(niceTickCount(95, 5, 6), 7);    // nothing fits: max + 1
    EXPECT_EQ(niceTickCount(100, 5, 1), 2);   // no counts at all: max + 1
    EXPECT_EQ(niceTickCount(100, 4, 6), 5);   // tie between 3 and 5 goes to the larger
}

TEST(ScaleDecimals, SignificantDigitsFollowTheSpan)
{
    EXPECT_EQ(decimalPoints(ipsSignificantDigits, 3, 0, 0.5), 3);
    EXPECT_EQ(tickLabelText(0.25, decimalPoints(ipsSignificantDigits, 3, 0, 0.5)),
              QStringLiteral("0.250"));
    EXPECT_EQ(decimalPoints(ipsSignificantDigits, 3, 0, 3000), 0);
    EXPECT_EQ(decimalPoints(ipsSignificantDigits, 3, 0, 35), 1);
    EXPECT_EQ(decimalPoints(ipsSignificantDigits, 3, 5, 5), 0);
    EXPECT_EQ(decimalPoints(ipsSignificantDigits, 0, 0, 0.5), 0);
    EXPECT_EQ(decimalPoints(ipsFixedDecimalPoints, 2, 0, 3000), 2);
    EXPECT_EQ(decimalPoints(ipsFixedDecimalPoints, -3, 0, 3000), 0);
}

TEST(ScaleLabels, TextsAreFixedPointWithoutNegativeZero)
{
    EXPECT_EQ(tickLabelText(750, 0), QStringLiteral("750"));
    EXPECT_EQ(tickLabelText(2250.4, 0), QStringLiteral("2250"));
    EXPECT_EQ(tickLabelText(-25, 0), QStringLiteral("-25"));
    EXPECT_EQ(tickLabelText(-1e-12, 2), QStringLiteral("0.00"));
    EXPECT_EQ(tickLabelText(12345, 1), QStringLiteral("12345.0"));
    EXPECT_EQ(tickLabelText(2.5, 0), QStringLiteral("2"));
}

TEST(ScaleLabels, ValuesSpreadOverTheRange)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(labelValue(i, 0, 3000, 5), 750.0 * i);
    std::vector<double> heater;
    for (int i = 0; i < 6; ++i)
        heater.push_back(labelValue(i, 0, 10, 6));
    EXPECT_EQ(heater, (std::vector<double>{0, 2, 4, 6, 8, 10}));
}

TEST(ScaleClamps, SettingsAreLimitedOnAssignment)
{
    EXPECT_EQ(clampTickMajorCount(1), 2);
    EXPECT_EQ(clampTickMajorCount(500), 100);
    EXPECT_EQ(clampTickMajorCount(7), 7);
    EXPECT_EQ(clampTickMinorCount(0), 1);
    EXPECT_EQ(clampTickMinorCount(101), 100);
    EXPECT_EQ(clampTickLength(0), 1);
    EXPECT_EQ(clampTickLength(-4), 1);
    EXPECT_EQ(clampTickLabelPrecision(-1), 0);
}

TEST(ScalePixels, MappingRoundsHalvesToEven)
{
    // A vertical column from y = 200 (minimum) up to y = 20 (maximum).
    EXPECT_EQ(positionToPixelsAbsolute(-40, -40, 80, 200, 20, false), 200);
    EXPECT_EQ(positionToPixelsAbsolute(80, -40, 80, 200, 20, false), 20);
    EXPECT_EQ(positionToPixelsAbsolute(20, -40, 80, 200, 20, false), 110);
    EXPECT_EQ(positionToPixelsAbsolute(80, -40, 80, 200, 20, true), 200);
    EXPECT_EQ(positionToPixelsRelative(20, -40, 80, 200, 20, false), 90);
    // 2.5 px rounds to 2, 3.5 px to 4.
    EXPECT_EQ(positionToPixelsRelative(0.625, 0, 2, 0, -8, false), 2);
    EXPECT_EQ(positionToPixelsRelative(0.875, 0, 2, 0, -8, false), 4);
    EXPECT_EQ(positionToPixelsAbsolute(3, 5, 5, 200, 21, false), 110);
}

TEST(ScaleMinorStart, AlignmentsWithinTheMajorBand)
{
    // Major band 8..18 right of a line at x = 0.
    EXPECT_EQ(minorTickStart(itmnaInside, 0, 1, 8, 10, 6), 8);
    EXPECT_EQ(minorTickStart(itmnaCenter, 0, 1, 8, 10, 6), 10);
    EXPECT_EQ(minorTickStart(itmnaOutside, 0, 1, 8, 10, 6), 12);
    EXPECT_EQ(minorTickStart(itmnaOutside, 100, -1, 8, 10, 6), 88);
}

TEST(ScaleTicks, ReversedLabelRangeStillEnds)
{
    const TickValues t = tickValues(75, -25, 5, 4, true, 80, -40);
    EXPECT_EQ(t.major.front(), 75);
    EXPECT_EQ(t.minor.size(), 16u + 4u);
}
