#include "app/GraphLayout.h"

#include "plot/TiXYPlot.h"

#include <array>

namespace {

constexpr LayoutFont kButton{"隶书", 15};

// The plot's axes, channels, legend and data view come from its stored
// document, named where a picture control names its picture.
const auto kLayout = std::to_array<LayoutEntry>({
    {"iXYPlot1", ControlKind::TiXYPlot, "TabSheet1", 112, 72, 633, 409, "", {}, nullptr, true,
     TiXYPlot::ConsolePlotResource},
    {"Button16", ControlKind::Button, "TabSheet1", 13, 256, 81, 22, "DrawIntfan", kButton},
    {"Button17", ControlKind::Button, "TabSheet1", 13, 296, 81, 22, "DrawExtfan", kButton},
});

} // namespace

LayoutTable graphLayout()
{
    return kLayout;
}
