#pragma once

#include "console/FormControls.h"
#include "link/LinkView.h"

#include <functional>
#include <map>
#include <string>
#include <utility>

// The window's controls without a window: the engine and the operator
// handlers of hxctl read and write the Configuration tab's edits and combo
// boxes, and the firmware text here, by the same
// layout names; the live readings stay in the LinkState. Combo boxes know their items (from the parameter table), so
// a text selects the item it names as in the window. A name the console does
// not use is an error, as it is in the window.
class HeadlessForm : public LinkView, public FormControls {
public:
    HeadlessForm();

    // LinkView
    int currentTab() const override { return tab_; }
    void setWindowSize(int, int) override {}
    void setTimer2Interval(int milliseconds) override { timer2Interval_ = milliseconds; }
    void setControlText(const std::string& control, const std::string& text) override;
    void setComboIndex(const std::string& control, int index) override;
    // No widgets here: what they would show is read from the LinkState.
    void setWidgetProperty(const std::string&, const std::string&, double) override {}
    void showPolled(const LinkState&, int) override {}
    void showMessage(const std::string& text, const std::string& caption) override;
    void linkStep() override {}
    void drawFanCurve(const FanCurve&, int) override {}

    // FormControls
    std::string text(const std::string& control) const override;
    void setText(const std::string& control, const std::string& text) override;
    int itemIndex(const std::string& control) const override;

    void setTab(int tab) { tab_ = tab; }
    int timer2Interval() const { return timer2Interval_; }

    // Who hears the messages the handlers and the engine show.
    using MessageSink = std::function<void(const std::string& text, const std::string& caption)>;
    void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }

private:
    struct Combo {
        std::string items;   // '|' separated
        int index = -1;
    };
    int indexOf(const Combo& combo, const std::string& text) const;
    std::string itemText(const Combo& combo, int index) const;
    std::string& textSlot(const std::string& control);

    int tab_ = 0;
    int timer2Interval_ = 10;
    std::map<std::string, std::string> texts_;
    std::map<std::string, Combo> combos_;
    MessageSink sink_;
};
