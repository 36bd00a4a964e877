#pragma once

#include "plot/TiPlotLayoutObject.h"

// The plot's toolbar (zoom, scroll, ... buttons); a horizontal band.
class TiPlotToolBar : public TiPlotLayoutObject {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    TiPlotToolBar(TiPlotComponent* owner, const TiPlotObjectHooks& hooks) : TiPlotLayoutObject(owner, hooks)
    {
        StoreHorizontal(true);
    }
    TiPlotKind Kind() const override { return TiPlotKind::ToolBar; }
};
