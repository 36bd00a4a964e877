#pragma once

#include <QObject>

namespace TiAngularGaugeEnums {
Q_NAMESPACE

// Shape of a pointer or marker on the dial.
enum TiAngularGaugePointerStyle { iagpsArrowLine, iagpsArrow, iagpsLine, iagpsTriangle };
Q_ENUM_NS(TiAngularGaugePointerStyle)

// ipfsPicture draws the standard face; a picture comes from BackGroundPicture.
enum TiPanelFaceStyle { ipfsNone, ipfsStandard, ipfsPicture };
Q_ENUM_NS(TiPanelFaceStyle)
} // namespace TiAngularGaugeEnums

using namespace TiAngularGaugeEnums;
