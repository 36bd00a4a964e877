// Draws the two bit-button glyphs of the Configuration sheet and writes them
// as PNG files into the given folder (app/glyphs). Run by scripts/make-glyphs.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace {

// A blue arrow pointing down into an open grey tray, 30 x 30.
QImage readAllGlyph()
{
    QImage image(30, 30, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath tray;
    tray.moveTo(3, 16);
    tray.lineTo(3, 27);
    tray.lineTo(27, 27);
    tray.lineTo(27, 16);
    p.setPen(QPen(QColor(70, 70, 80), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tray);
    p.fillRect(QRectF(5, 22, 20, 3.5), QColor(150, 160, 175));

    QPainterPath arrow;
    arrow.moveTo(12, 2);
    arrow.lineTo(18, 2);
    arrow.lineTo(18, 11);
    arrow.lineTo(23, 11);
    arrow.lineTo(15, 21);
    arrow.lineTo(7, 11);
    arrow.lineTo(12, 11);
    arrow.closeSubpath();
    QLinearGradient fill(0, 2, 0, 21);
    fill.setColorAt(0, QColor(90, 160, 250));
    fill.setColorAt(1, QColor(10, 70, 190));
    p.setPen(QPen(QColor(0, 40, 120), 1));
    p.setBrush(fill);
    p.drawPath(arrow);
    return image;
}

// A green arrow running round a circle clockwise, 28 x 28.
QImage defaultGlyph()
{
    QImage image(28, 28, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF centre(14, 14);
    const double radius = 9;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    // Qt angles: degrees counter-clockwise from 3 o'clock; a negative span
    // runs clockwise. The gap is at the top right, where the head sits.
    const double startDeg = 60;
    const double spanDeg = -290;
    p.setPen(QPen(QColor(20, 130, 40), 4, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(circle, int(startDeg * 16), int(spanDeg * 16));

    const double end = (startDeg + spanDeg) * M_PI / 180.0;
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    // Tangent of a clockwise run at angle a, on screen: (sin a, cos a).
    const QPointF along(std::sin(end), std::cos(end));
    const QPointF across(std::cos(end), -std::sin(end));
    QPolygonF head;
    head << tip + along * 7 << tip + across * 5 << tip - across * 5;
    p.setPen(QPen(QColor(10, 90, 25), 1));
    p.setBrush(QColor(30, 160, 50));
    p.drawPolygon(head);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-glyphs <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok = readAllGlyph().save(folder + "/ReadAll.png", "PNG")
        && defaultGlyph().save(folder + "/Default.png", "PNG");
    return ok ? 0 : 1;
}
