#include "widgets/TiLabel.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
int captionWidth(const TiFont& font, const QString& text)
{
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TiCanvas canvas(scratch);
    canvas.Font = font;
    return canvas.TextWidth(text);
}
} // namespace

TEST(Label, AutoSizeFitsTheCaptionExactly)
{
    TiLabel label;
    const TiFont font(QStringLiteral("MS Sans Serif"), -15, clBlack);
    label.SetFont(font);
    label.SetCaption(QStringLiteral("Communication Satus"));
    EXPECT_EQ(label.Width(), captionWidth(font, QStringLiteral("Communication Satus")));
    const int plain = label.Width();
    label.SetShadowShow(true);
    label.SetShadowXOffset(-2);
    EXPECT_EQ(label.Width(), plain + 2);
    label.SetLabelBorderStyle(ilbsLowered);
    EXPECT_EQ(label.Width(), plain + 2 + 4);
}

TEST(Label, ShadowIsDrawnBehindTheCaption)
{
    TiLabel label;
    label.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -15, clBlack, fsBold));
    label.SetCaption(QStringLiteral("Comm"));
    label.SetBackGroundColor(tiRGB(142, 199, 255));
    label.SetShadowColor(tiRGB(0, 128, 255));
    label.SetShadowShow(true);
    const QImage image = label.RenderToImage();
    int shadow = 0, text = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(0, 128, 255))
                ++shadow;
            if (c == QColor(0, 0, 0))
                ++text;
        }
    EXPECT_GT(shadow, 5);
    EXPECT_GT(text, 5);
}

TEST(Label, NoAutoSizeKeepsTheBounds)
{
    TiLabel label;
    label.SetAutoSize(false);
    label.SetBounds(328, 3, 129, 16);
    label.SetCaption(QStringLiteral("Communication Satus"));
    EXPECT_EQ(label.Width(), 129);
    EXPECT_EQ(label.Height(), 16);
}
