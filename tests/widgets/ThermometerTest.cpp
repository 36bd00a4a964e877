#include "widgets/TiThermometer.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// iThermometer1 of the console: 57 x 205 on -40..80, fixed auto-scale.
void consoleThermometer(TiThermometer& t)
{
    t.BeginLoading();
    t.SetBounds(0, 0, 57, 205);
    t.SetPositionMin(-40);
    t.SetPositionMax(80);
    t.SetIndicatorWidth(3);
    t.SetIndicatorBulbSize(9);
    t.SetIndicatorFillReferenceStyle(ipfrsMin);
    t.SetTickMargin(6);
    t.SetTickLabelMargin(2);
    t.SetMinMaxPointerSize(9);
    t.SetAutoScaleEnabled(true);
    t.SetAutoScaleStyle(iassFixedMinMax);
    t.SetCachedDrawing(false);
    t.SetBackGroundColor(clWhite);
    t.Loaded();
}

QColor columnPixel(TiThermometer& t, int y)
{
    const TiThermometerMath::Tube tube = t.TubeRect();
    return t.RenderToImage().pixelColor((tube.left + tube.right) / 2, y);
}
} // namespace

TEST(Thermometer, ConsoleScaleLabels)
{
    TiThermometer t;
    consoleThermometer(t);
    EXPECT_EQ(t.LabelMin(), -25);
    EXPECT_EQ(t.LabelMax(), 75);
    EXPECT_EQ(t.TickMajorCount(), 5);
    t.SetPosition(100);
    EXPECT_EQ(t.GetPosition(), 80);
}

TEST(Thermometer, LiquidLevelFollowsThePosition)
{
    TiThermometer t;
    consoleThermometer(t);
    const TiThermometerMath::Tube tube = t.TubeRect();
    const QColor liquid(255, 0, 0);
    const QColor empty(128, 0, 0);

    t.SetPosition(-40);
    EXPECT_EQ(t.LiquidPixel(), tube.bottom + 1);
    EXPECT_EQ(columnPixel(t, (tube.top + tube.bottom) / 2), empty);
    EXPECT_EQ(columnPixel(t, tube.top + 5), empty);

    t.SetPosition(80);
    EXPECT_EQ(t.LiquidPixel(), tube.top);
    EXPECT_EQ(columnPixel(t, tube.top + 5), liquid);

    t.SetPosition(20);
    const int mid = t.LiquidPixel();
    EXPECT_NEAR(mid, (tube.top + tube.bottom + 1) / 2, 1);
    EXPECT_EQ(columnPixel(t, mid + 6), liquid);
    EXPECT_EQ(columnPixel(t, mid - 3), empty);
    // The bulb is always full.
    EXPECT_EQ(columnPixel(t, tube.bottom + 9), liquid);
}

TEST(Thermometer, ScaleSitsRightOfTheTubeAndTheDrawingIsCentred)
{
    TiThermometer t;
    consoleThermometer(t);
    const TiThermometerMath::Tube tube = t.TubeRect();
    EXPECT_LT(tube.right, 57 / 2);
    EXPECT_GT(tube.left, 3);
    // A major tick at the pixel of 0, right of the tube.
    const QImage image = t.RenderToImage();
    const int y0 = t.GetPositionPixels(0);
    const int tickX = (tube.left + tube.right) / 2 + 6 + 5;
    EXPECT_EQ(image.pixelColor(tickX, y0), QColor(0, 0, 0));
}

TEST(Thermometer, ReverseScaleAppliesToBarsOnly)
{
    TiThermometer t;
    consoleThermometer(t);
    const int bottom = t.GetPositionPixels(-40);
    t.SetReverseScale(true);
    EXPECT_EQ(t.GetPositionPixels(-40), bottom);
    t.SetIndicatorStyle(itisBar);
    EXPECT_LT(t.GetPositionPixels(-40), t.GetPositionPixels(80));
}

TEST(Thermometer, BarFillsFromTheReferenceValue)
{
    TiThermometer t;
    consoleThermometer(t);
    t.SetIndicatorStyle(itisBarSunken);
    t.SetIndicatorFillReferenceStyle(ipfrsValue);
    t.SetIndicatorFillReferenceValue(0);
    const int zero = t.GetPositionPixels(0);
    EXPECT_EQ(t.ReferencePixel(), zero);
    t.SetPosition(-20);
    EXPECT_GT(t.LiquidPixel(), zero);
    EXPECT_EQ(columnPixel(t, zero + 3), QColor(255, 0, 0));
    EXPECT_EQ(columnPixel(t, zero - 3), QColor(128, 0, 0));
    t.SetPosition(40);
    EXPECT_LT(t.LiquidPixel(), zero);
    EXPECT_EQ(columnPixel(t, zero - 3), QColor(255, 0, 0));
    EXPECT_EQ(columnPixel(t, zero + 3), QColor(128, 0, 0));
}

TEST(Thermometer, MaxMarkerCanBeDragged)
{
    TiThermometer t;
    consoleThermometer(t);
    t.SetShowMaxPointer(true);
    t.SetMinMaxUserCanMove(true);
    t.SetPosition(20);
    t.show();
    const QImage image = t.RenderToImage();
    const int y = t.GetPositionPixels(20);
    const TiThermometerMath::Tube tube = t.TubeRect();
    // The marker sits left of the tube, apex MinMaxPointerMargin away.
    EXPECT_EQ(image.pixelColor(tube.left - 5 - 4, y), QColor(0, 255, 255));
    QSignalSpy maxChanges(&t, &TiPositionComponent::OnCurrentMaxChange);
    QTest::mousePress(&t, Qt::LeftButton, {}, QPoint(tube.left - 5 - 4, y));
    QTest::mouseMove(&t, QPoint(tube.left - 5 - 4, y - 40));
    QTest::mouseRelease(&t, Qt::LeftButton, {}, QPoint(tube.left - 5 - 4, y - 40));
    EXPECT_GT(t.CurrentMax(), 20);
    EXPECT_GE(maxChanges.count(), 1);
}

TEST(Thermometer, CachedGlassKeepsTheLiquidLive)
{
    for (const TiThermometerIndicatorStyle style : {itisBulb, itisBarSunken}) {
        TiThermometer t;
        consoleThermometer(t);
        t.SetIndicatorStyle(style);
        t.SetCachedDrawing(true);
        const TiThermometerMath::Tube tube = t.TubeRect();
        t.SetPosition(80);
        EXPECT_EQ(columnPixel(t, tube.top + 5), QColor(255, 0, 0)) << style;
        // Only the value changed: the cached glass is reused and the tube empties.
        t.SetPosition(-40);
        EXPECT_EQ(columnPixel(t, tube.top + 5), QColor(128, 0, 0)) << style;
        EXPECT_EQ(columnPixel(t, (tube.top + tube.bottom) / 2), QColor(128, 0, 0)) << style;
    }
}
