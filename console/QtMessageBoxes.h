#pragma once

#include "console/MessageBoxes.h"

// Message boxes on QMessageBox: no owner, OK only, no icon, the caption as
// window title. exec() runs a nested event loop, so the timers keep firing.
class QtMessageBoxes : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& caption) override;
};
