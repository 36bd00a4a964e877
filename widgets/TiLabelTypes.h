#pragma once

#include <QObject>

// Enumerations of the label and the value read-out, assignable by name
// through setProperty.
namespace TiLabelEnums {
Q_NAMESPACE

// Frame round a label; its margin is 0, 1, 2 and 2 pixels respectively.
enum TiLabelBorderStyle { ilbsNone, ilbsSingle, ilbsLowered, ilbsRaised };
Q_ENUM_NS(TiLabelBorderStyle)

// Horizontal placement of an edit field's text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

// Key filter of the read-out while it is edited.
enum TiFilterInputStyle { ifisNone, ifisAuto };
Q_ENUM_NS(TiFilterInputStyle)
} // namespace TiLabelEnums

using namespace TiLabelEnums;
