#pragma once

#include "plot/TiPlotDataBlock.h"
#include "plot/TiPlotDataCustomList.h"

#include <cstdint>

// Full-feature storage: X, Y, Null, Empty and every drawing attribute per
// point, 136 bytes.
class TiPlotDataFullList : public TiPlotDataCustomList {
public:
    struct Point {
        double X, Y, High, Low, Open, Close, BarReference, BarWidth;
        std::int32_t TraceColor, TraceLineStyle, TraceLineWidth;
        std::int32_t MarkerSize, MarkerStyle, MarkerPenColor, MarkerPenWidth, MarkerPenStyle, MarkerBrushColor,
            MarkerBrushStyle;
        std::int32_t BarPenColor, BarPenStyle, BarPenWidth, BarBrushColor, BarBrushStyle;
        char16_t MarkerCharacter;
        bool Null, Empty, MarkerVisible, BarVisible;
    };
    static_assert(sizeof(Point) == 136);

    TiPlotDataFullList() : TiPlotDataCustomList(sizeof(Point)) {}

protected:
    void Reallocate(int capacity) override { m_points.Resize(capacity); }
    void WriteSlot(int slot, double x, double y) override;
    void MoveSlots(int from, int to, int count) override { m_points.Move(from, to, count); }
    double SlotX(int slot, int) const override { return m_points[slot].X; }
    double SlotY(int slot) const override { return m_points[slot].Y; }
    void SetSlotX(int slot, double value) override { m_points[slot].X = value; }
    void SetSlotY(int slot, double value) override { m_points[slot].Y = value; }
    bool SlotNull(int slot) const override { return m_points[slot].Null; }
    bool SlotEmpty(int slot) const override { return m_points[slot].Empty; }
    void SetSlotNull(int slot, bool value) override { m_points[slot].Null = value; }
    void SetSlotEmpty(int slot, bool value) override { m_points[slot].Empty = value; }
    TiPlotPointAttributes SlotAttributes(int slot) const override;
    void SetSlotAttributes(int slot, const TiPlotPointAttributes& a) override;

private:
    TiPlotDataBlock<Point> m_points;
};
