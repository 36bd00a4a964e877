#pragma once

#include "plot/TiPlotLayoutObject.h"

// The layout manager's stand-ins for the data view in the horizontal and in
// the vertical stack of bands; their ZOrder is the data view's place.
class TiPlotDataViewLayout : public TiPlotLayoutObject {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    TiPlotDataViewLayout(TiPlotComponent* owner, const TiPlotObjectHooks& hooks, bool horizontal)
        : TiPlotLayoutObject(owner, hooks)
    {
        SetNameSilently(QStringLiteral("Data View"));
        StoreHorizontal(horizontal);
        StoreZOrder(1);
    }
    TiPlotKind Kind() const override { return TiPlotKind::DataViewLayout; }
};
