#include "plot/TiPlotChannelCustom.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotDataCompactIntervalList.h"
#include "plot/TiPlotDataCompactList.h"
#include "plot/TiPlotDataFullList.h"
#include "plot/TiPlotDataNullList.h"
#include "widgets/TiError.h"

#include <cmath>

namespace {

std::unique_ptr<TiPlotDataCustomList> NewDataList(TiPlotDataStyle style)
{
    switch (style) {
    case ipdsCompact:
        return std::make_unique<TiPlotDataCompactList>();
    case ipdsCompactInterval:
        return std::make_unique<TiPlotDataCompactIntervalList>();
    case ipdsFullFeature:
        return std::make_unique<TiPlotDataFullList>();
    case ipdsStandard:
        break;
    }
    return std::make_unique<TiPlotDataNullList>();
}

} // namespace

TiPlotChannelCustom::TiPlotChannelCustom(TiPlotComponent* owner, const TiPlotObjectHooks& hooks)
    : TiPlotManagerObject(owner, hooks), m_list(NewDataList(ipdsStandard))
{
}

TiPlotChannelCustom::~TiPlotChannelCustom() = default;

// ---------------------------------------------------------------- properties

void TiPlotChannelCustom::SetXAxisName(const QString& value) { SetReferenceName(m_xAxisName, m_xAxis, value); }

void TiPlotChannelCustom::SetYAxisName(const QString& value) { SetReferenceName(m_yAxisName, m_yAxis, value); }

void TiPlotChannelCustom::SetDataStyle(TiPlotDataStyle value)
{
    if (value == m_dataStyle)
        return;
    // The points go; the look and the ring size stay.
    auto list = NewDataList(value);
    list->Defaults = m_list->Defaults;
    list->SetRingBufferSize(m_list->GetRingBufferSize());
    m_list = std::move(list);
    m_dataStyle = value;
    TriggerChange();
}

void TiPlotChannelCustom::SetRingBufferSize(int value)
{
    m_list->SetRingBufferSize(value);
    TriggerChange();
}

void TiPlotChannelCustom::LogDeactivate()
{
    if (!m_loggingActive)
        throw TiError(QStringLiteral("Logging not Active"));
    SetLoggingActive(false);
}

// ---------------------------------------------------------------- points

int TiPlotChannelCustom::AddXY(double x, double y)
{
    const int slot = m_list->Add(x, y);
    if (x > m_runXMax)
        m_runXMax = x;
    if (x < m_runXMin)
        m_runXMin = x;
    if (y > m_runYMax)
        m_runYMax = y;
    if (y < m_runYMin)
        m_runYMin = y;
    ++m_runCount;
    m_runXSum += x;
    m_runYSum += y;
    m_meansStale = true;

    if (m_xAxisTrackingEnabled || m_yAxisTrackingEnabled) {
        const int last = m_list->Count() - 1;
        // The axes found before, without a call per point.
        TiPlotAxis* xAxis = !m_xAxisTrackingEnabled ? nullptr : m_xAxis ? m_xAxis : GetXAxis();
        TiPlotAxis* yAxis = !m_yAxisTrackingEnabled ? nullptr : m_yAxis ? m_yAxis : GetYAxis();
        if (MarkersVisible()) {
            if (xAxis) {
                xAxis->NewTrackingData(GetDataXDrawMax(last));
                xAxis->NewTrackingData(GetDataXDrawMin(last));
            }
            if (yAxis) {
                yAxis->NewTrackingData(GetDataYDrawMax(last));
                yAxis->NewTrackingData(GetDataYDrawMin(last));
            }
        } else {
            if (xAxis)
                xAxis->NewTrackingData(x);
            if (yAxis)
                yAxis->NewTrackingData(y);
        }
    }
    TriggerChange();
    return slot;
}

int TiPlotChannelCustom::AddSpecial(bool null)
{
    const int slot = m_list->Add(0, 0);
    const int last = m_list->Count() - 1;
    m_list->SetNull(last, null);
    m_list->SetEmpty(last, !null);
    TriggerChange();
    return slot;
}

namespace {

// A one-dimensional array: a list none of whose items is itself a list.
bool IsOneDimensional(const QVariant& v)
{
    if (v.typeId() != QMetaType::QVariantList)
        return false;
    for (const QVariant& item : v.toList())
        if (item.typeId() == QMetaType::QVariantList)
            return false;
    return true;
}

double NumberAt(const QVariantList& list, int index, const char* which)
{
    bool ok = false;
    const double value = list.at(index).toDouble(&ok);
    if (!ok)
        throw TiError(QStringLiteral("%1-Data item %2 is not a number").arg(QLatin1String(which)).arg(index));
    return value;
}

} // namespace

