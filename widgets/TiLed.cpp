#include "widgets/TiLed.h"

#include "widgets/TiLedBarMath.h"

TiLed::TiLed(QWidget* parent) : TiCustomComponent(parent)
{
    resize(20, 20);
}

void TiLed::SetActive(bool value) { ChangeActive(value, true); }
void TiLed::SetActiveNoEvent(bool value) { ChangeActive(value, false); }

void TiLed::ChangeActive(bool value, bool fireEvent)
{
    if (value == m_active || !RequestEdit(QStringLiteral("Active")))
        return;
    m_active = value;
    // The lamp is one layer: lighting it redraws everything.
    BackGroundChange();
    PropertyChanged(QStringLiteral("Active"));
    if (fireEvent && !Loading())
        emit OnChange();
}

void TiLed::SetActiveColor(TColor value) { SetProperty(value, m_activeColor, irtBackGround); }
void TiLed::SetAutoInactiveColor(bool value) { SetProperty(value, m_autoInactiveColor, irtBackGround); }
void TiLed::SetInactiveColor(TColor value) { SetProperty(value, m_inactiveColor, irtBackGround); }

void TiLed::SetBevelStyle(TiBevelStyle value) { SetProperty(value, m_bevelStyle, irtBackGround); }

TColor TiLed::CurrentColor() const
{
    return TiLedBarMath::lampColor(m_active, m_activeColor, m_autoInactiveColor, m_inactiveColor);
}
