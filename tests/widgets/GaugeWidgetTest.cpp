#include "widgets/TiAngularGauge.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A fan dial of the live tab, on white instead of transparent so that the
// pixels can be compared.
void setUpFanDial(TiAngularGauge& g)
{
    g.BeginLoading();
    g.SetPositionMax(3000);
    g.SetArcRangeDegrees(260);
    g.SetArcStartDegrees(220);
    g.SetArcRadius(30);
    g.SetHubSize(16);
    g.SetOuterMargin(4);
    g.SetPointerStyle(iagpsTriangle);
    g.SetSectionCount(3);
    g.SetSectionEnd1(1000);
    g.SetSectionColor1(clYellow);
    g.SetSectionEnd2(2700);
    g.SetSectionColor2(clGreen);
    g.SetSectionEnd3(3000);
    g.SetTickMajorLength(8);
    g.SetTickLabelMargin(10);
    g.SetShowInnerArcRadius(true);
    g.SetBackGroundColor(clWhite);
    g.Loaded();
}

void setUpVoltageDial(TiAngularGauge& g)
{
    g.BeginLoading();
    g.SetPositionMax(80);
    g.SetArcRadius(70);
    g.SetPointerStyle(iagpsArrowLine);
    g.SetHubSize(18);
    g.SetSectionCount(3);
    g.SetSectionEnd1(40);
    g.SetSectionEnd2(60);
    g.SetSectionEnd3(80);
    g.SetSectionColor1(clRed);
    g.SetSectionColor2(clGreen);
    g.SetSectionColor3(clRed);
    g.SetBackGroundColor(clWhite);
    g.Loaded();
}

QRgb rgb(TColor c)
{
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) & 0xFFFFFF;
}

// The pixel at a value's angle and a radius about the dial's centre.
QRgb pixelAt(const QImage& image, const TiAngularGauge& g, double value, double radius)
{
    const QPoint p = GetXYRadPoint(g.PositionToDegrees(value), radius, g.LastCenter());
    return image.pixel(p) & 0xFFFFFF;
}

bool isDark(QRgb c)
{
    return qGray(c) < 80;
}

} // namespace

TEST(GaugeWidget, DefaultsAsConstructed)
{
    TiAngularGauge g;
    EXPECT_EQ(g.Width(), 150);
    EXPECT_EQ(g.Height(), 150);
    EXPECT_EQ(g.ArcStartDegrees(), 180);
    EXPECT_EQ(g.ArcRangeDegrees(), 90);
    EXPECT_EQ(g.ArcRadius(), 60);
    EXPECT_EQ(g.TickLabelMargin(), 15);
    EXPECT_EQ(g.PointerStyle(), iagpsTriangle);
    EXPECT_EQ(g.MinMaxPointerStyle(), iagpsArrowLine);
    EXPECT_EQ(g.Label1OffsetX(), -15);
    EXPECT_EQ(g.Label1OffsetY(), -35);
    EXPECT_EQ(g.Label2OffsetY(), -20);
    EXPECT_TRUE(g.AutoCenter());
    EXPECT_TRUE(g.CachedDrawing());
    g.SetArcRangeDegrees(400);
    EXPECT_EQ(g.ArcRangeDegrees(), 360);
}

TEST(GaugeWidget, PublishedNamesReachTheProperties)
{
    TiAngularGauge g;
    EXPECT_TRUE(g.setProperty("ArcStartDegrees", 220));
    EXPECT_TRUE(g.setProperty("ArcRangeDegrees", 260));
    EXPECT_TRUE(g.setProperty("PositionMax", 3000.0));
    EXPECT_TRUE(g.setProperty("SectionColor1", clYellow));
    EXPECT_TRUE(g.setProperty("PointerStyle", QStringLiteral("iagpsArrowLine")));
    EXPECT_TRUE(g.setProperty("Position", 1500.0));
    EXPECT_EQ(g.ArcStartDegrees(), 220);
    EXPECT_EQ(g.SectionColor1(), clYellow);
    EXPECT_EQ(g.PointerStyle(), iagpsArrowLine);
    EXPECT_DOUBLE_EQ(g.PositionToDegrees(g.GetPosition()), 90);
}

