#pragma once

#include "console/ParameterFile.h"

#include <string>
#include <vector>

// A file's parameters against what the controller holds, as Read All read
// it.
struct ParameterDifference {
    std::string parameter;
    std::string controller;   // with its unit; why not, when it holds no valid value
    std::string file;         // with its unit
    bool operator==(const ParameterDifference&) const = default;
};

namespace ParameterComparison {

// Every parameter, in register order, whose value in `controller` is not
// the file's.
std::vector<ParameterDifference> differences(const ParameterFile::Document& file, const ParameterSet& controller);

}
