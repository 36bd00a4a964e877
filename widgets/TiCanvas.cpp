#include "widgets/TiCanvas.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

Qt::PenStyle qtPenStyle(TiPenStyle style)
{
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid: break;
    }
    return Qt::SolidLine;
}

// Outline box of a figure drawn in pen width w inside (L, T, R, B): the
// stroke runs through the centres of the outermost pixels.
QRectF strokeBox(const TiRect& r, int w)
{
    const double half = w / 2.0;
    return QRectF(r.Left + half, r.Top + half, r.Width() - w, r.Height() - w);
}

// Angle (degrees) that Qt's arc functions take for the direction of a point
// seen from the centre of an ellipse box: Qt measures on the ellipse's
// parameter, the widgets give true directions.
double arcAngle(const QRectF& box, QPoint p)
{
    const QPointF c = box.center();
    const double a = std::max(box.width() / 2.0, 1e-9);
    const double b = std::max(box.height() / 2.0, 1e-9);
    const double dx = (p.x() + 0.5 - c.x()) / a;
    const double dy = -(p.y() + 0.5 - c.y()) / b;
    return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
}

// Width the outline of a filled figure takes from its box; a clear pen
// still takes one pixel.
int outlineWidth(const TiPen& pen) { return pen.Style == psClear ? 1 : std::max(1, pen.Width); }

double sweep(double start, double end)
{
    double span = end - start;
    while (span <= 0)
        span += 360.0;
    while (span > 360.0)
        span -= 360.0;
    return span;
}

int qtTextFlags(unsigned flags)
{
    int f = 0;
    if (flags & itfCenter)
        f |= Qt::AlignHCenter;
    else if (flags & itfRight)
        f |= Qt::AlignRight;
    else
        f |= Qt::AlignLeft;
    if (flags & itfSingleLine) {
        f |= Qt::TextSingleLine;
        if (flags & itfVCenter)
            f |= Qt::AlignVCenter;
        else if (flags & itfBottom)
            f |= Qt::AlignBottom;
        else
            f |= Qt::AlignTop;
    } else {
        f |= Qt::AlignTop;
        if (flags & itfWordBreak)
            f |= Qt::TextWordWrap;
    }
    if (flags & itfExpandTabs)
        f |= Qt::TextExpandTabs;
    f |= (flags & itfNoPrefix) ? 0 : Qt::TextShowMnemonic;
    return f;
}

// A text laid out by DrawText's measuring: its wrap width and flags.
struct TextBox {
    QString Text;
    int Width;
    int Flags;
    bool operator==(const TextBox& o) const { return Width == o.Width && Flags == o.Flags && Text == o.Text; }
};
std::size_t qHash(const TextBox& box, std::size_t seed = 0)
{
    return qHashMulti(seed, box.Text, box.Width, box.Flags);
}

// The metrics of a font, built once: building them is most of what
// measuring a chart's texts costs, and a program draws with a handful of
// fonts. Beside them the widths and laid-out bounds of texts measured in the
// font: a chart measures the same labels and legend names paint after paint,
// and shaping a text again costs as much as the first time. The list goes
// before the application and its font engines do.
struct FontEntry {
    QFont Font;
    QFontMetrics Metrics;
    QHash<QString, int> Widths;
    QHash<TextBox, QRect> Bounds;
};

FontEntry& entryOf(const QFont& font)
{
    static std::vector<FontEntry> cache;
    static const bool cleared = [] {
        qAddPostRoutine([] { cache.clear(); });
        return true;
    }();
    (void)cleared;
    for (FontEntry& e : cache)
        if (e.Font == font)
            return e;
    if (cache.size() >= 32)
        cache.clear();
    cache.push_back(FontEntry {font, QFontMetrics(font), {}, {}});
    return cache.back();
}

QFontMetrics metricsOf(const QFont& font) { return entryOf(font).Metrics; }

