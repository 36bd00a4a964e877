#pragma once
// Measuring and drawing of a legend: one row per listed channel with its
// line and marker samples, title and value columns, wrapped into columns of
// rows, with scroll buttons when even that is not enough.
#include "plot/TiPlotLegendMath.h"

#include <vector>

class TiCanvas;
class TiPlotLegend;
class TiPlotChannelCustom;

// What a paint computed for one legend; the scroll position persists.
struct TiPlotLegendState {
    TiPlotLegendMath::Geometry Geometry;
    std::vector<TiPlotChannelCustom*> Channels;
    std::vector<TiPlotLegendMath::Row> Rows;
    int FirstShown = 0;
    int HeightOf0 = 0;
};

namespace TiPlotLegendPainter {

// Texts of the value columns ("None", "N/A" and "Empty" translated).
QString XAxisNameText(TiPlotChannelCustom& channel);
QString YAxisNameText(TiPlotChannelCustom& channel);
QString XValueText(TiPlotChannelCustom& channel);
QString YValueText(TiPlotChannelCustom& channel);
QString YMaxText(TiPlotChannelCustom& channel);
QString YMinText(TiPlotChannelCustom& channel);
QString YMeanText(TiPlotChannelCustom& channel);
// TitleText, or the name when the title is blank.
QString TitleOf(const TiPlotChannelCustom& channel);

void CalcRects(TiPlotLegend& legend, TiCanvas& canvas, TiPlotLegendState& state);
// Band thickness: the height of a horizontal legend, the width of a vertical one.
int RequiredWidth(TiPlotLegend& legend, TiCanvas& canvas, TiPlotLegendState& state);
void Draw(TiPlotLegend& legend, TiCanvas& canvas, TiPlotLegendState& state);

} // namespace TiPlotLegendPainter
