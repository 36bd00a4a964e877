#include "support/RecordingView.h"

#include "console/LiveWidgets.h"
#include "console/ParameterControls.h"

#include <sstream>

namespace {

std::string numberText(double value)
{
    std::ostringstream out;
    out.precision(15);
    out << value;
    return out.str();
}

}

void RecordingView::setWindowSize(int width, int height)
{
    windowWidth = width;
    windowHeight = height;
}

void RecordingView::setTimer2Interval(int milliseconds)
{
    intervals.push_back(milliseconds);
    log.push_back("interval " + std::to_string(milliseconds));
}

void RecordingView::setControlText(const std::string& control, const std::string& text)
{
    texts[control] = text;
    log.push_back("text " + control + "=" + text);
}

void RecordingView::setComboIndex(const std::string& control, int index)
{
    comboIndexes[control] = index;
    log.push_back("combo " + control + "=" + std::to_string(index));
}

void RecordingView::setWidgetProperty(const std::string& widget, const std::string& property, double value)
{
    properties[{widget, property}] = value;
    log.push_back("prop " + widget + "." + property + "=" + numberText(value));
}

void RecordingView::showMessage(const std::string& text, const std::string& caption)
{
    Message message{text, caption, std::nullopt};
    if (watched_)
        message.state = *watched_;
    messages.push_back(message);
    log.push_back("message " + text + "|" + caption);
    if (onMessage)
        onMessage(message);
}

void RecordingView::linkStepped()
{
    ++linkSteps;
    log.push_back("step");
}

void RecordingView::fanCurveRead(const FanCurve& curve, bool external)
{
    const int channel = external ? 1 : 0;
    curves.push_back({curve, channel});
    log.push_back("curve " + std::to_string(channel));
}

// Where the console's handlers show these: the "FW Version" edit, the
// debug temperature's edit and the "On" switch LED.
void RecordingView::firmwareRead(std::string_view text)
{
    setControlText("SWV", std::string(text));
}

void RecordingView::debugTemperatureTaken()
{
    setControlText("Edit11", "");
}

void RecordingView::forceOnConfirmed(bool on)
{
    setWidgetProperty("iSwitchLed1", "Active", on ? 1 : 0);
}

void RecordingView::parametersRead(const ParameterSet& read)
{
    parameters = read;
    ParameterControls::show(read, *this);
}

void RecordingView::setComboItems(const std::string& control, std::vector<std::string> items)
{
    comboItems_[control] = std::move(items);
}

std::string RecordingView::text(const std::string& control) const
{
    auto it = texts.find(control);
    return it == texts.end() ? std::string() : it->second;
}

bool RecordingView::hasProperty(const std::string& widget, const std::string& property) const
{
    return properties.count({widget, property}) != 0;
}

double RecordingView::property(const std::string& widget, const std::string& property) const
{
    auto it = properties.find({widget, property});
    return it == properties.end() ? 0.0 : it->second;
}

std::string RecordingView::comboText(const std::string& control) const
{
    auto index = comboIndexes.find(control);
    auto items = comboItems_.find(control);
    if (index == comboIndexes.end() || items == comboItems_.end())
        return {};
    if (index->second < 0 || index->second >= static_cast<int>(items->second.size()))
        return {};
    return items->second[static_cast<std::size_t>(index->second)];
}

void RecordingView::clear()
{
    texts.clear();
    comboIndexes.clear();
    properties.clear();
    messages.clear();
    curves.clear();
    intervals.clear();
    linkSteps = 0;
    log.clear();
}

void RecordingView::pollStepRead(const LinkState& state, int step)
{
    LiveWidgets::showPolled(state, step, *this);
}
