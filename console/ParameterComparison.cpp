#include "console/ParameterComparison.h"

#include "console/ParameterValues.h"

namespace ParameterComparison {

std::vector<ParameterDifference> differences(const ParameterFile::Document& file, const ParameterSet& controller)
{
    std::vector<ParameterDifference> found;
    const auto params = ParameterTable::all();
    for (std::size_t i = 0; i < params.size(); ++i) {
        const ParameterEntry& param = params[i];
        const ParameterValues::Converted valid = ParameterValues::checked(param, controller.value(*param.entry));
        if (valid.value == file.values.at(i))
            continue;
        found.push_back({std::string(param.name()),
            valid.value ? ParameterValues::withUnit(param, *valid.value) : valid.problem,
            ParameterValues::withUnit(param, file.values.at(i))});
    }
    return found;
}

}
