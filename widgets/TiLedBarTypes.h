#pragma once

#include <QObject>

// Enumerations of the LED bar, assignable by name through setProperty.
namespace TiLedBarEnums {
Q_NAMESPACE

// Direction in which a bar fills.
enum TiDirection { idUp, idDown, idRight, idLeft };
Q_ENUM_NS(TiDirection)

enum TiLedBarSegmentStyle { ilbssRectangle, ilbssCircle, ilbssTriangle };
Q_ENUM_NS(TiLedBarSegmentStyle)
} // namespace TiLedBarEnums

using namespace TiLedBarEnums;
