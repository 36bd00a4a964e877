#include "widgets/TiLedRound.h"

TiLedRound::TiLedRound(QWidget* parent) : TiLed(parent) {}

void TiLedRound::SetShowReflection(bool value) { SetProperty(value, m_showReflection, irtBackGround); }

void TiLedRound::SetBounds(int left, int top, int w, int h)
{
    if (!Loading()) {
        if (w != width())
            h = w;
        else if (h != height())
            w = h;
    }
    TiLed::SetBounds(left, top, w, h);
}

void TiLedRound::iPaintTo(TiCanvas& canvas)
{
    const int w = Width();
    const int h = Height();
    DrawBackGround(canvas, BackGroundColor());

    const TColor color = CurrentColor();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = color;
    const TiRect whole{0, 0, w, h};
    canvas.Ellipse(BevelStyle() == ibsNone ? whole : whole.Inflated(-2, -2));

    if (m_showReflection) {
        canvas.Pen.Color = clWhite;
        const int q = w / 4;
        const QPoint from(w / 2, 0);
        const QPoint to(0, h / 2);
        canvas.Arc(TiRect{q, q, w - q, h - q}, from, to);
        canvas.Arc(TiRect{q + 1, q + 1, w - q - 1, h - q - 1}, from, to);
    }

    if (BevelStyle() != ibsNone) {
        const bool raised = BevelStyle() == ibsRaised;
        const TColor upperLeft = raised ? clBtnHighlight : clBtnShadow;
        const TColor lowerRight = raised ? clBtnShadow : clBtnHighlight;
        const QPoint topRight(w, 0);
        const QPoint bottomLeft(0, h);
        for (const TiRect& ring : {whole, whole.Inflated(-1, -1)}) {
            canvas.Pen.Color = upperLeft;
            canvas.Arc(ring, topRight, bottomLeft);
            canvas.Pen.Color = lowerRight;
            canvas.Arc(ring, bottomLeft, topRight);
        }
    }
}
