#pragma once

#include <string>

// Plain OK message boxes without owner window. The window's implementation
// runs a nested event loop, so every timer keeps firing while a box is open.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& text, const std::string& caption) = 0;
};
