#pragma once

#include "plot/TiPlotDataViewLayout.h"

class TiPlotDataViewHorz : public TiPlotDataViewLayout {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    TiPlotDataViewHorz(TiPlotComponent* owner, const TiPlotObjectHooks& hooks)
        : TiPlotDataViewLayout(owner, hooks, true)
    {
    }
};
