#pragma once
// A channel's point as the trace reads it, and a view of points where a data
// list keeps them. Storage, the summary and the column arithmetic share these
// without anything that draws.
#include <bit>
#include <cstddef>
#include <cstring>
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
