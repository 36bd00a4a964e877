#pragma once
// How an axis' range follows new data and the mouse: tracking in every
// style with the first-value alignment, zoom to fit, zoom, the values saved
// while tracking is off, and the drag and wheel gestures. Pure arithmetic on
// Min and Span; the axis object applies the results with SetMinSpan.
#include "plot/TiPlotTypes.h"

#include <optional>

struct TiPlotRange {
    double Min = 0;
    double Span = 100;
    double Max() const { return Min + Span; }
    friend bool operator==(const TiPlotRange&, const TiPlotRange&) = default;
};

struct TiPlotTrackingSettings {
    bool Enabled = true;
    TiPlotTrackingStyle Style = iptsScaleMinMax;
    TiPlotAlignFirstStyle AlignFirst = ipafsNone;
    double ScrollCompressMax = 0;
};

// Values saved when tracking is switched off.
struct TiPlotResumeValues {
    double Min = 0;
    double Span = 100;
    double LabelsMinLength = 5;
};

namespace TiPlotTracking {

enum class Fit { None, ZoomToFit, ZoomToFitFast };

struct Outcome {
    TiPlotRange Range;             // for SetMinSpan
    bool FirstValueAligned = false;
    Fit FitInstead = Fit::None;    // the expand/collapse styles fit instead
};

// One tracked value V.
Outcome newTrackingData(const TiPlotRange& current, bool firstValueAligned, const TiPlotTrackingSettings& s,
                        double v);

// What SetMinSpan stores: Min within +-1e300, Span within 1e-300..1e300;
// on a log axis a value <= 0 becomes 1.
TiPlotRange normalized(TiPlotRange r, TiPlotScaleType type);

// Range spanning lo..hi of the channels' extents; none when there is no
// extent (the -1e300 / +1e300 markers) or it has no width.
std::optional<TiPlotRange> zoomToFit(double lo, double hi);

// Zoom by a factor around the centre (log: in decades). Raises
// "Linear Scale Zoom Factor must be Greater than Zero" for factor <= 0 on a
// linear axis.
TiPlotRange zoom(const TiPlotRange& r, double factor, TiPlotScaleType type);

// Switching tracking on or off: the range to restore (when switching on with
// RestoreValuesOnResume) and the values to save (when switching off).
struct Toggle {
    std::optional<TiPlotRange> Restore;
    std::optional<double> RestoreLabelsMinLength;
    std::optional<TiPlotResumeValues> Save;
};
Toggle setTrackingEnabled(bool enabled, bool newEnabled, bool restoreOnResume, const TiPlotResumeValues& now,
                          const TiPlotResumeValues& saved);
// "Update Resume Values" is offered while tracking is off and the range
// differs from the saved one.
bool updateResumeValuesEnabled(bool trackingEnabled, const TiPlotRange& now, const TiPlotResumeValues& saved);

// Pointer movement along the axis in the direction of growing values:
// right on a horizontal axis, up on a vertical one, flipped when reversed.
int dragDelta(int dx, int dy, bool horizontal, bool reverseScale);
// Control inverts the mode (0 scroll, 1 zoom) for one gesture.
bool zoomMode(int mode, bool control);

struct ScrollLimits {
    bool Enabled = false;
    double Min = 0;
    double Max = 100;
};
// Scrolling follows the pointer: Min moves back by the dragged fraction.
TiPlotRange dragScroll(const TiPlotRange& r, int delta, int spanLength, const ScrollLimits& limits = {});
// Zooming: a quarter decade per scale length dragged, centred.
TiPlotRange dragZoom(const TiPlotRange& r, int delta, int spanLength);
// One wheel notch (sign of the wheel delta).
TiPlotRange wheelScroll(const TiPlotRange& r, int notchSign);
TiPlotRange wheelZoom(const TiPlotRange& r, int notchSign);

} // namespace TiPlotTracking
