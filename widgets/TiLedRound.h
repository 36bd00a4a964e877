#pragma once

#include "widgets/TiLed.h"

// A round lamp with a bevelled ring and a highlight; it keeps itself square.
class TiLedRound : public TiLed {
    Q_OBJECT
    Q_PROPERTY(bool ShowReflection READ ShowReflection WRITE SetShowReflection)

public:
    explicit TiLedRound(QWidget* parent = nullptr);

    bool ShowReflection() const { return m_showReflection; }
    void SetShowReflection(bool value);

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void iPaintTo(TiCanvas& canvas) override;

private:
    bool m_showReflection = true;
};
