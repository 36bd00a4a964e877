#pragma once

#include "plot/TiPlotDataBlock.h"
#include "plot/TiPlotDataCustomList.h"

// Evenly spaced storage: only Y as a 32-bit float, 4 bytes; X is the first
// point's X plus index times the interval the second point set.
class TiPlotDataCompactIntervalList : public TiPlotDataCustomList {
public:
    TiPlotDataCompactIntervalList() : TiPlotDataCustomList(sizeof(float)) {}

    double FirstX() const { return m_firstX; }
    double Interval() const { return m_interval; }

protected:
    void Reallocate(int capacity) override { m_values.Resize(capacity); }
    void WriteSlot(int slot, double x, double y) override
    {
        if (Count() == 0)
            m_firstX = x;
        else if (m_interval == -1 && Count() == 1)
            m_interval = x - m_firstX;
        m_values[slot] = static_cast<float>(y);
    }
    void MoveSlots(int from, int to, int count) override { m_values.Move(from, to, count); }
    double SlotX(int, int logicalIndex) const override
    {
        return logicalIndex == 0 || m_interval == -1 ? m_firstX : m_firstX + logicalIndex * m_interval;
    }
    double SlotY(int slot) const override { return m_values[slot]; }
    // X is not stored per point.
    void SetSlotX(int, double) override {}
    void SetSlotY(int slot, double value) override { m_values[slot] = static_cast<float>(value); }
    void OldestDropped(int count) override
    {
        if (m_interval != -1)
            m_firstX += count * m_interval;
    }
    void Emptied() override
    {
        m_firstX = 0;
        m_interval = -1;
    }

private:
    TiPlotDataBlock<float> m_values;
    double m_firstX = 0;
    double m_interval = -1;
};
