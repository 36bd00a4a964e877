#include "plot/TiPlotDataFullList.h"

void TiPlotDataFullList::WriteSlot(int slot, double x, double y)
{
    Point& p = m_points[slot];
    p.X = x;
    p.Y = y;
    p.Null = false;
    p.Empty = false;
    TiPlotPointAttributes a = Defaults;
    a.High = a.Low = a.Open = a.Close = 0;
    SetSlotAttributes(slot, a);
}

TiPlotPointAttributes TiPlotDataFullList::SlotAttributes(int slot) const
{
    const Point& p = m_points[slot];
    TiPlotPointAttributes a;
    a.TraceColor = p.TraceColor;
    a.TraceLineStyle = static_cast<TiPlotLineStyle>(p.TraceLineStyle);
    a.TraceLineWidth = p.TraceLineWidth;
    a.MarkerVisible = p.MarkerVisible;
    a.MarkerSize = p.MarkerSize;
    a.MarkerStyle = static_cast<TiPlotMarkerStyle>(p.MarkerStyle);
    a.MarkerPenColor = p.MarkerPenColor;
    a.MarkerPenWidth = p.MarkerPenWidth;
    a.MarkerPenStyle = p.MarkerPenStyle;
    a.MarkerBrushColor = p.MarkerBrushColor;
    a.MarkerBrushStyle = p.MarkerBrushStyle;
    a.MarkerCharacter = p.MarkerCharacter;
    a.BarVisible = p.BarVisible;
    a.BarReference = p.BarReference;
    a.BarWidth = p.BarWidth;
    a.BarPenColor = p.BarPenColor;
    a.BarPenStyle = p.BarPenStyle;
    a.BarPenWidth = p.BarPenWidth;
    a.BarBrushColor = p.BarBrushColor;
    a.BarBrushStyle = p.BarBrushStyle;
    a.High = p.High;
    a.Low = p.Low;
    a.Open = p.Open;
    a.Close = p.Close;
    return a;
}

void TiPlotDataFullList::SetSlotAttributes(int slot, const TiPlotPointAttributes& a)
{
    Point& p = m_points[slot];
    p.TraceColor = a.TraceColor;
    p.TraceLineStyle = a.TraceLineStyle;
    p.TraceLineWidth = a.TraceLineWidth;
    p.MarkerVisible = a.MarkerVisible;
    p.MarkerSize = a.MarkerSize;
    p.MarkerStyle = a.MarkerStyle;
    p.MarkerPenColor = a.MarkerPenColor;
    p.MarkerPenWidth = a.MarkerPenWidth;
    p.MarkerPenStyle = a.MarkerPenStyle;
    p.MarkerBrushColor = a.MarkerBrushColor;
    p.MarkerBrushStyle = a.MarkerBrushStyle;
    p.MarkerCharacter = a.MarkerCharacter;
    p.BarVisible = a.BarVisible;
    p.BarReference = a.BarReference;
    p.BarWidth = a.BarWidth;
    p.BarPenColor = a.BarPenColor;
    p.BarPenStyle = a.BarPenStyle;
    p.BarPenWidth = a.BarPenWidth;
    p.BarBrushColor = a.BarBrushColor;
    p.BarBrushStyle = a.BarBrushStyle;
    p.High = a.High;
    p.Low = a.Low;
    p.Open = a.Open;
    p.Close = a.Close;
}
