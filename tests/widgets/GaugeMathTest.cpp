#include "widgets/TiAngularGaugeMath.h"
#include "widgets/TiScaleMath.h"

#include <gtest/gtest.h>

using namespace TiAngularGaugeMath;

namespace {

double fanDegrees(double v)
{
    return positionToDegrees(v, 0, 3000, 220, 260, false);
}

} // namespace

TEST(GaugeAngles, FanDialRunsClockwiseFromLowerLeft)
{
    EXPECT_DOUBLE_EQ(fanDegrees(0), 220);
    EXPECT_DOUBLE_EQ(fanDegrees(1500), 90);
    EXPECT_DOUBLE_EQ(fanDegrees(3000), -40);
    EXPECT_DOUBLE_EQ(fanDegrees(4000), -40);
    EXPECT_DOUBLE_EQ(fanDegrees(-10), 220);
}

TEST(GaugeAngles, ReverseScaleStartsAtTheFarEnd)
{
    EXPECT_DOUBLE_EQ(positionToDegrees(0, 0, 3000, 220, 260, true), -40);
    EXPECT_DOUBLE_EQ(positionToDegrees(750, 0, 3000, 220, 260, true), 25);
    EXPECT_DOUBLE_EQ(positionToDegrees(3000, 0, 3000, 220, 260, true), 220);
    EXPECT_EQ(clampArcRange(400), 360);
    EXPECT_EQ(clampArcRange(260), 260);
}

TEST(GaugeAngles, EqualBoundsPointAtTheStart)
{
    EXPECT_DOUBLE_EQ(positionToDegrees(5, 5, 5, 180, 90, false), 180);
    EXPECT_DOUBLE_EQ(valuePercent(6, 5, 5), 1);
}

TEST(GaugeLabels, FanDialAndHeaterDialValues)
{
    std::vector<QString> fan;
    for (int i = 0; i < 5; ++i)
        fan.push_back(TiScaleMath::tickLabelText(TiScaleMath::labelValue(i, 0, 3000, 5), 0));
    EXPECT_EQ(fan, (std::vector<QString>{"0", "750", "1500", "2250", "3000"}));
    std::vector<QString> heater;
    for (int i = 0; i < 6; ++i)
        heater.push_back(TiScaleMath::tickLabelText(TiScaleMath::labelValue(i, 0, 10, 6), 0));
    EXPECT_EQ(heater, (std::vector<QString>{"0", "2", "4", "6", "8", "10"}));
}

TEST(GaugeSections, FanDialHasThreeColouredStretches)
{
    const auto s = sectionSpans(0, 3000, 3, {1000, 2700, 3000, 0});
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].from, 0);
    EXPECT_EQ(s[0].to, 1000);
    EXPECT_EQ(s[0].colorIndex, 1);
    EXPECT_EQ(s[1].from, 1000);
    EXPECT_EQ(s[1].to, 2700);
    EXPECT_EQ(s[2].from, 2700);
    EXPECT_EQ(s[2].to, 3000);
    EXPECT_EQ(s[2].colorIndex, 3);
}

TEST(GaugeSections, EndsAreClampedAndTheLastRunsToTheMaximum)
{
    const auto clamped = sectionSpans(0, 3000, 3, {5000, 2700, 0, 0});
    ASSERT_EQ(clamped.size(), 1u);
    EXPECT_EQ(clamped[0].to, 3000);

    EXPECT_TRUE(sectionSpans(0, 3000, 0, {1000, 2700, 0, 0}).empty());

    const auto two = sectionSpans(0, 100, 2, {40, 10, 0, 0});
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].to, 40);
    EXPECT_EQ(two[1].from, 40);
    EXPECT_EQ(two[1].to, 100);
    EXPECT_EQ(two[1].colorIndex, 2);

    // The compressor dial: its third end (10) lies below the second, but the
    // last section always closes at the maximum.
    const auto comp = sectionSpans(0, 35, 3, {5, 30, 10, 0});
    ASSERT_EQ(comp.size(), 3u);
    EXPECT_EQ(comp[2].from, 30);
    EXPECT_EQ(comp[2].to, 35);

    const auto backwards = sectionSpans(0, 100, 4, {50, 20, 80, 0});
    ASSERT_EQ(backwards.size(), 2u);
    EXPECT_EQ(backwards[1].from, 50);
    EXPECT_EQ(backwards[1].to, 100);
}