int widthOf(const QFont& font, const QString& text)
{
    FontEntry& e = entryOf(font);
    if (const auto known = e.Widths.constFind(text); known != e.Widths.cend())
        return *known;
    if (e.Widths.size() >= 4096)
        e.Widths.clear();
    const int width = e.Metrics.horizontalAdvance(text);
    e.Widths.insert(text, width);
    return width;
}

// The metrics' bounding rectangle of the text laid out in
// (0, 0, width, 1 << 20).
QRect boundsOf(const QFont& font, int width, int flags, const QString& text)
{
    FontEntry& e = entryOf(font);
    TextBox box {text, width, flags};
    if (const auto known = e.Bounds.constFind(box); known != e.Bounds.cend())
        return *known;
    if (e.Bounds.size() >= 4096)
        e.Bounds.clear();
    const QRect bounds = e.Metrics.boundingRect(QRect(0, 0, width, 1 << 20), flags, text);
    e.Bounds.insert(std::move(box), bounds);
    return bounds;
}

} // namespace

TiCanvas::TiCanvas(QPaintDevice& device)
    : m_ownPainter(std::make_unique<QPainter>(&device)), m_painter(m_ownPainter.get())
{
    m_vector = device.devType() == QInternal::Picture || device.paintEngine() == nullptr
        || device.paintEngine()->type() == QPaintEngine::SVG;
}

TiCanvas::TiCanvas(QPainter& painter) : m_painter(&painter)
{
    m_vector = painter.paintEngine() && painter.paintEngine()->type() != QPaintEngine::Raster;
}

TiCanvas::~TiCanvas() = default;

int TiCanvas::Width() const
{
    return painter().device() ? qRound(painter().device()->width() / PixelRatio()) : 0;
}

int TiCanvas::Height() const
{
    return painter().device() ? qRound(painter().device()->height() / PixelRatio()) : 0;
}

void TiCanvas::applyPen(bool antialias) const
{
    QPainter& p = painter();
    p.setRenderHint(QPainter::Antialiasing, antialias);
    if (Pen.Style == psClear) {
        p.setPen(Qt::NoPen);
        return;
    }
    QPen pen(tiToQColor(Pen.Color));
    const int width = std::max(1, Pen.Width);
    pen.setWidth(width);
    pen.setStyle(qtPenStyle(Pen.Style));
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    p.setPen(pen);
}

void TiCanvas::applyBrush() const
{
    if (Brush.Style == bsClear)
        painter().setBrush(Qt::NoBrush);
    else
        painter().setBrush(tiToQColor(Brush.Color));
}

const QFont& TiCanvas::qfont()
{
    if (!m_fontCached || !(m_cachedFontKey == Font)) {
        m_cachedFontKey = Font;
        m_cachedFont = Font.toQFont();
        m_fontCached = true;
    }
    return m_cachedFont;
}

void TiCanvas::FillRect(const TiRect& rect)
{
    if (Brush.Style == bsClear || rect.IsEmpty())
        return;
    painter().fillRect(rect.toQRect(), tiToQColor(Brush.Color));
}

void TiCanvas::FrameRect(const TiRect& rect)
{
    if (rect.IsEmpty())
        return;
    const QColor color = tiToQColor(Brush.Color);
    QPainter& p = painter();
    p.fillRect(QRect(rect.Left, rect.Top, rect.Width(), 1), color);
    p.fillRect(QRect(rect.Left, rect.Bottom - 1, rect.Width(), 1), color);
    p.fillRect(QRect(rect.Left, rect.Top, 1, rect.Height()), color);
    p.fillRect(QRect(rect.Right - 1, rect.Top, 1, rect.Height()), color);
}

void TiCanvas::Rectangle(const TiRect& rect)
{
    if (rect.IsEmpty())
        return;
    if (Pen.Style == psClear) {
        // Without an outline the filled area is one pixel smaller.
        FillRect(TiRect{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1});
        return;
    }
    const int w = std::max(1, Pen.Width);
    if (Brush.Style != bsClear)
        painter().fillRect(rect.toQRect(), tiToQColor(Brush.Color));
    if (rect.Width() <= w || rect.Height() <= w) {
        painter().fillRect(rect.toQRect(), tiToQColor(Pen.Color));
        return;
    }
    applyPen(false);
    painter().setBrush(Qt::NoBrush);
    painter().drawRect(strokeBox(rect, w));
}

