#pragma once

#include "plot/TiPlotManagerObject.h"
#include "widgets/TiCanvas.h"

// A data cursor: a line at `Position` on the first X axis and a box that
// reads, at that X, the value of every visible channel (or only the one
// named in ChannelName): the nearest point, none across a Null point.
class TiPlotDataCursor : public TiPlotManagerObject {
    Q_GADGET
    Q_PROPERTY(QString ChannelName READ ChannelName WRITE SetChannelName)
    Q_PROPERTY(bool ChannelShowAllInLegend READ ChannelShowAllInLegend WRITE SetChannelShowAllInLegend)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(double Position READ Position WRITE SetPosition)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    TI_PLOT_GADGET_META

public:
    using TiPlotManagerObject::TiPlotManagerObject;
    TiPlotKind Kind() const override { return TiPlotKind::DataCursor; }

    QString ChannelName() const { return m_channelName; }
    void SetChannelName(const QString& value) { SetChanging(m_channelName, value); }
    bool ChannelShowAllInLegend() const { return m_showAll; }
    void SetChannelShowAllInLegend(bool value) { SetChanging(m_showAll, value); }
    // Drawn only while active: placed by the mouse or the program.
    bool Active() const { return m_active; }
    void SetActive(bool value) { SetChanging(m_active, value); }
    double Position() const { return m_position; }
    void SetPosition(double value) { SetChanging(m_position, value); }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { SetChanging(m_color, value); }

private:
    QString m_channelName = QStringLiteral("<All>");
    bool m_showAll = false;
    bool m_active = false;
    double m_position = 50;
    TColor m_color = clYellow;
};
