#pragma once

#include "app/ParameterDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Answers the parameter-file dialogs from a script and records what the
// compare window would have shown.
class ScriptedParameterDialogs : public ParameterDialogs {
public:
    std::optional<std::string> saveFileName() override { return next(); }
    std::optional<std::string> openFileName(const std::string& caption) override
    {
        captions.push_back(caption);
        return next();
    }
    Answer askReadAllFirst() override
    {
        ++questions;
        return answer;
    }
    bool confirmWriteAll(const std::string& file) override
    {
        confirmations.push_back(file);
        return confirmWrite;
    }
    bool writeDespiteBrokenRules(const std::string& broken) override
    {
        brokenRuleQuestions.push_back(broken);
        return writeAnyway;
    }
    void showDifferences(const std::vector<ParameterDifference>& shown, const std::string& broken) override
    {
        differences.push_back(shown);
        brokenOnCompare.push_back(broken);
    }
    void showReport(const std::string& text, const std::string& caption) override
    {
        reports.push_back({text, caption});
    }

    struct Report {
        std::string text;
        std::string caption;
    };

    // File names the choosers return in turn; none left: cancelled.
    std::deque<std::string> fileNames;
    Answer answer = Answer::No;
    int questions = 0;
    std::vector<std::string> confirmations;
    bool confirmWrite = true;
    std::vector<std::string> brokenRuleQuestions;
    bool writeAnyway = true;
    std::vector<std::string> brokenOnCompare;
    std::vector<std::string> captions;
    std::vector<std::vector<ParameterDifference>> differences;
    std::vector<Report> reports;

private:
    std::optional<std::string> next()
    {
        if (fileNames.empty())
            return std::nullopt;
        std::string name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};