void TiPlotChannelCustom::AddXYArrays(const QVariant& xData, const QVariant& yData)
{
    if (!IsOneDimensional(xData))
        throw TiError(QStringLiteral("X-Data array must be 1 dimensional"));
    if (!IsOneDimensional(yData))
        throw TiError(QStringLiteral("Y-Data array must be 1 dimensional"));
    const QVariantList xs = xData.toList();
    const QVariantList ys = yData.toList();
    // Lists start at 0, so only the high bounds can differ.
    if (xs.size() != ys.size())
        throw TiError(QStringLiteral("X-Data and Y-Data hogh bound dimension must match"));
    // Convert everything first so that a bad item adds nothing.
    std::vector<std::pair<double, double>> points;
    points.reserve(xs.size());
    for (int i = 0; i < xs.size(); ++i)
        points.emplace_back(NumberAt(xs, i, "X"), NumberAt(ys, i, "Y"));
    for (const auto& [x, y] : points)
        AddXY(x, y);
}

void TiPlotChannelCustom::AddXYArray(const QVariant& data)
{
    if (data.typeId() != QMetaType::QVariantList)
        throw TiError(QStringLiteral("Array Must Be 2 Dimensional"));
    const QVariantList rows = data.toList();
    for (const QVariant& row : rows)
        if (!IsOneDimensional(row))
            throw TiError(QStringLiteral("Array Must Be 2 Dimensional"));
    if (rows.size() != 2)
        throw TiError(QStringLiteral("Array First Dimension Must Be 2 Elements"));
    if (rows[0].toList().size() != rows[1].toList().size())
        throw TiError(QStringLiteral("Array Must Be 2 Dimensional"));
    AddXYArrays(rows[0], rows[1]);
}

void TiPlotChannelCustom::ResetRunning()
{
    m_meansStale = false;
    m_runXMin = m_runYMin = 1e300;
    m_runXMax = m_runYMax = -1e300;
    m_runXMean = m_runYMean = 0;
    m_runCount = 0;
    m_runXSum = m_runYSum = 0;
}

void TiPlotChannelCustom::Clear()
{
    ResetRunning();
    m_drawStart = m_drawStop = -1;
    if (m_loggingActive)
        LogDeactivate();
    m_list->Clear();
    TriggerChange();
}

void TiPlotChannelCustom::SetCount(int count)
{
    m_list->SetCapacity(count);
    TriggerChange();
}

void TiPlotChannelCustom::DeletePoints(int count)
{
    m_list->DeletePoints(count);
    TriggerChange();
}

void TiPlotChannelCustom::SetDataX(int index, double value)
{
    m_list->SetX(index, value);
    TriggerChange();
}

void TiPlotChannelCustom::SetDataY(int index, double value)
{
    m_list->SetY(index, value);
    TriggerChange();
}

void TiPlotChannelCustom::SetDataNull(int index, bool value)
{
    m_list->SetNull(index, value);
    TriggerChange();
}

void TiPlotChannelCustom::SetDataEmpty(int index, bool value)
{
    m_list->SetEmpty(index, value);
    TriggerChange();
}

void TiPlotChannelCustom::ChangePoint(int index, const std::function<void(TiPlotPointAttributes&)>& change)
{
    TiPlotPointAttributes a = m_list->GetAttributes(index);
    change(a);
    m_list->SetAttributes(index, a);
    TriggerChange();
}

void TiPlotChannelCustom::SetDataMarkerShow(int index, bool value)
{
    ChangePoint(index, [&](TiPlotPointAttributes& a) { a.MarkerVisible = value; });
}

void TiPlotChannelCustom::SetDataMarkerStyle(int index, TiPlotMarkerStyle value)
{
    ChangePoint(index, [&](TiPlotPointAttributes& a) { a.MarkerStyle = value; });
}

void TiPlotChannelCustom::SetDataMarkerSize(int index, int value)
{
    ChangePoint(index, [&](TiPlotPointAttributes& a) { a.MarkerSize = value; });
}

void TiPlotChannelCustom::SetDataTraceColor(int index, TColor value)
{
    ChangePoint(index, [&](TiPlotPointAttributes& a) { a.TraceColor = value; });
}

void TiPlotChannelCustom::SetDataTraceLineStyle(int index, TiPlotLineStyle value)
{
    ChangePoint(index, [&](TiPlotPointAttributes& a) { a.TraceLineStyle = value; });
}

void TiPlotChannelCustom::SetDataTraceLineWidth(int index, int value)
{
    ChangePoint(index, [&](TiPlotPointAttributes& a) { a.TraceLineWidth = value; });
}

// ---------------------------------------------------------------- statistics

namespace {

template <typename Fold> void ForNormalPoints(const TiPlotDataCustomList& list, Fold fold)
{
    for (int i = 0; i < list.Count(); ++i) {
        double x, y;
        bool empty, null;
        list.GetXYEmptyNull(i, x, y, empty, null);
        if (!empty && !null)
            fold(x, y);
    }
}

} // namespace

double TiPlotChannelCustom::GetXMax()
{
    double v = -1e300;
    ForNormalPoints(*m_list, [&](double x, double) { v = std::max(v, x); });
    return m_runXMax = v;
}

double TiPlotChannelCustom::GetXMin()
{
    double v = 1e300;
    ForNormalPoints(*m_list, [&](double x, double) { v = std::min(v, x); });
    return m_runXMin = v;
}

