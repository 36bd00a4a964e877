#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

// A rectangle as the widgets think of it: Right and Bottom lie just outside
// the covered pixels, so (0, 0, Width, Height) is the whole client area.
struct TiRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    constexpr TiRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    constexpr TiRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    // The same pixels as a QRect (whose right() is the last covered column).
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TiRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    friend constexpr bool operator==(const TiRect&, const TiRect&) = default;
};

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int tiRound(double value);

// Integer division rounding toward zero, as the layout rules use it.
constexpr int tiDiv(int a, int b) { return a / b; }

// Point at an angle (degrees counter-clockwise from 3 o'clock) and radius
// from a centre; screen Y grows downward.
QPoint GetXYRadPoint(double degrees, double radius, QPoint center);

// Plain centre of a widget: (Width div 2 + OffsetX, Height div 2 + OffsetY).
QPoint tiCenterPoint(int width, int height, int offsetX, int offsetY);

// ((Width - 1) / 2, (Height - 1) / 2) as doubles.
QPointF tiCenterPointDouble(int width, int height);
