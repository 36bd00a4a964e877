#include "console/ParameterComparison.h"

#include "console/ParameterValues.h"

namespace ParameterComparison {

std::vector<ParameterDifference> differences(const ParameterFile::Document& file,
    const std::function<std::string(const ParameterEntry&)>& text)
{
    std::vector<ParameterDifference> found;
    const auto params = ParameterTable::all();
    for (std::size_t i = 0; i < params.size(); ++i) {
        const ParameterEntry& param = params[i];
        const std::string shown = text(param);
        const ParameterValues::Converted controller = ParameterValues::toRegister(param, shown);
        if (controller.value == file.values.at(i))
            continue;
        found.push_back({std::string(param.name()),
            controller.value ? ParameterValues::withUnit(param, *controller.value) : "'" + shown + "'",
            ParameterValues::withUnit(param, file.values.at(i))});
    }
    return found;
}

}
