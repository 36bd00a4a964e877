#include "plot/TiPlotSummary.h"

#include <cmath>
#include <limits>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr unsigned char kSpecial = TiPlotPointView::KindNull | TiPlotPointView::KindEmpty;
} // namespace

TiPlotSummary::Span::Span() : MinY(kInf), MaxY(-kInf), PairLo(-kInf), PairHi(kInf) {}

TiPlotSummary::Span TiPlotSummary::Span::Of(const std::byte* r)
{
    Span s;
    const unsigned char kind = TiPlotPointView::kindBits(r);
    if (kind & TiPlotPointView::KindNull) {
        s.Nulls = 1;
    } else if (!(kind & TiPlotPointView::KindEmpty)) {
        const double y = TiPlotPointView::yAt(r);
        s.Normals = 1;
        s.FirstX = s.LastX = TiPlotPointView::xAt(r);
        s.FirstY = s.LastY = y;
        // A value that is not a number lies in no range.
        s.MinY = std::isnan(y) ? -kInf : y;
        s.MaxY = std::isnan(y) ? kInf : y;
    }
    return s;
}

void TiPlotSummary::Span::Append(const Span& b)
{
    if (!b.Normals && !b.Nulls)
        return;
    if (!Normals && !Nulls) {
        *this = b;
        return;
    }
    const bool pair = Normals && b.Normals && !Nulls && !b.Nulls;
    const double lastY = LastY;
    Ordered = Ordered && b.Ordered && (!Normals || !b.Normals || LastX <= b.FirstX);
    if (!Normals) {
        FirstX = b.FirstX;
        FirstY = b.FirstY;
    }
    if (b.Normals) {
        LastX = b.LastX;
        LastY = b.LastY;
    }
    MinY = std::min(MinY, b.MinY);
    MaxY = std::max(MaxY, b.MaxY);
    PairLo = std::max(PairLo, b.PairLo);
    PairHi = std::min(PairHi, b.PairHi);
    if (pair) {
        PairLo = std::max(PairLo, std::min(lastY, b.FirstY));
        PairHi = std::min(PairHi, std::max(lastY, b.FirstY));
    }
    Normals += b.Normals;
    Nulls += b.Nulls;
}

TiPlotSummary::Span TiPlotSummary::Span::Merge(const Span& a, const Span& b)
{
    Span s = a;
    s.Append(b);
    return s;
}

void TiPlotSummary::Reset()
{
    m_dirtyLo = 0;
    m_dirtyHi = SIZE_MAX;
}

TiPlotSummary::Span TiPlotSummary::fold(std::size_t first, std::size_t last) const
{
    // Kept in locals: a loop over the span's members waits on memory.
    double firstX = 0, firstY = 0, lastX = 0, lastY = 0, prevY = 0;
    double minY = kInf, maxY = -kInf, pairLo = -kInf, pairHi = kInf;
    std::uint32_t normals = 0, nulls = 0;
    bool ordered = true, paired = false, nan = false;
    for (std::size_t slot = first; slot < last; ++slot) {
        const std::byte* r = m_records + slot * TiPlotPointView::Stride;
        const unsigned char kind = TiPlotPointView::kindBits(r) & kSpecial;
        if (kind) {
            if (kind & TiPlotPointView::KindNull) {
                ++nulls;
                paired = false;
            }
            continue;
        }
        const double x = TiPlotPointView::xAt(r), y = TiPlotPointView::yAt(r);
        if (!normals) {
            firstX = x;
            firstY = y;
        } else if (!(lastX <= x)) {
            ordered = false;
        }
        lastX = x;
        lastY = y;
        ++normals;
        // A value that is not a number lies in no range (set at the end).
        nan |= std::isnan(y);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        if (paired) {
            pairLo = std::max(pairLo, std::min(prevY, y));
            pairHi = std::min(pairHi, std::max(prevY, y));
        }
        prevY = y;
        paired = true;
    }
    Span s;
    s.FirstX = firstX;
    s.FirstY = firstY;
    s.LastX = lastX;
    s.LastY = lastY;
    s.MinY = nan ? -kInf : minY;
    s.MaxY = nan ? kInf : maxY;
    s.PairLo = pairLo;
    s.PairHi = pairHi;
    s.Normals = normals;
    s.Nulls = nulls;
    s.Ordered = ordered;
    return s;
}

bool TiPlotSummary::plainLeaf(std::size_t leaf) const
{
    const Span& s = m_levels[0][leaf];
    const std::size_t size = std::min((leaf + 1) * LeafSize, m_count) - leaf * LeafSize;
    return s.Ordered && !s.Nulls && s.Normals == size && s.MinY > -kInf && s.MaxY < kInf;
}

TiPlotSummary::Span TiPlotSummary::foldPlain(std::size_t first, std::size_t last) const
{
    Span s;
    if (first >= last)
        return s;
    const std::byte* r = m_records + first * TiPlotPointView::Stride;
    const std::byte* const end = m_records + last * TiPlotPointView::Stride;
    double prev = TiPlotPointView::yAt(r), minY = prev, maxY = prev, pairLo = -kInf, pairHi = kInf;
    s.FirstX = TiPlotPointView::xAt(r);
    s.FirstY = prev;
    // No kinds, no order and no NaN to test: min and max without branches.
    for (r += TiPlotPointView::Stride; r != end; r += TiPlotPointView::Stride) {
        const double y = TiPlotPointView::yAt(r);
        pairLo = std::max(pairLo, std::min(prev, y));
        pairHi = std::min(pairHi, std::max(prev, y));
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        prev = y;
    }
    s.LastX = TiPlotPointView::xAt(end - TiPlotPointView::Stride);
    s.LastY = prev;
    s.MinY = minY;
    s.MaxY = maxY;
    s.PairLo = pairLo;
    s.PairHi = pairHi;
    s.Normals = std::uint32_t(last - first);
    return s;
}

