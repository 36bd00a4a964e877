#include "widgets/TiProgressComponent.h"

TiProgressComponent::TiProgressComponent(QWidget* parent) : TiPositionComponent(parent)
{
    resize(16, 200);
}

void TiProgressComponent::SetSectionCount(int value)
{
    if (value < 1 || value > 3)
        return;
    SetProperty(value, m_sectionCount, irtInvalidate);
}

void TiProgressComponent::SetSectionEnd1(double value) { SetProperty(value, m_sectionEnd1, irtInvalidate); }
void TiProgressComponent::SetSectionEnd2(double value) { SetProperty(value, m_sectionEnd2, irtInvalidate); }
void TiProgressComponent::SetSectionColor1(TColor value) { SetProperty(value, m_sectionColor1, irtInvalidate); }
void TiProgressComponent::SetSectionColor2(TColor value) { SetProperty(value, m_sectionColor2, irtInvalidate); }
void TiProgressComponent::SetSectionColor3(TColor value) { SetProperty(value, m_sectionColor3, irtInvalidate); }
void TiProgressComponent::SetShowOffSegments(bool value) { SetProperty(value, m_showOffSegments, irtBackGround); }
