#pragma once

#include "widgets/TiColor.h"
#include "widgets/TiFont.h"
#include "widgets/TiGeometry.h"
#include "widgets/TiTypes.h"

#include <QFont>
#include <QImage>
#include <QLine>
#include <QList>
#include <QPoint>
#include <QString>
#include <memory>

class QPainter;
class QPaintDevice;

enum TiPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TiBrushStyle { bsSolid, bsClear };

struct TiPen {
    TColor Color = clBlack;
    int Width = 1;
    TiPenStyle Style = psSolid;
};

struct TiBrush {
    TColor Color = clWhite;
    TiBrushStyle Style = bsSolid;
};

// Flags of DrawText. Horizontal and vertical alignment default to left and
// top; vertical alignment applies to single-line text only.
enum TiTextFlag : unsigned {
    itfLeft = 0x0000,
    itfCenter = 0x0001,
    itfRight = 0x0002,
    itfTop = 0x0000,
    itfVCenter = 0x0004,
    itfBottom = 0x0008,
    itfWordBreak = 0x0010,
    itfSingleLine = 0x0020,
    itfExpandTabs = 0x0040,
    itfNoClip = 0x0100,
    itfNoPrefix = 0x0800, // '&' is shown as is instead of marking an accelerator
    itfCalcRect = 0x0400, // measure only: adjust the rectangle, draw nothing
    itfEndEllipsis = 0x8000,
};

// Style of DrawEdge's frame.
enum TiDrawEdgeStyle { idesRaised, idesSunken, idesFlat };

// The drawing surface handed to iPaintTo. It keeps a pen, a brush and a font
// like the widgets expect and draws with the widgets' pixel rules:
// rectangles (Left, Top, Right, Bottom) cover Left..Right-1 and Top..Bottom-1,
// lines leave out their last point, curves are antialiased, angles count
// counter-clockwise from 3 o'clock.
class TiCanvas {
public:
    // Draws on a device with a painter of its own.
    explicit TiCanvas(QPaintDevice& device);
    // Draws through a painter that is already active (vector export).
    explicit TiCanvas(QPainter& painter);
    ~TiCanvas();
    TiCanvas(const TiCanvas&) = delete;
    TiCanvas& operator=(const TiCanvas&) = delete;

    TiPen Pen;
    TiBrush Brush;
    TiFont Font;

    int Width() const;
    int Height() const;
    // True when drawing into a vector form rather than pixels.
    bool IsVector() const { return m_vector; }
    // Device pixels per logical pixel of what is drawn on (1 for vectors).
    double PixelRatio() const;

