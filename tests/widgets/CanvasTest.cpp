#include "widgets/TiCanvas.h"
#include "widgets/TiColor.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QImage whiteImage(int w = 20, int h = 20)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    return img;
}

TColor at(const QImage& img, int x, int y) { return tiFromQColor(img.pixelColor(x, y)); }

TEST(CanvasRect, RectangleExcludesRightAndBottomEdge)
{
    QImage img = whiteImage();
    {
        TiCanvas c(img);
        c.Pen = TiPen{clBlack, 1, psSolid};
        c.Brush = TiBrush{clRed, bsSolid};
        c.Rectangle(2, 3, 8, 10);
    }
    EXPECT_EQ(at(img, 2, 3), clBlack);
    EXPECT_EQ(at(img, 7, 9), clBlack) << "last covered pixel is Right-1, Bottom-1";
    EXPECT_EQ(at(img, 8, 9), clWhite);
    EXPECT_EQ(at(img, 7, 10), clWhite);
    EXPECT_EQ(at(img, 1, 3), clWhite);
    EXPECT_EQ(at(img, 3, 4), clRed);
    EXPECT_EQ(at(img, 6, 8), clRed);
}

TEST(CanvasRect, FillRectAndFrameRect)
{
    QImage img = whiteImage();
    {
        TiCanvas c(img);
        c.Brush = TiBrush{clBlue, bsSolid};
        c.FillRect(TiRect{0, 0, 5, 5});
        c.Brush.Color = clLime;
        c.FrameRect(TiRect{10, 10, 15, 15});
        c.Brush.Style = bsClear;
        c.FillRect(TiRect{0, 10, 5, 15});
    }
    EXPECT_EQ(at(img, 4, 4), clBlue);
    EXPECT_EQ(at(img, 5, 4), clWhite);
    EXPECT_EQ(at(img, 14, 14), clLime);
    EXPECT_EQ(at(img, 12, 12), clWhite);
    EXPECT_EQ(at(img, 2, 12), clWhite) << "a clear brush fills nothing";
}

TEST(CanvasLines, LineLeavesOutItsLastPoint)
{
    QImage img = whiteImage();
    {
        TiCanvas c(img);
        c.Pen = TiPen{clBlack, 1, psSolid};
        c.Line(2, 5, 10, 5);
        c.MoveTo(4, 12);
        c.LineTo(4, 18);
    }
    EXPECT_EQ(at(img, 2, 5), clBlack);
    EXPECT_EQ(at(img, 9, 5), clBlack);
    EXPECT_EQ(at(img, 10, 5), clWhite);
    EXPECT_EQ(at(img, 4, 17), clBlack);
    EXPECT_EQ(at(img, 4, 18), clWhite);
}

TEST(CanvasCurves, EllipsePolygonAndArcStayInTheirBox)
{
    QImage img = whiteImage(40, 40);
    {
        TiCanvas c(img);
        c.Pen = TiPen{clRed, 1, psSolid};
        c.Brush = TiBrush{clRed, bsSolid};
        c.Ellipse(0, 0, 20, 20);
        c.Pen.Color = clBlue;
        c.Brush.Color = clBlue;
        c.Polygon({QPoint(25, 25), QPoint(39, 25), QPoint(32, 39)});
        c.Pen.Color = clGreen;
        // Upper half of a circle: counter-clockwise from 3 o'clock to 9 o'clock.
        c.Arc(TiRect{20, 0, 40, 20}, QPoint(40, 10), QPoint(20, 10));
    }
    EXPECT_EQ(at(img, 10, 10), clRed);
    EXPECT_EQ(at(img, 1, 1), clWhite) << "corner of the box lies outside the ellipse";
    EXPECT_EQ(at(img, 32, 29), clBlue);
    EXPECT_EQ(at(img, 26, 38), clWhite);
    EXPECT_NE(at(img, 30, 0), clWhite) << "the arc passes the top";
    EXPECT_EQ(at(img, 30, 19), clWhite) << "but not the bottom";
}

