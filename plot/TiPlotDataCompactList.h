#pragma once

#include "plot/TiPlotDataBlock.h"
#include "plot/TiPlotDataCustomList.h"

// Compact storage: X and Y as 32-bit floats, 8 bytes; no Null or Empty.
class TiPlotDataCompactList : public TiPlotDataCustomList {
public:
    struct Point {
        float X;
        float Y;
    };
    static_assert(sizeof(Point) == 8);

    TiPlotDataCompactList() : TiPlotDataCustomList(sizeof(Point)) {}

protected:
    void Reallocate(int capacity) override { m_points.Resize(capacity); }
    void WriteSlot(int slot, double x, double y) override
    {
        m_points[slot] = Point{static_cast<float>(x), static_cast<float>(y)};
    }
    void MoveSlots(int from, int to, int count) override { m_points.Move(from, to, count); }
    double SlotX(int slot, int) const override { return m_points[slot].X; }
    double SlotY(int slot) const override { return m_points[slot].Y; }
    void SetSlotX(int slot, double value) override { m_points[slot].X = static_cast<float>(value); }
    void SetSlotY(int slot, double value) override { m_points[slot].Y = static_cast<float>(value); }

private:
    TiPlotDataBlock<Point> m_points;
};
