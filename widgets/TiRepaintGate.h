#pragma once

#include "widgets/TiClock.h"
#include "widgets/TiTypes.h"

#include <QTimer>
#include <functional>

// Decides when a widget's repaint requests reach the screen. Requests are
// held back inside an update bracket (BeginUpdate/EndUpdate, which do not
// nest) and, with autoFrameRate, thinned out to updateFrameRate per second;
// a held request is remembered as pending and released by EndUpdate, the next
// request that passes the gate, or the gate's own timer once the frame time
// has passed. Passing requests call the repaint function given at
// construction, which only invalidates: Qt merges them into one paint.
class TiRepaintGate {
public:
    explicit TiRepaintGate(std::function<void()> repaint);

    // Read by the gate on every request.
    bool autoFrameRate = false;
    int updateFrameRate = 60;

    // irtInvalidate or irtBackGround; irtNone asks for nothing.
    void Request(TiRepaintType kind);
    // Past the bracket and the gate.
    void RepaintNow();
    void BeginUpdate() { m_updating = true; }
    void EndUpdate();
    bool Updating() const { return m_updating; }
    bool InvalidatePending() const { return m_invalidatePending; }
    bool BackGroundPending() const { return m_backGroundPending; }
    // Runs the gate again for a request it held back.
    void ReleaseHeld();
    void SetClock(const TiClock& clock);

private:
    void RunGate();

    std::function<void()> m_repaint;
    const TiClock* m_clock;
    bool m_updating = false;
    bool m_invalidatePending = false;
    bool m_backGroundPending = false;
    double m_lastRepaintTime = 0;
    QTimer m_timer;
};
