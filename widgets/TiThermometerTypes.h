#pragma once

#include <QObject>

// Enumerations of the thermometer, assignable by name through setProperty.
namespace TiThermometerEnums {
Q_NAMESPACE

// Tube with a bulb, or a bar (plain, in a sunken frame, in a raised frame).
enum TiThermometerIndicatorStyle { itisBulb, itisBar, itisBarSunken, itisBarRaised };
Q_ENUM_NS(TiThermometerIndicatorStyle)

// Where a bar fills from: the minimum, the maximum or a reference value.
enum TiPointerFillReferenceStyle { ipfrsMin, ipfrsMax, ipfrsValue };
Q_ENUM_NS(TiPointerFillReferenceStyle)
} // namespace TiThermometerEnums

using namespace TiThermometerEnums;
