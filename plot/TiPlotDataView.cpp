#include "plot/TiPlotDataView.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotComponent.h"

namespace {

bool IsAll(const QString& name) { return name.toUpper() == QLatin1String("<ALL>"); }

} // namespace

void TiPlotDataView::SetGridXAxisName(const QString& value) { SetReferenceName(m_gridXAxisName, m_xAxis, value); }

void TiPlotDataView::SetGridYAxisName(const QString& value) { SetReferenceName(m_gridYAxisName, m_yAxis, value); }

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
