#pragma once

#include "plot/TiPlotChannelCustom.h"

// The channel of the XY plot: points in any order, drawn as a polyline
// between consecutive points.
class TiXYPlotChannel : public TiPlotChannelCustom {
    Q_GADGET
    TI_PLOT_GADGET_META

public:
    using TiPlotChannelCustom::TiPlotChannelCustom;

    int AddNull() { return AddSpecial(true); }
    int AddEmpty() { return AddSpecial(false); }

    // Draw-ready when both axes resolve, the channel is visible and holds a
    // point; the whole list is drawn.
    void DrawSetup();

    int CalcStartXIndex() override { return 0; }
    int CalcStopXIndex() override { return GetCount() - 1; }
    double GetVisibleMaxX() override { return VisibleExtent(true, true); }
    double GetVisibleMinX() override { return VisibleExtent(true, false); }
    double GetVisibleMaxY() override { return VisibleExtent(false, true); }
    double GetVisibleMinY() override { return VisibleExtent(false, false); }
};
