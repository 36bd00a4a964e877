#pragma once

#include <string>

struct FanCurve;
struct LinkState;

// What the transaction engine needs of the window. The window implements it
// on its controls and widgets (found by their layout names); tests implement
// it by recording every call, so the engine runs headless.
class LinkView {
public:
    virtual ~LinkView() = default;

    // Tab index of the page control `Data` (0 Configuration, 1 RealTimeData, 2 Graph).
    virtual int currentTab() const = 0;
    virtual void setWindowSize(int width, int height) = 0;
    virtual void setTimer2Interval(int milliseconds) = 0;

    // Text of an edit or label, e.g. setControlText("Edit12", "1500").
    virtual void setControlText(const std::string& control, const std::string& text) = 0;
    // Selects an item of a combo box; an index outside its items leaves it
    // without selection and with empty text.
    virtual void setComboIndex(const std::string& control, int index) = 0;
    // Sets a published numeric property of an instrument widget, e.g.
    // setWidgetProperty("iAngularGauge1", "Position", 1500).
    virtual void setWidgetProperty(const std::string& widget, const std::string& property, double value) = 0;

    // A poll step's reply is in `state`: show what that step reads.
    virtual void showPolled(const LinkState& state, int pollStep) = 0;

    // Modal OK box without owner; timers keep running while it is open.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
    // One step of the link indicator bar.
    virtual void linkStep() = 0;
    // Clears plot channel `channel` and draws the curve's 22 points into it.
    virtual void drawFanCurve(const FanCurve& curve, int channel) = 0;
};
