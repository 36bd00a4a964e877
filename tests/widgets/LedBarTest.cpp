#include "widgets/TiLedBar.h"
#include "widgets/TiLedRound.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
// iLedBar1 of the console's status strip.
void consoleBar(TiLedBar& bar)
{
    bar.SetSegmentDirection(idRight);
    bar.SetBounds(464, 0, 161, 23);
    bar.SetSegmentSpacing(1);
    bar.SetSectionColor1(tiRGB(0, 255, 64));
    bar.SetSectionColor2(clRed);
    bar.SetSectionEnd1(100);
    bar.SetSectionEnd2(75);
    bar.setProperty("Position", 5);
}

QColor pixelAt(const QImage& image, const TiRect& r)
{
    return image.pixelColor((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}
} // namespace

TEST(LedBar, ConsoleBarSegments)
{
    TiLedBar bar;
    consoleBar(bar);
    EXPECT_EQ(bar.SegmentCount(), 26);
    EXPECT_EQ(bar.LitCount(), 2);
    // c = 1 and margin 2: the first segment starts at x = 3.
    EXPECT_EQ(bar.SegmentRect(0), (TiRect{3, 2, 8, 21}));
    EXPECT_EQ(bar.SegmentRect(25), (TiRect{153, 2, 158, 21}));
    bar.SetPosition(0);
    EXPECT_EQ(bar.LitCount(), 0);
    bar.SetPosition(50);
    EXPECT_EQ(bar.LitCount(), 14);
    bar.setProperty("Position", 100.0);
    EXPECT_EQ(bar.LitCount(), 26);
    bar.SetPosition(150);
    EXPECT_EQ(bar.GetPosition(), 100);
}

TEST(LedBar, LitAndDarkSegmentsOnScreen)
{
    TiLedBar bar;
    consoleBar(bar);
    QImage image = bar.RenderToImage();
    EXPECT_EQ(pixelAt(image, bar.SegmentRect(1)), QColor(0, 255, 64));
    EXPECT_EQ(pixelAt(image, bar.SegmentRect(2)), QColor(0, 85, 21));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 0));
    // The link lost: the console turns the first section red, lit and unlit.
    bar.SetSectionColor1(clRed);
    image = bar.RenderToImage();
    EXPECT_EQ(pixelAt(image, bar.SegmentRect(0)), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(image, bar.SegmentRect(20)), QColor(85, 0, 0));
}

TEST(LedBar, OneSectionIgnoresTheSectionEnds)
{
    TiLedBar bar;
    consoleBar(bar);
    bar.SetSectionEnd1(10);
    bar.SetPosition(100);
    for (int i = 0; i < bar.SegmentCount(); ++i)
        EXPECT_EQ(bar.SegmentColor(i), tiRGB(0, 255, 64)) << i;
    bar.SetSectionCount(3);
    bar.SetSectionEnd2(50);
    EXPECT_EQ(bar.SegmentColor(0), tiRGB(0, 255, 64));
    EXPECT_EQ(bar.SegmentColor(5), clRed);
    EXPECT_EQ(bar.SegmentColor(25), clRed);
}

TEST(LedBar, OffSegmentsCanBeHidden)
{
    TiLedBar bar;
    consoleBar(bar);
    bar.SetShowOffSegments(false);
    const QImage image = bar.RenderToImage();
    EXPECT_EQ(pixelAt(image, bar.SegmentRect(1)), QColor(0, 255, 64));
    EXPECT_EQ(pixelAt(image, bar.SegmentRect(2)), QColor(0, 0, 0));
}

TEST(LedBar, DirectionAcrossAxesSwapsTheSize)
{
    TiLedBar bar;
    EXPECT_EQ(bar.Width(), 16);
    EXPECT_EQ(bar.Height(), 200);
    bar.SetSegmentDirection(idRight);
    EXPECT_EQ(bar.Width(), 200);
    EXPECT_EQ(bar.Height(), 16);
    bar.SetSegmentDirection(idLeft);
    EXPECT_EQ(bar.Width(), 200);
    bar.SetPosition(50);
    // Filling leftwards, the first lit segment is at the right end.
    EXPECT_GT(bar.SegmentRect(0).Left, bar.SegmentRect(1).Left);
}

TEST(LedBar, TenSegmentBar)
{
    TiLedBar bar;
    // Length 82 - 2 * 2 + 2 = 80 at a pitch of 8.
    bar.SetBounds(0, 0, 16, 82);
    bar.SetSegmentSize(7);
    bar.SetSegmentSpacing(1);
    ASSERT_EQ(bar.SegmentCount(), 10);
    const int expected[][2] = {{10, 2}, {20, 3}, {25, 3}, {30, 3}, {50, 6}};
    for (const auto& e : expected) {
        bar.SetPosition(e[0]);
        EXPECT_EQ(bar.LitCount(), e[1]) << e[0];
    }
}

TEST(LedBar, CircleSegmentCarriesTheRoundLampsReflection)
{
    // A lit 16-pixel circle segment and a 16 x 16 round lamp without bevel
    // share body and highlight: inside the body they match pixel for pixel.
    TiLedBar bar;
    bar.SetBounds(0, 0, 20, 60);
    bar.SetSegmentSize(16);
    bar.SetSegmentStyle(ilbssCircle);
    bar.SetPosition(100);
    const QImage segments = bar.RenderToImage();
    const TiRect seg = bar.SegmentRect(0);
    const QPoint box((seg.Left + seg.Right) / 2 - 8, (seg.Top + seg.Bottom) / 2 - 8);

    TiLedRound lamp;
    lamp.SetBounds(0, 0, 16, 16);
    lamp.SetBevelStyle(ibsNone);
    lamp.SetActiveColor(bar.SectionColor1());
    lamp.SetActive(true);
    const QImage round = lamp.RenderToImage();

    int highlight = 0;
    // Inside the rim, which blends with the different backgrounds.
    for (int y = 3; y < 13; ++y)
        for (int x = 3; x < 13; ++x) {
            const QColor inLamp = round.pixelColor(x, y);
            highlight += inLamp.red() > 100;
            EXPECT_EQ(segments.pixelColor(box + QPoint(x, y)), inLamp) << x << "," << y;
        }
    EXPECT_GT(highlight, 6);
}
