#pragma once

#include "widgets/TiColor.h"

#include <QFont>
#include <QMetaType>
#include <QString>

// Font styles, combined as bits in TiFont::Style.
enum TiFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A widget font as the layout describes it: family name, height in pixels
// (negative: character height without leading; positive: cell height),
// colour, style bits and the turn of the text (0, 90, 180 or 270 degrees,
// counter-clockwise). Widgets own their fonts by value; setters compare.
class TiFont {
public:
    QString Name = QStringLiteral("MS Sans Serif");
    int Height = -11;
    TColor Color = clWindowText;
    int Style = 0;
    int Orientation = 0;

    TiFont() = default;
    TiFont(const QString& name, int height, TColor color = clWindowText, int style = 0);

    // Size in points at 96 pixels per inch, as the layout's "Size" entries give it.
    int Size() const;
    void SetSize(int points);

    bool Bold() const { return (Style & fsBold) != 0; }
    void SetBold(bool on) { Style = on ? (Style | fsBold) : (Style & ~fsBold); }

    // The Qt font for this description (pixel sized, not turned).
    QFont toQFont() const;

    friend bool operator==(const TiFont&, const TiFont&) = default;
};

Q_DECLARE_METATYPE(TiFont)