void TiPlotSummary::Sync(const std::byte* records, std::size_t count)
{
    m_records = records;
    if (count < m_count)
        Reset();
    else if (count > m_count) {
        Changed(m_count);
        Changed(count - 1);
    }
    m_count = count;
    const std::size_t lo = m_dirtyLo, hi = std::min(m_dirtyHi, count);
    m_dirtyLo = SIZE_MAX;
    m_dirtyHi = 0;
    if (count == 0) {
        m_levels.clear();
        return;
    }
    if (lo >= hi)
        return;
    // Sizes of the levels; new nodes are computed whatever the stale range.
    std::vector<std::size_t> oldSizes;
    std::size_t n = (count + LeafSize - 1) / LeafSize;
    std::size_t k = 0;
    for (;; ++k) {
        if (k == m_levels.size())
            m_levels.emplace_back();
        oldSizes.push_back(m_levels[k].size());
        m_levels[k].resize(n);
        if (n <= 1)
            break;
        n = (n + Fanout - 1) / Fanout;
    }
    m_levels.resize(k + 1);
    std::size_t first = lo / LeafSize, last = (hi - 1) / LeafSize;
    for (std::size_t i = std::min(first, oldSizes[0]); i <= last; ++i)
        m_levels[0][i] = fold(i * LeafSize, std::min((i + 1) * LeafSize, count));
    for (std::size_t level = 1; level < m_levels.size(); ++level) {
        first /= Fanout;
        last /= Fanout;
        const std::vector<Span>& below = m_levels[level - 1];
        for (std::size_t i = std::min(first, oldSizes[level]); i <= last; ++i) {
            Span s;
            const std::size_t end = std::min((i + 1) * Fanout, below.size());
            for (std::size_t c = i * Fanout; c < end; ++c)
                s.Append(below[c]);
            m_levels[level][i] = s;
        }
    }
}

std::size_t TiPlotSummary::unitSpan(int level) const
{
    std::size_t span = level == 0 ? 1 : LeafSize;
    for (int k = 1; k < level; ++k)
        span *= Fanout;
    return span;
}

TiPlotSummary::Span TiPlotSummary::unit(const Unit& u) const
{
    return u.level == 0 ? Span::Of(m_records + u.index * TiPlotPointView::Stride)
                        : m_levels[std::size_t(u.level - 1)][u.index];
}

std::size_t TiPlotSummary::cover(std::size_t first, std::size_t last, Unit* out) const
{
    Unit right[kMaxUnits];
    std::size_t n = 0, nr = 0;
    const int top = int(m_levels.size());
    std::size_t a = first, b = std::min(last, m_count);
    for (int level = 0; a < b; ++level) {
        const std::size_t span = unitSpan(level);
        if (level == top) {
            for (; a < b; a += span)
                out[n++] = Unit {level, a / span};
            break;
        }
        // Whole units of this level up to the next level's borders; the
        // last node of a level may reach only to the end of the records.
        const std::size_t next = unitSpan(level + 1);
        for (; a < b && a % next; a += span)
            out[n++] = Unit {level, a / span};
        while (a < b && b % next && b != m_count) {
            b -= span;
            right[nr++] = Unit {level, b / span};
        }
    }
    while (nr)
        out[n++] = right[--nr];
    return n;
}

TiPlotSummary::Span TiPlotSummary::Range(std::size_t first, std::size_t last) const
{
    Unit units[kMaxUnits];
    const std::size_t n = cover(first, last, units);
    Span s;
    // Single records come in runs at both ends: folded at once.
    for (std::size_t u = 0; u < n;) {
        if (units[u].level != 0) {
            s.Append(unit(units[u++]));
            continue;
        }
        const std::size_t from = units[u].index;
        std::size_t to = from + 1;
        for (++u; u < n && units[u].level == 0 && units[u].index == to; ++u)
            ++to;
        s.Append(fold(from, to));
    }
    return s;
}

void TiPlotSummary::Prefetch(std::size_t slot) const
{
    if (slot >= m_count)
        return;
    const std::size_t leaf = slot / LeafSize;
    const auto* from = reinterpret_cast<const char*>(m_records + leaf * LeafSize * TiPlotPointView::Stride);
    const auto* to = reinterpret_cast<const char*>(m_records + std::min((leaf + 1) * LeafSize, m_count) * TiPlotPointView::Stride);
    for (const char* p = from; p < to; p += 64)
        __builtin_prefetch(p);
    // The node's siblings at each level, read on the way down.
    std::size_t index = leaf;
    for (const std::vector<Span>& level : m_levels) {
        const std::size_t group = index - index % Fanout;
        const auto* a = reinterpret_cast<const char*>(level.data() + group);
        const auto* b = reinterpret_cast<const char*>(level.data() + std::min(group + Fanout, level.size()));
        for (const char* p = a; p < b; p += 64)
            __builtin_prefetch(p);
        index /= Fanout;
    }
}

std::size_t TiPlotSummary::MemoryUsed() const
{
    std::size_t bytes = 0;
    for (const auto& level : m_levels)
        bytes += level.capacity() * sizeof(Span);
    return bytes;
}

TiPlotSummary::Span TiPlotSummaryView::Range(std::size_t first, std::size_t last) const
{
    if (first >= last)
        return {};
    const std::size_t a = slot(first), b = slot(last - 1) + 1;
    if (a < b)
        return m_summary->Range(a, b);
    return TiPlotSummary::Span::Merge(m_summary->Range(a, m_summary->Count()), m_summary->Range(0, b));
}