void TiCanvas::RoundRect(const TiRect& rect, int ellipseWidth, int ellipseHeight)
{
    if (rect.IsEmpty())
        return;
    applyPen(true);
    applyBrush();
    const int w = outlineWidth(Pen);
    painter().drawRoundedRect(strokeBox(rect, w), ellipseWidth / 2.0, ellipseHeight / 2.0);
}

void TiCanvas::Ellipse(const TiRect& rect)
{
    if (rect.IsEmpty())
        return;
    applyPen(true);
    applyBrush();
    const int w = outlineWidth(Pen);
    painter().drawEllipse(strokeBox(rect, w));
}

void TiCanvas::Arc(const TiRect& rect, QPoint start, QPoint end)
{
    const QRectF box = strokeBox(rect, outlineWidth(Pen));
    ArcDegrees(rect, arcAngle(box, start), arcAngle(box, end));
}

void TiCanvas::ArcDegrees(const TiRect& rect, double startDegrees, double endDegrees)
{
    if (rect.IsEmpty() || Pen.Style == psClear)
        return;
    const QRectF box = strokeBox(rect, outlineWidth(Pen));
    applyPen(true);
    painter().setBrush(Qt::NoBrush);
    painter().drawArc(box, tiRound(startDegrees * 16), tiRound(sweep(startDegrees, endDegrees) * 16));
}

void TiCanvas::Pie(const TiRect& rect, QPoint start, QPoint end) { closedArc(rect, start, end, true); }

void TiCanvas::Chord(const TiRect& rect, QPoint start, QPoint end) { closedArc(rect, start, end, false); }

void TiCanvas::closedArc(const TiRect& rect, QPoint start, QPoint end, bool pie)
{
    if (rect.IsEmpty())
        return;
    const QRectF box = strokeBox(rect, outlineWidth(Pen));
    const double a1 = arcAngle(box, start);
    const int startAngle = tiRound(a1 * 16);
    const int spanAngle = tiRound(sweep(a1, arcAngle(box, end)) * 16);
    applyPen(true);
    applyBrush();
    if (pie)
        painter().drawPie(box, startAngle, spanAngle);
    else
        painter().drawChord(box, startAngle, spanAngle);
}

void TiCanvas::Polygon(const QList<QPoint>& points)
{
    if (points.size() < 2)
        return;
    QPolygonF poly;
    poly.reserve(points.size());
    for (const QPoint& pt : points)
        poly << QPointF(pt.x() + 0.5, pt.y() + 0.5);
    applyPen(true);
    applyBrush();
    painter().drawPolygon(poly, Qt::OddEvenFill);
}