TEST(GaugeRadii, FanDialBands)
{
    const Radii r = radii(30, 5, 8, 3, itmnaInside, true, false, 10);
    EXPECT_EQ(r.tickInner, 35);
    EXPECT_EQ(r.tickOuter, 43);
    EXPECT_EQ(r.minorFrom, 35);
    EXPECT_EQ(r.minorTo, 38);
    EXPECT_EQ(r.sectionInner, 36);
    EXPECT_EQ(r.sectionOuter, 43);
    EXPECT_EQ(r.label, 57);
    const Radii c = radii(30, 5, 8, 3, itmnaCenter, false, true, 10);
    EXPECT_DOUBLE_EQ(c.minorFrom, 37.5);
    EXPECT_DOUBLE_EQ(c.minorTo, 40.5);
    EXPECT_EQ(c.sectionOuter, 42);
    const Radii o = radii(30, 5, 8, 3, itmnaOutside, false, false, 10);
    EXPECT_EQ(o.minorFrom, 43);
    EXPECT_EQ(o.minorTo, 40);
}

TEST(GaugeArc, RingAndLineOutlines)
{
    const QPoint c(75, 75);
    const QList<QPoint> ring = arcSegmentPoints(220, -40, 36, 43, c);
    ASSERT_EQ(ring.size(), 803);
    EXPECT_EQ(ring.front(), GetXYRadPoint(-40, 36, c));
    EXPECT_EQ(ring[400], GetXYRadPoint(220, 36, c));
    EXPECT_EQ(ring[401], GetXYRadPoint(220, 43, c));
    EXPECT_EQ(ring.back(), ring.front());
    const QList<QPoint> line = arcSegmentPoints(90, 180, 35, 35, c);
    ASSERT_EQ(line.size(), 401);
    EXPECT_EQ(line.front(), QPoint(75, 40));
    EXPECT_EQ(line.back(), QPoint(40, 75));
}

TEST(GaugePointers, TriangleNeedleSpansTheHub)
{
    const PointerShape s = pointerShape(iagpsTriangle, 90, 30, 0, 10, false, QPoint(75, 75));
    EXPECT_TRUE(s.hasLine);
    EXPECT_EQ(s.tip, QPoint(75, 45));
    EXPECT_EQ(s.triangle, (QList<QPoint>{QPoint(70, 75), QPoint(80, 75), QPoint(75, 45)}));
    EXPECT_TRUE(s.hit.contains(QPoint(75, 60)));
    EXPECT_FALSE(s.hit.contains(QPoint(85, 60)));
}

TEST(GaugePointers, ArrowLineHeadSitsBelowTheTip)
{
    const PointerShape s = pointerShape(iagpsArrowLine, 0, 70, 5, 10, false, QPoint(100, 100));
    EXPECT_EQ(s.tip, QPoint(165, 100));
    EXPECT_EQ(s.triangle, (QList<QPoint>{QPoint(155, 95), QPoint(155, 105), QPoint(165, 100)}));
    EXPECT_TRUE(s.hit.contains(QPoint(160, 100)));
    EXPECT_FALSE(s.hit.contains(QPoint(130, 100))); // on the line, outside the head
}

TEST(GaugePointers, ArrowOnTheScaleSidePointsInward)
{
    const PointerShape in = pointerShape(iagpsArrow, 0, 70, 2, 8, false, QPoint(0, 0));
    EXPECT_FALSE(in.hasLine);
    EXPECT_EQ(in.tip, QPoint(68, 0));
    const PointerShape out = pointerShape(iagpsArrow, 0, 70, 2, 8, true, QPoint(0, 0));
    EXPECT_EQ(out.tip, QPoint(72, 0));
    EXPECT_EQ(out.triangle[0], QPoint(80, -4));
    // Only the arrow uses the scale side.
    EXPECT_EQ(pointerShape(iagpsArrowLine, 0, 70, 2, 8, true, QPoint(0, 0)).tip, QPoint(68, 0));
}

TEST(GaugePointers, PlainLineIsHitNearItsTip)
{
    const PointerShape s = pointerShape(iagpsLine, 90, 30, 0, 10, false, QPoint(75, 75));
    EXPECT_TRUE(s.triangle.isEmpty());
    EXPECT_TRUE(s.hit.contains(QPoint(71, 41)));
    EXPECT_TRUE(s.hit.contains(QPoint(78, 48)));
    EXPECT_FALSE(s.hit.contains(QPoint(79, 45)));
    EXPECT_FALSE(s.hit.contains(QPoint(75, 60)));
}

TEST(GaugeLabelRect, CentredAndJustifiedPlacement)
{
    const QPoint p(50, 50);
    EXPECT_EQ(labelRect(ilaCenter, p, 21, 13, 30), (TiRect{40, 44, 60, 56}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 0), (TiRect{50, 44, 70, 56}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 45), (TiRect{50, 38, 70, 50}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 90), (TiRect{40, 38, 60, 50}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 135), (TiRect{30, 38, 50, 50}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 180), (TiRect{30, 44, 50, 56}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 220), (TiRect{30, 50, 50, 62}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 270), (TiRect{40, 50, 60, 62}));
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, 300), (TiRect{50, 50, 70, 62}));
    // The fan dial's last label sits at -40 degrees: lower right.
    EXPECT_EQ(labelRect(ilaJustified, p, 20, 12, -40), (TiRect{50, 50, 70, 62}));
}

