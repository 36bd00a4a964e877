#include "widgets/TiColor.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

// Classic values of the system colours that have no palette role.
constexpr std::array<TColor, 31> kClassicSystemColors = {
    0xC8D0D4, 0x6E3A0A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xF0E3C0, 0x6A240A, 0xC8D0D4};

bool paletteRole(int index, QPalette::ColorRole& role)
{
    switch (index) {
    case 5: role = QPalette::Base; return true;            // window
    case 6: role = QPalette::Shadow; return true;          // window frame
    case 8: role = QPalette::WindowText; return true;      // window text
    case 13: role = QPalette::Highlight; return true;      // highlight
    case 14: role = QPalette::HighlightedText; return true;
    case 15: role = QPalette::Button; return true;         // button face
    case 16: role = QPalette::Dark; return true;           // button shadow
    case 18: role = QPalette::ButtonText; return true;
    case 20: role = QPalette::Light; return true;          // button highlight
    case 21: role = QPalette::Shadow; return true;         // dark 3-D shadow
    case 22: role = QPalette::Midlight; return true;       // 3-D light
    case 23: role = QPalette::ToolTipText; return true;
    case 24: role = QPalette::ToolTipBase; return true;
    default: return false;
    }
}

} // namespace

bool tiIsSystemColor(TColor color) { return (static_cast<std::uint32_t>(color) & 0x80000000u) != 0; }

TColor tiFromQColor(const QColor& color)
{
    return tiRGB(color.red(), color.green(), color.blue());
}

QColor tiToQColor(TColor color)
{
    if (tiIsSystemColor(color)) {
        const int index = static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
        QPalette::ColorRole role;
        if (paletteRole(index, role) && qGuiApp)
            return QGuiApplication::palette().color(QPalette::Active, role);
        if (index < static_cast<int>(kClassicSystemColors.size()))
            color = kClassicSystemColors[static_cast<std::size_t>(index)];
        else
            color = clBlack;
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor tiDimColor(TColor color)
{
    const auto raw = static_cast<std::uint32_t>(color);
    const int r = static_cast<int>(raw & 0xFFu) / 3;
    const int g = static_cast<int>((raw >> 8) & 0xFFu) / 3;
    const int b = static_cast<int>((raw >> 16) & 0xFFu) / 3;
    return tiRGB(r, g, b);
}