void TiCanvas::Polyline(const QList<QPoint>& points)
{
    if (points.size() < 2 || Pen.Style == psClear)
        return;
    bool straight = true;
    for (qsizetype i = 1; i < points.size(); ++i)
        if (points[i].x() != points[i - 1].x() && points[i].y() != points[i - 1].y())
            straight = false;
    if (straight && Pen.Style == psSolid && std::max(1, Pen.Width) == 1) {
        // Crisp one-pixel runs; the polyline's very last point is left out.
        const QColor color = tiToQColor(Pen.Color);
        for (qsizetype i = 1; i < points.size(); ++i) {
            const QPoint a = points[i - 1];
            QPoint b = points[i];
            if (i == points.size() - 1) {
                if (a == b)
                    break;
                b -= QPoint((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
            }
            painter().fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                               color);
        }
        return;
    }
    QPolygonF poly;
    poly.reserve(points.size());
    for (const QPoint& pt : points)
        poly << QPointF(pt.x() + 0.5, pt.y() + 0.5);
    applyPen(!straight);
    painter().setBrush(Qt::NoBrush);
    painter().drawPolyline(poly);
}

namespace {

QPolygonF atPixelCentres(const QList<QPointF>& points)
{
    QPolygonF poly;
    poly.reserve(points.size());
    for (const QPointF& pt : points)
        poly << pt + QPointF(0.5, 0.5);
    return poly;
}

} // namespace

void TiCanvas::PolygonF(const QList<QPointF>& points)
{
    if (points.size() < 2)
        return;
    applyPen(true);
    applyBrush();
    painter().drawPolygon(atPixelCentres(points), Qt::OddEvenFill);
}

void TiCanvas::PolylineF(const QList<QPointF>& points)
{
    if (points.size() < 2 || Pen.Style == psClear)
        return;
    applyPen(true);
    painter().setBrush(Qt::NoBrush);
    painter().drawPolyline(atPixelCentres(points));
}

void TiCanvas::ThinLines(const QLine* lines, qsizetype count)
{
    if (count <= 0 || Pen.Style == psClear)
        return;
    QPainter& p = painter();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(tiToQColor(Pen.Color));
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // One call per line: a batch would let Qt merge touching lines into a
    // path and leave out the pixels where they meet.
    for (qsizetype i = 0; i < count; ++i)
        p.drawLine(lines[i]);
}

bool TiCanvas::ThinColumns(const QRect* columns, qsizetype count)
{
    QPainter& p = painter();
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()))
        return false;
    if (count <= 0 || Pen.Style == psClear)
        return true;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(tiToQColor(Pen.Color));
    p.drawRects(columns, int(count));
    return true;
}

void TiCanvas::MoveTo(int x, int y) { m_penPos = QPoint(x, y); }

void TiCanvas::LineTo(int x, int y)
{
    Polyline({m_penPos, QPoint(x, y)});
    m_penPos = QPoint(x, y);
}

void TiCanvas::Line(int x1, int y1, int x2, int y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void TiCanvas::SetPixel(int x, int y, TColor color)
{
    painter().fillRect(QRect(x, y, 1, 1), tiToQColor(color));
}

TColor TiCanvas::GetPixel(int x, int y) const
{
    auto* image = dynamic_cast<QImage*>(painter().device());
    // The device pixel at the logical pixel's top-left corner.
    const QPoint p = (QPointF(x, y) * PixelRatio()).toPoint();
    if (!image || !image->rect().contains(p))
        return clBlack;
    return tiFromQColor(image->pixelColor(p));
}

int TiCanvas::TextWidth(const QString& text) { return widthOf(qfont(), text); }

int TiCanvas::TextHeight(const QString&) { return metricsOf(qfont()).height(); }

QSize TiCanvas::TextExtent(const QString& text)
{
    const QFont& font = qfont();
    return QSize(widthOf(font, text), metricsOf(font).height());
}

void TiCanvas::drawTextCell(const QRect& cell, const QString& text, int qtFlags, const QFontMetrics& fm)
{
    QPainter& p = painter();
    if (Brush.Style != bsClear) {
        const QRect used = fm.boundingRect(cell, qtFlags, text);
        p.fillRect(used.united(QRect(used.topLeft(), QSize(used.width(), fm.height()))), tiToQColor(Brush.Color));
    }
    p.setPen(tiToQColor(Font.Color));
    p.drawText(cell, qtFlags, text);
}

void TiCanvas::TextOut(int x, int y, const QString& text)
{
    QPainter& p = painter();
    const QFont& font = qfont();
    const QFontMetrics fm = metricsOf(font);
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font);
    p.translate(x, y);
    if (Font.Orientation % 360 != 0)
        p.rotate(-Font.Orientation);
    const QRect cell(0, 0, widthOf(font, text), fm.height());
    drawTextCell(cell, text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, fm);
    p.restore();
}

int TiCanvas::DrawText(const TiRect& rect, const QString& text, unsigned flags)
{
    TiRect copy = rect;
    return DrawText(copy, text, flags);
}

