#pragma once

#include <functional>

class QTimer;

// Lets the application's timers run until `done` holds or `timer` has fired
// `tickBudget` times. The spin bound keeps the loop finite should the timer
// stop altogether.
bool runUntilTicked(const QTimer& timer, const std::function<bool()>& done, int tickBudget);
