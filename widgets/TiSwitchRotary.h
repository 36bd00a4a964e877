#pragma once

#include "widgets/TiScaleTypes.h"
#include "widgets/TiSwitchMultiPosition.h"

// A rotary knob with labelled detents round it.
class TiSwitchRotary : public TiSwitchMultiPosition {
    Q_OBJECT
    Q_PROPERTY(TiSwitchEnums::TiRotaryStartDegrees RotationStartDegrees READ RotationStartDegrees WRITE SetRotationStartDegrees)
    Q_PROPERTY(TiSwitchEnums::TiRotaryDesiredSpacing RotationDesiredSpacing READ RotationDesiredSpacing WRITE SetRotationDesiredSpacing)
    Q_PROPERTY(TiSwitchEnums::TiSwitchRotaryPointerStyle PointerStyle READ PointerStyle WRITE SetPointerStyle)
    Q_PROPERTY(int PointerLength READ PointerLength WRITE SetPointerLength)
    Q_PROPERTY(int PointerHeight READ PointerHeight WRITE SetPointerHeight)
    Q_PROPERTY(int PointerColor READ PointerColor WRITE SetPointerColor)
    Q_PROPERTY(int PointerHighLightColor READ PointerHighLightColor WRITE SetPointerHighLightColor)
    Q_PROPERTY(TiScaleEnums::TiLabelAlignment PositionLabelAlignment READ PositionLabelAlignment WRITE SetPositionLabelAlignment)
    Q_PROPERTY(TiSwitchEnums::TiRotaryMouseControlStyle MouseControlStyle READ MouseControlStyle WRITE SetMouseControlStyle)

public:
    explicit TiSwitchRotary(QWidget* parent = nullptr);

    TiRotaryStartDegrees RotationStartDegrees() const { return m_startDegrees; }
    void SetRotationStartDegrees(TiRotaryStartDegrees value);
    TiRotaryDesiredSpacing RotationDesiredSpacing() const { return m_desiredSpacing; }
    void SetRotationDesiredSpacing(TiRotaryDesiredSpacing value);
    TiSwitchRotaryPointerStyle PointerStyle() const { return m_pointerStyle; }
    void SetPointerStyle(TiSwitchRotaryPointerStyle value);
    int PointerLength() const { return m_pointerLength; }
    void SetPointerLength(int value);
    int PointerHeight() const { return m_pointerHeight; }
    void SetPointerHeight(int value);
    TColor PointerColor() const { return m_pointerColor; }
    void SetPointerColor(TColor value);
    TColor PointerHighLightColor() const { return m_pointerHighLightColor; }
    void SetPointerHighLightColor(TColor value);
    TiLabelAlignment PositionLabelAlignment() const { return m_labelAlignment; }
    void SetPositionLabelAlignment(TiLabelAlignment value);
    TiRotaryMouseControlStyle MouseControlStyle() const { return m_mouseControlStyle; }
    void SetMouseControlStyle(TiRotaryMouseControlStyle value);

    double StartDegrees() const;
    // Angle between positions after shrinking for many positions.
    double EffectiveSpacing() const;
    // Knob centre for the current size and fonts.
    QPoint KnobCentre();
    // Rectangle of the label of position k as the last paint placed it.
    TiRect LabelRect(int k);

    QPoint GetCenterPoint(TiCanvas& canvas) override;

protected:
    void iPaintTo(TiCanvas& canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    double LabelAllowance(TiCanvas& canvas) const;
    TiRect LabelRectOn(TiCanvas& canvas, int k, QPoint centre);
    void GotoMouse(int x, int y);
    double MouseDegrees(int x, int y) const;
    void DrawKnob(TiCanvas& canvas, QPoint centre, double degrees);

    TiRotaryStartDegrees m_startDegrees = irsd180;
    TiRotaryDesiredSpacing m_desiredSpacing = irds45;
    TiSwitchRotaryPointerStyle m_pointerStyle = isrpsPointer;
    int m_pointerLength = 25;
    int m_pointerHeight = 6;
    TColor m_pointerColor = clBtnFace;
    TColor m_pointerHighLightColor = clBtnHighlight;
    TiLabelAlignment m_labelAlignment = ilaCenter;
    TiRotaryMouseControlStyle m_mouseControlStyle = irmcsGoto;
    QPoint m_lastCentre;
    double m_rotateAngle = 0;
};
