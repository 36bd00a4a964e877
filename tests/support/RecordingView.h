#pragma once

#include "link/LinkState.h"
#include "link/LinkResults.h"
#include "link/LinkView.h"
#include "link/ParameterSet.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A LinkView and LinkResults that records every call, so engine tests can
// check what the window would have shown and in which order: results are
// shown on the controls and widgets the console's handlers put them on
// (through the console's own tables where there is one). Give it the LinkState to
// watch and every message carries a copy of that state as it stood when
// the box opened.
class RecordingView : public LinkView, public LinkResults {
public:
    struct Message {
        std::string text;
        std::string caption;
        std::optional<LinkState> state;   // snapshot at the moment the box opened
    };
    struct Curve {
        FanCurve curve;
        int channel;
    };

    explicit RecordingView(const LinkState* watched = nullptr) : watched_(watched) {}

    // LinkView
    int currentTab() const override { return tab; }
    void setWindowSize(int width, int height) override;
    void setTimer2Interval(int milliseconds) override;
    void showMessage(const std::string& text, const std::string& caption) override;

    // LinkResults
    void linkStepped() override;
    // Shows the step through the window's own table of live displays.
    void pollStepRead(const LinkState& state, int step) override;
    // The set is kept and shown through the Configuration tab's table.
    void parametersRead(const ParameterSet& parameters) override;
    void firmwareRead(std::string_view text) override;
    void debugTemperatureTaken() override;
    void forceOnConfirmed(bool on) override;
    void fanCurveRead(const FanCurve& curve, bool external) override;

    // What the window's controls and widgets would be given.
    void setControlText(const std::string& control, const std::string& text);
    void setComboIndex(const std::string& control, int index);
    void setWidgetProperty(const std::string& widget, const std::string& property, double value);

    // Tab of the page control; tests switch it between ticks.
    int tab = 0;
    // Runs inside showMessage, as the nested loop of a modal box would run
    // timers; the message is already recorded when it is called.
    std::function<void(const Message&)> onMessage;

    // Items of combo boxes whose text a test wants to check (see comboText).
    void setComboItems(const std::string& control, std::vector<std::string> items);

    // --- what was recorded (latest value per control/property) ------------
    std::map<std::string, std::string> texts;
    std::map<std::string, int> comboIndexes;
    std::map<std::pair<std::string, std::string>, double> properties;
    std::vector<Message> messages;
    std::vector<Curve> curves;
    std::optional<ParameterSet> parameters;
    std::vector<int> intervals;
    int linkSteps = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    // Every call except window size, in order: "text Edit12=1500",
    // "combo ComboBox1=5", "prop iLedRound1.Active=1", "message Text|Caption",
    // "step", "interval 200", "curve 0".
    std::vector<std::string> log;

    bool hasText(const std::string& control) const { return texts.count(control) != 0; }
    std::string text(const std::string& control) const;
    bool hasProperty(const std::string& widget, const std::string& property) const;
    double property(const std::string& widget, const std::string& property) const;
    // Text a combo box shows after its last setComboIndex: the item at that
    // index, or empty when the index lies outside its items.
    std::string comboText(const std::string& control) const;
    int lastInterval() const { return intervals.empty() ? 0 : intervals.back(); }
    void clear();

private:
    const LinkState* watched_;
    std::map<std::string, std::vector<std::string>> comboItems_;
};
