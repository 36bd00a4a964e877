#include "PlotTestSupport.h"

#include <QImage>

TEST(PlotPaint, BackgroundInTheWidgetColourAndNothingWithoutLegend)
{
    TiXYPlot plot;
    plot.LoadPropertiesFromFile(QString::fromLatin1(TiXYPlot::ConsolePlotResource));
    plot.resize(120, 80);
    QImage image = plot.RenderToImage();
    EXPECT_EQ(image.pixelColor(60, 40), QColor(0xC0, 0xC0, 0xC0));
    // The lowered border darkens the top-left edge.
    EXPECT_NE(image.pixelColor(0, 40), QColor(0xC0, 0xC0, 0xC0));

    plot.SetBackGroundGradientEnabled(true);
    plot.SetBackGroundGradientStartColor(clRed);
    plot.SetBackGroundGradientStopColor(clBlue);
    image = plot.RenderToImage();
    EXPECT_GT(image.pixelColor(60, 5).red(), image.pixelColor(60, 75).red());
    EXPECT_LT(image.pixelColor(60, 5).blue(), image.pixelColor(60, 75).blue());

    plot.RemoveAllLegends();
    image = plot.RenderToImage();
    EXPECT_NE(image.pixelColor(60, 40), QColor(0xC0, 0xC0, 0xC0));
}
