#pragma once
// Segment arithmetic of the LED bar and the lamp colours, kept free of any
// painting so the counts can be checked directly.
#include "widgets/TiColor.h"

namespace TiLedBarMath {

// Colour of a round lamp for its state.
TColor lampColor(bool active, TColor activeColor, bool autoInactiveColor, TColor inactiveColor);

struct SegmentLayout {
    int count = 0;    // whole segments that fit
    int leftover = 0; // half of the unused length, centring the row
    int pitch = 0;    // segment size plus spacing
};

// `length` is the working rectangle's extent along the bar.
SegmentLayout segmentLayout(int length, int segmentSize, int segmentSpacing, int segmentMargin);

// Segments lit for a position fraction `percent` (0..1) out of `count`:
// round(percent * count + 0.5), formed in extended precision, ties to even.
int litSegments(double percent, int count);

// First segment index of the section that starts at `sectionEnd`.
int sectionBoundary(double sectionEnd, double positionMin, double positionMax, int count);

// Section number (1..3) of segment `index`, never shrinking along the bar.
int sectionOfSegment(int index, int sectionCount, int boundary1, int boundary2);

} // namespace TiLedBarMath
