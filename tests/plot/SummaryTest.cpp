// The points' summary and the column reduction through it, on a data list
// alone: no plot widget, only an image to compare the pixels.
#include "plot/TiPlotDataNullList.h"
#include "plot/TiPlotSummary.h"
#include "plot/TiPlotTrace.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : m_state(seed) {}
    double next() // 0 .. 1
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) / double(1ULL << 53);
    }
    int below(int n) { return int(next() * n); }

private:
    std::uint64_t m_state;
};

// Appends like a channel: a normal point, or a Null or Empty at (0, 0).
void append(TiPlotDataNullList& list, const TiPlotPoint& p)
{
    const bool special = p.Kind != TiPlotPointKind::Normal;
    list.Add(special ? 0 : p.X, special ? 0 : p.Y);
    if (special) {
        list.SetNull(list.Count() - 1, p.Kind == TiPlotPointKind::Null);
        list.SetEmpty(list.Count() - 1, p.Kind == TiPlotPointKind::Empty);
    }
}

// A random walk over rising X with a share of Nulls and Empties.
std::vector<TiPlotPoint> walk(int n, std::uint64_t seed, double nulls = 0, double empties = 0, double x0 = 0)
{
    Lcg r(seed);
    std::vector<TiPlotPoint> v;
    double y = 0;
    for (int i = 0; i < n; ++i) {
        y += r.next() - 0.5;
        const double u = r.next();
        const auto kind = u < nulls ? TiPlotPointKind::Null
            : u < nulls + empties   ? TiPlotPointKind::Empty
                                    : TiPlotPointKind::Normal;
        v.push_back({x0 + i, y, kind});
    }
    return v;
}

// Everything the summary says of logical points first .. last - 1, read
// point by point.
TiPlotSummary::Span bruteForce(const TiPlotDataCustomList& list, int first, int last)
{
    TiPlotSummary::Span s;
    bool paired = false;
    double prevY = 0;
    for (int i = first; i < last; ++i) {
        if (list.GetNull(i)) {
            ++s.Nulls;
            paired = false;
            continue;
        }
        if (list.GetEmpty(i))
            continue;
        const double x = list.GetX(i), y = list.GetY(i);
        if (!s.Normals) {
            s.FirstX = x;
            s.FirstY = y;
        } else if (!(s.LastX <= x)) {
            s.Ordered = false;
        }
        s.LastX = x;
        s.LastY = y;
        ++s.Normals;
        s.MinY = std::min(s.MinY, y);
        s.MaxY = std::max(s.MaxY, y);
        if (paired) {
            s.PairLo = std::max(s.PairLo, std::min(prevY, y));
            s.PairHi = std::min(s.PairHi, std::max(prevY, y));
        }
        prevY = y;
        paired = true;
    }
    return s;
}

// What the summary says of a range against the brute force.
void expectSpan(const TiPlotSummary::Span& got, const TiPlotSummary::Span& want, const std::string& at)
{
    ASSERT_EQ(got.Normals, want.Normals) << at;
    ASSERT_EQ(got.Nulls, want.Nulls) << at;
    ASSERT_EQ(got.Ordered, want.Ordered) << at;
    if (want.Normals) {
        EXPECT_EQ(got.MinY, want.MinY) << at;
        EXPECT_EQ(got.MaxY, want.MaxY) << at;
        EXPECT_EQ(got.FirstX, want.FirstX) << at;
        EXPECT_EQ(got.LastX, want.LastX) << at;
        EXPECT_EQ(got.FirstY, want.FirstY) << at;
        EXPECT_EQ(got.LastY, want.LastY) << at;
    }
    if (!want.Nulls) {
        EXPECT_EQ(got.PairLo, want.PairLo) << at;
        EXPECT_EQ(got.PairHi, want.PairHi) << at;
    }
}

// Random ranges and searches of the list against the brute force; `where`
// names the step for the failure message.
void expectSummaryTrue(const TiPlotDataNullList& list, Lcg& r, const std::string& where)
{
    const int n = list.Count();
    TiPlotSummaryView view;
    ASSERT_TRUE(list.SummaryPoints(0, n, view));
    EXPECT_EQ(list.XOrdered(), bruteForce(list, 0, n).Ordered) << where;
    for (int k = 0; k < 60 && n > 0; ++k) {
        int a = r.below(n), b = r.below(n + 1);
        if (k == 0)
            a = 0, b = n;
        if (a > b)
            std::swap(a, b);
        const TiPlotSummary::Span want = bruteForce(list, a, b);
        const std::string at = where + " range " + std::to_string(a) + ".." + std::to_string(b);
        expectSpan(view.Range(std::size_t(a), std::size_t(b)), want, at);
        if (want.Ordered && want.Normals) {
            const double t = want.FirstX + r.next() * (want.LastX - want.FirstX + 2) - 1;
            int first = b;
            for (int i = a; i < b; ++i)
                if (!list.GetNull(i) && !list.GetEmpty(i) && list.GetX(i) >= t) {
                    first = i;
                    break;
                }
            EXPECT_EQ(view.FirstNormal(std::size_t(a), std::size_t(b), [&](double x) { return x >= t; }),
                      std::size_t(first))
                << at << " from " << t;
            // The walk stops there too, with what lies before it.
            TiPlotSummary::Span taken;
            EXPECT_EQ(view.Advance(std::size_t(a), std::size_t(b), [&](double x) { return x >= t; }, taken),
                      std::size_t(first))
                << at << " from " << t;
            expectSpan(taken, bruteForce(list, a, first), at + " before " + std::to_string(first));
        }
    }
}

