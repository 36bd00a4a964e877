#include "plot/TiXYPlotChannel.h"

void TiXYPlotChannel::DrawSetup()
{
    SetDrawReady(false);
    if (!AxesValid() || !Visible() || GetCount() == 0)
        return;
    SetDrawRange(CalcStartXIndex(), CalcStopXIndex());
    SetDrawReady(true);
}
