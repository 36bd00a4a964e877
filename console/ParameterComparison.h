#pragma once

#include "console/ParameterFile.h"

#include <functional>
#include <string>
#include <vector>

// A file's parameters against what the controller holds, as Read All put
// it into the controls.
struct ParameterDifference {
    std::string parameter;
    std::string controller;   // with its unit; the control's text when it holds no valid value
    std::string file;         // with its unit
    bool operator==(const ParameterDifference&) const = default;
};

namespace ParameterComparison {

// Every parameter, in register order, whose control text does not stand for
// the file's value. `text` gives a parameter's control text.
std::vector<ParameterDifference> differences(const ParameterFile::Document& file,
    const std::function<std::string(const ParameterEntry&)>& text);

}
