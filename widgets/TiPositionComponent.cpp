#include "widgets/TiPositionComponent.h"

#include "widgets/TiError.h"

TiPositionComponent::TiPositionComponent(QWidget* parent) : TiCustomComponent(parent) {}

double TiPositionComponent::ClampToBounds(double value) const
{
    if (value > m_positionMax)
        value = m_positionMax;
    if (value < m_positionMin)
        value = m_positionMin;
    return value;
}

void TiPositionComponent::SetPosition(double value)
{
    if (Loading()) {
        m_position = value;
        return;
    }
    value = ClampToBounds(value);
    if (value == m_position)
        return;
    if (!RequestEdit(QStringLiteral("Position")))
        return;
    m_position = value;
    m_changedSinceFinished = true;
    TrackMinMax(value);
    CheckLimits(value);
    InvalidateChange();
    iPositionChanged();
    FirePositionChange();
}

void TiPositionComponent::SetPositionNoEvent(double value)
{
    m_suppressPositionEvent = true;
    try {
        SetPosition(value);
    } catch (...) {
        m_suppressPositionEvent = false;
        throw;
    }
    m_suppressPositionEvent = false;
}

void TiPositionComponent::FirePositionChange()
{
    PropertyChanged(QStringLiteral("Position"));
    if (!m_suppressPositionEvent && !Loading())
        emit OnPositionChange();
}

void TiPositionComponent::TrackMinMax(double value)
{
    if (!m_minMaxFixed) {
        if (value > m_currentMax)
            SetCurrentMax(value);
        if (value < m_currentMin)
            SetCurrentMin(value);
    }
    if (Loading())
        return;
    if (value > m_currentMax)
        emit OnPositionOverMax();
    if (value < m_currentMin)
        emit OnPositionUnderMin();
}

void TiPositionComponent::CheckLimits(double value)
{
    if (Loading())
        return;
    // The size is read on every step and each limit copied: a handler may
    // remove limits while we walk them.
    for (int i = 0; i < m_limits.size(); ++i) {
        const TiPositionLimit limit = m_limits[i];
        if (value > limit.UpperValue)
            emit OnPositionOverLimit(i);
        if (value < limit.LowerValue)
            emit OnPositionUnderLimit(i);
    }
}

void TiPositionComponent::SetPositionMin(double value) { SetPositionMinMax(value, m_positionMax); }

void TiPositionComponent::SetPositionMax(double value) { SetPositionMinMax(m_positionMin, value); }

void TiPositionComponent::SetPositionMinMax(double min, double max)
{
    if (min == m_positionMin && max == m_positionMax)
        return;
    m_positionMin = min;
    m_positionMax = max;
    if (!Loading() && !m_minMaxFixed) {
        if (m_currentMin < m_positionMin)
            SetCurrentMin(m_positionMin);
        if (m_currentMax > m_positionMax)
            SetCurrentMax(m_positionMax);
    }
    DoPointerBounds();
    BackGroundChange();
}

void TiPositionComponent::DoPointerBounds()
{
    if (Loading())
        return;
    const double clamped = ClampToBounds(m_position);
    if (clamped != m_position)
        SetPosition(clamped);
}

void TiPositionComponent::SetPositionPercent(double percent)
{
    SetPosition(m_positionMin + (m_positionMax - m_positionMin) * percent);
}

double TiPositionComponent::ValuePercent(double value) const
{
    if (value > m_positionMax)
        return 1.0;
    if (value >= m_positionMin && m_positionMax != m_positionMin)
        return (value - m_positionMin) / (m_positionMax - m_positionMin);
    return 0.0;
}

void TiPositionComponent::SetCurrentMin(double value)
{
    if (!Loading())
        value = ClampToBounds(value);
    if (value == m_currentMin)
        return;
    m_currentMin = value;
    if (m_showMinPointer)
        InvalidateChange();
    if (Loading())
        return;
    emit OnCurrentMinChange();
    if (GetPosition() < m_currentMin)
        emit OnPositionUnderMin();
}

void TiPositionComponent::SetCurrentMax(double value)
{
    if (!Loading())
        value = ClampToBounds(value);
    if (value == m_currentMax)
        return;
    m_currentMax = value;
    if (m_showMaxPointer)
        InvalidateChange();
    if (Loading())
        return;
    emit OnCurrentMaxChange();
    if (GetPosition() > m_currentMax)
        emit OnPositionOverMax();
}

