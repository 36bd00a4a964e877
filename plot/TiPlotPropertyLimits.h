#pragma once

#include <optional>

// The values a stored plot property may take: wide enough for any plot a
// user would draw, narrow enough that layout and painting arithmetic never
// leave the range of its types. Colours and the axis range (whose setters
// clamp) take any value of their type.
namespace TiPlotPropertyLimits {

struct Range {
    double Min;
    double Max;
    bool Contains(double value) const { return value >= Min && value <= Max; }
};

// The range of a numeric published property of the plot or its objects,
// by property name; nothing for a name the table does not know.
std::optional<Range> Of(const char* property);

// The ranges of a font's numeric fields, by field name ("Height", ...).
std::optional<Range> OfFontField(const char* field);

// Documents longer than this are refused before they are parsed.
constexpr long long MaxDocumentBytes = 1 << 20;
// The channels of one document together keep at most this many points in
// ring buffers, which are allocated when the document is read.
constexpr long long MaxRingBufferPoints = 10000000;

} // namespace TiPlotPropertyLimits