TEST(GaugeWidget, FanDialPointsFromLowerLeftToLowerRight)
{
    TiAngularGauge g;
    setUpFanDial(g);
    EXPECT_DOUBLE_EQ(g.PositionToDegrees(0), 220);
    EXPECT_DOUBLE_EQ(g.PositionToDegrees(1500), 90);
    g.SetPosition(3000);
    EXPECT_DOUBLE_EQ(g.PositionToDegrees(g.GetPosition()), -40);
    g.SetPosition(4000);
    EXPECT_EQ(g.GetPosition(), 3000);
    EXPECT_DOUBLE_EQ(g.PositionToDegrees(g.GetPosition()), -40);
    g.SetReverseScale(true);
    EXPECT_DOUBLE_EQ(g.PositionToDegrees(0), -40);
}

TEST(GaugeWidget, LabelValuesAndTexts)
{
    TiAngularGauge g;
    setUpFanDial(g);
    QStringList texts;
    for (int i = 0; i < g.TickMajorCount(); ++i)
        texts << g.GetLabelText(i);
    EXPECT_EQ(texts, (QStringList{"0", "750", "1500", "2250", "3000"}));
    EXPECT_EQ(g.GetLabelValue(3), 2250);

    TiAngularGauge heater;
    heater.SetPositionMax(10);
    heater.SetTickMajorCount(6);
    texts.clear();
    for (int i = 0; i < heater.TickMajorCount(); ++i)
        texts << heater.GetLabelText(i);
    EXPECT_EQ(texts, (QStringList{"0", "2", "4", "6", "8", "10"}));
}

