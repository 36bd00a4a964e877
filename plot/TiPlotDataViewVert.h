#pragma once

#include "plot/TiPlotDataViewLayout.h"

class TiPlotDataViewVert : public TiPlotDataViewLayout {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    TiPlotDataViewVert(TiPlotComponent* owner, const TiPlotObjectHooks& hooks)
        : TiPlotDataViewLayout(owner, hooks, false)
    {
    }
};