int TiCanvas::DrawText(TiRect& rect, const QString& text, unsigned flags)
{
    const QFont& font = qfont();
    const QFontMetrics fm = metricsOf(font);
    const int qtFlags = qtTextFlags(flags);
    QString shown = text;
    if ((flags & itfEndEllipsis) && (flags & itfSingleLine))
        shown = fm.elidedText(text, Qt::ElideRight, std::max(0, rect.Width()));

    const int orientation = ((Font.Orientation % 360) + 360) % 360;
    const bool sideways = orientation == 90 || orientation == 270;
    // Lay the text out unturned in a box of the turned rectangle's shape.
    const QRect layoutBox = sideways ? QRect(0, 0, rect.Height(), rect.Width()) : QRect(0, 0, rect.Width(), rect.Height());

    const int wrapWidth = (flags & itfWordBreak) ? std::max(1, layoutBox.width()) : 1 << 20;
    const QRect measured = boundsOf(font, wrapWidth, qtFlags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom), shown);
    const int textHeight = shown.isEmpty() ? fm.height() : std::max(measured.height(), fm.height());

    if (flags & itfCalcRect) {
        if (flags & itfSingleLine || !(flags & itfWordBreak))
            rect.Right = rect.Left + measured.width();
        rect.Bottom = rect.Top + textHeight;
        return textHeight;
    }

    QPainter& p = painter();
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font);
    if (!(flags & itfNoClip))
        p.setClipRect(rect.toQRect(), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    int drawFlags = qtFlags;
    if (flags & itfNoClip)
        drawFlags |= Qt::TextDontClip;
    if (orientation == 0) {
        drawTextCell(rect.toQRect(), shown, drawFlags, fm);
    } else {
        const QRect r = rect.toQRect();
        p.translate(r.left() + r.width() / 2.0, r.top() + r.height() / 2.0);
        p.rotate(-orientation);
        p.translate(-layoutBox.width() / 2.0, -layoutBox.height() / 2.0);
        drawTextCell(layoutBox, shown, drawFlags, fm);
    }
    p.restore();
    return textHeight;
}

void TiCanvas::Frame3D(TiRect& rect, TColor topLeft, TColor bottomRight, int width)
{
    QPainter& p = painter();
    const QColor tl = tiToQColor(topLeft);
    const QColor br = tiToQColor(bottomRight);
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        p.fillRect(QRect(rect.Left, rect.Top, rect.Width(), 1), tl);
        p.fillRect(QRect(rect.Left, rect.Top, 1, rect.Height()), tl);
        p.fillRect(QRect(rect.Left, rect.Bottom - 1, rect.Width(), 1), br);
        p.fillRect(QRect(rect.Right - 1, rect.Top, 1, rect.Height()), br);
        rect = rect.Inflated(-1, -1);
    }
}

void TiCanvas::DrawEdge(const TiRect& rect, TiDrawEdgeStyle style)
{
    TiRect r = rect;
    switch (style) {
    case idesRaised:
        Frame3D(r, cl3DLight, cl3DDkShadow, 1);
        Frame3D(r, clBtnHighlight, clBtnShadow, 1);
        break;
    case idesSunken:
        Frame3D(r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(r, cl3DDkShadow, cl3DLight, 1);
        break;
    case idesFlat: {
        const TiPen saved = Pen;
        Pen = TiPen{clBtnShadow, 1, psSolid};
        Polyline({QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Top), QPoint(r.Right - 1, r.Bottom - 1),
                  QPoint(r.Left, r.Bottom - 1), QPoint(r.Left, r.Top)});
        Pen = saved;
        break;
    }
    }
}

void TiCanvas::DrawEdge(const TiRect& rect, TiBevelStyle style)
{
    if (style == ibsRaised)
        DrawEdge(rect, idesRaised);
    else if (style == ibsLowered)
        DrawEdge(rect, idesSunken);
}

void TiCanvas::DrawFocusRect(const TiRect& rect)
{
    if (rect.IsEmpty())
        return;
    QPainter& p = painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::white);
    pen.setWidth(1);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (!m_vector)
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(strokeBox(rect, 1));
    p.restore();
}

