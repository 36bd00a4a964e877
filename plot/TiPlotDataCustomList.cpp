#include "plot/TiPlotDataCustomList.h"

#include "widgets/TiError.h"

#include <climits>

TiPlotDataCustomList::TiPlotDataCustomList(int pointSize)
    : m_pointSize(pointSize), m_maxPoints(INT_MAX / pointSize)
{
}

int TiPlotDataCustomList::Add(double x, double y)
{
    if (!m_ringMode || m_count < m_capacity) {
        if (m_count == m_capacity)
            Grow();
        WriteSlot(m_count, x, y);
        return m_count++;
    }
    // Full ring: the oldest point's slot takes the new point.
    ++m_ringStart;
    if (m_ringStart >= m_count)
        m_ringStart = 0;
    const int slot = m_ringStart == 0 ? m_count - 1 : m_ringStart - 1;
    OldestDropped(1);
    WriteSlot(slot, x, y);
    return slot;
}

void TiPlotDataCustomList::Grow()
{
    int delta = 4;
    if (m_capacity > 64)
        delta = m_capacity / 4;
    else if (m_capacity > 8)
        delta = 16;
    SetCapacity(m_capacity > m_maxPoints - delta ? m_maxPoints : m_capacity + delta);
}

void TiPlotDataCustomList::SetCapacity(int capacity)
{
    if (capacity > m_maxPoints || capacity < 0)
        throw TiError(QStringLiteral("Exceed Maximum List Size"));
    if (capacity == m_capacity)
        return;
    Unwrap();
    Reallocate(capacity);
    m_capacity = capacity;
    if (m_count > capacity)
        m_count = capacity;
}

void TiPlotDataCustomList::Unwrap()
{
    if (m_ringStart == 0)
        return;
    // Oldest part (ring start .. count) to the front, newest part behind it,
    // through scratch slots past the end.
    const int head = m_count - m_ringStart;
    Reallocate(m_capacity + m_ringStart);
    MoveSlots(0, m_capacity, m_ringStart);
    MoveSlots(m_ringStart, 0, head);
    MoveSlots(m_capacity, head, m_ringStart);
    Reallocate(m_capacity);
    m_ringStart = 0;
}

void TiPlotDataCustomList::Clear()
{
    m_count = 0;
    m_ringStart = 0;
    Emptied();
    if (!m_ringMode)
        FreeMemory();
}

void TiPlotDataCustomList::FreeMemory()
{
    Reallocate(0);
    m_capacity = 0;
    m_count = 0;
    m_ringStart = 0;
}

int TiPlotDataCustomList::GetActualIndex(int index) const
{
    if (index < 0 || index >= m_count)
        throw TiError(QStringLiteral("Index out of Bounds"));
    if (m_ringStart == 0)
        return index;
    int slot = index + m_ringStart;
    if (slot >= m_count)
        slot -= m_count;
    return slot;
}

void TiPlotDataCustomList::SetRingBufferSize(int size)
{
    if (size <= 0) {
        if (m_ringStart != 0)
            Clear();
        m_ringMode = false;
        m_ringSize = 0;
        return;
    }
    m_ringMode = true;
    m_ringSize = size;
    if (size == m_capacity)
        return;
    if (m_ringStart != 0) {
        m_count = 0;
        m_ringStart = 0;
        Emptied();
    }
    if (size < m_capacity && size < m_count)
        DeletePoints(m_count - size);
    SetCapacity(size);
}

void TiPlotDataCustomList::DeletePoints(int count)
{
    if (count < 0 || count >= m_count)
        throw TiError(QStringLiteral("Delete size out of Range"));
    if (count == 0)
        return;
    Unwrap();
    OldestDropped(count);
    MoveSlots(count, 0, m_count - count);
    m_count -= count;
}

void TiPlotDataCustomList::GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const
{
    const int slot = GetActualIndex(index);
    x = SlotX(slot, index);
    y = SlotY(slot);
    empty = SlotEmpty(slot);
    null = SlotNull(slot);
}

void TiPlotDataCustomList::ReadPoints(int first, int count, TiPlotPoint* out) const
{
    for (int i = 0; i < count; ++i) {
        bool empty = false, null = false;
        GetXYEmptyNull(first + i, out[i].X, out[i].Y, empty, null);
        out[i].Kind = null ? TiPlotPointKind::Null : empty ? TiPlotPointKind::Empty : TiPlotPointKind::Normal;
    }
}

bool TiPlotDataCustomList::ViewPoints(int, int, TiPlotPointView&) const { return false; }

bool TiPlotDataCustomList::SummaryPoints(int, int, TiPlotSummaryView&) const { return false; }
