#include "plot/TiPlotPropertyLimits.h"

#include <cstring>
#include <limits>

namespace TiPlotPropertyLimits {
namespace {

constexpr double kIntMin = std::numeric_limits<int>::min();
constexpr double kIntMax = std::numeric_limits<int>::max();
constexpr double kAnyDouble = std::numeric_limits<double>::max();

// Any 32-bit value draws: system colours map to the palette, the rest to RGB.
constexpr Range kColor{kIntMin, kIntMax};
// Margins and tick lengths in pixels.
constexpr Range kPixels{-1000, 1000};
constexpr Range kPenWidth{0, 100};
// Multiples of a text height or character width.
constexpr Range kTextMargin{-10, 10};
constexpr Range kTextSpacing{0, 10};
constexpr Range kTextLength{0, 100};
constexpr Range kPrecision{-100, 100};
constexpr Range kValue{-1e300, 1e300};
constexpr Range kMilliseconds{0, 3600000};
constexpr Range kBufferSize{0, 1000000};
constexpr Range kZOrder{0, 999};

struct Entry {
    const char* name;
    Range range;
};

constexpr Entry kProperties[] = {
    // Colours.
    {"BackGroundColor", kColor},
    {"BackgroundColor", kColor},
    {"BackGroundGradientStartColor", kColor},
    {"BackGroundGradientStopColor", kColor},
    {"AnnotationDefaultBrushColor", kColor},
    {"AnnotationDefaultPenColor", kColor},
    {"BrushColor", kColor},
    {"PenColor", kColor},
    {"Color", kColor},
    {"MarkersPenColor", kColor},
    {"MarkersBrushColor", kColor},
    {"ScaleLinesColor", kColor},
    {"SelectedItemBackGroundColor", kColor},
    {"GridLineColor", kColor},
    {"GridLineXMajorColor", kColor},
    {"GridLineXMinorColor", kColor},
    {"GridLineYMajorColor", kColor},
    {"GridLineYMinorColor", kColor},
    // Pen and brush styles by ordinal.
    {"AnnotationDefaultPenStlye", {0, 5}},
    {"PenStyle", {0, 5}},
    {"MarkersPenStyle", {0, 5}},
    {"AnnotationDefaultBrushStlye", {0, 1}},
    {"BrushStyle", {0, 1}},
    {"MarkersBrushStyle", {0, 1}},
    // Pixels.
    {"OuterMarginLeft", kPixels},
    {"OuterMarginTop", kPixels},
    {"OuterMarginRight", kPixels},
    {"OuterMarginBottom", kPixels},
    {"InnerMargin", kPixels},
    {"OuterMargin", kPixels},
    {"MajorLength", kPixels},
    {"MinorLength", kPixels},
    {"AnnotationDefaultPenWidth", kPenWidth},
    {"PenWidth", kPenWidth},
    {"TraceLineWidth", kPenWidth},
    {"MarkersPenWidth", kPenWidth},
    {"MarkersSize", {0, 100}},
    {"GridLineXMajorWidth", kPenWidth},
    {"GridLineXMinorWidth", kPenWidth},
    {"GridLineYMajorWidth", kPenWidth},
    {"GridLineYMinorWidth", kPenWidth},
    // Text-relative sizes.
    {"TitleMargin", kTextMargin},
    {"LabelsMargin", kTextMargin},
    {"StackingEndsMargin", kTextMargin},
    {"MarginLeft", kTextMargin},
    {"MarginTop", kTextMargin},
    {"MarginRight", kTextMargin},
    {"MarginBottom", kTextMargin},
    {"ColumnSpacing", kTextSpacing},
    {"RowSpacing", kTextSpacing},
    {"WrapRowSpacingMin", kTextSpacing},
    {"WrapColSpacingMin", kTextSpacing},
    {"LabelSeparation", kTextLength},
    {"LabelsMinLength", kTextLength},
    {"CursorMinLength", kTextLength},
    {"LegendMinLength", kTextLength},
    {"ChannelNameMaxWidth", kTextLength},
    // Counts and digits.
    {"MinorCount", {0, 1000}},
    {"WrapColDesiredCount", {0, 1000}},
    {"WrapRowDesiredCount", {0, 1000}},
    {"WrapColAutoCountMax", {0, 1000}},
    {"WrapRowAutoCountMax", {0, 1000}},
    {"LabelsPrecision", kPrecision},
    {"CursorPrecision", kPrecision},
    {"LegendPrecision", kPrecision},
    {"MarkersTurnOffLimit", {kIntMin, kIntMax}},
    {"RingBufferSize", kBufferSize},
    {"LogBufferSize", kBufferSize},
    // Axis values; Min and Span clamp themselves.
    {"Min", {-kAnyDouble, kAnyDouble}},
    {"Span", {-kAnyDouble, kAnyDouble}},
    {"DesiredStart", kValue},
    {"DesiredIncrement", {0, 1e300}},
    {"CartesianChildRefValue", kValue},
    {"ScrollMin", kValue},
    {"ScrollMax", kValue},
    {"TrackingScrollCompressMax", {0, 1e300}},
    {"CursorScaler", kValue},
    // Layout and paint order.
    {"ZOrder", kZOrder},
    {"DataViewZHorz", kZOrder},
    {"DataViewZVert", kZOrder},
    {"StartPercent", {0, 100}},
    {"StopPercent", {0, 100}},
    // The layer key clamps.
    {"Layer", {kIntMin, kIntMax}},
    // Periphery: timers and printing.
    {"HintsPause", kMilliseconds},
    {"HintsHidePause", kMilliseconds},
    {"OPCUpdateRate", kMilliseconds},
    {"PrintMarginLeft", {0, 100}},
    {"PrintMarginTop", {0, 100}},
    {"PrintMarginRight", {0, 100}},
    {"PrintMarginBottom", {0, 100}},
};

constexpr Entry kFontFields[] = {
    {"Height", {-500, 500}},
    {"Color", kColor},
    {"Style", {0, 15}},
    {"Orientation", {-360, 360}},
};

template <std::size_t N> std::optional<Range> Find(const Entry (&table)[N], const char* name)
{
    for (const Entry& entry : table)
        if (std::strcmp(entry.name, name) == 0)
            return entry.range;
    return std::nullopt;
}

} // namespace

std::optional<Range> Of(const char* property) { return Find(kProperties, property); }

std::optional<Range> OfFontField(const char* field) { return Find(kFontFields, field); }

} // namespace TiPlotPropertyLimits
