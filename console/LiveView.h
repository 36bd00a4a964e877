#pragma once

#include <string>

// What the RealTimeData display timers and switch handlers need of the
// window: widget properties by name (read and written), control texts, the
// window size, Timer1's interval and message boxes. The window implements it
// on its widgets; tests implement it with a map.
class LiveView {
public:
    virtual ~LiveView() = default;

    virtual double widgetProperty(const std::string& widget, const std::string& property) const = 0;
    virtual void setWidgetProperty(const std::string& widget, const std::string& property, double value) = 0;
    virtual void setControlText(const std::string& control, const std::string& text) = 0;
    // Text of an edit or a label, e.g. text("Edit3").
    virtual std::string text(const std::string& control) const = 0;
    virtual void setWindowSize(int width, int height) = 0;
    virtual void setTimer1Interval(int milliseconds) = 0;
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};
