#pragma once

#include <string>

// The operator handlers read and write the window's controls by their layout
// names through this interface; the window implements it on its controls,
// tests with a map.
class FormControls {
public:
    virtual ~FormControls() = default;

    // Text of an edit, combo box or the caption of a button.
    virtual std::string text(const std::string& control) const = 0;
    virtual void setText(const std::string& control, const std::string& text) = 0;
    // Selected item of a combo box, -1 when none is selected.
    virtual int itemIndex(const std::string& control) const = 0;
    // Modal OK box without owner.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};
