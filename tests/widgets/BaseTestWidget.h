#pragma once

#include "widgets/TiClock.h"
#include "widgets/TiCustomComponent.h"
#include "widgets/TiError.h"

#include <QApplication>

// A clock the test moves by hand.
class FakeClock : public TiClock {
public:
    double NowMs() const override { return now; }
    double now = 1000.0;
};

// A widget with one static layer (a frame) and one moving layer (a bar of
// Value pixels); it counts its paints and can be told to fail.
class BaseTestWidget : public TiCustomComponent {
public:
    explicit BaseTestWidget(QWidget* parent = nullptr) : TiCustomComponent(parent) { resize(40, 30); }

    int paints = 0;
    int staticDraws = 0;
    bool fail = false;
    int value = 0;

    void SetValue(int v) { SetProperty(v, value, irtInvalidate); }

protected:
    void iPaintTo(TiCanvas& canvas) override
    {
        ++paints;
        if (fail)
            throw TiError(QStringLiteral("Scale broken"));
        DrawCached(canvas, [this](TiCanvas& c) {
            ++staticDraws;
            DrawBackGround(c, BackGroundColor());
        });
        canvas.Brush = TiBrush{clBlue, bsSolid};
        canvas.FillRect(TiRect{0, 0, value, 2});
    }
};

// Lets queued paint requests run.
inline void flushPaints()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
