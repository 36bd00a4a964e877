#pragma once

#include "plot/TiPlotAxis.h"

class TiPlotYAxis : public TiPlotAxis {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    TiPlotYAxis(TiPlotComponent* owner, const TiPlotObjectHooks& hooks) : TiPlotAxis(owner, hooks)
    {
        m_trackingAlignFirstStyle = ipafsNone;
    }
    TiPlotKind Kind() const override { return TiPlotKind::YAxis; }
    bool IsXAxis() const override { return false; }
};
