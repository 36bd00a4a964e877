#include "console/ParameterComparison.h"

#include "console/ParameterValues.h"

namespace ParameterComparison {

std::vector<ParameterDifference> differences(const ParameterFile::Document& file,
    const std::function<std::string(const ParameterSpec&)>& text)
{
    std::vector<ParameterDifference> found;
    const auto specs = ParameterTable::all();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const ParameterSpec& spec = specs[i];
        const std::string shown = text(spec);
        const ParameterValues::Converted controller = ParameterValues::toRegister(spec, shown);
        if (controller.value == file.values.at(i))
            continue;
        found.push_back({std::string(spec.name()),
            controller.value ? ParameterValues::withUnit(spec, *controller.value) : "'" + shown + "'",
            ParameterValues::withUnit(spec, file.values.at(i))});
    }
    return found;
}

}
