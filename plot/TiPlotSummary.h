#pragma once
// Minimum and maximum of a channel's Y values over index ranges, kept beside
// the points so that a paint reads a long series in time that depends on the
// pixel columns, not on the number of points. A pyramid over storage slots:
// the first level sums up blocks of LeafSize records, each further level
// Fanout nodes of the one below. Writes only mark slots stale; the next
// query brings the stale part up to date, so an append costs constant time
// and a paint pays once for the points added since the last one.
#include "plot/TiPlotPoint.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class TiPlotSummary {
public:
    static constexpr std::size_t LeafSize = 64;
    static constexpr std::size_t Fanout = 8;

    // What a range of records holds. Empty points count as absent; the X
    // values are those of the normal points. The pair values describe the
    // consecutive normal points of the range (PairLo: the highest lower value
    // of a pair, PairHi: the lowest higher one) and are meaningful only in a
    // range without Nulls.
    struct Span {
        double FirstX = 0, LastX = 0, FirstY = 0, LastY = 0;
        double MinY, MaxY, PairLo, PairHi;
        std::uint32_t Normals = 0;
        std::uint32_t Nulls = 0;
        bool Ordered = true; // X never falls from one normal point to the next

        Span();
        static Span Of(const std::byte* record);
        static Span Merge(const Span& a, const Span& b);
    };

    // Slot `slot` was written or changed.
    void Changed(std::size_t slot)
    {
        m_dirtyLo = std::min(m_dirtyLo, slot);
        m_dirtyHi = std::max(m_dirtyHi, slot + 1);
    }
    // Every slot may have changed (points moved or dropped).
    void Reset();
    // Brings the summary up to date with `count` records at `records`
    // (TiPlotPointView layout, slot order).
    void Sync(const std::byte* records, std::size_t count);

    // The slots first .. last - 1 (synced).
    Span Range(std::size_t first, std::size_t last) const;
    // The first slot in first .. last - 1 holding a normal point whose X
    // passes `beyond`, else last. Valid while the range is ordered and
    // `beyond` holds from some X on.
    template <typename Beyond> std::size_t FirstNormal(std::size_t first, std::size_t last, const Beyond& beyond) const;

    std::size_t Count() const { return m_count; }
    std::size_t MemoryUsed() const;

private:
    struct Unit {
        int level; // 0: one record, k: a node of m_levels[k - 1]
        std::size_t index;
    };
    std::size_t unitSpan(int level) const;
    Span unit(const Unit& u) const;
    // The units covering first .. last - 1, left to right.
    std::size_t cover(std::size_t first, std::size_t last, Unit* out) const;
    // Record by record over slots first .. last - 1.
    Span fold(std::size_t first, std::size_t last) const;

    std::vector<std::vector<Span>> m_levels;
    const std::byte* m_records = nullptr;
    std::size_t m_count = 0;
    std::size_t m_dirtyLo = SIZE_MAX; // stale slots: m_dirtyLo .. m_dirtyHi - 1
    std::size_t m_dirtyHi = 0;
    static constexpr std::size_t kMaxUnits = 2 * (LeafSize + Fanout * 24);
};

// A run of a list's points over its summary: point v of the run is slot
// (start + v) modulo the summary's count, as in a wrapped ring.
class TiPlotSummaryView {
public:
    TiPlotSummaryView() = default;
    TiPlotSummaryView(const TiPlotSummary& summary, std::size_t start, std::size_t size)
        : m_summary(&summary), m_start(start), m_size(size)
    {
    }
    bool Valid() const { return m_summary != nullptr; }
    std::size_t size() const { return m_size; }
    // The normal points' X never falls over the whole run.
    bool Ordered() const { return Range(0, m_size).Ordered; }
    TiPlotSummary::Span Range(std::size_t first, std::size_t last) const;
    template <typename Beyond> std::size_t FirstNormal(std::size_t first, std::size_t last, const Beyond& beyond) const;

private:
    std::size_t slot(std::size_t v) const
    {
        const std::size_t s = m_start + v;
        return s >= m_summary->Count() ? s - m_summary->Count() : s;
    }
    const TiPlotSummary* m_summary = nullptr;
    std::size_t m_start = 0;
    std::size_t m_size = 0;
};

template <typename Beyond>
std::size_t TiPlotSummary::FirstNormal(std::size_t first, std::size_t last, const Beyond& beyond) const
{
    Unit units[kMaxUnits];
    const std::size_t n = cover(first, last, units);
    for (std::size_t u = 0; u < n; ++u) {
        Unit at = units[u];
        if (at.level == 0) {
            const Span s = Span::Of(m_records + at.index * TiPlotPointView::Stride);
            if (s.Normals && beyond(s.LastX))
                return at.index;
            continue;
        }
        const Span& node = m_levels[std::size_t(at.level - 1)][at.index];
        if (!node.Normals || !beyond(node.LastX))
            continue;
        // Down to the first child that holds such a point: the last normal
        // X of a node is its largest.
        while (at.level > 1) {
            const std::vector<Span>& below = m_levels[std::size_t(at.level - 2)];
            std::size_t c = at.index * Fanout;
            const std::size_t end = std::min(c + Fanout, below.size());
            while (c + 1 < end && !(below[c].Normals && beyond(below[c].LastX)))
                ++c;
            at = Unit {at.level - 1, c};
        }
        const std::size_t end = std::min((at.index + 1) * LeafSize, m_count);
        for (std::size_t r = at.index * LeafSize; r < end; ++r) {
            const std::byte* p = m_records + r * TiPlotPointView::Stride;
            if ((TiPlotPointView::kindBits(p) & (TiPlotPointView::KindNull | TiPlotPointView::KindEmpty)) == 0
                && beyond(TiPlotPointView::xAt(p)))
                return r;
        }
        return last; // only when the order does not hold
    }
    return last;
}

template <typename Beyond>
std::size_t TiPlotSummaryView::FirstNormal(std::size_t first, std::size_t last, const Beyond& beyond) const
{
    if (first >= last)
        return last;
    const std::size_t count = m_summary->Count();
    const std::size_t a = slot(first), b = slot(last - 1) + 1;
    auto view = [&](std::size_t s) { return s >= m_start ? s - m_start : s + count - m_start; };
    if (a < b) {
        const std::size_t k = m_summary->FirstNormal(a, b, beyond);
        return k < b ? view(k) : last;
    }
    // Wrapped: the end of the slots, then their start.
    const std::size_t k = m_summary->FirstNormal(a, count, beyond);
    if (k < count)
        return view(k);
    const std::size_t j = m_summary->FirstNormal(0, b, beyond);
    return j < b ? view(j) : last;
}
