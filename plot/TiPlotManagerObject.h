#pragma once

#include "plot/TiPlotObject.h"

// Base of the plot objects that the per-kind managers hold (as opposed to
// limits, annotations and buttons, which are plain plot objects).
class TiPlotManagerObject : public TiPlotObject {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    using TiPlotObject::TiPlotObject;
};