TEST(CanvasCurves, PieReachesTheCentreChordStopsAtItsLine)
{
    // Upper right quarter of a circle: 3 o'clock to 12 o'clock.
    for (bool pie : {true, false}) {
        QImage img = whiteImage(40, 40);
        {
            TiCanvas c(img);
            c.Pen = TiPen{clRed, 1, psSolid};
            c.Brush = TiBrush{clRed, bsSolid};
            if (pie)
                c.Pie(TiRect{0, 0, 40, 40}, QPoint(40, 20), QPoint(20, 0));
            else
                c.Chord(TiRect{0, 0, 40, 40}, QPoint(40, 20), QPoint(20, 0));
        }
        EXPECT_EQ(at(img, 33, 7), clRed) << "pie " << pie << ": between arc and chord line";
        EXPECT_EQ(at(img, 25, 15), pie ? clRed : clWhite) << "pie " << pie << ": beside the centre";
        EXPECT_EQ(at(img, 10, 30), clWhite) << "pie " << pie << ": opposite quarter";
    }
}

TEST(CanvasText, MeasureAlignAndBreak)
{
    QImage img = whiteImage(200, 100);
    TiCanvas c(img);
    c.Font = TiFont(QStringLiteral("DejaVu Sans"), -12, clBlack);
    const int w = c.TextWidth(QStringLiteral("Hello"));
    const int h = c.TextHeight(QStringLiteral("Hello"));
    EXPECT_GT(w, 10);
    EXPECT_GT(h, 10);
    EXPECT_EQ(c.TextExtent(QStringLiteral("Hello")), QSize(w, h));
    // Each font measures as its own metrics do, whichever font came before.
    for (int size : {-24, -12, -24}) {
        c.Font = TiFont(QStringLiteral("DejaVu Sans"), size, clBlack);
        EXPECT_EQ(c.TextWidth(QStringLiteral("Hello")), QFontMetrics(c.Font.toQFont()).horizontalAdvance(QStringLiteral("Hello")));
        EXPECT_EQ(c.TextWidth(QStringLiteral("Hello")) > w, size == -24);
    }
    c.Font = TiFont(QStringLiteral("DejaVu Sans"), -12, clBlack);

    TiRect single{0, 0, 300, 0};
    c.DrawText(single, QStringLiteral("one two three four"), itfSingleLine | itfCalcRect);
    EXPECT_EQ(single.Height(), h);
    TiRect wrapped{0, 0, 40, 0};
    c.DrawText(wrapped, QStringLiteral("one two three four"), itfWordBreak | itfCalcRect);
    EXPECT_EQ(wrapped.Width(), 40) << "a word-broken rectangle keeps its width";
    EXPECT_GE(wrapped.Height(), 2 * h);

    c.Brush.Style = bsClear;
    c.DrawText(TiRect{100, 0, 200, 40}, QStringLiteral("X"), itfRight | itfBottom | itfSingleLine);
    bool inkRight = false;
    for (int y = 20; y < 40; ++y)
        for (int x = 180; x < 200; ++x)
            inkRight = inkRight || at(img, x, y) != clWhite;
    EXPECT_TRUE(inkRight) << "right/bottom aligned text sits in the lower right corner";
}

TEST(CanvasText, SolidBrushFillsTextCellAndTurnedFontRotates)
{
    QImage img = whiteImage(100, 100);
    {
        TiCanvas c(img);
        c.Font = TiFont(QStringLiteral("DejaVu Sans"), -12, clBlack);
        c.Brush = TiBrush{clYellow, bsSolid};
        c.TextOut(0, 0, QStringLiteral("ii"));
        c.Brush.Style = bsClear;
        c.Font.Orientation = 90;
        c.TextOut(50, 90, QStringLiteral("WWWW"));
    }
    EXPECT_EQ(at(img, 0, 1), clYellow);
    bool above = false;
    for (int y = 40; y < 90; ++y)
        for (int x = 50; x < 70; ++x)
            above = above || at(img, x, y) != clWhite;
    EXPECT_TRUE(above) << "text turned by 90 degrees runs upward from its point";
}

