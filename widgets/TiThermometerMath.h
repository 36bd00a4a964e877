#pragma once
// Tube geometry of the thermometer: where the column sits and how high the
// liquid stands for a value.

namespace TiThermometerMath {

// Edges of the tube; right and bottom are exclusive like every widget rectangle.
struct Tube {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class Style { Bulb, Bar, BarFramed };

// Distance the centre moves away from the tick side (before halving) so that
// tube, ticks and labels sit centred together. `labelSize` is the larger label
// extent across the scale, `markerExtent` the largest margin + size of a shown marker.
int centerShift(bool showTickLabels, int tickLabelMargin, int labelSize, int indicatorWidth,
                int markerExtent, bool showTicksMajor, int tickMajorLength, int tickMargin);

Tube tube(bool vertical, Style style, int centreX, int centreY, int indicatorWidth, int bulbSize,
          int endsMargin, int width, int height, int offsetX, int offsetY);

// Pixel of a value fraction along the tube (GetPositionPixels).
int positionPixels(double percent, const Tube& t, bool vertical, bool reversed);

// Top of the liquid column of the bulb style for a fraction of the range.
int bulbLiquidTop(double percent, const Tube& t);

// Right end of the liquid of a horizontal bulb tube.
int bulbLiquidRight(double percent, const Tube& t);

} // namespace TiThermometerMath
