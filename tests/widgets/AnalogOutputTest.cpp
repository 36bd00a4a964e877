#include "widgets/TiAnalogOutput.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(AnalogOutput, PrecisionAndUnits)
{
    TiAnalogOutput out;
    out.SetUnitsText(QStringLiteral("A"));
    out.SetPrecision(2);
    out.SetValue(12.346);
    EXPECT_EQ(out.Text(), QStringLiteral("12.35A"));
    out.SetPrecision(0);
    EXPECT_EQ(out.Text(), QStringLiteral("12A"));
    out.SetUnitsText(QStringLiteral("  "));
    EXPECT_TRUE(out.UnitsText().isEmpty());
    EXPECT_EQ(out.Text(), QStringLiteral("12"));
}

TEST(AnalogOutput, ClampingOnlyWithARange)
{
    TiAnalogOutput out;
    out.SetValue(150);
    EXPECT_EQ(out.Value(), 150);
    out.SetValueMax(100);
    EXPECT_EQ(out.Value(), 100);
    out.SetValue(150);
    EXPECT_EQ(out.Value(), 100);
}

TEST(AnalogOutput, SameValueIsSilentButRefreshesTheText)
{
    TiAnalogOutput out;
    QSignalSpy changes(&out, &TiAnalogOutput::OnChange);
    out.setProperty("Value", 230.46);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(out.Text(), QStringLiteral("230.5"));
    out.SetValue(230.46);
    EXPECT_EQ(changes.count(), 1);
    out.SetValueNoEvent(1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(out.Value(), 1);
}

TEST(AnalogOutput, BeforeChangeMayAlterOrRefuse)
{
    TiAnalogOutput out;
    QObject::connect(&out, &TiAnalogOutput::OnBeforeChange, [](double, double& v, bool& can) {
        if (v > 50)
            can = false;
        else
            v = v * 2;
    });
    out.SetValue(10);
    EXPECT_EQ(out.Value(), 20);
    out.SetValue(60);
    EXPECT_EQ(out.Value(), 20);
}

TEST(AnalogOutput, EditingCommitsANumberAndUndoesGarbage)
{
    TiAnalogOutput out;
    out.SetUnitsText(QStringLiteral("V"));
    out.show();
    out.setFocus();
    QApplication::setActiveWindow(&out);
    out.SelectAll();
    QTest::keyClicks(&out, QStringLiteral("7.5"));
    EXPECT_EQ(out.Text(), QStringLiteral("7.5V"));
    QTest::keyClick(&out, Qt::Key_Return);
    EXPECT_EQ(out.Value(), 7.5);
    out.SelectAll();
    QTest::keyClicks(&out, QStringLiteral("x-"));
    // Letters outside the units are filtered; "-" alone is no number.
    EXPECT_EQ(out.Text(), QStringLiteral("-V"));
    QTest::keyClick(&out, Qt::Key_Return);
    EXPECT_EQ(out.Value(), 7.5);
    EXPECT_EQ(out.Text(), QStringLiteral("7.5V"));
}

TEST(AnalogOutput, ErrorShowsErrorTextOnItsBackground)
{
    TiAnalogOutput out;
    out.SetBounds(0, 0, 80, 24);
    out.SetValue(12);
    out.SetErrorActive(true);
    const QImage image = out.RenderToImage();
    EXPECT_EQ(image.pixelColor(5, 12), QColor(0, 0, 0));
    int red = 0;
    for (int x = 0; x < 80; ++x)
        for (int y = 0; y < 24; ++y)
            if (image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 60)
                ++red;
    EXPECT_GT(red, 10);
}

TEST(AnalogOutput, AutoSizeFitsOneLineOfTheFont)
{
    TiAnalogOutput out;
    out.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -16, clBlack, fsBold));
    const int tall = out.Height();
    out.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -11, clBlack, fsBold));
    EXPECT_LT(out.Height(), tall);
    out.SetAutoSize(false);
    out.SetBounds(0, 0, 80, 30);
    out.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -16, clBlack, fsBold));
    EXPECT_EQ(out.Height(), 30);
}
