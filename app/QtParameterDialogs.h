#pragma once

#include "app/ParameterDialogs.h"

class QWidget;

// The parameter-file dialogs on Qt: file choosers, a Yes/No/Cancel question
// and the compare window, all modal.
class QtParameterDialogs : public ParameterDialogs {
public:
    explicit QtParameterDialogs(QWidget* owner) : owner_(owner) {}

    std::optional<std::string> saveFileName() override;
    std::optional<std::string> openFileName(const std::string& caption) override;
    Answer askReadAllFirst() override;
    bool confirmWriteAll(const std::string& file) override;
    bool writeDespiteBrokenRules(const std::string& broken) override;
    void showDifferences(const std::vector<ParameterDifference>& differences, const std::string& broken) override;
    void showReport(const std::string& text, const std::string& caption) override;

private:
    QWidget* owner_;
};
