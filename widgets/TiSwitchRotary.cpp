#include "widgets/TiSwitchRotary.h"

#include "widgets/TiSwitchMath.h"

#include <QImage>
#include <cmath>
#include <numbers>

TiSwitchRotary::TiSwitchRotary(QWidget* parent) : TiSwitchMultiPosition(parent, 16, 15)
{
    resize(100, 80);
}

void TiSwitchRotary::SetRotationStartDegrees(TiRotaryStartDegrees value) { SetProperty(value, m_startDegrees, irtBackGround); }

void TiSwitchRotary::SetRotationDesiredSpacing(TiRotaryDesiredSpacing value) { SetProperty(value, m_desiredSpacing, irtBackGround); }

void TiSwitchRotary::SetPointerStyle(TiSwitchRotaryPointerStyle value) { SetProperty(value, m_pointerStyle, irtBackGround); }

void TiSwitchRotary::SetPointerLength(int value) { SetProperty(value, m_pointerLength, irtBackGround); }
void TiSwitchRotary::SetPointerHeight(int value) { SetProperty(value, m_pointerHeight, irtBackGround); }
void TiSwitchRotary::SetPointerColor(TColor value) { SetProperty(value, m_pointerColor, irtBackGround); }
void TiSwitchRotary::SetPointerHighLightColor(TColor value) { SetProperty(value, m_pointerHighLightColor, irtBackGround); }

void TiSwitchRotary::SetPositionLabelAlignment(TiLabelAlignment value) { SetProperty(value, m_labelAlignment, irtBackGround); }

void TiSwitchRotary::SetMouseControlStyle(TiRotaryMouseControlStyle value) { m_mouseControlStyle = value; }

double TiSwitchRotary::StartDegrees() const { return 45.0 * static_cast<int>(m_startDegrees); }

double TiSwitchRotary::EffectiveSpacing() const
{
    static constexpr double kSpacing[] = {22.5, 45.0, 90.0};
    return TiSwitchMath::effectiveSpacing(kSpacing[m_desiredSpacing], PositionLabelCount());
}

double TiSwitchRotary::LabelAllowance(TiCanvas& canvas) const
{
    canvas.Font = PositionLabelActiveFont();
    const int active = canvas.TextHeight(QStringLiteral("A"));
    canvas.Font = PositionLabelInactiveFont();
    const int inactive = canvas.TextHeight(QStringLiteral("A"));
    const int h = std::max(active, inactive);
    return m_labelAlignment == ilaJustified ? h * 1.5 : h;
}

QPoint TiSwitchRotary::GetCenterPoint(TiCanvas& canvas)
{
    double r = m_pointerLength;
    if (ShowPositionIndicators())
        r += PositionIndicatorMargin() + PositionIndicatorSize();
    r += LabelAllowance(canvas) + PositionLabelMargin();
    const QPoint plain = TiCustomComponent::GetCenterPoint(canvas);
    return plain
        - TiSwitchMath::knobCentreOffset(StartDegrees(), EffectiveSpacing(), PositionLabelCount(), r,
                                         m_pointerLength);
}

QPoint TiSwitchRotary::KnobCentre()
{
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TiCanvas canvas(scratch);
    return GetCenterPoint(canvas);
}

TiRect TiSwitchRotary::LabelRect(int k)
{
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TiCanvas canvas(scratch);
    return LabelRectOn(canvas, k, GetCenterPoint(canvas));
}

TiRect TiSwitchRotary::LabelRectOn(TiCanvas& canvas, int k, QPoint centre)
{
    const double theta = TiSwitchMath::positionAngle(k, StartDegrees(), EffectiveSpacing());
    const int radius = TiSwitchMath::labelRadius(m_pointerLength, PositionLabelMargin(), ShowPositionIndicators(),
                                                 PositionIndicatorMargin(), PositionIndicatorSize());
    const QPoint anchor = GetXYRadPoint(theta, radius, centre);
    canvas.Font = k == Position() ? PositionLabelActiveFont() : PositionLabelInactiveFont();
    const QString text = PositionLabel(k);
    const int w = canvas.TextWidth(text);
    const int h = canvas.TextHeight(text);
    int left = anchor.x() - w / 2;
    int top = anchor.y() - h / 2;
    if (m_labelAlignment == ilaJustified) {
        if (theta == 90) {
            top = anchor.y() - h;
        } else if (theta == 270) {
            top = anchor.y();
        } else if (theta > 90 && theta < 270) {
            left = anchor.x() - w;
        } else {
            left = anchor.x();
        }
    }
    return TiRect{left, top, left + w, top + h};
}

