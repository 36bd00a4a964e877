#pragma once

#include "console/ParameterComparison.h"

#include <optional>
#include <string>
#include <vector>

// The questions and dialogs of the parameter-file buttons. The window uses
// QtParameterDialogs; tests answer them from a script.
class ParameterDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~ParameterDialogs() = default;

    // A file name chosen by the operator, or none when cancelled.
    virtual std::optional<std::string> saveFileName() = 0;
    virtual std::optional<std::string> openFileName(const std::string& caption) = 0;
    // Asked by Save when the controls were not read from the controller
    // since the port was opened.
    virtual Answer askReadAllFirst() = 0;
    // Asked by Write All before it sends the parameters of `file`.
    virtual bool confirmWriteAll(const std::string& file) = 0;
    // Asked once by Write All when the file's values break plausibility
    // rules (`broken`, one per line): true for "Write anyway".
    virtual bool writeDespiteBrokenRules(const std::string& broken) = 0;
    // The result of Compare: every parameter that differs, or none, and
    // the plausibility rules the file's or the controller's values break
    // (`broken`, empty when none).
    virtual void showDifferences(const std::vector<ParameterDifference>& differences, const std::string& broken) = 0;
    // A report of many lines (a file's problems, Write All's summary) in a
    // window that shows every line, where a message box would cut them.
    virtual void showReport(const std::string& text, const std::string& caption) = 0;
};
