#pragma once

#include <QObject>

// Enumerations shared by several widgets. They live in a Qt namespace so that
// the window can assign them by name or by number through setProperty.
namespace TiEnums {
Q_NAMESPACE

// 3-D frame of a widget or of a tick line.
enum TiBevelStyle { ibsNone, ibsRaised, ibsLowered };
Q_ENUM_NS(TiBevelStyle)

// What a property change must redraw: only the moving parts, the cached
// static layers too, or nothing at all.
enum TiRepaintType { irtInvalidate, irtBackGround, irtNone };
Q_ENUM_NS(TiRepaintType)

enum TiOrientation { ioVertical, ioHorizontal };
Q_ENUM_NS(TiOrientation)

enum TiOrientationSide { iosBottomRight, iosTopLeft };
Q_ENUM_NS(TiOrientationSide)

enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };
Q_ENUM_NS(TiAlignmentHorizontal)

enum TiAlignmentVertical { iavCenter, iavTop, iavBottom };
Q_ENUM_NS(TiAlignmentVertical)
} // namespace TiEnums

using namespace TiEnums;