    // Solid fill in the brush colour, no outline (nothing with a clear brush).
    void FillRect(const TiRect& rect);
    // Outline in the brush colour, one pixel wide.
    void FrameRect(const TiRect& rect);
    // Outline with the pen, interior with the brush.
    void Rectangle(const TiRect& rect);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(TiRect{left, top, right, bottom}); }
    void RoundRect(const TiRect& rect, int ellipseWidth, int ellipseHeight);
    void Ellipse(const TiRect& rect);
    void Ellipse(int left, int top, int right, int bottom) { Ellipse(TiRect{left, top, right, bottom}); }
    // Arc of the ellipse in rect, counter-clockwise from the direction of
    // start to the direction of end (seen from the rectangle's centre); equal
    // directions give the whole ellipse.
    void Arc(const TiRect& rect, QPoint start, QPoint end);
    // The same between two angles in degrees (counter-clockwise).
    void ArcDegrees(const TiRect& rect, double startDegrees, double endDegrees);
    void Pie(const TiRect& rect, QPoint start, QPoint end);
    void Chord(const TiRect& rect, QPoint start, QPoint end);
    // Filled with the brush, outlined with the pen; closes itself.
    void Polygon(const QList<QPoint>& points);
    void Polyline(const QList<QPoint>& points);
    // Curves sampled finer than a pixel (on screens with more device pixels
    // than logical ones); (x, y) lies where the integer forms put pixel x, y.
    void PolygonF(const QList<QPointF>& points);
    void PolylineF(const QList<QPointF>& points);
    // Independent one-pixel lines in the pen colour, never antialiased (a
    // thin data trace). Each covers the same pixels whichever way it runs:
    // its first pixel and all but the end pixel of larger x (larger y when
    // steep); a line of zero length covers its one pixel.
    void ThinLines(const QLine* lines, qsizetype count);
    // The vertical ones of such lines drawn at once: the rectangle x, y, 1, h
    // holds the pixels of the line (x, y) - (x, y + h), h > 0. Only where the
    // painter maps units to whole pixels one to one; false, and nothing
    // drawn, otherwise.
    bool ThinColumns(const QRect* columns, qsizetype count);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Line(int x1, int y1, int x2, int y2);
    void SetPixel(int x, int y, TColor color);
    TColor GetPixel(int x, int y) const;

    // Text with its top-left corner at (x, y), turned about that corner by
    // the font's orientation. A solid brush fills the text cell first.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    QSize TextExtent(const QString& text);
    // Aligned, optionally word-broken text in a rectangle. With itfCalcRect
    // nothing is drawn and rect is set to the text's extent (for multi-line
    // text its width is kept). Returns the height of the text. A turned font
    // turns the text about the rectangle's centre.
    int DrawText(TiRect& rect, const QString& text, unsigned flags);
    int DrawText(const TiRect& rect, const QString& text, unsigned flags);

    // 3-D edge round a rectangle, two pixels deep (flat: one-pixel outline).
    void DrawEdge(const TiRect& rect, TiDrawEdgeStyle style);
    void DrawEdge(const TiRect& rect, TiBevelStyle style);
    // One frame line per step: top-left in one colour, bottom-right in the
    // other; the rectangle shrinks by width.
    void Frame3D(TiRect& rect, TColor topLeft, TColor bottomRight, int width);
    // Dotted inverting outline marking the keyboard focus.
    void DrawFocusRect(const TiRect& rect);
    // Two-colour gradient from start to stop, top to bottom or left to right.
    void GradientFill(const TiRect& rect, TColor start, TColor stop, bool vertical);

    void Draw(int x, int y, const QImage& image);
    // A transparent image of width x height logical pixels that Draw copies
    // onto this canvas exactly as the same drawing made here would come out
    // (same pixel format and whole-number pixel ratio, no turn or scale);
    // a null image where no such copy exists.
    QImage CompatibleImage(int width, int height) const;
    // Whether `image` is such an image for this canvas.
    bool IsCompatible(const QImage& image) const;
    void StretchDraw(const TiRect& rect, const QImage& image);
    // Draws image at (x, y) with every pixel of the transparent colour left out.
    void DrawTransparent(int x, int y, const QImage& image, TColor transparent);
    void CopyRect(const TiRect& dest, const QImage& source, const TiRect& sourceRect);

    // Narrows the clip region to rect (within any clip already set).
    void IntersectClipRect(const TiRect& rect);
    void SetClipRect(const TiRect& rect);
    void ClearClip();
    TiRect ClipRect() const;
    bool RectVisible(const TiRect& rect) const;
    bool PtVisible(int x, int y) const;

private:
    QPainter& painter() const { return *m_painter; }
    // The image drawn on, where Draw copies images onto it pixel for pixel.
    const QImage* exactTarget() const;
    void applyPen(bool antialias) const;
    void applyBrush() const;
    const QFont& qfont();
    // Pie (with its two radii) or chord of the ellipse in rect.
    void closedArc(const TiRect& rect, QPoint start, QPoint end, bool pie);
    void drawTextCell(const QRect& cell, const QString& text, int qtFlags, const QFontMetrics& fm);

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter = nullptr;
    bool m_vector = false;
    QPoint m_penPos;
    TiFont m_cachedFontKey;
    QFont m_cachedFont;
    bool m_fontCached = false;
};
