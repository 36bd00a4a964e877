#pragma once

#include "widgets/TiCustomComponent.h"
#include "widgets/TiSwitchTypes.h"

#include <QStringList>
#include <chrono>

// Base of switches with a list of named positions: the label list, the
// position with its events, and the keyboard and wheel handling.
class TiSwitchMultiPosition : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(QString PositionLabels READ PositionLabels WRITE SetPositionLabels)
    Q_PROPERTY(int PositionLabelMargin READ PositionLabelMargin WRITE SetPositionLabelMargin)
    Q_PROPERTY(TiFont PositionLabelActiveFont READ PositionLabelActiveFont WRITE SetPositionLabelActiveFont)
    Q_PROPERTY(TiFont PositionLabelInactiveFont READ PositionLabelInactiveFont WRITE SetPositionLabelInactiveFont)
    Q_PROPERTY(bool ShowPositionLabels READ ShowPositionLabels WRITE SetShowPositionLabels)
    Q_PROPERTY(bool ShowPositionIndicators READ ShowPositionIndicators WRITE SetShowPositionIndicators)
    Q_PROPERTY(int PositionIndicatorSize READ PositionIndicatorSize WRITE SetPositionIndicatorSize)
    Q_PROPERTY(int PositionIndicatorMargin READ PositionIndicatorMargin WRITE SetPositionIndicatorMargin)
    Q_PROPERTY(int PositionIndicatorColor READ PositionIndicatorColor WRITE SetPositionIndicatorColor)
    Q_PROPERTY(TiEnums::TiBevelStyle PositionIndicatorBevelStyle READ PositionIndicatorBevelStyle WRITE SetPositionIndicatorBevelStyle)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(int KeyArrowStepSize READ KeyArrowStepSize WRITE SetKeyArrowStepSize)
    Q_PROPERTY(int KeyPageStepSize READ KeyPageStepSize WRITE SetKeyPageStepSize)

public:
    explicit TiSwitchMultiPosition(QWidget* parent = nullptr, int maxPositions = 0, int labelMargin = 5);

    int Position() const { return m_position; }
    void SetPosition(int value);
    void SetPositionNoEvent(int value);
    QString PositionLabels() const { return m_positionLabels; }
    // Raises TiError for a text of 256 characters or more.
    void SetPositionLabels(const QString& value);
    QString PositionLabel(int index) const;
    void SetPositionLabel(int index, const QString& value);
    int PositionLabelCount() const { return m_labels.size(); }
    int MaxPositions() const { return m_maxPositions; }

    int PositionLabelMargin() const { return m_positionLabelMargin; }
    void SetPositionLabelMargin(int value);
    TiFont PositionLabelActiveFont() const { return m_activeFont; }
    void SetPositionLabelActiveFont(const TiFont& value);
    TiFont PositionLabelInactiveFont() const { return m_inactiveFont; }
    void SetPositionLabelInactiveFont(const TiFont& value);
    bool ShowPositionLabels() const { return m_showPositionLabels; }
    void SetShowPositionLabels(bool value);
    bool ShowPositionIndicators() const { return m_showPositionIndicators; }
    void SetShowPositionIndicators(bool value);
    int PositionIndicatorSize() const { return m_positionIndicatorSize; }
    void SetPositionIndicatorSize(int value);
    int PositionIndicatorMargin() const { return m_positionIndicatorMargin; }
    void SetPositionIndicatorMargin(int value);
    TColor PositionIndicatorColor() const { return m_positionIndicatorColor; }
    void SetPositionIndicatorColor(TColor value);
    TiBevelStyle PositionIndicatorBevelStyle() const { return m_positionIndicatorBevelStyle; }
    void SetPositionIndicatorBevelStyle(TiBevelStyle value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void SetShowFocusRect(bool value);
    int KeyArrowStepSize() const { return m_keyArrowStepSize; }
    void SetKeyArrowStepSize(int value);
    int KeyPageStepSize() const { return m_keyPageStepSize; }
    void SetKeyPageStepSize(int value);

signals:
    void OnPositionChange();
    void OnPositionChangeUser();
    void OnPositionChangeFinished();

protected:
    // Fires OnPositionChangeFinished if the position changed since last time.
    void DoPositionChangeFinished();
    bool ArrowKeyHeld() const { return m_arrowKeyHeld; }
    bool MouseHeld() const { return m_mouseHeld; }
    void SetMouseHeld(bool value);

    void iWantSpecialKey(int& charCode, bool& result) override;
    void iKeyDown(int& key, TShiftState shift) override;
    void iKeyUp(int& key, TShiftState shift) override;
    bool iMouseWheel(int wheelDelta, TShiftState shift, QPoint mousePos) override;

private:
    void ChangePosition(int value, bool fireEvent);

    int m_position = 0;
    QString m_positionLabels = QStringLiteral("Off, On");
    QStringList m_labels;
    int m_maxPositions = 0;
    int m_positionLabelMargin = 5;
    TiFont m_activeFont;
    TiFont m_inactiveFont;
    bool m_showPositionLabels = true;
    bool m_showPositionIndicators = true;
    int m_positionIndicatorSize = 3;
    int m_positionIndicatorMargin = 10;
    TColor m_positionIndicatorColor = clAqua;
    TiBevelStyle m_positionIndicatorBevelStyle = ibsLowered;
    bool m_showFocusRect = true;
    int m_keyArrowStepSize = 1;
    int m_keyPageStepSize = 2;
    bool m_changedSinceFinished = false;
    bool m_mouseHeld = false;
    bool m_keyHeld = false;
    bool m_arrowKeyHeld = false;
    std::chrono::steady_clock::time_point m_lastWheelStep;
};
