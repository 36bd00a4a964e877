#include "support/TimerRun.h"

#include <QCoreApplication>
#include <QTimer>

bool runUntilTicked(const QTimer& timer, const std::function<bool()>& done, int tickBudget)
{
    int ticks = 0;
    const auto counter = QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    for (int spins = 0; !done() && ticks < tickBudget && spins < 20 * tickBudget; ++spins)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QObject::disconnect(counter);
    return done();
}
