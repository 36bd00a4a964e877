#include "widgets/TiScaleComponent.h"

#include "widgets/TiScaleMath.h"

TiScaleComponent::TiScaleComponent(QWidget* parent)
    : TiPositionComponent(parent), m_scale([this] { BackGroundChange(); })
{
    m_scale.LabelText = [this](int index, double value) { return GetTickLabelText(index, value); };
}

void TiScaleComponent::SetAutoScaleEnabled(bool value)
{
    if (SetProperty(value, m_autoScaleEnabled, irtBackGround))
        autoScaleNow();
}

void TiScaleComponent::SetAutoScaleStyle(TiAutoScaleStyle value)
{
    if (SetProperty(value, m_autoScaleStyle, irtBackGround))
        autoScaleNow();
}

void TiScaleComponent::SetAutoScaleDesiredTicks(int value)
{
    if (value < 2 || value == m_autoScaleDesiredTicks)
        return;
    m_autoScaleDesiredTicks = value;
    autoScaleNow();
}

void TiScaleComponent::SetAutoScaleMaxTicks(int value)
{
    if (value < 2 || value == m_autoScaleMaxTicks)
        return;
    m_autoScaleMaxTicks = value;
    autoScaleNow();
}

void TiScaleComponent::UpdateScaleRange()
{
    m_scale.Min = PositionMin();
    m_scale.Max = PositionMax();
    m_scale.UseLabelRange = UsesLabelRange();
    m_scale.LabelMin = m_labelMin;
    m_scale.LabelMax = m_labelMax;
}

int TiScaleComponent::GetDecimalPoints() const
{
    return TiScaleMath::decimalPoints(m_scale.PrecisionStyle(), m_scale.TickLabelPrecision(),
                                      PositionMin(), PositionMax());
}

QString TiScaleComponent::GetTickLabelText(int index, double value)
{
    QString text = TiScaleMath::tickLabelText(value, GetDecimalPoints());
    emit OnCustomizeTickLabel(index, text);
    return text;
}

void TiScaleComponent::autoScaleNow()
{
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::DoAutoScale(double min, double max)
{
    if (Loading() || !m_autoScaleEnabled)
        return;
    if (m_autoScaleStyle == iassAutoMinMax) {
        const TiScaleMath::AutoScaleResult r =
            TiScaleMath::autoScaleMinMax(min, max, m_autoScaleDesiredTicks, m_autoScaleMaxTicks);
        SetPositionMinMax(r.low, r.high);
        m_scale.SetTickMajorCount(r.tickCount);
        return;
    }
    const TiScaleMath::AutoScaleResult r =
        TiScaleMath::autoScaleFixedMinMax(min, max, m_autoScaleDesiredTicks, m_autoScaleMaxTicks);
    SetPositionMinMax(min, max);
    m_labelMin = r.low;
    m_labelMax = r.high;
    m_scale.SetTickMajorCount(r.tickCount);
    BackGroundChange();
}

void TiScaleComponent::SetPositionMin(double value)
{
    if (m_autoScaleEnabled && !Loading())
        DoAutoScale(value, PositionMax());
    else
        TiPositionComponent::SetPositionMin(value);
}

void TiScaleComponent::SetPositionMax(double value)
{
    if (m_autoScaleEnabled && !Loading())
        DoAutoScale(PositionMin(), value);
    else
        TiPositionComponent::SetPositionMax(value);
}

void TiScaleComponent::Loaded()
{
    TiPositionComponent::Loaded();
    autoScaleNow();
}
