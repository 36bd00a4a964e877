#include "plot/TiPlotTraceMath.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TiPlotTraceMath {

namespace {

// Value-to-pixel mapping of one axis for points inside its range; linear
// scales skip the general routine's checks, which cannot trigger there.
struct InnerMapper {
    const TiPlotScaleMap& map;
    double min, max, ppu;
    int minPixel, lowPixel, highPixel;
    bool linear;

    explicit InnerMapper(const TiPlotScaleMap& m)
        : map(m), min(m.Min), max(m.Max()), ppu(m.PixelsPerUnit()), minPixel(m.MinPixel()),
          lowPixel(std::min(m.MinPixel(), m.MaxPixel())), highPixel(std::max(m.MinPixel(), m.MaxPixel())),
          linear(m.ScaleType == ipstLinear && m.MinPixel() != m.MaxPixel() && m.Span > TiPlotScale::kMinSpan)
    {
    }

    // The pixel of v when v lies in the range and on the scale.
    bool inner(double v, int& pixel) const
    {
        if (!(v >= min && v <= max))
            return false;
        pixel = linear ? minPixel - TiPlotScale::roundPixel((v - min) * ppu) : map.PositionToPixels(v);
        return pixel >= lowPixel && pixel <= highPixel;
    }
};

// The line of a column at key pixel k covering lo..hi-1, and hi too when a
// zero-length segment sits there; across the widget when the axes are
// reversed.
void columnLines(int k, int lo, int hi, bool zeroAtHi, ZeroLength zero, bool across, std::vector<QLine>& out)
{
    auto line = [&](int a, int b) {
        if (across)
            out.emplace_back(a, k, b, k);
        else
            out.emplace_back(k, a, k, b);
    };
    if (zeroAtHi && zero == ZeroLength::Folded) {
        line(lo, hi + 1);
        return;
    }
    if (lo < hi)
        line(lo, hi);
    if (zeroAtHi)
        line(hi, hi);
}

// The run of one pixel column: consecutive inner points drawn at the same x.
// Their vertical segments cover lo..hi-1, and hi too when a zero-length
// segment sits there (zeroMax is the highest pixel of one).
struct Column {
    bool active = false;
    int x = 0, lo = 0, hi = 0, last = 0, zeroMax = INT_MIN;
    bool several = false;

    void start(int px, int py) { *this = Column {true, px, py, py, py, INT_MIN, false}; }
    // Without branches on the data: a random walk makes them unpredictable.
    void add(int py)
    {
        zeroMax = std::max(zeroMax, py == last ? py : INT_MIN);
        hi = std::max(hi, py);
        lo = std::min(lo, py);
        last = py;
        several = true;
    }
    void flush(std::vector<QLine>& out, ZeroLength zero)
    {
        if (active && several)
            columnLines(x, lo, hi, zeroMax == hi, zero, false, out);
        active = false;
    }
};

// Both linear mappings of the run below, X in the first lane, Y in the second.
struct LinearPair {
    double xMin, yMin, xMax, yMax, xPpu, yPpu;
    int xMinPixel, yMinPixel;

