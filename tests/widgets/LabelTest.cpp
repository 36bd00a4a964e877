#include "widgets/TiLabel.h"

#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

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

TEST(Label, StartsAtItsDesignedSizeAndFitsTheCaptionOnTheFirstChange)
{
    using Change = std::function<void(TiLabel&)>;
    const std::vector<std::pair<const char*, Change>> changes{
        {"caption", [](TiLabel& l) { l.SetCaption(QStringLiteral("Communication Satus")); }},
        {"font", [](TiLabel& l) { l.SetFont(TiFont(QStringLiteral("MS Sans Serif"), -15, clBlack)); }},
        {"frame", [](TiLabel& l) { l.SetLabelBorderStyle(ilbsSingle); }},
        {"margin", [](TiLabel& l) { l.SetOuterMarginLeft(3); }},
        {"shadow", [](TiLabel& l) { l.SetShadowShow(true); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        TiLabel label;
        EXPECT_EQ(label.Width(), 28);
        EXPECT_EQ(label.Height(), 13);
        change(label);
        const int m = TiLabel::FrameMargin(label.LabelBorderStyle());
        const int shadow = label.ShadowShow() ? label.ShadowXOffset() : 0;
        EXPECT_EQ(label.Width(),
                  2 * m + label.OuterMarginLeft() + captionWidth(label.Font(), label.Caption()) + shadow);
    }
}
