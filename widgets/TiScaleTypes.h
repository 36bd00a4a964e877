#pragma once

#include <QObject>

// Enumerations of the scale settings shared by every scale widget. A Qt
// namespace lets the window assign them by name through setProperty.
namespace TiScaleEnums {
Q_NAMESPACE

// Where the minor ticks sit within the band of the major ticks.
enum TiTickMinorAlignment { itmnaInside, itmnaCenter, itmnaOutside };
Q_ENUM_NS(TiTickMinorAlignment)

// How the number of label decimals is chosen.
enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };
Q_ENUM_NS(TiPrecisionStyle)

// iassAutoMinMax moves the bounds to round values enclosing the data;
// iassFixedMinMax keeps the bounds and puts the labels on round values inside.
enum TiAutoScaleStyle { iassAutoMinMax, iassFixedMinMax };
Q_ENUM_NS(TiAutoScaleStyle)

// Placement of labels round a dial: centred on their anchor, or pushed
// outward from it according to their angle.
enum TiLabelAlignment { ilaCenter, ilaJustified };
Q_ENUM_NS(TiLabelAlignment)
} // namespace TiScaleEnums

using namespace TiScaleEnums;