void TiSwitchRotary::DrawKnob(TiCanvas& canvas, QPoint centre, double degrees)
{
    const TColor color = (MouseHeld() || ArrowKeyHeld()) ? m_pointerHighLightColor : m_pointerColor;
    const QList<QPoint> shape = m_pointerStyle == isrpsPointer
        ? TiSwitchMath::pointerPolygon(centre, degrees, m_pointerLength, m_pointerHeight)
        : TiSwitchMath::barPolygon(centre, degrees, m_pointerLength, m_pointerHeight);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    if (m_pointerStyle == isrpsPointer) {
        canvas.Pen.Style = psClear;
    } else {
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = clWhite;
    }
    canvas.Polygon(shape);

    // Shade each edge as if lit from the upper left: an edge facing up-left
    // is white, one facing down-right black.
    canvas.Pen.Style = psSolid;
    for (int i = 0; i < shape.size(); ++i) {
        const QPoint a = shape[i];
        const QPoint b = shape[(i + 1) % shape.size()];
        // Outward normal of an edge of a polygon listed counter-clockwise on screen.
        const double nx = b.y() - a.y();
        const double ny = -(b.x() - a.x());
        const double facing = -nx - ny; // dot product with the up-left direction
        canvas.Pen.Color = facing > 0 ? clWhite : clBlack;
        canvas.Line(a.x(), a.y(), b.x(), b.y());
    }
    if (m_pointerStyle == isrpsRectangle) {
        canvas.Pen.Color = clBlack;
        const QPoint g1 = GetXYRadPoint(degrees, m_pointerLength - 8, centre);
        const QPoint g2 = GetXYRadPoint(degrees, m_pointerLength, centre);
        canvas.Line(g1.x(), g1.y(), g2.x(), g2.y());
    }
}

void TiSwitchRotary::iPaintTo(TiCanvas& canvas)
{
    DrawBackGround(canvas, BackGroundColor());
    const QPoint centre = GetCenterPoint(canvas);
    m_lastCentre = centre;
    const double spacing = EffectiveSpacing();
    const int count = PositionLabelCount();

    if (count > 0)
        DrawKnob(canvas, centre, TiSwitchMath::positionAngle(Position(), StartDegrees(), spacing));

    for (int k = 0; k < count; ++k) {
        const double theta = TiSwitchMath::positionAngle(k, StartDegrees(), spacing);
        if (ShowPositionIndicators()) {
            const double r = m_pointerLength + PositionIndicatorMargin() + PositionIndicatorSize() / 2.0;
            const QPoint p = GetXYRadPoint(theta, r, centre);
            const int s = PositionIndicatorSize();
            const TiRect dot{p.x() - s, p.y() - s, p.x() + s, p.y() + s};
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = PositionIndicatorColor();
            canvas.Pen.Style = psClear;
            canvas.Ellipse(dot);
            if (PositionIndicatorBevelStyle() != ibsNone) {
                const bool raised = PositionIndicatorBevelStyle() == ibsRaised;
                canvas.Pen.Style = psSolid;
                canvas.Pen.Color = raised ? clWhite : clGray;
                canvas.ArcDegrees(dot, 45, 225);
                canvas.Pen.Color = raised ? clGray : clWhite;
                canvas.ArcDegrees(dot, 225, 405);
            }
        }
        if (ShowPositionLabels()) {
            const TiRect r = LabelRectOn(canvas, k, centre);
            canvas.Brush.Style = bsClear;
            canvas.TextOut(r.Left, r.Top, PositionLabel(k));
        }
    }

    if (ShowFocusRect() && HasFocus())
        canvas.DrawFocusRect(TiRect{0, 0, Width(), Height()});
}

double TiSwitchRotary::MouseDegrees(int x, int y) const
{
    double a = std::atan2(y - m_lastCentre.y(), x - m_lastCentre.x()) * 180.0 / std::numbers::pi;
    if (a < 0)
        a += 360.0;
    return a;
}

void TiSwitchRotary::GotoMouse(int x, int y)
{
    const int p = TiSwitchMath::gotoPosition(x, y, m_lastCentre.x(), m_lastCentre.y(), StartDegrees(),
                                             EffectiveSpacing(), PositionLabelCount());
    if (p >= 0)
        SetPosition(p);
}

void TiSwitchRotary::iMouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_lastCentre = KnobCentre();
    SetMouseHeld(true);
    if (m_mouseControlStyle == irmcsGoto)
        GotoMouse(x, y);
    else
        m_rotateAngle = MouseDegrees(x, y);
}

void TiSwitchRotary::iMouseMove(TShiftState, int x, int y)
{
    if (!MouseHeld())
        return;
    if (m_mouseControlStyle == irmcsGoto) {
        GotoMouse(x, y);
        return;
    }
    // Screen angles run clockwise, the way the positions are laid out.
    const double spacing = EffectiveSpacing();
    double turned = MouseDegrees(x, y) - m_rotateAngle;
    if (turned > 180)
        turned -= 360;
    if (turned < -180)
        turned += 360;
    if (turned > spacing / 2) {
        SetPosition(Position() + 1);
        m_rotateAngle += spacing;
    } else if (turned < -spacing / 2) {
        SetPosition(Position() - 1);
        m_rotateAngle -= spacing;
    }
}

void TiSwitchRotary::iMouseUp(TMouseButton button, TShiftState, int, int)
{
    if (button != Qt::LeftButton || !MouseHeld())
        return;
    SetMouseHeld(false);
    DoPositionChangeFinished();
}
