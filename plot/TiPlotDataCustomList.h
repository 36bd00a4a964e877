#pragma once

#include "plot/TiPlotPoint.h"
#include "plot/TiPlotTypes.h"
#include "widgets/TiColor.h"

#include <cstddef>
#include <cstdint>

class TiPlotSummaryView;

// Drawing attributes of one point (trace, marker, bar, price values). The
// lists without per-point storage answer with their list-level defaults.
struct TiPlotPointAttributes {
    TColor TraceColor = clRed;
    TiPlotLineStyle TraceLineStyle = iplsSolid;
    int TraceLineWidth = 1;
    bool MarkerVisible = false;
    int MarkerSize = 3;
    TiPlotMarkerStyle MarkerStyle = ipmsCircle;
    TColor MarkerPenColor = clRed;
    int MarkerPenWidth = 0;
    int MarkerPenStyle = 0;
    TColor MarkerBrushColor = clRed;
    int MarkerBrushStyle = 0;
    char16_t MarkerCharacter = 0;
    bool BarVisible = true;
    double BarReference = 0;
    double BarWidth = 0;
    TColor BarPenColor = clRed;
    int BarPenStyle = 0;
    int BarPenWidth = 0;
    TColor BarBrushColor = clRed;
    int BarBrushStyle = 0;
    double High = 0;
    double Low = 0;
    double Open = 0;
    double Close = 0;
};

// Storage of a channel's points: one contiguous block grown in steps, an
// optional ring of the newest points, logical indices (0 = oldest) mapped to
// storage slots. Each class keeps its own point layout.
class TiPlotDataCustomList {
public:
    explicit TiPlotDataCustomList(int pointSize);
    virtual ~TiPlotDataCustomList() = default;
    TiPlotDataCustomList(const TiPlotDataCustomList&) = delete;
    TiPlotDataCustomList& operator=(const TiPlotDataCustomList&) = delete;

    int Count() const { return m_count; }
    int Capacity() const { return m_capacity; }
    int RingStart() const { return m_ringStart; }
    int GetDataPointSize() const { return m_pointSize; }
    int GetMaxDataPoints() const { return m_maxPoints; }
    std::int64_t GetMemoryUsed() const { return std::int64_t(m_pointSize) * m_capacity; }

    // Appends a point; returns the storage slot it went to.
    int Add(double x, double y);
    void Clear();
    void Grow();
    void SetCapacity(int capacity);
    void DeletePoints(int count);
    void FreeMemory();
    int GetActualIndex(int index) const;
    int GetRingBufferSize() const { return m_ringMode ? m_ringSize : 0; }
    void SetRingBufferSize(int size);

    // Access by logical index.
    double GetX(int index) const { return SlotX(GetActualIndex(index), index); }
    double GetY(int index) const { return SlotY(GetActualIndex(index)); }
    void SetX(int index, double value) { SetSlotX(GetActualIndex(index), value); }
    void SetY(int index, double value) { SetSlotY(GetActualIndex(index), value); }
    bool GetNull(int index) const { return SlotNull(GetActualIndex(index)); }
    bool GetEmpty(int index) const { return SlotEmpty(GetActualIndex(index)); }
    void SetNull(int index, bool value) { SetSlotNull(GetActualIndex(index), value); }
    void SetEmpty(int index, bool value) { SetSlotEmpty(GetActualIndex(index), value); }
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const;
    // Copies the points first .. first + count - 1 (logical order) as the
    // trace takes them; one call per paint instead of calls per point.
    virtual void ReadPoints(int first, int count, TiPlotPoint* out) const;
    // The same points read in place, for lists that store them as the trace
    // reads them; false (and nothing set) for the others.
    virtual bool ViewPoints(int first, int count, TiPlotPointView& view) const;
    // The summary of those points (see TiPlotSummary) for lists that keep
    // one; false for the others.
    virtual bool SummaryPoints(int first, int count, TiPlotSummaryView& view) const;
    // Whether the X of the normal points never falls from the oldest to the
    // newest, so that a paint finds each column's points by search instead of
    // reading them all. False for lists without a summary.
    virtual bool XOrdered() const { return false; }
    virtual std::int64_t GetSummaryMemoryUsed() const { return 0; }
    TiPlotPointAttributes GetAttributes(int index) const { return SlotAttributes(GetActualIndex(index)); }
    void SetAttributes(int index, const TiPlotPointAttributes& value) { SetSlotAttributes(GetActualIndex(index), value); }

    // The attributes of every point of a list without per-point storage and
    // the initial attributes of new points.
    TiPlotPointAttributes Defaults;

protected:
    // Storage of one class: reallocate keeping the first min(count, n)
    // slots, write a new point, move slots down.
    virtual void Reallocate(int capacity) = 0;
    virtual void WriteSlot(int slot, double x, double y) = 0;
    virtual void MoveSlots(int from, int to, int count) = 0;
    virtual double SlotX(int slot, int logicalIndex) const = 0;
    virtual double SlotY(int slot) const = 0;
    virtual void SetSlotX(int slot, double value) = 0;
    virtual void SetSlotY(int slot, double value) = 0;
    virtual bool SlotNull(int) const { return false; }
    virtual bool SlotEmpty(int) const { return false; }
    virtual void SetSlotNull(int, bool) {}
    virtual void SetSlotEmpty(int, bool) {}
    virtual TiPlotPointAttributes SlotAttributes(int) const { return Defaults; }
    virtual void SetSlotAttributes(int, const TiPlotPointAttributes&) {}
    // Told when the oldest points leave (ring overwrite, DeletePoints).
    virtual void OldestDropped(int) {}
    virtual void Emptied() {}

private:
    // Puts a wrapped ring back into logical order from slot 0.
    void Unwrap();

    int m_count = 0;
    int m_capacity = 0;
    int m_ringStart = 0;
    bool m_ringMode = false;
    int m_ringSize = 0;
    int m_pointSize;
    int m_maxPoints;
};