    // The pixels of a record's X and Y; false when it is not a normal point
    // inside both ranges. A value inside its range lands on its scale: the
    // offset is within a hair of 0 .. the scale's length.
    bool map(const std::byte* r, int& px, int& py) const
    {
        const unsigned char special = TiPlotPointView::kindBits(r) & (TiPlotPointView::KindNull | TiPlotPointView::KindEmpty);
#if defined(__SSE2__)
        // X and Y sit side by side: one load, one test and one rounding for both.
        const __m128d v = _mm_loadu_pd(reinterpret_cast<const double*>(r));
        const __m128d lo = _mm_set_pd(yMin, xMin);
        const int inside = _mm_movemask_pd(_mm_and_pd(_mm_cmpge_pd(v, lo), _mm_cmple_pd(v, _mm_set_pd(yMax, xMax))));
        const __m128i offsets = _mm_cvtpd_epi32(_mm_mul_pd(_mm_sub_pd(v, lo), _mm_set_pd(yPpu, xPpu)));
        px = xMinPixel - _mm_cvtsi128_si32(offsets);
        py = yMinPixel - _mm_cvtsi128_si32(_mm_shuffle_epi32(offsets, 1));
        return (special | (inside ^ 3)) == 0;
#else
        const double x = TiPlotPointView::xAt(r), y = TiPlotPointView::yAt(r);
        if (special || !(x >= xMin && x <= xMax) || !(y >= yMin && y <= yMax))
            return false;
        px = xMinPixel - TiPlotScale::roundPixel((x - xMin) * xPpu);
        py = yMinPixel - TiPlotScale::roundPixel((y - yMin) * yPpu);
        return true;
#endif
    }
};

// The open column of a run; its last point is the last one drawn.
struct OpenRun {
    int cx, lo, hi, last, zeroMax;
    bool several;
};

// Leaving a column: its vertical line, then the segment from its last point
// into the next column.
[[gnu::noinline]] void closeColumn(OpenRun run, int px, int py, ZeroLength zero, std::vector<QLine>& out)
{
    Column col {true, run.cx, run.lo, run.hi, run.last, run.zeroMax, run.several};
    col.flush(out, zero);
    out.emplace_back(run.cx, run.last, px, py);
}

// One lane of the run below: the key lane picks the column, the value lane
// moves along it.
struct Lane {
    double min, max, ppu;
    int minPixel;

    // The same rounding as LinearPair::map, for values inside the range.
    int pixel(double v) const { return minPixel - TiPlotScale::roundPixel((v - min) * ppu); }
};

// The raw key values known to fall in column cx: both ends were mapped to it,
// and the mapping is monotonic, so everything between lands there too. The
// ends are guesses a hair inside the column's borders, kept only when checked;
// otherwise the key of a point known to lie in the column stands in.
struct Band {
    double lo, hi;
};
Band columnBand(const Lane& key, int cx, double known)
{
    const double k = key.minPixel - cx;
    const double a = key.min + (k - 0.499) / key.ppu, b = key.min + (k + 0.499) / key.ppu;
    Band band {std::clamp(std::min(a, b), key.min, key.max), std::clamp(std::max(a, b), key.min, key.max)};
    if (!(key.pixel(band.lo) == cx && band.lo <= known))
        band.lo = known;
    if (!(key.pixel(band.hi) == cx && band.hi >= known))
        band.hi = known;
    return band;
}

// Minimum and maximum of values that are never NaN, without branches: the
// compiler turns plain comparisons into jumps, unpredictable on a random walk.
inline double lower(double a, double b)
{
#if defined(__SSE2__)
    return _mm_cvtsd_f64(_mm_min_sd(_mm_set_sd(a), _mm_set_sd(b)));
#else
    return std::min(a, b);
#endif
}
inline double higher(double a, double b)
{
#if defined(__SSE2__)
    return _mm_cvtsd_f64(_mm_max_sd(_mm_set_sd(a), _mm_set_sd(b)));
#else
    return std::max(a, b);
#endif
}

// The raw values of the points of a column after the first one it tracks:
// since the value mapping is monotonic, only the extremes need mapping when
// the column is settled. A zero-length segment at the column's highest pixel
// needs two consecutive points there; pairLo (the highest lower value of a
// pair) and pairHi (the lowest higher one) tell whether one exists, for
// either direction of the scale.
struct RawColumn {
    double min, max, prev, pairLo, pairHi;

