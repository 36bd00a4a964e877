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

TiPlotSummary::Span TiPlotSummary::Span::Merge(const Span& a, const Span& b)
{
    if (!a.Normals && !a.Nulls)
        return b;
    if (!b.Normals && !b.Nulls)
        return a;
    Span s;
    s.Normals = a.Normals + b.Normals;
    s.Nulls = a.Nulls + b.Nulls;
    s.Ordered = a.Ordered && b.Ordered && (!a.Normals || !b.Normals || a.LastX <= b.FirstX);
    s.FirstX = a.Normals ? a.FirstX : b.FirstX;
    s.FirstY = a.Normals ? a.FirstY : b.FirstY;
    s.LastX = b.Normals ? b.LastX : a.LastX;
    s.LastY = b.Normals ? b.LastY : a.LastY;
    s.MinY = std::min(a.MinY, b.MinY);
    s.MaxY = std::max(a.MaxY, b.MaxY);
    s.PairLo = std::max(a.PairLo, b.PairLo);
    s.PairHi = std::min(a.PairHi, b.PairHi);
    if (a.Normals && b.Normals && !a.Nulls && !b.Nulls) {
        s.PairLo = std::max(s.PairLo, std::min(a.LastY, b.FirstY));
        s.PairHi = std::min(s.PairHi, std::max(a.LastY, b.FirstY));
    }
    return s;
}

void TiPlotSummary::Reset()
{
    m_dirtyLo = 0;
    m_dirtyHi = SIZE_MAX;
}

TiPlotSummary::Span TiPlotSummary::fold(std::size_t first, std::size_t last) const
{
    Span s;
    bool paired = false;
    double prevY = 0;
    for (std::size_t slot = first; slot < last; ++slot) {
        const std::byte* r = m_records + slot * TiPlotPointView::Stride;
        const unsigned char kind = TiPlotPointView::kindBits(r) & kSpecial;
        if (kind) {
            if (kind & TiPlotPointView::KindNull) {
                ++s.Nulls;
                paired = false;
            }
            continue;
        }
        const double x = TiPlotPointView::xAt(r), y = TiPlotPointView::yAt(r);
        if (!s.Normals) {
            s.FirstX = x;
            s.FirstY = y;
        } else if (!(s.LastX <= x)) {
            s.Ordered = false;
        }
        s.LastX = x;
        s.LastY = y;
        ++s.Normals;
        if (std::isnan(y)) {
            s.MinY = -kInf;
            s.MaxY = kInf;
        } else {
            s.MinY = std::min(s.MinY, y);
            s.MaxY = std::max(s.MaxY, y);
        }
        if (paired) {
            s.PairLo = std::max(s.PairLo, std::min(prevY, y));
            s.PairHi = std::min(s.PairHi, std::max(prevY, y));
        }
        prevY = y;
        paired = true;
    }
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
                s = Span::Merge(s, below[c]);
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
            s = Span::Merge(s, unit(units[u++]));
            continue;
        }
        const std::size_t from = units[u].index;
        std::size_t to = from + 1;
        for (++u; u < n && units[u].level == 0 && units[u].index == to; ++u)
            ++to;
        s = Span::Merge(s, fold(from, to));
    }
    return s;
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
