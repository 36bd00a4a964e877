#pragma once

#include <string>

// What the transaction engine needs of the window: the tab shown, which
// decides its work, the window's size and Timer2's interval, which it sets,
// and the messages its exchanges end with. What it reads from the
// controller goes to LinkResults as values.
class LinkView {
public:
    virtual ~LinkView() = default;

    // Tab index of the page control `Data` (0 Configuration, 1 RealTimeData, 2 Graph).
    virtual int currentTab() const = 0;
    virtual void setWindowSize(int width, int height) = 0;
    virtual void setTimer2Interval(int milliseconds) = 0;
    // Modal OK box without owner; timers keep running while it is open.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};