// The thin trace through the summary against segment-by-segment drawing,
// on an image of `ratio` device pixels per unit.
QImage render(const TiPlotDataNullList& list, const TiPlotTraceAxes& axes, bool summary, double ratio)
{
    QImage im(int(633 * ratio), int(409 * ratio), QImage::Format_RGB32);
    im.setDevicePixelRatio(ratio);
    im.fill(Qt::white);
    TiCanvas c(im);
    c.IntersectClipRect(TiRect {10, 10, 633 - 11 + 1, 409 - 11 + 1});
    TiPlotPointView points;
    list.ViewPoints(0, list.Count(), points);
    if (summary) {
        TiPlotSummaryView view;
        list.SummaryPoints(0, list.Count(), view);
        TiPlotTrace::draw(c, points, axes, TiPlotTraceStyle {}, view);
    } else {
        TiPlotTrace::drawSegments(c, points, axes, TiPlotTraceStyle {});
    }
    return im;
}

TiPlotTraceAxes axesFor(double xMin, double xSpan, double yMin, double ySpan)
{
    TiPlotTraceAxes a;
    a.X = TiPlotScaleMap::horizontal(xMin, xSpan, 10, 633 - 11);
    a.Y = TiPlotScaleMap::vertical(yMin, ySpan, 409 - 11, 10);
    return a;
}

} // namespace

// Through appends, ring wrap, deletes, capacity changes, edits and Clear the
// summary answers as reading every point would, Nulls and Empties included.
TEST(PlotSummary, AgreesWithReadingEveryPoint)
{
    Lcg r(42);
    TiPlotDataNullList list;
    const auto pts = walk(9000, 1, 0.02, 0.04);
    for (int i = 0; i < 5000; ++i)
        append(list, pts[std::size_t(i)]);
    expectSummaryTrue(list, r, "appended");
    for (int k = 0; k < 20; ++k)
        list.SetY(r.below(list.Count()), r.next() * 100 - 50);
    list.SetNull(r.below(list.Count()), true);
    list.SetEmpty(r.below(list.Count()), true);
    expectSummaryTrue(list, r, "edited");
    list.DeletePoints(1234);
    expectSummaryTrue(list, r, "deleted");
    list.SetCapacity(3000);
    expectSummaryTrue(list, r, "shrunk");
    for (int i = 5000; i < 7000; ++i)
        append(list, pts[std::size_t(i)]);
    expectSummaryTrue(list, r, "appended after shrinking");
    list.SetX(1500, -1e9); // the order breaks: the paint falls back to reading every point
    expectSummaryTrue(list, r, "order broken");
    EXPECT_FALSE(list.XOrdered());
    list.Clear();
    expectSummaryTrue(list, r, "cleared");
    for (int i = 7000; i < 7100; ++i)
        append(list, pts[std::size_t(i)]);
    expectSummaryTrue(list, r, "refilled");
    EXPECT_TRUE(list.XOrdered());

    TiPlotDataNullList ring;
    ring.SetRingBufferSize(1000);
    for (int i = 0; i < 3500; ++i) {
        append(ring, pts[std::size_t(i)]);
        if (i % 700 == 699)
            expectSummaryTrue(ring, r, "ring at " + std::to_string(i));
    }
    EXPECT_NE(ring.RingStart(), 0);
    append(ring, {-5, 0, TiPlotPointKind::Normal}); // falls back while this point is held ...
    expectSummaryTrue(ring, r, "ring out of order");
    EXPECT_FALSE(ring.XOrdered());
    for (int i = 3500; i < 4500; ++i)
        append(ring, pts[std::size_t(i)]);
    expectSummaryTrue(ring, r, "ring in order again"); // ... and no longer once it is overwritten
    EXPECT_TRUE(ring.XOrdered());
    ring.DeletePoints(100);
    expectSummaryTrue(ring, r, "ring deleted");
    ring.SetRingBufferSize(600);
    expectSummaryTrue(ring, r, "ring resized");
    for (int i = 4500; i < 5300; ++i)
        append(ring, pts[std::size_t(i)]);
    expectSummaryTrue(ring, r, "ring resized and wrapped");
    // Memory: a small fraction of the points'.
    EXPECT_LT(double(ring.GetSummaryMemoryUsed()), 0.1 * double(ring.GetMemoryUsed()) + 1024);
}