double TiPlotChannelCustom::GetYMax()
{
    double v = -1e300;
    ForNormalPoints(*m_list, [&](double, double y) { v = std::max(v, y); });
    return m_runYMax = v;
}

double TiPlotChannelCustom::GetYMin()
{
    double v = 1e300;
    ForNormalPoints(*m_list, [&](double, double y) { v = std::min(v, y); });
    return m_runYMin = v;
}

double TiPlotChannelCustom::GetXMean()
{
    SettleMeans();
    m_runCount = 0;
    m_runXSum = 0;
    ForNormalPoints(*m_list, [&](double x, double) {
        m_runXSum += x;
        ++m_runCount;
    });
    return m_runXMean = m_runCount ? static_cast<double>(m_runXSum / m_runCount) : 0;
}

double TiPlotChannelCustom::GetYMean()
{
    SettleMeans();
    m_runCount = 0;
    m_runYSum = 0;
    ForNormalPoints(*m_list, [&](double, double y) {
        m_runYSum += y;
        ++m_runCount;
    });
    return m_runYMean = m_runCount ? static_cast<double>(m_runYSum / m_runCount) : 0;
}

void TiPlotChannelCustom::ReCalcRunningMinMaxMean()
{
    ResetRunning();
    ForNormalPoints(*m_list, [&](double x, double y) {
        m_runXMin = std::min(m_runXMin, x);
        m_runXMax = std::max(m_runXMax, x);
        m_runYMin = std::min(m_runYMin, y);
        m_runYMax = std::max(m_runYMax, y);
        m_runXSum += x;
        m_runYSum += y;
        ++m_runCount;
    });
    if (m_runCount) {
        m_runXMean = static_cast<double>(m_runXSum / m_runCount);
        m_runYMean = static_cast<double>(m_runYSum / m_runCount);
    }
}

// ---------------------------------------------------------------- axes

TiPlotAxis* TiPlotChannelCustom::GetXAxis()
{
    if (!m_xAxis)
        m_xAxis = Owner()->GetXAxisByName(m_xAxisName);
    return m_xAxis;
}

TiPlotAxis* TiPlotChannelCustom::GetYAxis()
{
    if (!m_yAxis)
        m_yAxis = Owner()->GetYAxisByName(m_yAxisName);
    return m_yAxis;
}

void TiPlotChannelCustom::GetPointPixels(double x, double y, int& px, int& py)
{
    TiPlotAxis* xAxis = GetXAxis();
    TiPlotAxis* yAxis = GetYAxis();
    if (!xAxis || !yAxis) {
        px = py = 0;
        return;
    }
    px = xAxis->PositionToPixels(x);
    py = yAxis->PositionToPixels(y);
}

void TiPlotChannelCustom::NotificationRemove(TiPlotObject* object)
{
    if (object == m_xAxis)
        m_xAxis = nullptr;
    if (object == m_yAxis)
        m_yAxis = nullptr;
}

void TiPlotChannelCustom::NotificationRename(TiPlotObject* object)
{
    if (object == m_xAxis)
        m_xAxisName = object->Name();
    if (object == m_yAxis)
        m_yAxisName = object->Name();
}

// ---------------------------------------------------------------- extents

double TiPlotChannelCustom::MarkerHalfWidth(bool xAxis)
{
    TiPlotAxis* axis = xAxis ? GetXAxis() : GetYAxis();
    if (!axis)
        throw TiError(xAxis ? QStringLiteral("X-Axis not assigned") : QStringLiteral("Y-Axis not assigned"));
    return std::fabs(axis->PixelsToPosition(2 * MarkersSize()) - axis->PixelsToPosition(0)) / 2;
}

double TiPlotChannelCustom::DataDrawEdge(int index, bool xAxis, double side)
{
    if (m_list->GetNull(index))
        throw TiError(QStringLiteral("Data Point Null"));
    const double v = xAxis ? m_list->GetX(index) : m_list->GetY(index);
    return MarkersVisible() ? v + side * MarkerHalfWidth(xAxis) : v;
}

double TiPlotChannelCustom::GetDataXDrawMax(int index) { return DataDrawEdge(index, true, 1); }

double TiPlotChannelCustom::GetDataXDrawMin(int index) { return DataDrawEdge(index, true, -1); }

double TiPlotChannelCustom::GetDataYDrawMax(int index) { return DataDrawEdge(index, false, 1); }

double TiPlotChannelCustom::GetDataYDrawMin(int index) { return DataDrawEdge(index, false, -1); }

double TiPlotChannelCustom::VisibleExtent(bool xAxis, bool maximum)
{
    double result = maximum ? -1e300 : 1e300;
    if (!Visible() || !AxesValid() || m_list->Count() == 0)
        return result;
    for (int i = 0; i < m_list->Count(); ++i) {
        if (m_list->GetNull(i) || m_list->GetEmpty(i))
            continue;
        const double v = xAxis ? (maximum ? GetDataXDrawMax(i) : GetDataXDrawMin(i))
                               : (maximum ? GetDataYDrawMax(i) : GetDataYDrawMin(i));
        result = maximum ? std::max(result, v) : std::min(result, v);
    }
    return result;
}
