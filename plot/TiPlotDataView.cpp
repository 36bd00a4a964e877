#include "plot/TiPlotDataView.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotComponent.h"

namespace {

bool IsAll(const QString& name) { return name.toUpper() == QLatin1String("<ALL>"); }

} // namespace

void TiPlotDataView::SetGridXAxisName(const QString& value)
{
    if (value == m_gridXAxisName)
        return;
    m_gridXAxisName = value;
    m_xAxis = nullptr;
    TriggerChange();
}

void TiPlotDataView::SetGridYAxisName(const QString& value)
{
    if (value == m_gridYAxisName)
        return;
    m_gridYAxisName = value;
    m_yAxis = nullptr;
    TriggerChange();
}

TiPlotAxis* TiPlotDataView::XAxisNeeded()
{
    if (!m_xAxis && !IsAll(m_gridXAxisName))
        m_xAxis = Owner()->GetXAxisByName(m_gridXAxisName);
    return m_xAxis;
}

TiPlotAxis* TiPlotDataView::YAxisNeeded()
{
    if (!m_yAxis && !IsAll(m_gridYAxisName))
        m_yAxis = Owner()->GetYAxisByName(m_gridYAxisName);
    return m_yAxis;
}

void TiPlotDataView::NotificationRemove(TiPlotObject* object)
{
    if (object == m_xAxis)
        m_xAxis = nullptr;
    if (object == m_yAxis)
        m_yAxis = nullptr;
}

void TiPlotDataView::NotificationRename(TiPlotObject* object)
{
    if (object == m_xAxis)
        m_gridXAxisName = object->Name();
    if (object == m_yAxis)
        m_gridYAxisName = object->Name();
}
