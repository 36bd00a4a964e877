#pragma once

#include "plot/TiPlotDataBlock.h"
#include "plot/TiPlotDataCustomList.h"
#include "plot/TiPlotPoint.h"
#include "plot/TiPlotSummary.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Standard storage: X, Y and a flag word (Null, Empty, marker visibility
// and style) per point, 24 bytes; beside them the points' summary.
class TiPlotDataNullList : public TiPlotDataCustomList {
public:
    struct Point {
        double X;
        double Y;
        std::uint16_t Flags;
    };
    static_assert(sizeof(Point) == 24);

    enum : std::uint16_t { FlagNull = 1, FlagEmpty = 2, FlagMarker = 4, MarkerStyleShift = 3, MarkerStyleMask = 0x78 };

    TiPlotDataNullList() : TiPlotDataCustomList(sizeof(Point)) {}

    void ReadPoints(int first, int count, TiPlotPoint* out) const override
    {
        if (count <= 0)
            return;
        GetActualIndex(first + count - 1); // bounds of the whole range
        int slot = GetActualIndex(first);
        for (int i = 0; i < count; ++i) {
            const Point& p = m_points[slot];
            out[i].X = p.X;
            out[i].Y = p.Y;
            out[i].Kind = (p.Flags & FlagNull) ? TiPlotPointKind::Null
                : (p.Flags & FlagEmpty)        ? TiPlotPointKind::Empty
                                               : TiPlotPointKind::Normal;
            if (++slot == Count())
                slot = 0;
        }
    }

    bool ViewPoints(int first, int count, TiPlotPointView& view) const override
    {
        static_assert(sizeof(Point) == TiPlotPointView::Stride && offsetof(Point, Y) == sizeof(double)
                      && offsetof(Point, Flags) == 2 * sizeof(double));
        static_assert(FlagNull == TiPlotPointView::KindNull && FlagEmpty == TiPlotPointView::KindEmpty);
        if (count <= 0) {
            view = TiPlotPointView();
            return true;
        }
        GetActualIndex(first + count - 1); // bounds of the whole range
        const int slot = GetActualIndex(first);
        // A wrapped ring continues at slot 0.
        const int head = std::min(count, Count() - slot);
        const auto* base = reinterpret_cast<const std::byte*>(m_points.Data());
        view = TiPlotPointView({base + std::size_t(slot) * sizeof(Point), std::size_t(head)},
                               {base, std::size_t(count - head)});
        return true;
    }

    bool SummaryPoints(int first, int count, TiPlotSummaryView& view) const override
    {
        if (count <= 0) {
            view = TiPlotSummaryView(Synced(), 0, 0);
            return true;
        }
        GetActualIndex(first + count - 1); // bounds of the whole range
        view = TiPlotSummaryView(Synced(), std::size_t(GetActualIndex(first)), std::size_t(count));
        return true;
    }

    bool XOrdered() const override
    {
        TiPlotSummaryView all;
        SummaryPoints(0, Count(), all);
        return all.Ordered();
    }

    std::int64_t GetSummaryMemoryUsed() const override { return std::int64_t(Synced().MemoryUsed()); }

protected:
    void Reallocate(int capacity) override { m_points.Resize(capacity); }
    void WriteSlot(int slot, double x, double y) override
    {
        m_summary.Changed(std::size_t(slot));
        std::uint16_t flags = static_cast<std::uint16_t>((Defaults.MarkerStyle & 0xF) << MarkerStyleShift);
        if (Defaults.MarkerVisible)
            flags |= FlagMarker;
        m_points[slot] = Point{x, y, flags};
    }
    void MoveSlots(int from, int to, int count) override
    {
        m_points.Move(from, to, count);
        m_summary.Reset();
    }
    double SlotX(int slot, int) const override { return m_points[slot].X; }
    double SlotY(int slot) const override { return m_points[slot].Y; }
    void SetSlotX(int slot, double value) override
    {
        m_points[slot].X = value;
        m_summary.Changed(std::size_t(slot));
    }
    void SetSlotY(int slot, double value) override
    {
        m_points[slot].Y = value;
        m_summary.Changed(std::size_t(slot));
    }
    bool SlotNull(int slot) const override { return m_points[slot].Flags & FlagNull; }
    bool SlotEmpty(int slot) const override { return m_points[slot].Flags & FlagEmpty; }
    void SetSlotNull(int slot, bool value) override
    {
        SetFlag(slot, FlagNull, value);
        m_summary.Changed(std::size_t(slot));
    }
    void SetSlotEmpty(int slot, bool value) override
    {
        SetFlag(slot, FlagEmpty, value);
        m_summary.Changed(std::size_t(slot));
    }
    void Emptied() override { m_summary.Reset(); }
    TiPlotPointAttributes SlotAttributes(int slot) const override
    {
        TiPlotPointAttributes a = Defaults;
        a.MarkerVisible = m_points[slot].Flags & FlagMarker;
        a.MarkerStyle = static_cast<TiPlotMarkerStyle>((m_points[slot].Flags & MarkerStyleMask) >> MarkerStyleShift);
        return a;
    }
    // Only the marker bits are stored per point.
    void SetSlotAttributes(int slot, const TiPlotPointAttributes& a) override
    {
        std::uint16_t& f = m_points[slot].Flags;
        f = static_cast<std::uint16_t>((f & (FlagNull | FlagEmpty)) | (a.MarkerVisible ? FlagMarker : 0)
                                       | ((a.MarkerStyle & 0xF) << MarkerStyleShift));
    }

private:
    // The summary brought up to date with the points (it is kept lazily).
    const TiPlotSummary& Synced() const
    {
        m_summary.Sync(reinterpret_cast<const std::byte*>(m_points.Data()), std::size_t(Count()));
        return m_summary;
    }
    void SetFlag(int slot, std::uint16_t flag, bool on)
    {
        std::uint16_t& f = m_points[slot].Flags;
        f = static_cast<std::uint16_t>(on ? (f | flag) : (f & ~flag));
    }

    TiPlotDataBlock<Point> m_points;
    mutable TiPlotSummary m_summary;
};
