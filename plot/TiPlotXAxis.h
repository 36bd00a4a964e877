#pragma once

#include "plot/TiPlotAxis.h"

class TiPlotXAxis : public TiPlotAxis {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    TiPlotXAxis(TiPlotComponent* owner, const TiPlotObjectHooks& hooks) : TiPlotAxis(owner, hooks)
    {
        StoreHorizontal(true);
    }
    TiPlotKind Kind() const override { return TiPlotKind::XAxis; }
    bool IsXAxis() const override { return true; }
};
