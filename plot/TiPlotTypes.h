#pragma once

#include <QObject>

// Enumerations of the XY plot. Like the widget enumerations they live in a Qt
// namespace, so stored configurations and the window can name values by text.
namespace TiPlotEnums {
Q_NAMESPACE

// Storage class of a channel's points.
enum TiPlotDataStyle { ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature };
Q_ENUM_NS(TiPlotDataStyle)

enum TiPlotLineStyle { iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot };
Q_ENUM_NS(TiPlotLineStyle)

// The ordinal is stored in a standard point's flag word (bits 3 to 6).
enum TiPlotMarkerStyle {
    ipmsCircle, ipmsSquare, ipmsDiamond, ipmsCross, ipmsPlus, ipmsTriangleUp, ipmsTriangleDown,
    ipmsTriangleLeft, ipmsTriangleRight, ipmsVerticalLine, ipmsHorizontalLine, ipmsCharacter
};
Q_ENUM_NS(TiPlotMarkerStyle)

enum TiPlotTrackingStyle {
    iptsScaleMinMax, iptsScaleMax, iptsScaleMin, iptsScrollSmooth, iptsScrollPage,
    iptsExpandCollapse, iptsExpandCollapseFast
};
Q_ENUM_NS(TiPlotTrackingStyle)

enum TiPlotAlignFirstStyle { ipafsMin, ipafsMax, ipafsAuto, ipafsNone };
Q_ENUM_NS(TiPlotAlignFirstStyle)

enum TiPlotTextFormat { iptfValue, iptfExponent, iptfPrefix, iptfDateTime, iptfPrice32nds, iptfThousands };
Q_ENUM_NS(TiPlotTextFormat)

enum TiPlotScaleType { ipstLinear, ipstLog10 };
Q_ENUM_NS(TiPlotScaleType)

enum TiRotationAngle { ira000, ira090, ira180, ira270 };
Q_ENUM_NS(TiRotationAngle)

enum TiPlotCartesianStyle { ipcsNone, ipcsMaster, ipcsChild };
Q_ENUM_NS(TiPlotCartesianStyle)

enum TiPlotGridLineStyle { ipglsSolid, ipglsDash, ipglsDot };
Q_ENUM_NS(TiPlotGridLineStyle)

enum TiPlotAxesControlStyle { ipacsXAxis, ipacsYAxis, ipacsBoth };
Q_ENUM_NS(TiPlotAxesControlStyle)

enum TiFillDirection { ifdTopBottom, ifdBottomTop, ifdLeftRight, ifdRightLeft };
Q_ENUM_NS(TiFillDirection)

enum TiPlotLegendChannelNameColorStyle {
    iplcncsFont, iplcncsChannelColor, iplcncsXAxisFontColor, iplcncsYAxisFontColor
};
Q_ENUM_NS(TiPlotLegendChannelNameColorStyle)

// Whether a segment's Y is a scale value or a percentage of the data view.
enum TiPlotUnitReference { ipurScale, ipurPercent };
Q_ENUM_NS(TiPlotUnitReference)

// A limit: a line at one value of an axis or a band between two.
enum TiPlotLimitStyle { ipltXValue, ipltYValue, ipltXBand, ipltYBand };
Q_ENUM_NS(TiPlotLimitStyle)

enum TiPlotEditorFormStyle { ipfsModal, ipfsModeless };
Q_ENUM_NS(TiPlotEditorFormStyle)

enum TiPlotExportFormat { ipefMetaFile, ipefBitmap, ipefJPEG, ipefPNG };
Q_ENUM_NS(TiPlotExportFormat)

enum TiPlotDataFileColumnSeparator { ipdfcsTab, ipdfcsComma, ipdfcsSpace };
Q_ENUM_NS(TiPlotDataFileColumnSeparator)

enum TiPlotDataFileFormat { ipdffText, ipdffBinary };
Q_ENUM_NS(TiPlotDataFileFormat)
} // namespace TiPlotEnums

using namespace TiPlotEnums;
