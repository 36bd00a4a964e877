#include "widgets/TiFont.h"

#include <QFontMetrics>
#include <algorithm>

TiFont::TiFont(const QString& name, int height, TColor color, int style)
    : Name(name), Height(height), Color(color), Style(style)
{
}

int TiFont::Size() const
{
    // Points from pixels at 96 dpi, rounded half away from zero like the
    // layout tools do.
    const long long pixels = Height < 0 ? -static_cast<long long>(Height) : Height;
    return static_cast<int>((pixels * 72 + 48) / 96);
}

void TiFont::SetSize(int points)
{
    Height = -((points * 96 + 36) / 72);
}

QFont TiFont::toQFont() const
{
    QFont font(Name);
    font.setBold(Bold());
    font.setItalic((Style & fsItalic) != 0);
    font.setUnderline((Style & fsUnderline) != 0);
    font.setStrikeOut((Style & fsStrikeOut) != 0);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Beyond this a glyph is larger than any screen.
    constexpr int kLargestPixels = 4096;
    if (Height < 0) {
        font.setPixelSize(Height < -kLargestPixels ? kLargestPixels : -Height);
    } else if (Height > 0) {
        // A cell height: the largest character size whose line fits in it.
        int pixels = std::min(Height, kLargestPixels);
        font.setPixelSize(pixels);
        while (pixels > 1 && QFontMetrics(font).height() > Height) {
            --pixels;
            font.setPixelSize(pixels);
        }
    } else {
        font.setPixelSize(11);
    }
    return font;
}
