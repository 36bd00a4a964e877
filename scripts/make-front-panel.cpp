// Draws the front panel of the heat-exchanger cabinet shown on the
// RealTimeData sheet (140 x 335: fan grille top left, connector panel top
// right, a plain plate for the controls in the middle, vent grille low down)
// and writes it as a JPEG with libjpeg. Run by scripts/make-front-panel.
#include "widgets/ImageCodecs.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 140;
constexpr int kHeight = 335;

void screw(QPainter& p, QPointF centre)
{
    QRadialGradient head(centre - QPointF(1, 1), 4);
    head.setColorAt(0, QColor(235, 235, 235));
    head.setColorAt(1, QColor(120, 122, 126));
    p.setPen(QPen(QColor(90, 92, 96), 0.8));
    p.setBrush(head);
    p.drawEllipse(centre, 3.5, 3.5);
    p.setPen(QPen(QColor(70, 72, 76), 1));
    p.drawLine(centre + QPointF(-2, 2), centre + QPointF(2, -2));
}

void cabinet(QPainter& p)
{
    QLinearGradient steel(0, 0, kWidth, kHeight);
    steel.setColorAt(0, QColor(196, 199, 203));
    steel.setColorAt(0.5, QColor(178, 181, 186));
    steel.setColorAt(1, QColor(158, 161, 166));
    p.fillRect(QRect(0, 0, kWidth, kHeight), steel);

    // Folded edge of the door: light top-left, dark bottom-right.
    p.setPen(QPen(QColor(228, 230, 233), 2));
    p.drawLine(1, 1, kWidth - 2, 1);
    p.drawLine(1, 1, 1, kHeight - 2);
    p.setPen(QPen(QColor(105, 108, 113), 2));
    p.drawLine(kWidth - 1, 1, kWidth - 1, kHeight - 1);
    p.drawLine(1, kHeight - 1, kWidth - 1, kHeight - 1);
    p.setPen(QPen(QColor(140, 143, 148), 1));
    p.drawRect(QRectF(4.5, 4.5, kWidth - 9, kHeight - 9));

    for (const QPointF c : {QPointF(9, 9), QPointF(kWidth - 9, 9), QPointF(9, kHeight - 9), QPointF(kWidth - 9, kHeight - 9)})
        screw(p, c);
}

void fanGrille(QPainter& p, QPointF centre, double radius)
{
    QRadialGradient well(centre, radius + 4);
    well.setColorAt(0, QColor(40, 42, 46));
    well.setColorAt(1, QColor(70, 73, 78));
    p.setPen(QPen(QColor(120, 123, 128), 2));
    p.setBrush(well);
    p.drawEllipse(centre, radius + 3, radius + 3);

    // Blades seen through the guard.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(88, 92, 99));
    for (int blade = 0; blade < 5; ++blade) {
        QPainterPath shape;
        const double a = blade * 2 * M_PI / 5;
        shape.moveTo(centre);
        shape.cubicTo(centre + QPointF(std::cos(a) * radius * 0.6, std::sin(a) * radius * 0.6),
                      centre + QPointF(std::cos(a + 0.5) * radius, std::sin(a + 0.5) * radius),
                      centre + QPointF(std::cos(a + 0.9) * radius * 0.95, std::sin(a + 0.9) * radius * 0.95));
        shape.cubicTo(centre + QPointF(std::cos(a + 1.0) * radius * 0.5, std::sin(a + 1.0) * radius * 0.5),
                      centre + QPointF(std::cos(a + 0.6) * radius * 0.2, std::sin(a + 0.6) * radius * 0.2), centre);
        p.drawPath(shape);
    }

    // Wire guard: rings and four struts.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(205, 208, 212), 1.3));
    for (double r = radius * 0.28; r <= radius + 0.1; r += radius * 0.18)
        p.drawEllipse(centre, r, r);
    for (int strut = 0; strut < 4; ++strut) {
        const double a = M_PI / 4 + strut * M_PI / 2;
        p.drawLine(centre + QPointF(std::cos(a) * radius * 0.28, std::sin(a) * radius * 0.28),
                   centre + QPointF(std::cos(a) * radius, std::sin(a) * radius));
    }
    QRadialGradient hub(centre - QPointF(2, 2), radius * 0.25);
    hub.setColorAt(0, QColor(230, 232, 235));
    hub.setColorAt(1, QColor(130, 133, 138));
    p.setPen(QPen(QColor(80, 82, 86), 1));
    p.setBrush(hub);
    p.drawEllipse(centre, radius * 0.2, radius * 0.2);
}

