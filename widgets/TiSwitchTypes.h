#pragma once

#include <QObject>

// Enumerations of the switches, assignable by name through setProperty.
namespace TiSwitchEnums {
Q_NAMESPACE

// Angle of the rotary knob's position 0, in steps of 45 degrees.
enum TiRotaryStartDegrees { irsd000, irsd045, irsd090, irsd135, irsd180, irsd225, irsd270, irsd315 };
Q_ENUM_NS(TiRotaryStartDegrees)

enum TiRotaryDesiredSpacing { irds22p5, irds45, irds90 };
Q_ENUM_NS(TiRotaryDesiredSpacing)

enum TiSwitchRotaryPointerStyle { isrpsPointer, isrpsRectangle };
Q_ENUM_NS(TiSwitchRotaryPointerStyle)

// irmcsGoto jumps to the position under the mouse; irmcsRotate turns the
// knob step by step as the mouse circles it.
enum TiRotaryMouseControlStyle { irmcsRotate, irmcsGoto };
Q_ENUM_NS(TiRotaryMouseControlStyle)

enum TiSwitchLedCaptionAlignment { islcaIndicator, islcaOppisiteSide };
Q_ENUM_NS(TiSwitchLedCaptionAlignment)

enum TiSideAlignment { isaBottom, isaTop, isaLeft, isaRight };
Q_ENUM_NS(TiSideAlignment)
} // namespace TiSwitchEnums

using namespace TiSwitchEnums;
