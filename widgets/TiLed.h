#pragma once

#include "widgets/TiCustomComponent.h"

// A lamp that is lit or dark. It has no picture of its own; TiLedRound draws one.
class TiLed : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(int ActiveColor READ ActiveColor WRITE SetActiveColor)
    Q_PROPERTY(bool AutoInactiveColor READ AutoInactiveColor WRITE SetAutoInactiveColor)
    Q_PROPERTY(int InactiveColor READ InactiveColor WRITE SetInactiveColor)
    Q_PROPERTY(TiEnums::TiBevelStyle BevelStyle READ BevelStyle WRITE SetBevelStyle)

public:
    explicit TiLed(QWidget* parent = nullptr);

    bool Active() const { return m_active; }
    void SetActive(bool value);
    void SetActiveNoEvent(bool value);
    TColor ActiveColor() const { return m_activeColor; }
    void SetActiveColor(TColor value);
    bool AutoInactiveColor() const { return m_autoInactiveColor; }
    void SetAutoInactiveColor(bool value);
    TColor InactiveColor() const { return m_inactiveColor; }
    void SetInactiveColor(TColor value);
    TiBevelStyle BevelStyle() const { return m_bevelStyle; }
    void SetBevelStyle(TiBevelStyle value);

    // The colour the lamp shows now.
    TColor CurrentColor() const;

signals:
    void OnChange();

private:
    void ChangeActive(bool value, bool fireEvent);

    bool m_active = false;
    TColor m_activeColor = clLime;
    bool m_autoInactiveColor = true;
    TColor m_inactiveColor = 0x005500;
    TiBevelStyle m_bevelStyle = ibsLowered;
};
