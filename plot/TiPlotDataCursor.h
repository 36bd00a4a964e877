#pragma once

#include "plot/TiPlotManagerObject.h"

// A data cursor: reads channel values at a position in the data view.
class TiPlotDataCursor : public TiPlotManagerObject {
    Q_GADGET
    Q_PROPERTY(QString ChannelName READ ChannelName WRITE SetChannelName)
    Q_PROPERTY(bool ChannelShowAllInLegend READ ChannelShowAllInLegend WRITE SetChannelShowAllInLegend)
    TI_PLOT_GADGET_META

public:
    using TiPlotManagerObject::TiPlotManagerObject;
    TiPlotKind Kind() const override { return TiPlotKind::DataCursor; }

    QString ChannelName() const { return m_channelName; }
    void SetChannelName(const QString& value) { SetChanging(m_channelName, value); }
    bool ChannelShowAllInLegend() const { return m_showAll; }
    void SetChannelShowAllInLegend(bool value) { SetChanging(m_showAll, value); }

private:
    QString m_channelName = QStringLiteral("<All>");
    bool m_showAll = false;
};
