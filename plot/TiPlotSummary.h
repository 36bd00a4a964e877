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
        // This span followed by b.
        void Append(const Span& b);
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
    // What lies before that slot is merged into `taken`. The walk takes
    // whole nodes where it can, from where it stands: a walk column by column
    // pays about the logarithm of each column's points.
    template <typename Beyond>
    std::size_t Advance(std::size_t first, std::size_t last, const Beyond& beyond, Span& taken) const;

    // Asks the processor to fetch what a walk that stops near `slot` will
    // read: its leaf's records and the nodes above. A walk column by column
    // otherwise waits on one cache miss after another.
    void Prefetch(std::size_t slot) const;

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
    // Whether leaf `leaf` holds only normal points in X order whose Y are
    // finite numbers.
    bool plainLeaf(std::size_t leaf) const;
    // fold for slots of a plain leaf.
    Span foldPlain(std::size_t first, std::size_t last) const;
    // fold, or foldPlain within a plain leaf.
    Span foldIn(std::size_t leaf, std::size_t first, std::size_t last) const
    {
        return plainLeaf(leaf) ? foldPlain(first, last) : fold(first, last);
    }
    // The first slot in first .. last - 1 (all within leaf `leaf`) holding a
    // normal point whose X passes `beyond`, else last.
    template <typename Beyond>
    std::size_t firstInLeaf(std::size_t leaf, std::size_t first, std::size_t last, const Beyond& beyond) const;

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
    template <typename Beyond>
    std::size_t Advance(std::size_t first, std::size_t last, const Beyond& beyond, TiPlotSummary::Span& taken) const;
    void Prefetch(std::size_t v) const
    {
        if (v < m_size)
            m_summary->Prefetch(slot(v));
    }

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
std::size_t TiPlotSummary::firstInLeaf(std::size_t leaf, std::size_t first, std::size_t last, const Beyond& beyond) const
{
    if (plainLeaf(leaf)) {
        // Only normal points in X order: a binary search.
        while (first < last) {
            const std::size_t mid = first + (last - first) / 2;
            if (beyond(TiPlotPointView::xAt(m_records + mid * TiPlotPointView::Stride)))
                last = mid;
            else
                first = mid + 1;
        }
        return first;
    }
    for (; first < last; ++first) {
        const std::byte* p = m_records + first * TiPlotPointView::Stride;
        if ((TiPlotPointView::kindBits(p) & (TiPlotPointView::KindNull | TiPlotPointView::KindEmpty)) == 0
            && beyond(TiPlotPointView::xAt(p)))
            break;
    }
    return first;
}

template <typename Beyond>
std::size_t TiPlotSummary::Advance(std::size_t first, std::size_t last, const Beyond& beyond, Span& taken) const
{
    last = std::min(last, m_count);
    if (first >= last)
        return last;
    // The rest of the first leaf, record by record.
    std::size_t pos = first;
    if (pos % LeafSize) {
        const std::size_t border = std::min((pos / LeafSize + 1) * LeafSize, last);
        const std::size_t stop = firstInLeaf(pos / LeafSize, pos, border, beyond);
        taken.Append(foldIn(pos / LeafSize, pos, stop));
        if (stop < border || stop == last)
            return stop;
        pos = stop;
    }
    // Whole nodes: up a level at each border of the level above, down into
    // a node that holds the point sought or reaches past `last`.
    std::size_t level = 1, index = pos / LeafSize, span = LeafSize;
    const std::size_t top = m_levels.size();
    for (;;) {
        const Span& node = m_levels[level - 1][index];
        const std::size_t end = std::min(pos + span, m_count);
        if (end <= last && !(node.Normals && beyond(node.LastX))) {
            taken.Append(node);
            pos = end;
            if (pos == last)
                return pos;
            ++index;
            while (index % Fanout == 0 && level < top) {
                index /= Fanout;
                span *= Fanout;
                ++level;
            }
            continue;
        }
        if (level == 1) {
            const std::size_t stop = firstInLeaf(index, pos, std::min(end, last), beyond);
            taken.Append(foldIn(index, pos, stop));
            return stop;
        }
        --level;
        index *= Fanout;
        span /= Fanout;
    }
}

template <typename Beyond>
std::size_t TiPlotSummaryView::Advance(std::size_t first, std::size_t last, const Beyond& beyond,
                                       TiPlotSummary::Span& taken) const
{
    if (first >= last)
        return last;
    const std::size_t count = m_summary->Count();
    const std::size_t a = slot(first), b = slot(last - 1) + 1;
    auto view = [&](std::size_t s) { return s >= m_start ? s - m_start : s + count - m_start; };
    if (a < b) {
        const std::size_t k = m_summary->Advance(a, b, beyond, taken);
        return k < b ? view(k) : last;
    }
    // Wrapped: the end of the slots, then their start.
    const std::size_t k = m_summary->Advance(a, count, beyond, taken);
    if (k < count)
        return view(k);
    const std::size_t j = m_summary->Advance(0, b, beyond, taken);
    return j < b ? view(j) : last;
}

template <typename Beyond>
std::size_t TiPlotSummaryView::FirstNormal(std::size_t first, std::size_t last, const Beyond& beyond) const
{
    TiPlotSummary::Span passed;
    return Advance(first, last, beyond, passed);
}
