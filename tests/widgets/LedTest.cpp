#include "widgets/TiLedRound.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QColor centrePixel(TiComponent& w)
{
    const QImage image = w.RenderToImage();
    return image.pixelColor(w.Width() / 2, w.Height() / 2);
}
} // namespace

TEST(Led, SameActiveFiresNothingAndRequestsNoRepaint)
{
    TiLedRound led;
    QSignalSpy changes(&led, &TiLed::OnChange);
    led.BeginUpdate();
    led.SetActive(false);
    EXPECT_FALSE(led.BackGroundPending());
    EXPECT_EQ(changes.count(), 0);
    led.SetActive(true);
    EXPECT_TRUE(led.BackGroundPending());
    EXPECT_EQ(changes.count(), 1);
    led.SetActiveNoEvent(false);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_FALSE(led.Active());
    led.EndUpdate();
}

TEST(Led, RefusedEditKeepsState)
{
    TiLedRound led;
    led.RequestEditHook = [](const QString& name) { return name != QLatin1String("Active"); };
    led.SetActive(true);
    EXPECT_FALSE(led.Active());
}

TEST(Led, ConsoleAlarmLampColours)
{
    TiLedRound led;
    led.SetBounds(0, 0, 17, 17);
    led.SetActiveColor(clRed);
    led.SetInactiveColor(tiRGB(128, 64, 64));
    led.SetBevelStyle(ibsRaised);
    EXPECT_EQ(centrePixel(led), QColor(0x55, 0, 0));
    led.setProperty("Active", 1.0);
    EXPECT_TRUE(led.Active());
    EXPECT_EQ(centrePixel(led), QColor(255, 0, 0));
    led.SetAutoInactiveColor(false);
    led.SetActive(false);
    EXPECT_EQ(centrePixel(led), QColor(128, 64, 64));
}

TEST(Led, FanLampIsLimeWhenLitAndDarkGreenWhenNot)
{
    TiLedRound led;
    led.SetBounds(0, 0, 25, 25);
    EXPECT_EQ(centrePixel(led), QColor(0, 0x55, 0));
    led.setProperty("Active", true);
    EXPECT_EQ(centrePixel(led), QColor(0, 255, 0));
}

TEST(Led, RoundLampStaysSquare)
{
    TiLedRound led;
    led.SetWidth(25);
    EXPECT_EQ(led.Height(), 25);
    led.SetHeight(17);
    EXPECT_EQ(led.Width(), 17);
    led.BeginLoading();
    led.SetBounds(0, 0, 30, 20);
    led.Loaded();
    EXPECT_EQ(led.Width(), 30);
    EXPECT_EQ(led.Height(), 20);
}
