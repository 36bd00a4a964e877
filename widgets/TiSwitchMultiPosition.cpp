#include "widgets/TiSwitchMultiPosition.h"

#include "widgets/TiError.h"
#include "widgets/TiSwitchMath.h"

TiSwitchMultiPosition::TiSwitchMultiPosition(QWidget* parent, int maxPositions, int labelMargin)
    : TiCustomComponent(parent),
      m_labels(TiSwitchMath::parsePositionLabels(m_positionLabels, maxPositions)),
      m_maxPositions(maxPositions),
      m_positionLabelMargin(labelMargin)
{
    SetTabStop(true);
}

void TiSwitchMultiPosition::SetPosition(int value) { ChangePosition(value, true); }
void TiSwitchMultiPosition::SetPositionNoEvent(int value) { ChangePosition(value, false); }

void TiSwitchMultiPosition::ChangePosition(int value, bool fireEvent)
{
    // Compared before clamping: a request beyond the range still repaints and
    // reports, so the caller sees the switch refuse it.
    if (value == m_position || !RequestEdit(QStringLiteral("Position")))
        return;
    m_position = value;
    m_changedSinceFinished = true;
    if (!Loading())
        m_position = std::clamp(m_position, 0, std::max(0, static_cast<int>(m_labels.size()) - 1));
    BackGroundChange();
    if (Loading())
        return;
    PropertyChanged(QStringLiteral("Position"));
    if (fireEvent)
        emit OnPositionChange();
    if (UserGenerated())
        emit OnPositionChangeUser();
}

void TiSwitchMultiPosition::SetPositionLabels(const QString& value)
{
    if (!TiSwitchMath::positionLabelsFit(value))
        throw TiError(QStringLiteral("Position Label String Must be < 256 Characters"));
    if (value == m_positionLabels)
        return;
    m_positionLabels = value;
    m_labels = TiSwitchMath::parsePositionLabels(value, m_maxPositions);
    if (m_labels.isEmpty())
        m_position = 0;
    else if (m_position > m_labels.size() - 1)
        m_position = m_labels.size() - 1;
    BackGroundChange();
}

QString TiSwitchMultiPosition::PositionLabel(int index) const
{
    if (index < 0 || index >= m_labels.size())
        throw TiError(QStringLiteral("Index out of Bounds"));
    return m_labels[index];
}

void TiSwitchMultiPosition::SetPositionLabel(int index, const QString& value)
{
    if (index < 0 || index >= m_labels.size())
        throw TiError(QStringLiteral("Index out of Bounds"));
    if (m_labels[index] == value)
        return;
    m_labels[index] = value;
    m_positionLabels = m_labels.join(QStringLiteral(", "));
    BackGroundChange();
}

void TiSwitchMultiPosition::SetPositionLabelMargin(int value) { SetProperty(value, m_positionLabelMargin, irtBackGround); }
void TiSwitchMultiPosition::SetPositionLabelActiveFont(const TiFont& value) { SetProperty(value, m_activeFont, irtBackGround); }
void TiSwitchMultiPosition::SetPositionLabelInactiveFont(const TiFont& value) { SetProperty(value, m_inactiveFont, irtBackGround); }
void TiSwitchMultiPosition::SetShowPositionLabels(bool value) { SetProperty(value, m_showPositionLabels, irtBackGround); }
void TiSwitchMultiPosition::SetShowPositionIndicators(bool value) { SetProperty(value, m_showPositionIndicators, irtBackGround); }
void TiSwitchMultiPosition::SetPositionIndicatorSize(int value) { SetProperty(value, m_positionIndicatorSize, irtBackGround); }
void TiSwitchMultiPosition::SetPositionIndicatorMargin(int value) { SetProperty(value, m_positionIndicatorMargin, irtBackGround); }
void TiSwitchMultiPosition::SetPositionIndicatorColor(TColor value) { SetProperty(value, m_positionIndicatorColor, irtBackGround); }
void TiSwitchMultiPosition::SetShowFocusRect(bool value) { SetProperty(value, m_showFocusRect, irtBackGround); }
void TiSwitchMultiPosition::SetKeyArrowStepSize(int value) { SetProperty(value, m_keyArrowStepSize, irtNone); }
void TiSwitchMultiPosition::SetKeyPageStepSize(int value) { SetProperty(value, m_keyPageStepSize, irtNone); }

void TiSwitchMultiPosition::SetPositionIndicatorBevelStyle(TiBevelStyle value) { SetProperty(value, m_positionIndicatorBevelStyle, irtBackGround); }

void TiSwitchMultiPosition::DoPositionChangeFinished()
{
    if (!m_changedSinceFinished)
        return;
    m_changedSinceFinished = false;
    if (!Loading())
        emit OnPositionChangeFinished();
}

void TiSwitchMultiPosition::SetMouseHeld(bool value) { SetProperty(value, m_mouseHeld, irtBackGround); }

void TiSwitchMultiPosition::iWantSpecialKey(int& charCode, bool& result)
{
    switch (charCode) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        result = true;
        break;
    default:
        TiCustomComponent::iWantSpecialKey(charCode, result);
    }
}

void TiSwitchMultiPosition::iKeyDown(int& key, TShiftState)
{
    const int last = std::max(0, static_cast<int>(m_labels.size()) - 1);
    int target = m_position;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        target = m_position - m_keyArrowStepSize;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        target = m_position + m_keyArrowStepSize;
        break;
    case Qt::Key_PageUp:
        target = m_position + m_keyPageStepSize;
        break;
    case Qt::Key_PageDown:
        target = m_position - m_keyPageStepSize;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = last;
        break;
    default:
        return;
    }
    m_keyHeld = true;
    // Only the arrow keys light the knob, as a mouse button held on it does.
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && !m_arrowKeyHeld) {
        m_arrowKeyHeld = true;
        BackGroundChange();
    }
    SetPosition(target);
    key = 0;
}

void TiSwitchMultiPosition::iKeyUp(int& key, TShiftState)
{
    if (!m_keyHeld)
        return;
    m_keyHeld = false;
    if (m_arrowKeyHeld) {
        m_arrowKeyHeld = false;
        BackGroundChange();
    }
    DoPositionChangeFinished();
    key = 0;
}

bool TiSwitchMultiPosition::iMouseWheel(int wheelDelta, TShiftState, QPoint)
{
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (now - m_lastWheelStep < milliseconds(30))
        return true;
    m_lastWheelStep = now;
    if (wheelDelta > 0)
        SetPosition(m_position + 1);
    else if (wheelDelta < 0)
        SetPosition(m_position - 1);
    return true;
}
