#pragma once

#include "plot/TiPlotLayoutObject.h"

class TiPlotAxis;

// The data view: background, grid and frame. Its grid axes are named and
// resolved on first use, like a channel's axes.
class TiPlotDataView : public TiPlotLayoutObject {
    Q_GADGET
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(bool BackgroundTransparent READ BackgroundTransparent WRITE SetBackgroundTransparent)
    Q_PROPERTY(int BackgroundColor READ BackgroundColor WRITE SetBackgroundColor)
    Q_PROPERTY(bool GridShow READ GridShow WRITE SetGridShow)
    Q_PROPERTY(QString GridXAxisName READ GridXAxisName WRITE SetGridXAxisName)
    Q_PROPERTY(QString GridYAxisName READ GridYAxisName WRITE SetGridYAxisName)
    Q_PROPERTY(int GridLineColor READ GridLineColor WRITE SetGridLineColor)
    Q_PROPERTY(bool GridLineShowLeft READ GridLineShowLeft WRITE SetGridLineShowLeft)
    Q_PROPERTY(bool GridLineShowTop READ GridLineShowTop WRITE SetGridLineShowTop)
    Q_PROPERTY(bool GridLineShowRight READ GridLineShowRight WRITE SetGridLineShowRight)
    Q_PROPERTY(bool GridLineShowBottom READ GridLineShowBottom WRITE SetGridLineShowBottom)
    Q_PROPERTY(bool GridLineShowXMajors READ GridLineShowXMajors WRITE SetGridLineShowXMajors)
    Q_PROPERTY(bool GridLineShowYMajors READ GridLineShowYMajors WRITE SetGridLineShowYMajors)
    Q_PROPERTY(bool GridLineShowXMinors READ GridLineShowXMinors WRITE SetGridLineShowXMinors)
    Q_PROPERTY(bool GridLineShowYMinors READ GridLineShowYMinors WRITE SetGridLineShowYMinors)
    Q_PROPERTY(TiPlotEnums::TiPlotGridLineStyle GridLineMajorStyle READ GridLineMajorStyle WRITE SetGridLineMajorStyle)
    Q_PROPERTY(TiPlotEnums::TiPlotGridLineStyle GridLineMinorStyle READ GridLineMinorStyle WRITE SetGridLineMinorStyle)
    Q_PROPERTY(bool GridLineXMajorCustom READ GridLineXMajorCustom WRITE SetGridLineXMajorCustom)
    Q_PROPERTY(bool GridLineXMinorCustom READ GridLineXMinorCustom WRITE SetGridLineXMinorCustom)
    Q_PROPERTY(bool GridLineYMajorCustom READ GridLineYMajorCustom WRITE SetGridLineYMajorCustom)
    Q_PROPERTY(bool GridLineYMinorCustom READ GridLineYMinorCustom WRITE SetGridLineYMinorCustom)
    Q_PROPERTY(int GridLineXMajorColor READ GridLineXMajorColor WRITE SetGridLineXMajorColor)
    Q_PROPERTY(int GridLineXMinorColor READ GridLineXMinorColor WRITE SetGridLineXMinorColor)
    Q_PROPERTY(int GridLineYMajorColor READ GridLineYMajorColor WRITE SetGridLineYMajorColor)
    Q_PROPERTY(int GridLineYMinorColor READ GridLineYMinorColor WRITE SetGridLineYMinorColor)
    Q_PROPERTY(int GridLineXMajorWidth READ GridLineXMajorWidth WRITE SetGridLineXMajorWidth)
    Q_PROPERTY(int GridLineXMinorWidth READ GridLineXMinorWidth WRITE SetGridLineXMinorWidth)
    Q_PROPERTY(int GridLineYMajorWidth READ GridLineYMajorWidth WRITE SetGridLineYMajorWidth)
    Q_PROPERTY(int GridLineYMinorWidth READ GridLineYMinorWidth WRITE SetGridLineYMinorWidth)
    Q_PROPERTY(TiPlotEnums::TiPlotGridLineStyle GridLineXMajorStyle READ GridLineXMajorStyle WRITE SetGridLineXMajorStyle)
    Q_PROPERTY(TiPlotEnums::TiPlotGridLineStyle GridLineXMinorStyle READ GridLineXMinorStyle WRITE SetGridLineXMinorStyle)
    Q_PROPERTY(TiPlotEnums::TiPlotGridLineStyle GridLineYMajorStyle READ GridLineYMajorStyle WRITE SetGridLineYMajorStyle)
    Q_PROPERTY(TiPlotEnums::TiPlotGridLineStyle GridLineYMinorStyle READ GridLineYMinorStyle WRITE SetGridLineYMinorStyle)
    Q_PROPERTY(bool AxesControlEnabled READ AxesControlEnabled WRITE SetAxesControlEnabled)
    Q_PROPERTY(TiPlotEnums::TiPlotAxesControlStyle AxesControlMouseStyle READ AxesControlMouseStyle WRITE SetAxesControlMouseStyle)
    Q_PROPERTY(TiPlotEnums::TiPlotAxesControlStyle AxesControlWheelStyle READ AxesControlWheelStyle WRITE SetAxesControlWheelStyle)
    TI_PLOT_GADGET_META

public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    TiPlotKind Kind() const override { return TiPlotKind::DataView; }

#define TI_DV_FIELD(Type, Name, field) \
    Type Name() const { return field; } \
    void Set##Name(const Type& value) { SetChanging(field, value); }

