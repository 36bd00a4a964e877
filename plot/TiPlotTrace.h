#pragma once
// Drawing a channel's points: the trace between consecutive points, clipped
// to the axes' ranges in value space, with Null points breaking the line and
// Empty points skipped; and the markers. The trace has two ways that give
// the same pixels: segment by segment, and a fast one that, for thin solid
// lines, merges the points that fall into one pixel column.
#include "plot/TiPlotScaleMap.h"
#include "widgets/TiCanvas.h"

#include <QChar>
#include <QLine>
#include <bit>
#include <cstddef>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

enum class TiPlotPointKind : unsigned char { Normal, Null, Empty };

// One point as a channel hands it over for drawing.
struct TiPlotPoint {
    double X = 0;
    double Y = 0;
    TiPlotPointKind Kind = TiPlotPointKind::Normal;
};

// The points of a trace read where they are kept: records of the size of a
// TiPlotPoint holding X and Y (doubles) and then a byte whose bit 0 means Null and
// bit 1 Empty, in at most two contiguous pieces (a ring that wraps). A span
// of TiPlotPoint is such a view, and so is a list storing points alike.
class TiPlotPointView {
public:
    struct Piece {
        const std::byte* Data = nullptr;
        std::size_t Count = 0;
    };
    static constexpr unsigned char KindNull = 1;
    static constexpr unsigned char KindEmpty = 2;

    TiPlotPointView() = default;
    TiPlotPointView(std::span<const TiPlotPoint> points)
        : m_pieces {Piece {reinterpret_cast<const std::byte*>(points.data()), points.size()}, Piece {}}
    {
    }
    TiPlotPointView(const std::vector<TiPlotPoint>& points) : TiPlotPointView(std::span<const TiPlotPoint>(points)) {}
    TiPlotPointView(Piece first, Piece second) : m_pieces {first, second} {}

    std::size_t size() const { return m_pieces[0].Count + m_pieces[1].Count; }
    bool empty() const { return size() == 0; }
    static constexpr std::size_t Stride = sizeof(TiPlotPoint);
    const Piece& piece(int k) const { return m_pieces[k]; }

    TiPlotPoint operator[](std::size_t i) const { return pointAt(record(i)); }

    static double xAt(const std::byte* r) { return load(r); }
    static double yAt(const std::byte* r) { return load(r + sizeof(double)); }
    static unsigned char kindBits(const std::byte* r) { return static_cast<unsigned char>(r[2 * sizeof(double)]); }
    static TiPlotPoint pointAt(const std::byte* r)
    {
        const unsigned char k = kindBits(r);
        return TiPlotPoint {xAt(r), yAt(r),
                            (k & KindNull)    ? TiPlotPointKind::Null
                            : (k & KindEmpty) ? TiPlotPointKind::Empty
                                              : TiPlotPointKind::Normal};
    }

private:
    const std::byte* record(std::size_t i) const
    {
        return i < m_pieces[0].Count ? m_pieces[0].Data + i * Stride
                                     : m_pieces[1].Data + (i - m_pieces[0].Count) * Stride;
    }
    static double load(const std::byte* p)
    {
        double v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }

    Piece m_pieces[2];
};

static_assert(offsetof(TiPlotPoint, Y) == sizeof(double) && offsetof(TiPlotPoint, Kind) == 2 * sizeof(double));
static_assert(static_cast<unsigned char>(TiPlotPointKind::Null) == TiPlotPointView::KindNull
              && static_cast<unsigned char>(TiPlotPointKind::Empty) == TiPlotPointView::KindEmpty);
static_assert(std::endian::native == std::endian::little, "the flag words' low byte is read as the kind byte");

struct TiPlotTraceStyle {
    TColor Color = clRed;
    TiPlotLineStyle LineStyle = iplsSolid;
    int Width = 1; // 0 and 1 both give the thinnest line
};

// The two axes a channel is drawn against; with Reversed X runs up the
// widget and Y across it.
struct TiPlotTraceAxes {
    TiPlotScaleMap X;
    TiPlotScaleMap Y;
    bool Reversed = false;
};

struct TiPlotMarker {
    TiPlotMarkerStyle Style = ipmsCircle;
    int Size = 3;
    TColor PenColor = clRed;
    TiPenStyle PenStyle = psSolid;
    int PenWidth = 0;
    TColor BrushColor = clRed;
    TiBrushStyle BrushStyle = bsSolid;
    QChar Character;
};

namespace TiPlotTrace {

// The pen style that draws a line style.
TiPenStyle penStyle(TiPlotLineStyle style);

// Value-space segment; after clipping (X1, Y1) is the end of smaller X.
struct Segment {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// Orders the ends by X, tests the segment against the ranges and moves its
// ends onto them. False when nothing of it is to be drawn.
bool clipSegment(Segment& s, double xMin, double xMax, double yMin, double yMax);

// Clips the segment and maps it to a drawn line; false when not drawn
// (outside the ranges, or an end off its scale).
bool segmentLine(double x1, double y1, double x2, double y2, const TiPlotTraceAxes& axes, QLine& line);

// Whether the fast way may draw a trace of this style (thin solid lines).
bool fastPathApplies(const TiPlotTraceStyle& style);

// Per-point trace attributes for lists that keep them; the style of point
// `index` is used for the segment that ends there.
using PointStyle = std::function<TiPlotTraceStyle(int index)>;

// Every segment on its own, as the points come.
void drawSegments(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
                  const TiPlotTraceStyle& style, const PointStyle& pointStyle = {});

// The same picture; thin solid lines go through the column reduction.
void draw(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
          const TiPlotTraceStyle& style);

// The lines the fast way draws for a thin trace (exposed for the tests and
// the benchmark).
std::vector<QLine> reducedLines(const TiPlotPointView& points, const TiPlotTraceAxes& axes);

// One marker centred on pixel (x, y).
void drawMarker(TiCanvas& canvas, int x, int y, const TiPlotMarker& marker);
// The legend's sample: the same marker, no larger than 6.
void drawLegendMarker(TiCanvas& canvas, int x, int y, TiPlotMarker marker);

// Per-point marker for lists with individual markers: fills `marker` and
// returns whether point `index` shows one.
using PointMarker = std::function<bool(int index, TiPlotMarker& marker)>;

// Markers of every normal point on both scales; none when turnOffLimit > 0
// and more than turnOffLimit points would be drawn.
void drawMarkers(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
                 const TiPlotMarker& marker, int turnOffLimit, const PointMarker& pointMarker = {});

} // namespace TiPlotTrace