TEST(GaugeAutoCenter, BoxIsCentredThenOffset)
{
    const QPoint c = autoCenter(QPoint(50, 50), 100, 100, 0, 50, {180}, {}, 0, 0);
    EXPECT_EQ(c, QPoint(75, 50));
    const QPoint shifted = autoCenter(QPoint(50, 50), 100, 100, 0, 50, {180}, {}, 3, 4);
    EXPECT_EQ(shifted, QPoint(78, 46));
    // A label sticking out on the right pulls the dial left.
    const QPoint withLabel =
        autoCenter(QPoint(50, 50), 100, 100, 20, 30, {0, 90, 180, 270}, {TiRect{30, -5, 50, 5}}, 0, 0);
    EXPECT_EQ(withLabel, QPoint(40, 50));
}

TEST(GaugeAutoCenter, BandSamplesStopShortOfTheMaximum)
{
    const std::vector<double> a = bandSampleAngles(0, 3000, 220, 260, false);
    ASSERT_EQ(a.size(), 10u);
    EXPECT_DOUBLE_EQ(a.front(), 220);
    EXPECT_DOUBLE_EQ(a.back(), -14);
    EXPECT_TRUE(bandSampleAngles(5, 5, 220, 260, false).empty());
}

TEST(GaugeAutoSize, RadiusByArcRange)
{
    const std::vector<TiRect> labels{TiRect{-30, -30, -10, -20}, TiRect{10, -30, 30, -20}};
    // The labels take 60 px of the width and 30 of the height: 90 px remain.
    EXPECT_EQ(autoSizeRadius(labels, 150, 150, 260, 4, 16), 41);    // 90 / 2 - 4
    EXPECT_EQ(autoSizeRadius(labels, 150, 150, 180, 4, 16), 41);    // 90 / 2 - 4
    EXPECT_EQ(autoSizeRadius(labels, 150, 150, 135, 4, 16), 56);    // 90 / 1.5 - 4
    EXPECT_EQ(autoSizeRadius(labels, 150, 150, 90, 4, 16), 70);     // 90 - 4 - 16
    EXPECT_EQ(autoSizeRadius({}, 150, 100, 260, 5, 14), 45);
}

TEST(GaugeDrag, ClockwiseDragRaisesTheValue)
{
    const QPoint c(0, 0);
    EXPECT_DOUBLE_EQ(dragDegrees(c, QPoint(10, 0), 220), 0);
    EXPECT_DOUBLE_EQ(dragDegrees(c, QPoint(0, 10), 220), 90);   // below: clockwise
    EXPECT_DOUBLE_EQ(dragDegrees(c, QPoint(0, -10), 45), -45);  // limited
    EXPECT_NEAR(dragValueDelta(0, 90, 260, 0, 3000, false), 90.0 / 260 * 3000, 1e-9);
    EXPECT_NEAR(dragValueDelta(0, 90, 260, 0, 3000, true), -90.0 / 260 * 3000, 1e-9);
    // Crossing 9 o'clock: 170 to -170 is 20 degrees clockwise.
    EXPECT_NEAR(dragValueDelta(170, -170, 260, 0, 3000, false), 20.0 / 260 * 3000, 1e-9);
    EXPECT_EQ(dragValueDelta(0, 90, 0, 0, 3000, false), 0);
}

TEST(GaugeLayout, CentreRadiusAndLabelsInOneGo)
{
    struct Case {
        const char* name;
        bool autoCenter;
        bool autoSize;
        QPoint center;
        int arcRadius;
        TiRect label; // the one label, 10 x 6 at 90 degrees
    };
    for (const Case& c : {Case{"fixed", false, false, {50, 50}, 30, {45, 8, 55, 14}},
                          // Box about (50, 50): x from the band's -31 (at 180 degrees) to
                          // the hub's 57, y from the label's -43 to the hub's 57; the
                          // centre moves by (74 / 2, 86 / 2).
                          Case{"auto-centred", true, false, {87, 93}, 81, {82, 0, 92, 6}}}) {
        SCOPED_TRACE(c.name);
        GaugeLayoutInput in;
        in.width = 100;
        in.height = 100;
        in.plainCenter = QPoint(50, 50);
        in.autoCenter = c.autoCenter;
        in.arcRadius = c.arcRadius;
        in.majorLength = 5;
        in.labelDegrees = {90};
        in.labelSizes = {QSize(10, 6)};
        const GaugeLayout layout = gaugeLayout(in);
        EXPECT_EQ(layout.center, c.center);
        EXPECT_EQ(layout.arcRadius, c.arcRadius);
        EXPECT_EQ(layout.radii.label, c.arcRadius + 5 + 4);
        ASSERT_EQ(layout.labelRects.size(), 1u);
        EXPECT_EQ(layout.labelRects[0], c.label);
    }
}