    TI_DV_FIELD(QString, Title, m_title)
    TI_DV_FIELD(bool, BackgroundTransparent, m_backgroundTransparent)
    TI_DV_FIELD(TColor, BackgroundColor, m_backgroundColor)
    TI_DV_FIELD(bool, GridShow, m_gridShow)
    TI_DV_FIELD(TColor, GridLineColor, m_gridLineColor)
    TI_DV_FIELD(bool, GridLineShowLeft, m_showLeft)
    TI_DV_FIELD(bool, GridLineShowTop, m_showTop)
    TI_DV_FIELD(bool, GridLineShowRight, m_showRight)
    TI_DV_FIELD(bool, GridLineShowBottom, m_showBottom)
    TI_DV_FIELD(bool, GridLineShowXMajors, m_showXMajors)
    TI_DV_FIELD(bool, GridLineShowYMajors, m_showYMajors)
    TI_DV_FIELD(bool, GridLineShowXMinors, m_showXMinors)
    TI_DV_FIELD(bool, GridLineShowYMinors, m_showYMinors)
    TI_DV_FIELD(TiPlotGridLineStyle, GridLineMajorStyle, m_majorStyle)
    TI_DV_FIELD(TiPlotGridLineStyle, GridLineMinorStyle, m_minorStyle)
    TI_DV_FIELD(bool, GridLineXMajorCustom, m_xMajorCustom)
    TI_DV_FIELD(bool, GridLineXMinorCustom, m_xMinorCustom)
    TI_DV_FIELD(bool, GridLineYMajorCustom, m_yMajorCustom)
    TI_DV_FIELD(bool, GridLineYMinorCustom, m_yMinorCustom)
    TI_DV_FIELD(TColor, GridLineXMajorColor, m_xMajorColor)
    TI_DV_FIELD(TColor, GridLineXMinorColor, m_xMinorColor)
    TI_DV_FIELD(TColor, GridLineYMajorColor, m_yMajorColor)
    TI_DV_FIELD(TColor, GridLineYMinorColor, m_yMinorColor)
    TI_DV_FIELD(int, GridLineXMajorWidth, m_xMajorWidth)
    TI_DV_FIELD(int, GridLineXMinorWidth, m_xMinorWidth)
    TI_DV_FIELD(int, GridLineYMajorWidth, m_yMajorWidth)
    TI_DV_FIELD(int, GridLineYMinorWidth, m_yMinorWidth)
    TI_DV_FIELD(TiPlotGridLineStyle, GridLineXMajorStyle, m_xMajorStyle)
    TI_DV_FIELD(TiPlotGridLineStyle, GridLineXMinorStyle, m_xMinorStyle)
    TI_DV_FIELD(TiPlotGridLineStyle, GridLineYMajorStyle, m_yMajorStyle)
    TI_DV_FIELD(TiPlotGridLineStyle, GridLineYMinorStyle, m_yMinorStyle)
    TI_DV_FIELD(bool, AxesControlEnabled, m_axesControlEnabled)
    TI_DV_FIELD(TiPlotAxesControlStyle, AxesControlMouseStyle, m_axesControlMouseStyle)
    TI_DV_FIELD(TiPlotAxesControlStyle, AxesControlWheelStyle, m_axesControlWheelStyle)
#undef TI_DV_FIELD

    QString GridXAxisName() const { return m_gridXAxisName; }
    void SetGridXAxisName(const QString& value);
    QString GridYAxisName() const { return m_gridYAxisName; }
    void SetGridYAxisName(const QString& value);

    // The grid axes, resolved by name on first use ("<ALL>" resolves to none).
    TiPlotAxis* XAxisNeeded();
    TiPlotAxis* YAxisNeeded();

    void NotificationRemove(TiPlotObject* object) override;
    void NotificationRename(TiPlotObject* object) override;

private:
    QString m_title;
    bool m_backgroundTransparent = true;
    TColor m_backgroundColor = clTeal;
    bool m_gridShow = true;
    QString m_gridXAxisName;
    QString m_gridYAxisName;
    TColor m_gridLineColor = clGreen;
    bool m_showLeft = true;
    bool m_showTop = true;
    bool m_showRight = true;
    bool m_showBottom = true;
    bool m_showXMajors = true;
    bool m_showYMajors = true;
    bool m_showXMinors = false;
    bool m_showYMinors = false;
    TiPlotGridLineStyle m_majorStyle = ipglsSolid;
    TiPlotGridLineStyle m_minorStyle = ipglsSolid;
    bool m_xMajorCustom = false;
    bool m_xMinorCustom = false;
    bool m_yMajorCustom = false;
    bool m_yMinorCustom = false;
    TColor m_xMajorColor = clGreen;
    TColor m_xMinorColor = clGreen;
    TColor m_yMajorColor = clGreen;
    TColor m_yMinorColor = clGreen;
    int m_xMajorWidth = 0;
    int m_xMinorWidth = 0;
    int m_yMajorWidth = 0;
    int m_yMinorWidth = 0;
    TiPlotGridLineStyle m_xMajorStyle = ipglsSolid;
    TiPlotGridLineStyle m_xMinorStyle = ipglsSolid;
    TiPlotGridLineStyle m_yMajorStyle = ipglsSolid;
    TiPlotGridLineStyle m_yMinorStyle = ipglsSolid;
    bool m_axesControlEnabled = false;
    TiPlotAxesControlStyle m_axesControlMouseStyle = ipacsBoth;
    TiPlotAxesControlStyle m_axesControlWheelStyle = ipacsXAxis;
    TiPlotAxis* m_xAxis = nullptr;
    TiPlotAxis* m_yAxis = nullptr;
};
