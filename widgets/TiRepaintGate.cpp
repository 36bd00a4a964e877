#include "widgets/TiRepaintGate.h"

#include <algorithm>
#include <cmath>

TiRepaintGate::TiRepaintGate(std::function<void()> repaint)
    : m_repaint(std::move(repaint)), m_clock(&TiClock::Steady()), m_lastRepaintTime(m_clock->NowMs())
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { ReleaseHeld(); });
}

void TiRepaintGate::SetClock(const TiClock& clock)
{
    m_clock = &clock;
    m_lastRepaintTime = m_clock->NowMs();
}

void TiRepaintGate::Request(TiRepaintType kind)
{
    if (kind == irtNone)
        return;
    if (!m_updating && !autoFrameRate) {
        RepaintNow();
        return;
    }
    (kind == irtBackGround ? m_backGroundPending : m_invalidatePending) = true;
    if (!m_updating)
        RunGate();
}

void TiRepaintGate::EndUpdate()
{
    m_updating = false;
    if (m_invalidatePending || m_backGroundPending)
        RunGate();
}

void TiRepaintGate::ReleaseHeld()
{
    if (!m_updating && (m_invalidatePending || m_backGroundPending))
        RunGate();
}

void TiRepaintGate::RunGate()
{
    if (!autoFrameRate || updateFrameRate <= 0) {
        RepaintNow();
        return;
    }
    const double frameMs = 1000.0 / updateFrameRate;
    const double now = m_clock->NowMs();
    if (now > m_lastRepaintTime + frameMs) {
        RepaintNow();
        return;
    }
    // Held back: release it once the frame time is over, so the last change
    // of a burst is shown even if no further change comes.
    if (!m_timer.isActive())
        m_timer.start(std::max(1, static_cast<int>(std::ceil(m_lastRepaintTime + frameMs - now))));
}

void TiRepaintGate::RepaintNow()
{
    m_invalidatePending = false;
    m_backGroundPending = false;
    m_lastRepaintTime = m_clock->NowMs();
    m_timer.stop();
    m_repaint();
}