void TiPositionComponent::ResetMinMax()
{
    SetCurrentMin(GetPosition());
    SetCurrentMax(GetPosition());
}

void TiPositionComponent::SetMinMaxFixed(bool value) { SetProperty(value, m_minMaxFixed, irtBackGround); }
void TiPositionComponent::SetShowMinPointer(bool value) { SetProperty(value, m_showMinPointer, irtBackGround); }
void TiPositionComponent::SetShowMaxPointer(bool value) { SetProperty(value, m_showMaxPointer, irtBackGround); }
void TiPositionComponent::SetMinMaxPointerSize(int value) { SetProperty(value, m_minMaxPointerSize, irtBackGround); }
void TiPositionComponent::SetMinMaxPointerMargin(int value) { SetProperty(value, m_minMaxPointerMargin, irtBackGround); }
void TiPositionComponent::SetMinPointerColor(TColor value) { SetProperty(value, m_minPointerColor, irtBackGround); }
void TiPositionComponent::SetMaxPointerColor(TColor value) { SetProperty(value, m_maxPointerColor, irtBackGround); }
void TiPositionComponent::SetMinMaxUserCanMove(bool value) { SetProperty(value, m_minMaxUserCanMove, irtBackGround); }

void TiPositionComponent::DoPositionChangeFinished()
{
    if (!m_changedSinceFinished)
        return;
    m_changedSinceFinished = false;
    if (!Loading())
        emit OnPositionChangeFinished();
}

// ---------------------------------------------------------------- limits

int TiPositionComponent::AddLimit(int pointerSize, int pointerMargin, bool drawScaleSide, double upperValue,
                                  double lowerValue, TColor upperPointerColor, TColor lowerPointerColor)
{
    TiPositionLimit limit;
    limit.PointerSize = pointerSize;
    limit.PointerMargin = pointerMargin;
    limit.DrawScaleSide = drawScaleSide;
    limit.UpperValue = upperValue;
    limit.LowerValue = lowerValue;
    limit.UpperPointerColor = upperPointerColor;
    limit.LowerPointerColor = lowerPointerColor;
    m_limits.append(limit);
    BackGroundChange();
    return static_cast<int>(m_limits.size()) - 1;
}

void TiPositionComponent::RemoveLimit(int index)
{
    LimitRef(index);
    m_limits.removeAt(index);
    BackGroundChange();
}

void TiPositionComponent::RemoveAllLimits()
{
    m_limits.clear();
    BackGroundChange();
}

const TiPositionLimit& TiPositionComponent::Limit(int index) const
{
    if (index < 0 || index >= m_limits.size())
        throw TiError(QStringLiteral("Limit Index out of bounds"));
    return m_limits[index];
}

TiPositionLimit& TiPositionComponent::LimitRef(int index)
{
    if (index < 0 || index >= m_limits.size())
        throw TiError(QStringLiteral("Limit Index out of bounds"));
    return m_limits[index];
}

void TiPositionComponent::SetLimitUpperValue(int index, double value) { SetProperty(value, LimitRef(index).UpperValue, irtBackGround); }
void TiPositionComponent::SetLimitLowerValue(int index, double value) { SetProperty(value, LimitRef(index).LowerValue, irtBackGround); }
void TiPositionComponent::SetLimitUpperPointerColor(int index, TColor value) { SetProperty(value, LimitRef(index).UpperPointerColor, irtBackGround); }
void TiPositionComponent::SetLimitLowerPointerColor(int index, TColor value) { SetProperty(value, LimitRef(index).LowerPointerColor, irtBackGround); }
void TiPositionComponent::SetLimitPointerMargin(int index, int value) { SetProperty(value, LimitRef(index).PointerMargin, irtBackGround); }
void TiPositionComponent::SetLimitPointerSize(int index, int value) { SetProperty(value, LimitRef(index).PointerSize, irtBackGround); }
void TiPositionComponent::SetLimitShowUpperPointer(int index, bool value) { SetProperty(value, LimitRef(index).ShowUpperPointer, irtBackGround); }
void TiPositionComponent::SetLimitShowLowerPointer(int index, bool value) { SetProperty(value, LimitRef(index).ShowLowerPointer, irtBackGround); }
void TiPositionComponent::SetLimitDrawScaleSide(int index, bool value) { SetProperty(value, LimitRef(index).DrawScaleSide, irtBackGround); }