// Drawing column by column through the summary gives the pixels of drawing
// every segment, wherever it is used.
TEST(PlotSummary, ColumnsBySearchMatchSegmentBySegment)
{
    struct Case {
        std::string name;
        std::vector<TiPlotPoint> pts;
        TiPlotTraceAxes axes;
        int ring = 0;
        double ratio = 1;
    };
    auto range = [](const std::vector<TiPlotPoint>& v) {
        double lo = 1e300, hi = -1e300;
        for (const auto& p : v)
            if (p.Kind == TiPlotPointKind::Normal)
                lo = std::min(lo, p.Y), hi = std::max(hi, p.Y);
        return std::pair {lo, hi};
    };
    std::vector<Case> cases;
    for (int n : {1000, 10000, 100000, 1000000}) {
        auto w = walk(n, 7 + std::uint64_t(n));
        const auto [lo, hi] = range(w);
        cases.push_back({"walk " + std::to_string(n), w, axesFor(0, n - 1, lo, hi - lo)});
    }
    {
        auto w = walk(100000, 3, 0.002, 0.01);
        const auto [lo, hi] = range(w);
        cases.push_back({"nulls and empties", w, axesFor(0, 99999, lo, hi - lo)});
        cases.push_back({"nulls and empties at ratio 2", w, axesFor(0, 99999, lo, hi - lo), 0, 2});
        cases.push_back({"clipped", w, axesFor(20000, 50000, lo + (hi - lo) * 0.3, (hi - lo) * 0.4)});
        cases.push_back({"wrapped ring", w, axesFor(20000, 79999, lo, hi - lo), 80000});
        cases.push_back({"zoomed in, a point in every other column", w, axesFor(5000, 300, lo, hi - lo)});
        cases.push_back({"zoomed in, a few points a column", w, axesFor(5000, 1500, lo, hi - lo)});
        TiPlotTraceAxes flipped = axesFor(0, 99999, lo, hi - lo);
        flipped.X = TiPlotScaleMap::horizontal(0, 99999, 10, 633 - 11, true);
        flipped.Y = TiPlotScaleMap::vertical(lo, hi - lo, 10, 409 - 11);
        cases.push_back({"flipped", w, flipped});
        TiPlotTraceAxes reversed;
        reversed.X = TiPlotScaleMap::vertical(0, 99999, 398, 10);
        reversed.Y = TiPlotScaleMap::horizontal(lo, hi - lo, 10, 622);
        reversed.Reversed = true;
        cases.push_back({"x up the widget", w, reversed});
    }
    {
        Lcg r(3);
        std::vector<TiPlotPoint> spiky;
        for (int i = 0; i < 100000; ++i)
            spiky.push_back({double(i), r.next() < 0.01 ? r.next() * 1000 - 500 : r.next(), TiPlotPointKind::Normal});
        cases.push_back({"spikes", spiky, axesFor(0, 99999, -300, 600)});
        // Long runs of equal pixels: zero-length segments in every column.
        std::vector<TiPlotPoint> steps;
        for (int i = 0; i < 40000; ++i)
            steps.push_back({double(i / 100), double((i / 37) % 3), TiPlotPointKind::Normal});
        cases.push_back({"steps", steps, axesFor(0, 400, -1, 4)});
        cases.push_back({"steps at ratio 2", steps, axesFor(0, 400, -1, 4), 0, 2});
        auto w = walk(100000, 5);
        const auto [lo, hi] = range(w);
        cases.push_back({"walk at ratio 2", w, axesFor(0, 99999, lo, hi - lo), 0, 2});
        cases.push_back({"zoomed in at ratio 2", w, axesFor(700, 900, lo, hi - lo), 0, 2});
    }
    for (const Case& c : cases) {
        TiPlotDataNullList list;
        if (c.ring)
            list.SetRingBufferSize(c.ring);
        for (const auto& p : c.pts)
            append(list, p);
        ASSERT_TRUE(list.XOrdered()) << c.name;
        TiPlotPointView points;
        TiPlotSummaryView view;
        list.ViewPoints(0, list.Count(), points);
        list.SummaryPoints(0, list.Count(), view);
        std::vector<QLine> lines;
        ASSERT_TRUE(TiPlotTraceMath::summaryLines(points, view, c.axes, lines)) << c.name;
        const QImage slow = render(list, c.axes, false, c.ratio);
        const QImage fast = render(list, c.axes, true, c.ratio);
        EXPECT_TRUE(slow == fast) << c.name;
    }
}
