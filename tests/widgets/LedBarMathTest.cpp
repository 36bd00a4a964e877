#include "widgets/TiLedBarMath.h"

#include <gtest/gtest.h>

using namespace TiLedBarMath;

TEST(LedBarMath, LampColourFollowsStateAndAutoInactive)
{
    EXPECT_EQ(lampColor(true, clRed, true, 0x404080), clRed);
    // The console's alarm lamps store an inactive colour that is never shown.
    EXPECT_EQ(lampColor(false, clRed, true, 0x404080), 0x000055);
    EXPECT_EQ(lampColor(false, clLime, true, 0x404080), 0x005500);
    EXPECT_EQ(lampColor(false, tiRGB(0, 255, 64), true, 0), 0x155500);
    EXPECT_EQ(lampColor(false, clRed, false, 0x404080), 0x404080);
}

TEST(LedBarMath, ConsoleBarLayout)
{
    const SegmentLayout l = segmentLayout(161, 5, 1, 2);
    EXPECT_EQ(l.count, 26);
    EXPECT_EQ(l.leftover, 1);
    EXPECT_EQ(l.pitch, 6);
    EXPECT_EQ(litSegments(0.05, 26), 2);
    EXPECT_EQ(litSegments(0.0, 26), 0);
    EXPECT_EQ(litSegments(0.5, 26), 14);
    EXPECT_EQ(litSegments(1.0, 26), 26);
}

TEST(LedBarMath, ZeroPitchGivesNoSegments)
{
    const SegmentLayout l = segmentLayout(100, 0, 0, 2);
    EXPECT_EQ(l.count, 0);
    EXPECT_EQ(l.leftover, 0);
    EXPECT_EQ(segmentLayout(3, 5, 2, 4).count, 0);
}

TEST(LedBarMath, TenSegmentBarRoundsInExtendedPrecision)
{
    // These depend on the binary error of 0.1, 0.2 and 0.3.
    EXPECT_EQ(litSegments(10 / 100.0, 10), 2);
    EXPECT_EQ(litSegments(20 / 100.0, 10), 3);
    EXPECT_EQ(litSegments(25 / 100.0, 10), 3);
    EXPECT_EQ(litSegments(30 / 100.0, 10), 3);
    EXPECT_EQ(litSegments(50 / 100.0, 10), 6);
    // An odd count at full scale must not light more than there are.
    EXPECT_EQ(litSegments(1.0, 25), 25);
}

TEST(LedBarMath, SectionsOnlyGrowAlongTheBar)
{
    EXPECT_EQ(sectionBoundary(50, 0, 100, 26), 13);
    EXPECT_EQ(sectionBoundary(75, 0, 100, 26), 20); // 19.5 rounds to even
    EXPECT_EQ(sectionBoundary(50, 0, 0, 26), 0);
    EXPECT_EQ(sectionOfSegment(25, 1, 0, 0), 1);
    EXPECT_EQ(sectionOfSegment(12, 3, 13, 20), 1);
    EXPECT_EQ(sectionOfSegment(13, 3, 13, 20), 2);
    EXPECT_EQ(sectionOfSegment(20, 3, 13, 20), 3);
    EXPECT_EQ(sectionOfSegment(20, 2, 13, 20), 2);
    // A second end below the first jumps straight to the third section.
    EXPECT_EQ(sectionOfSegment(6, 3, 13, 5), 3);
}
