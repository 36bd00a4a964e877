#pragma once

#include "plot/TiPlotObject.h"

// A limit line or band inside the data view.
class TiPlotLimit : public TiPlotObject {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    using TiPlotObject::TiPlotObject;
    TiPlotKind Kind() const override { return TiPlotKind::Limit; }
};
