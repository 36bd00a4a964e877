#pragma once

#include "link/LinkState.h"

#include <array>
#include <cstdint>
#include <string>

// The RealTimeData tab's live displays and the LinkState readings they show:
// the one list that both the poll update and the link-loss reset walk.
namespace LiveWidgets {

// Not filled by a poll step (the self-check switch LED is Timer3's).
constexpr std::uint8_t kNoStep = 0xFF;

struct Row {
    const char* widget;
    const char* property;  // nullptr: the control's text
    std::uint8_t step;     // the poll step whose reply it shows
    double (*value)(const LinkState&);
    std::string (*text)(const LinkState&);
    bool zeroOnLinkLoss;   // shows 0 while the controller does not answer
};

// In the order in which a poll step's displays are set.
extern const std::array<Row, 31> kRows;

// Shows what poll step `step` read; `View` has setWidgetProperty and
// setControlText (the window, or a test's recorder).
template <class View>
void showPolled(const LinkState& state, int step, View& view)
{
    for (const Row& row : kRows) {
        if (row.step != step)
            continue;
        if (row.property == nullptr)
            view.setControlText(row.widget, row.text(state));
        else
            view.setWidgetProperty(row.widget, row.property, row.value(state));
    }
}

// Sets every display that must not go on showing a reading to 0.
template <class View>
void zeroForLinkLoss(View& view)
{
    for (const Row& row : kRows) {
        if (!row.zeroOnLinkLoss)
            continue;
        if (row.property == nullptr)
            view.setControlText(row.widget, "0");
        else
            view.setWidgetProperty(row.widget, row.property, 0);
    }
}

}