    static RawColumn from(double v)
    {
        return {v, v, v, -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    }
    void add(double v)
    {
        pairLo = higher(pairLo, lower(prev, v));
        pairHi = lower(pairHi, higher(prev, v));
        min = lower(min, v);
        max = higher(max, v);
        prev = v;
    }
    void add2(double v, double w)
    {
        pairLo = higher(pairLo, higher(lower(prev, v), lower(v, w)));
        pairHi = lower(pairHi, lower(higher(prev, v), higher(v, w)));
        min = lower(min, lower(v, w));
        max = higher(max, higher(v, w));
        prev = w;
    }
    // The column's pixels with these points added; prev was its last point.
    OpenRun settle(OpenRun run, const Lane& value) const
    {
        if (pairHi == std::numeric_limits<double>::infinity())
            return run;
        const int a = value.pixel(min), b = value.pixel(max);
        const int lo = std::min(a, b), hi = std::max(a, b);
        // Pixels fall as values rise when ppu > 0: the highest pixel is then the
        // lowest value, and a pair sits there when its higher value does.
        const bool zero = value.pixel(value.ppu > 0 ? pairHi : pairLo) == hi;
        return OpenRun {run.cx, std::min(run.lo, lo), std::max(run.hi, hi), value.pixel(prev),
                        zero ? std::max(run.zeroMax, hi) : run.zeroMax, true};
    }
};

// Follows consecutive records while they are normal points inside both
// ranges, the previous point (prevX, prevY) being inside too and the last of
// the open column; returns how many it took. A point whose key lies in the
// open column's checked band only updates the raw extremes; the others are
// mapped exactly. Everything the loop needs is held in locals so that it
// runs in registers.
template <bool Reversed>
[[gnu::noinline]] size_t linearRun(const std::byte* const begin, size_t count, const LinearPair m, double prevX,
                                   double prevY, OpenRun& run, ZeroLength zero, std::vector<QLine>& out)
{
    const Lane xLane {m.xMin, m.xMax, m.xPpu, m.xMinPixel}, yLane {m.yMin, m.yMax, m.yPpu, m.yMinPixel};
    const Lane& key = Reversed ? yLane : xLane;
    const Lane& value = Reversed ? xLane : yLane;
    OpenRun col = run;
    RawColumn raw = RawColumn::from(Reversed ? prevX : prevY);
    Band band = columnBand(key, col.cx, Reversed ? prevY : prevX);
    const std::byte* r = begin;
    const std::byte* const end = begin + count * TiPlotPointView::Stride;
    // Whether the record is a normal point inside the value range whose key
    // lies in the band.
    auto inBand = [&](const std::byte* p) {
        const unsigned char special = TiPlotPointView::kindBits(p) & (TiPlotPointView::KindNull | TiPlotPointView::KindEmpty);
#if defined(__SSE2__)
        // Both tests in one go: a random walk makes branches on them unpredictable.
        const __m128d xy = _mm_loadu_pd(reinterpret_cast<const double*>(p));
        const __m128d low = Reversed ? _mm_set_pd(band.lo, value.min) : _mm_set_pd(value.min, band.lo);
        const __m128d high = Reversed ? _mm_set_pd(band.hi, value.max) : _mm_set_pd(value.max, band.hi);
        const int inside = _mm_movemask_pd(_mm_and_pd(_mm_cmpge_pd(xy, low), _mm_cmple_pd(xy, high)));
        return (special | (inside ^ 3)) == 0;
#else
        const double k = Reversed ? TiPlotPointView::yAt(p) : TiPlotPointView::xAt(p);
        const double v = Reversed ? TiPlotPointView::xAt(p) : TiPlotPointView::yAt(p);
        return special == 0 && k >= band.lo && k <= band.hi && v >= value.min && v <= value.max;
#endif
    };
    auto valueAt = [](const std::byte* p) { return Reversed ? TiPlotPointView::xAt(p) : TiPlotPointView::yAt(p); };
    for (; r != end; r += TiPlotPointView::Stride) {
        // Two points at a time halve the chains of dependent minima and maxima.
        if (end - r >= std::ptrdiff_t(2 * TiPlotPointView::Stride) && (inBand(r) & inBand(r + TiPlotPointView::Stride))) {
            raw.add2(valueAt(r), valueAt(r + TiPlotPointView::Stride));
            r += TiPlotPointView::Stride;
            continue;
        }
        const double x = TiPlotPointView::xAt(r), y = TiPlotPointView::yAt(r);
        const double k = Reversed ? y : x, v = Reversed ? x : y;
        if (inBand(r)) {
            raw.add(v);
            continue;
        }
        int px, py;
        if (!m.map(r, px, py))
            break;
        if constexpr (Reversed)
            std::swap(px, py);
        if (px == col.cx) {
            raw.add(v);
            band = Band {std::min(band.lo, k), std::max(band.hi, k)};
            continue;
        }
        closeColumn(raw.settle(col, value), px, py, zero, out);
        col = OpenRun {px, py, py, py, INT_MIN, false};
        raw = RawColumn::from(v);
        band = columnBand(key, px, k);
    }
    run = raw.settle(col, value);
    return size_t(r - begin) / TiPlotPointView::Stride;
}

} // namespace

bool clipSegment(Segment& s, double xMin, double xMax, double yMin, double yMax)
{
    if (s.X2 < s.X1) {
        std::swap(s.X1, s.X2);
        std::swap(s.Y1, s.Y2);
    }
    auto inX = [&](double x) { return x >= xMin && x <= xMax; };
    auto inY = [&](double y) { return y >= yMin && y <= yMax; };
    const bool xPass = (s.X1 < xMin && s.X2 > xMax) || inX(s.X1) || inX(s.X2);
    const bool yPass = (s.Y1 < yMin && s.Y2 > yMax) || (s.Y1 > yMax && s.Y2 < yMin) || inY(s.Y1) || inY(s.Y2);
    if (!xPass || !yPass)
        return false;
    auto yAt = [&](double x) {
        const double dx = s.X2 - s.X1;
        const double slope = dx == 0 ? 0 : (s.Y2 - s.Y1) / dx;
        return s.Y1 + (x - s.X1) * slope;
    };
    if (s.X1 < xMin) {
        s.Y1 = yAt(xMin);
        s.X1 = xMin;
    }
    if (s.X2 > xMax) {
        s.Y2 = yAt(xMax);
        s.X2 = xMax;
    }
    auto clipEnd = [&](double& x, double& y) {
        const double target = y < yMin ? yMin : y > yMax ? yMax : y;
        if (target == y)
            return;
        const double dy = s.Y2 - s.Y1;
        if (s.X2 != s.X1 && dy != 0)
            x = s.X1 + (target - s.Y1) * (s.X2 - s.X1) / dy;
        y = target;
    };
    clipEnd(s.X1, s.Y1);
    clipEnd(s.X2, s.Y2);
    return true;
}

bool segmentLine(double x1, double y1, double x2, double y2, const TiPlotTraceAxes& axes, QLine& line)
{
    Segment s {x1, y1, x2, y2};
    if (!clipSegment(s, axes.X.Min, axes.X.Max(), axes.Y.Min, axes.Y.Max()))
        return false;
    // Both ends must land on their scales; each pixel is mapped once.
    auto onScale = [](const TiPlotScaleMap& m, double v, int& pixel) {
        pixel = m.PositionToPixels(v);
        return pixel >= std::min(m.MinPixel(), m.MaxPixel()) && pixel <= std::max(m.MinPixel(), m.MaxPixel());
    };
    QPoint a, b;
    if (!onScale(axes.X, s.X1, a.rx()) || !onScale(axes.X, s.X2, b.rx()) || !onScale(axes.Y, s.Y1, a.ry())
        || !onScale(axes.Y, s.Y2, b.ry()))
        return false;
    line = axes.Reversed ? QLine(a.y(), a.x(), b.y(), b.x()) : QLine(a, b);
    return true;
}

std::vector<QLine> reducedLines(const TiPlotPointView& points, const TiPlotTraceAxes& axes, ZeroLength zero)
{
    std::vector<QLine> out;
    const InnerMapper mx(axes.X);
    const InnerMapper my(axes.Y);
    Column col;
    bool havePrev = false;
    bool prevInner = false;
    int prevX = 0, prevY = 0;
    double prevValueX = 0, prevValueY = 0;
    const size_t n = points.size();
    const size_t firstCount = points.piece(0).Count;
    const bool fastLinear = mx.linear && my.linear;
    const bool reversed = axes.Reversed;
    const LinearPair linear {mx.min, my.min, mx.max, my.max, mx.ppu, my.ppu, mx.minPixel, my.minPixel};
    size_t i = 0;
    while (i < n) {
        if (havePrev && prevInner && fastLinear) {
            // The common run: normal points inside both ranges, one after
            // another, read where they are, one piece at a time.
            const int k = i < firstCount ? 0 : 1;
            const size_t pieceEnd = k == 0 ? firstCount : n;
            const std::byte* r = points.piece(k).Data + (i - (k == 0 ? 0 : firstCount)) * TiPlotPointView::Stride;
            OpenRun run {col.x, col.lo, col.hi, col.last, col.zeroMax, col.several};
            const size_t done = reversed ? linearRun<true>(r, pieceEnd - i, linear, prevValueX, prevValueY, run, zero, out)
                                         : linearRun<false>(r, pieceEnd - i, linear, prevValueX, prevValueY, run, zero, out);
            col = Column {true, run.cx, run.lo, run.hi, run.last, run.zeroMax, run.several};
            if (done > 0) {
                prevX = run.cx;
                prevY = run.last;
                prevValueX = TiPlotPointView::xAt(r + (done - 1) * TiPlotPointView::Stride);
                prevValueY = TiPlotPointView::yAt(r + (done - 1) * TiPlotPointView::Stride);
            }
            i += done;
            if (i == pieceEnd)
                continue;
        }
        const TiPlotPoint p = points[i++];
        if (p.Kind == TiPlotPointKind::Empty)
            continue;
        if (p.Kind == TiPlotPointKind::Null) {
            col.flush(out, zero);
            havePrev = false;
            continue;
        }
        int px = 0, py = 0;
        const bool inner = mx.inner(p.X, px) && my.inner(p.Y, py);
        if (axes.Reversed)
            std::swap(px, py);
        if (!havePrev) {
            col.flush(out, zero);
            if (inner)
                col.start(px, py);
        } else if (prevInner && inner) {
            if (px == col.x) {
                col.add(py);
            } else {
                col.flush(out, zero);
                out.emplace_back(prevX, prevY, px, py);
                col.start(px, py);
            }
        } else {
            // Clipped or off-scale segments are drawn as they come.
            col.flush(out, zero);
            QLine line;
            if (segmentLine(prevValueX, prevValueY, p.X, p.Y, axes, line))
                out.push_back(line);
            if (inner)
                col.start(px, py);
        }
        havePrev = true;
        prevInner = inner;
        prevX = px;
        prevY = py;
        prevValueX = p.X;
        prevValueY = p.Y;
    }
    col.flush(out, zero);
    return out;
}

bool summaryLines(const TiPlotPointView& points, const TiPlotSummaryView& summary, const TiPlotTraceAxes& axes,
                  std::vector<QLine>& out, ZeroLength zero)
{
    const InnerMapper mx(axes.X);
    const InnerMapper my(axes.Y);
    const size_t n = points.size();
    if (!summary.Valid() || summary.size() != n || !mx.linear || !my.linear || !summary.Ordered())
        return false;
    out.clear();
    const Lane key {mx.min, mx.max, mx.ppu, mx.minPixel};
    const Lane value {my.min, my.max, my.ppu, my.minPixel};
    const bool across = axes.Reversed;
    const int forward = key.ppu > 0 ? -1 : 1; // the way key pixels go as X grows

    // The point-by-point walk of reducedLines, in key (X) and value (Y) pixels.
    struct {
        bool active = false;
        int k = 0, lo = 0, hi = 0, last = 0, zeroMax = INT_MIN;
        bool several = false;
    } col;
    bool havePrev = false, prevInner = false;
    int prevK = 0, prevV = 0;
    double prevX = 0, prevY = 0;
    auto flush = [&] {
        if (col.active && col.several)
            columnLines(col.k, col.lo, col.hi, col.zeroMax == col.hi, zero, across, out);
        col.active = false;
    };
    auto start = [&](int k, int v) {
        col = {};
        col.active = true;
        col.k = k;
        col.lo = col.hi = col.last = v;
    };
    auto step = [&](const TiPlotPoint& p) {
        if (p.Kind == TiPlotPointKind::Empty)
            return;
        if (p.Kind == TiPlotPointKind::Null) {
            flush();
            havePrev = false;
            return;
        }
        int kp = 0, vp = 0;
        const bool inner = mx.inner(p.X, kp) && my.inner(p.Y, vp);
        if (!havePrev) {
            flush();
            if (inner)
                start(kp, vp);
        } else if (prevInner && inner) {
            if (kp == col.k) {
                col.zeroMax = std::max(col.zeroMax, vp == col.last ? vp : INT_MIN);
                col.lo = std::min(col.lo, vp);
                col.hi = std::max(col.hi, vp);
                col.last = vp;
                col.several = true;
            } else {
                flush();
                if (across)
                    out.emplace_back(prevV, prevK, vp, kp);
                else
                    out.emplace_back(prevK, prevV, kp, vp);
                start(kp, vp);
            }
        } else {
            // Clipped or off-scale segments are drawn as they come.
            flush();
            QLine line;
            if (segmentLine(prevX, prevY, p.X, p.Y, axes, line))
                out.push_back(line);
            if (inner)
                start(kp, vp);
        }
        havePrev = true;
        prevInner = inner;
        prevK = kp;
        prevV = vp;
        prevX = p.X;
        prevY = p.Y;
    };

    // Segments wholly before or after the X range draw nothing: the walk
    // starts at the last point before the range and ends at the first after.
    const size_t firstIn = summary.FirstNormal(0, n, [&](double x) { return x >= key.min; });
    size_t i = firstIn;
    while (i > 0 && points[i - 1].Kind == TiPlotPointKind::Empty)
        --i;
    if (i > 0)
        --i;
    const size_t end = std::min(n, summary.FirstNormal(firstIn, n, [&](double x) { return !(x <= key.max); }) + 1);
    while (i < end) {
        if (havePrev && prevInner) {
            // The rest of the open column: the points up to the first whose X
            // lies in another column or beyond the range.
            const int cx = col.k;
            TiPlotSummary::Span span;
            const size_t j = summary.Advance(
                i, end, [&](double x) { return !(x <= key.max) || (key.pixel(x) - cx) * forward > 0; }, span);
            // The next column most likely holds about as many points.
            if (j > i + TiPlotSummary::LeafSize)
                summary.Prefetch(j + (j - i));
            if (j > i) {
                if (span.Nulls || (span.Normals && !(span.MinY >= value.min && span.MaxY <= value.max))) {
                    for (; i < j; ++i)
                        step(points[i]);
                    continue;
                }
                if (span.Normals) {
                    // The column's pixels with these points after the previous
                    // one, as RawColumn settles them.
                    const double minY = std::min(prevY, span.MinY), maxY = std::max(prevY, span.MaxY);
                    const double pairLo = std::max(span.PairLo, std::min(prevY, span.FirstY));
                    const double pairHi = std::min(span.PairHi, std::max(prevY, span.FirstY));
                    const int a = value.pixel(minY), b = value.pixel(maxY);
                    const int lo = std::min(a, b), hi = std::max(a, b);
                    if (value.pixel(value.ppu > 0 ? pairHi : pairLo) == hi)
                        col.zeroMax = std::max(col.zeroMax, hi);
                    col.lo = std::min(col.lo, lo);
                    col.hi = std::max(col.hi, hi);
                    col.last = value.pixel(span.LastY);
                    col.several = true;
                    prevX = span.LastX;
                    prevY = span.LastY;
                    prevV = col.last;
                }
                i = j;
                if (i == end)
                    break;
            }
        }
        step(points[i++]);
    }
    flush();
    return true;
}

} // namespace TiPlotTraceMath