TEST(GaugeWidget, FanDialRendersSectionsPointerAndHub)
{
    TiAngularGauge g;
    setUpFanDial(g);
    g.SetPosition(1500);
    const QImage image = g.RenderToImage();
    const double ring = 40; // between the section radii 36 and 43
    EXPECT_EQ(pixelAt(image, g, 500, ring), rgb(clYellow));
    EXPECT_EQ(pixelAt(image, g, 1900, ring), rgb(clGreen));
    EXPECT_EQ(pixelAt(image, g, 2920, ring), rgb(clRed));
    // Needle straight up, tip at radius 30; nothing at 9 o'clock.
    EXPECT_TRUE(isDark(pixelAt(image, g, 1500, 27)));
    EXPECT_FALSE(isDark(pixelAt(image, g, 1500, 33)));
    const QPoint c = g.LastCenter();
    EXPECT_EQ(image.pixel(c.x() - 22, c.y()) & 0xFFFFFF, 0xFFFFFFu);
    // Hub of diameter 16 on top of everything.
    EXPECT_EQ(image.pixel(c) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(c.x() + 6, c.y()) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(c.x() + 11, c.y() + 3) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(GaugeWidget, FanDialIsCentredAndNothingIsClipped)
{
    TiAngularGauge g;
    setUpFanDial(g);
    const QImage image = g.RenderToImage();
    // The outermost column and row stay background.
    for (int i = 0; i < 150; ++i) {
        EXPECT_EQ(image.pixel(0, i) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(image.pixel(149, i) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(image.pixel(i, 0) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(image.pixel(i, 149) & 0xFFFFFF, 0xFFFFFFu);
    }
    // Labels differ in width on the two sides; the box is centred.
    EXPECT_NEAR(g.LastCenter().x(), 75, 4) << g.LastCenter().x();
}

TEST(GaugeWidget, QuarterDialRendersItsArrowAtTheValue)
{
    TiAngularGauge g;
    setUpVoltageDial(g);
    g.SetPosition(50);
    const QImage image = g.RenderToImage();
    const double ring = 5 + 70 + 3.5; // the tick band 75..82
    EXPECT_EQ(pixelAt(image, g, 22, ring), rgb(clRed));
    EXPECT_EQ(pixelAt(image, g, 54, ring), rgb(clGreen));
    EXPECT_EQ(pixelAt(image, g, 70, ring), rgb(clRed));
    EXPECT_TRUE(isDark(pixelAt(image, g, 50, 66)));   // arrow head
    EXPECT_TRUE(isDark(pixelAt(image, g, 50, 40)));   // shaft
    EXPECT_FALSE(isDark(pixelAt(image, g, 30, 40)));
}

TEST(GaugeWidget, NoSectionsWithCountZero)
{
    TiAngularGauge g;
    setUpVoltageDial(g);
    g.SetSectionCount(0);
    const QImage image = g.RenderToImage();
    EXPECT_EQ(pixelAt(image, g, 22, 78.5), 0xFFFFFFu);
    EXPECT_EQ(pixelAt(image, g, 70, 78.5), 0xFFFFFFu);
}

TEST(GaugeWidget, PositionChangeKeepsTheCachedBackground)
{
    TiAngularGauge g;
    setUpFanDial(g);
    g.RenderToImage();
    EXPECT_FALSE(g.BackGroundChanged());
    g.SetPosition(2000);
    EXPECT_FALSE(g.BackGroundChanged());
    const QImage image = g.RenderToImage();
    EXPECT_TRUE(isDark(pixelAt(image, g, 2000, 27)));
    g.SetSectionColor2(clBlue);
    EXPECT_TRUE(g.BackGroundChanged());
    EXPECT_EQ(pixelAt(g.RenderToImage(), g, 1900, 40), rgb(clBlue));
}

TEST(GaugeWidget, ClickOnAVisiblePointerFiresOnClickPointer)
{
    TiAngularGauge g;
    setUpFanDial(g);
    g.SetPosition(1500);
    g.RenderToImage();
    QSignalSpy clicks(&g, &TiGaugeComponent::OnClickPointer);
    const QPoint onNeedle = GetXYRadPoint(90, 20, g.LastCenter());
    QTest::mouseClick(&g, Qt::LeftButton, {}, onNeedle);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 0);
    // Beside the needle nothing happens.
    QTest::mouseClick(&g, Qt::LeftButton, {}, GetXYRadPoint(180, 20, g.LastCenter()));
    EXPECT_EQ(clicks.count(), 1);
    // Nor on a hidden pointer.
    g.SetPointersVisible(0, false);
    g.RenderToImage();
    QTest::mouseClick(&g, Qt::LeftButton, {}, onNeedle);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(GaugeWidget, ReleaseOutsideThePointerIsNoClick)
{
    TiAngularGauge g;
    setUpFanDial(g);
    g.SetPosition(1500);
    g.RenderToImage();
    QSignalSpy clicks(&g, &TiGaugeComponent::OnClickPointer);
    QTest::mousePress(&g, Qt::LeftButton, {}, GetXYRadPoint(90, 20, g.LastCenter()));
    QTest::mouseRelease(&g, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(clicks.count(), 0);
}

TEST(GaugeWidget, DraggingTheMaxMarkerClockwiseRaisesIt)
{
    TiAngularGauge g;
    setUpFanDial(g);
    g.SetMinMaxUserCanMove(true);
    g.SetShowMaxPointer(true);
    g.SetPosition(1500);
    EXPECT_EQ(g.CurrentMax(), 1500);
    g.SetPosition(0);
    g.RenderToImage();
    const QPoint c = g.LastCenter();
    // The marker's head lies just inside the tip radius at the top.
    const QPoint head = GetXYRadPoint(90, 26, c);
    QTest::mousePress(&g, Qt::LeftButton, {}, head);
    // A quarter turn clockwise (to 3 o'clock) on a 260 degree dial.
    QTest::mouseMove(&g, GetXYRadPoint(45, 26, c));
    QTest::mouseMove(&g, GetXYRadPoint(0, 26, c));
    QTest::mouseRelease(&g, Qt::LeftButton, {}, GetXYRadPoint(0, 26, c));
    EXPECT_NEAR(g.CurrentMax(), 1500 + 90.0 / 260 * 3000, 30);
    // Dragging on past the end of the scale stops at the maximum.
    g.RenderToImage();
    QTest::mousePress(&g, Qt::LeftButton, {}, GetXYRadPoint(g.PositionToDegrees(g.CurrentMax()), 26, c));
    for (int a = 0; a >= -120; a -= 20)
        QTest::mouseMove(&g, GetXYRadPoint(a, 26, c));
    QTest::mouseRelease(&g, Qt::LeftButton, {}, GetXYRadPoint(-120, 26, c));
    EXPECT_EQ(g.CurrentMax(), 3000);
}

TEST(GaugeWidget, PanelFaceAndFreeLabel)
{
    TiAngularGauge g;
    g.SetBackGroundColor(clWhite);
    g.SetPanelFaceStyle(ipfsStandard);
    g.SetPanelFaceOuterColor(clNavy);
    g.SetShowTickLabels(false);
    g.SetShowLabel1(true);
    g.SetLabel1Text(QStringLiteral("RPM"));
    g.SetLabel1Font(TiFont(QStringLiteral("MS Sans Serif"), -14, clRed));
    const QImage image = g.RenderToImage();
    EXPECT_EQ(image.pixel(6, 75) & 0xFFFFFF, rgb(clNavy));       // outer face
    EXPECT_EQ(image.pixel(40, 75) & 0xFFFFFF, 0xFFFFFFu);        // inner face
    // Offsets -15, -35 put the label left of and above the centre.
    const QPoint c = g.LastCenter();
    bool red = false;
    for (int y = c.y() - 35 - 8; y <= c.y() - 35 + 8; ++y)
        for (int x = c.x() - 15 - 14; x <= c.x() - 15 + 14; ++x)
            if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 100)
                red = true;
    EXPECT_TRUE(red);
}

TEST(GaugeWidget, HiddenTickLabelsStillPlaceAndSizeTheDial)
{
    struct Case {
        bool autoCenter;
        bool autoSize;
    };
    for (const Case& c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "auto-centre " << c.autoCenter << ", auto-size " << c.autoSize);
        const auto layoutWith = [&](bool labels) {
            TiAngularGauge g;
            setUpFanDial(g);
            g.SetAutoCenter(c.autoCenter);
            g.SetAutoSize(c.autoSize);
            g.SetShowTickLabels(labels);
            g.RenderToImage();
            return std::pair{g.LastCenter(), g.ArcRadius()};
        };
        EXPECT_EQ(layoutWith(false), layoutWith(true));
    }
}

TEST(GaugeWidget, EachIntervalsMinorTicksLieOverItsLabel)
{
    // Big red labels reach into the blue minor ticks of their own interval;
    // those ticks are drawn after the label, so every blue pixel of a dial
    // without labels is blue with them too.
    const auto render = [](bool labels) {
        TiAngularGauge g;
        g.BeginLoading();
        g.SetPositionMax(100);
        g.SetArcRadius(30);
        g.SetTickMajorCount(3);
        g.SetTickMinorCount(9);
        g.SetTickMajorLength(8);
        g.SetTickMinorLength(25);
        g.SetTickLabelMargin(0);
        g.SetTickMinorColor(clBlue);
        g.SetTickLabelFont(TiFont(QStringLiteral("MS Sans Serif"), -24, clRed, fsBold));
        g.SetShowTickLabels(labels);
        g.SetShowHub(false);
        g.Pointers(0).SetVisible(false);
        g.SetBackGroundColor(clWhite);
        g.Loaded();
        const QImage image = g.RenderToImage();
        QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
        TiCanvas canvas(scratch);
        return std::pair{image, g.GetLabelRect(canvas, 0, g.LastCenter())};
    };
    const auto [bare, rect] = render(false);
    const QImage labelled = render(true).first;
    int blue = 0;
    int red = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            red += (labelled.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
            if ((bare.pixel(x, y) & 0xFFFFFF) == 0x0000FFu) {
                ++blue;
                EXPECT_EQ(labelled.pixel(x, y) & 0xFFFFFF, 0x0000FFu) << x << "," << y;
            }
        }
    ASSERT_GT(blue, 0) << "the minor ticks reach into the label";
    ASSERT_GT(red, 0);
}

TEST(GaugeWidget, PixelRatioTwoDrawsAtTwiceTheResolution)
{
    TiAngularGauge g;
    setUpVoltageDial(g);
    g.SetBorderStyle(ibsLowered);
    g.SetPosition(50);
    const QImage one = g.RenderToImage(1);
    const QImage two = g.RenderToImage(2);
    ASSERT_EQ(one.size(), QSize(150, 150));
    ASSERT_EQ(two.size(), QSize(300, 300));
    EXPECT_EQ(two.deviceIndependentSize(), QSizeF(150, 150));

    // The sunken frame's inner edge on the right: one step between two
    // neighbouring pixels at ratio 1, and between two neighbouring device
    // pixels at ratio 2, each logical pixel covered by four equal ones.
    const int y = 140;
    ASSERT_NE(one.pixel(147, y), one.pixel(148, y));
    for (int x = 144; x < 150; ++x)
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(two.pixel(2 * x + d % 2, 2 * y + d / 2), one.pixel(x, y)) << x << " " << d;

    // Arcs, needle and digits are drawn at the finer resolution, not
    // enlarged: many 2 x 2 blocks hold more than one colour.
    int mixed = 0;
    for (int by = 0; by < 150; ++by)
        for (int bx = 0; bx < 150; ++bx) {
            const QRgb c = two.pixel(2 * bx, 2 * by);
            mixed += two.pixel(2 * bx + 1, 2 * by) != c || two.pixel(2 * bx, 2 * by + 1) != c
                     || two.pixel(2 * bx + 1, 2 * by + 1) != c;
        }
    EXPECT_GT(mixed, 100);
}
