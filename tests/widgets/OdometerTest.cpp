#include "widgets/TiClock.h"
#include "widgets/TiOdometer.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
class StepClock : public TiClock {
public:
    double NowMs() const override { return now; }
    double now = 1000;
};

// The console's fan odometer: 4 cells, no decimals, no margin.
void consoleSettings(TiOdometer& o)
{
    o.SetDigitsCount(4);
    o.SetTenthsDigitCount(0);
    o.SetBorderMargin(0);
    TiFont f(QStringLiteral("MS Sans Serif"), -11, clWhite, fsBold);
    o.SetDigitFont(f);
}

int whitePixelsIn(const QImage& image, int left, int right, int top, int bottom)
{
    int n = 0;
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (qGray(image.pixel(x, y)) > 160)
                ++n;
    return n;
}
} // namespace

TEST(Odometer, NegativeStoresZeroAndSameValueIsSilent)
{
    TiOdometer o;
    QSignalSpy changes(&o, &TiOdometer::OnChange);
    o.SetValue(5);
    o.SetValue(-3);
    EXPECT_EQ(o.Value(), 0);
    EXPECT_EQ(changes.count(), 2);
    o.SetValue(0);
    EXPECT_EQ(changes.count(), 2);
    o.setProperty("Value", 42);
    EXPECT_EQ(o.Value(), 42);
    o.SetValueNoEvent(43);
    EXPECT_EQ(changes.count(), 3);
}

TEST(Odometer, ConsoleDigits)
{
    TiOdometer o;
    consoleSettings(o);
    EXPECT_EQ(o.Width(), 60);
    o.SetValue(123);
    EXPECT_EQ(o.ShownDigits(), QStringLiteral("0123"));
    o.SetValue(12345);
    EXPECT_EQ(o.ShownDigits(), QStringLiteral("2345"));
}

TEST(Odometer, DecimalCellAndAutoWidth)
{
    TiOdometer o;
    o.SetValue(12.5);
    EXPECT_EQ(o.ShownDigits(), QStringLiteral("00125"));
    o.SetDigitsCount(6);
    EXPECT_EQ(o.Width(), 94);
    o.SetDigitsCount(0);
    EXPECT_EQ(o.DigitsCount(), 1);
    o.SetAutoSize(false);
    o.SetDigitsCount(4);
    EXPECT_EQ(o.Width(), 19);
}

TEST(Odometer, CellsShowWhiteDigitsOnBlackAndTheTenthsCellIsTeal)
{
    TiOdometer o;
    o.SetDigitBorderShow(false);
    o.SetValue(12.5);
    const QImage image = o.RenderToImage();
    // Rightmost cell (teal): x from Width - 2 - 15.
    const int right = o.Width() - o.BorderMargin();
    EXPECT_EQ(image.pixelColor(right - 2, 1), QColor(0, 128, 128));
    EXPECT_EQ(image.pixelColor(right - 15 - 2, 1), QColor(0, 0, 0));
    // Every cell carries a digit drawn in white.
    for (int cell = 0; cell < 5; ++cell)
        EXPECT_GT(whitePixelsIn(image, right - 15 * (cell + 1) + 1, right - 15 * cell - 1, 5, 18), 5) << cell;
}

TEST(Odometer, FrameRateGateHoldsBackAQuickSecondChange)
{
    TiOdometer o;
    StepClock clock;
    o.SetClock(clock);
    o.SetAutoFrameRate(true);
    clock.now += 100;
    o.SetValue(1);
    EXPECT_FALSE(o.BackGroundPending());
    clock.now += 5;
    o.SetValue(2);
    EXPECT_TRUE(o.BackGroundPending());
    clock.now += 20;
    o.SetValue(3);
    EXPECT_FALSE(o.BackGroundPending());
    EXPECT_EQ(o.ShownDigits(), QStringLiteral("00030"));
}
