#pragma once

#include "plot/TiPlotObject.h"
#include "plot/TiPlotTypes.h"
#include "widgets/TiCanvas.h"

// A limit line or band inside the data view, at values of one axis: a line
// across the data view at `Position`, or a band filled from `Position` to
// `Position2`. Bands are drawn before the grid, lines after it.
class TiPlotLimit : public TiPlotObject {
    Q_GADGET
    Q_PROPERTY(TiPlotEnums::TiPlotLimitStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(QString AxisName READ AxisName WRITE SetAxisName)
    Q_PROPERTY(double Position READ Position WRITE SetPosition)
    Q_PROPERTY(double Position2 READ Position2 WRITE SetPosition2)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
    Q_PROPERTY(TiPlotEnums::TiPlotLineStyle LineStyle READ LineStyle WRITE SetLineStyle)
    TI_PLOT_GADGET_META

public:
    using TiPlotObject::TiPlotObject;
    TiPlotKind Kind() const override { return TiPlotKind::Limit; }

    TiPlotLimitStyle Style() const { return m_style; }
    void SetStyle(TiPlotLimitStyle value) { SetChanging(m_style, value); }
    QString AxisName() const { return m_axisName; }
    void SetAxisName(const QString& value) { SetChanging(m_axisName, value); }
    double Position() const { return m_position; }
    void SetPosition(double value) { SetChanging(m_position, value); }
    double Position2() const { return m_position2; }
    void SetPosition2(double value) { SetChanging(m_position2, value); }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { SetChanging(m_color, value); }
    int LineWidth() const { return m_lineWidth; }
    void SetLineWidth(int value) { SetChanging(m_lineWidth, value); }
    TiPlotLineStyle LineStyle() const { return m_lineStyle; }
    void SetLineStyle(TiPlotLineStyle value) { SetChanging(m_lineStyle, value); }

    bool Filled() const { return m_style == ipltXBand || m_style == ipltYBand; }
    bool OnXAxis() const { return m_style == ipltXValue || m_style == ipltXBand; }

private:
    TiPlotLimitStyle m_style = ipltYValue;
    QString m_axisName;
    double m_position = 50;
    double m_position2 = 60;
    TColor m_color = clYellow;
    int m_lineWidth = 1;
    TiPlotLineStyle m_lineStyle = iplsSolid;
};
