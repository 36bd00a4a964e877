#pragma once

#include "console/MessageBoxes.h"

#include <QString>

#include <memory>

class QMessageBox;
class QScreen;

// Message boxes on QMessageBox: no owner, OK only, no icon, the caption as
// window title. exec() runs a nested event loop, so the timers keep firing.
class QtMessageBoxes : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& caption) override;

    // The box show() runs, laid out for `screen`: a text too long for it is
    // cut short with "…", so that the box and its OK button stay on the screen.
    static std::unique_ptr<QMessageBox> makeBox(const std::string& text, const std::string& caption, QScreen* screen);

    // `text` with every line longer than `columns` characters broken into
    // pieces no longer than that (at a blank where there is one), and only
    // the first `lines` lines kept ("…" marks a cut).
    static QString boundedText(const QString& text, int columns, int lines);
};
