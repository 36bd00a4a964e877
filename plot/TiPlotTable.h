#pragma once

#include "plot/TiPlotLayoutObject.h"

// A table band beside the data view.
class TiPlotTable : public TiPlotLayoutObject {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    TiPlotKind Kind() const override { return TiPlotKind::Table; }
};