// A box with text drawn once into a compatible image and copied comes out as
// the same drawing made in place; where no exact copy exists there is no image.
TEST(CanvasText, CompatibleImageCopiesExactly)
{
    auto paint = [](TiCanvas& c, int x, int y) {
        c.Font = TiFont(QStringLiteral("DejaVu Sans"), -11, clBlack);
        c.Brush = TiBrush{clYellow, bsSolid};
        c.Pen = TiPen{clRed, 1, psDash};
        c.Rectangle(TiRect{x, y, x + 60, y + 16});
        c.Brush.Style = bsClear;
        c.DrawText(TiRect{x + 2, y + 1, x + 60, y + 16}, QStringLiteral("Heater alarm"), itfLeft | itfTop | itfSingleLine);
    };
    for (double ratio : {1.0, 2.0}) {
        QImage direct((QSizeF(100, 40) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        direct.setDevicePixelRatio(ratio);
        direct.fill(Qt::white);
        QImage copied = direct;
        {
            TiCanvas c(direct);
            paint(c, 17, 9);
        }
        TiCanvas c(copied);
        QImage box = c.CompatibleImage(60, 16);
        ASSERT_FALSE(box.isNull());
        EXPECT_TRUE(c.IsCompatible(box));
        {
            TiCanvas on(box);
            paint(on, 0, 0);
        }
        c.Draw(17, 9, box);
        EXPECT_EQ(direct, copied) << "pixel ratio " << ratio;
    }
    QImage half(QSize(30, 30), QImage::Format_ARGB32_Premultiplied);
    half.setDevicePixelRatio(1.5);
    TiCanvas c(half);
    EXPECT_TRUE(c.CompatibleImage(10, 10).isNull()) << "a fractional pixel ratio";
}

TEST(CanvasClip, ClipQueries)
{
    QImage img = whiteImage(50, 50);
    TiCanvas c(img);
    EXPECT_EQ(c.ClipRect(), (TiRect{0, 0, 50, 50}));
    c.SetClipRect(TiRect{10, 10, 20, 20});
    EXPECT_TRUE(c.PtVisible(10, 10));
    EXPECT_FALSE(c.PtVisible(20, 20));
    EXPECT_TRUE(c.RectVisible(TiRect{15, 15, 30, 30}));
    EXPECT_FALSE(c.RectVisible(TiRect{20, 20, 30, 30}));
    c.IntersectClipRect(TiRect{15, 0, 50, 50});
    EXPECT_EQ(c.ClipRect(), (TiRect{15, 10, 20, 20}));
    c.Brush = TiBrush{clRed, bsSolid};
    c.FillRect(TiRect{0, 0, 50, 50});
    c.ClearClip();
    EXPECT_EQ(c.ClipRect(), (TiRect{0, 0, 50, 50}));
    EXPECT_EQ(c.GetPixel(15, 10), clRed);
    EXPECT_EQ(c.GetPixel(14, 10), clWhite);
}

TEST(CanvasEdges, RaisedEdgeIsLightTopLeftDarkBottomRight)
{
    QImage img = whiteImage();
    {
        TiCanvas c(img);
        c.Brush = TiBrush{clGray, bsSolid};
        c.FillRect(TiRect{0, 0, 20, 20});
        c.DrawEdge(TiRect{0, 0, 20, 20}, ibsRaised);
    }
    EXPECT_GT(img.pixelColor(1, 10).lightness(), img.pixelColor(18, 10).lightness());
    EXPECT_EQ(at(img, 10, 10), clGray);
}

TEST(Colour, ConventionAndDimming)
{
    EXPECT_EQ(tiToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(tiToQColor(tiRGB(0, 128, 255)), QColor(0, 128, 255));
    EXPECT_EQ(tiFromQColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(tiDimColor(clRed), 0x000055);
    EXPECT_EQ(tiDimColor(clLime), 0x005500);
    // A system colour is dimmed from its raw bytes: 0x8000000F -> 0x000005.
    EXPECT_EQ(tiDimColor(clBtnFace), 0x000005);
    EXPECT_TRUE(tiIsSystemColor(clBtnFace));
    EXPECT_FALSE(tiIsSystemColor(clWhite));
    EXPECT_TRUE(tiToQColor(clBtnFace).isValid());
}

} // namespace
