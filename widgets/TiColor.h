#pragma once

#include <QColor>
#include <cstdint>

// Colours travel as 32-bit values 0x00BBGGRR, the form the stored layout and
// the widget properties use. A value with the top bit set names a system
// colour: 0x80000000 + index. Kept as int so QObject::setProperty takes them.
using TColor = int;

constexpr TColor tiSystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index)); }
constexpr TColor tiRGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clActiveCaption = tiSystemColor(2);
constexpr TColor clWindow = tiSystemColor(5);
constexpr TColor clWindowFrame = tiSystemColor(6);
constexpr TColor clWindowText = tiSystemColor(8);
constexpr TColor clHighlight = tiSystemColor(13);
constexpr TColor clHighlightText = tiSystemColor(14);
constexpr TColor clBtnFace = tiSystemColor(15);
constexpr TColor clBtnShadow = tiSystemColor(16);
constexpr TColor clGrayText = tiSystemColor(17);
constexpr TColor clBtnText = tiSystemColor(18);
constexpr TColor clBtnHighlight = tiSystemColor(20);
constexpr TColor cl3DDkShadow = tiSystemColor(21);
constexpr TColor cl3DLight = tiSystemColor(22);
constexpr TColor clGradientInactiveCaption = tiSystemColor(28);

bool tiIsSystemColor(TColor color);

// Resolves a colour, system colours through the application palette.
QColor tiToQColor(TColor color);

// 0x00BBGGRR of a concrete colour (alpha dropped).
TColor tiFromQColor(const QColor& color);

// A dark lamp or unlit segment: each of the three low bytes divided by 3.
// System colours are taken as their raw bytes, not resolved.
TColor tiDimColor(TColor color);