void roundConnector(QPainter& p, QPointF centre, double radius, int pins)
{
    QRadialGradient shell(centre - QPointF(2, 2), radius + 2);
    shell.setColorAt(0, QColor(225, 226, 228));
    shell.setColorAt(1, QColor(110, 112, 116));
    p.setPen(QPen(QColor(70, 72, 76), 1));
    p.setBrush(shell);
    p.drawEllipse(centre, radius + 2, radius + 2);
    p.setBrush(QColor(38, 40, 44));
    p.drawEllipse(centre, radius * 0.75, radius * 0.75);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(212, 175, 80));
    for (int pin = 0; pin < pins; ++pin) {
        const double a = pin * 2 * M_PI / pins;
        p.drawEllipse(centre + QPointF(std::cos(a) * radius * 0.4, std::sin(a) * radius * 0.4), 1.2, 1.2);
    }
}

void connectorPanel(QPainter& p, QRectF plate)
{
    p.setPen(QPen(QColor(60, 62, 66), 1));
    p.setBrush(QColor(96, 100, 106));
    p.drawRoundedRect(plate, 3, 3);
    screw(p, plate.topLeft() + QPointF(6, 6));
    screw(p, plate.bottomRight() - QPointF(6, 6));

    roundConnector(p, QPointF(plate.center().x(), plate.top() + 22), 8, 4);
    roundConnector(p, QPointF(plate.center().x(), plate.top() + 48), 6, 3);

    // A nine-pin D connector at the bottom of the plate.
    const QRectF d(plate.center().x() - 14, plate.bottom() - 20, 28, 11);
    QPainterPath shape;
    shape.moveTo(d.topLeft());
    shape.lineTo(d.topRight());
    shape.lineTo(d.right() - 3, d.bottom());
    shape.lineTo(d.left() + 3, d.bottom());
    shape.closeSubpath();
    p.setPen(QPen(QColor(200, 202, 206), 1.2));
    p.setBrush(QColor(35, 37, 40));
    p.drawPath(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(212, 175, 80));
    for (int pin = 0; pin < 5; ++pin)
        p.drawEllipse(QPointF(d.left() + 6 + pin * 4, d.top() + 3.5), 1, 1);
    for (int pin = 0; pin < 4; ++pin)
        p.drawEllipse(QPointF(d.left() + 8 + pin * 4, d.top() + 7.5), 1, 1);
}

// The plain plate the switches and read-outs of the sheet sit on.
void controlPlate(QPainter& p, QRectF plate)
{
    QLinearGradient face(plate.topLeft(), plate.bottomLeft());
    face.setColorAt(0, QColor(214, 217, 221));
    face.setColorAt(1, QColor(196, 199, 204));
    p.setPen(QPen(QColor(128, 131, 136), 1));
    p.setBrush(face);
    p.drawRoundedRect(plate, 2, 2);
    p.setPen(QPen(QColor(240, 241, 243), 1));
    p.drawLine(plate.topLeft() + QPointF(2, 1), plate.topRight() + QPointF(-2, 1));
}

void ventGrille(QPainter& p, QRectF area, int louvres)
{
    const double pitch = area.height() / louvres;
    for (int slot = 0; slot < louvres; ++slot) {
        const QRectF louvre(area.left(), area.top() + slot * pitch, area.width(), pitch * 0.55);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(52, 55, 60));
        p.drawRoundedRect(louvre, 2, 2);
        p.setPen(QPen(QColor(222, 224, 227), 1));
        p.drawLine(louvre.bottomLeft() + QPointF(2, 1), louvre.bottomRight() + QPointF(-2, 1));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-front-panel <output.jpg>\n");
        return 2;
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        cabinet(p);
        fanGrille(p, QPointF(44, 56), 32);
        connectorPanel(p, QRectF(88, 16, 40, 90));
        controlPlate(p, QRectF(8, 110, 124, 118));
        ventGrille(p, QRectF(16, 242, 108, 78), 9);
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(EncodeJpeg(image, 90, false, false)) < 0) {
        std::fprintf(stderr, "make-front-panel: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