void TiCanvas::GradientFill(const TiRect& rect, TColor start, TColor stop, bool vertical)
{
    if (rect.IsEmpty())
        return;
    const QRect r = rect.toQRect();
    QLinearGradient gradient(r.topLeft(), vertical ? QPointF(r.left(), r.top() + r.height()) : QPointF(r.left() + r.width(), r.top()));
    gradient.setColorAt(0, tiToQColor(start));
    gradient.setColorAt(1, tiToQColor(stop));
    painter().fillRect(r, gradient);
}

double TiCanvas::PixelRatio() const
{
    const QPaintDevice* device = painter().device();
    return device && !m_vector ? device->devicePixelRatio() : 1.0;
}

void TiCanvas::Draw(int x, int y, const QImage& image)
{
    if (!image.isNull())
        painter().drawImage(QPoint(x, y), image);
}

const QImage* TiCanvas::exactTarget() const
{
    const auto* target = dynamic_cast<const QImage*>(painter().device());
    const QTransform& t = painter().worldTransform();
    if (!target || m_vector || target->devicePixelRatio() != std::round(target->devicePixelRatio())
        || t.type() > QTransform::TxTranslate || t.dx() != std::round(t.dx()) || t.dy() != std::round(t.dy()))
        return nullptr;
    return target;
}

QImage TiCanvas::CompatibleImage(int width, int height) const
{
    const QImage* target = exactTarget();
    if (!target || width <= 0 || height <= 0)
        return QImage();
    const double ratio = target->devicePixelRatio();
    QImage image(QSize(width, height) * int(ratio), target->format());
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

bool TiCanvas::IsCompatible(const QImage& image) const
{
    const QImage* target = exactTarget();
    return target && !image.isNull() && image.format() == target->format()
        && image.devicePixelRatio() == target->devicePixelRatio();
}

void TiCanvas::StretchDraw(const TiRect& rect, const QImage& image)
{
    if (image.isNull() || rect.IsEmpty())
        return;
    painter().save();
    painter().setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter().drawImage(rect.toQRect(), image);
    painter().restore();
}

void TiCanvas::DrawTransparent(int x, int y, const QImage& image, TColor transparent)
{
    if (image.isNull())
        return;
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = tiToQColor(transparent).rgb() & 0xFFFFFFu;
    for (int row = 0; row < masked.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
        for (int col = 0; col < masked.width(); ++col)
            if ((line[col] & 0xFFFFFFu) == key)
                line[col] = 0;
    }
    painter().drawImage(QPoint(x, y), masked);
}

void TiCanvas::CopyRect(const TiRect& dest, const QImage& source, const TiRect& sourceRect)
{
    if (source.isNull() || dest.IsEmpty() || sourceRect.IsEmpty())
        return;
    painter().drawImage(dest.toQRect(), source, sourceRect.toQRect());
}

void TiCanvas::IntersectClipRect(const TiRect& rect)
{
    painter().setClipRect(rect.toQRect(), painter().hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TiCanvas::SetClipRect(const TiRect& rect) { painter().setClipRect(rect.toQRect(), Qt::ReplaceClip); }

void TiCanvas::ClearClip() { painter().setClipping(false); }

TiRect TiCanvas::ClipRect() const
{
    const QRect whole(0, 0, Width(), Height());
    if (!painter().hasClipping())
        return TiRect::fromQRect(whole);
    return TiRect::fromQRect(painter().clipBoundingRect().toAlignedRect().intersected(whole));
}

bool TiCanvas::RectVisible(const TiRect& rect) const
{
    if (rect.IsEmpty())
        return false;
    const QRect whole(0, 0, Width(), Height());
    if (!painter().hasClipping())
        return whole.intersects(rect.toQRect());
    return painter().clipRegion().intersects(rect.toQRect().intersected(whole));
}

bool TiCanvas::PtVisible(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return false;
    return !painter().hasClipping() || painter().clipRegion().contains(QPoint(x, y));
}
