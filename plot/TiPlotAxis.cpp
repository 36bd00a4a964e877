#include "plot/TiPlotAxis.h"

#include "plot/TiPlotChannelCustom.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotTracking.h"

#include <algorithm>
#include <optional>

void TiPlotAxis::SetMin(double value)
{
    value = TiPlotScale::clampMin(value);
    if (!(value != m_min))
        return;
    const double old = m_min;
    m_min = value;
    TriggerChange();
    if (Inserted() && Owner()->AxisEventsListened())
        Owner()->DoAxisMinChange(this, old, value, !m_inRangeChange, m_span);
}

void TiPlotAxis::SetSpan(double value)
{
    value = TiPlotScale::clampSpan(value);
    if (!(value != m_span))
        return;
    const double old = m_span;
    m_span = value;
    TriggerChange();
    if (Inserted() && Owner()->AxisEventsListened())
        Owner()->DoAxisSpanChange(this, old, value, !m_inRangeChange, m_min);
}

void TiPlotAxis::SetMinSpan(double min, double span)
{
    if (m_scaleType == ipstLog10) {
        if (min <= 0)
            min = 1;
        if (span <= 0)
            span = 1;
    }
    if (min == m_min && span == m_span)
        return;
    const double oldMin = m_min;
    const double oldSpan = m_span;
    m_inRangeChange = true;
    try {
        SetMin(min);
        SetSpan(span);
    } catch (...) {
        m_inRangeChange = false;
        throw;
    }
    m_inRangeChange = false;
    if (Inserted() && Owner()->AxisEventsListened())
        Owner()->DoAxisMinSpanChange(this, oldMin, oldSpan, m_min, m_span);
}

void TiPlotAxis::SetTrackingEnabled(bool value)
{
    if (value == m_trackingEnabled)
        return;
    const TiPlotTracking::Toggle toggle = TiPlotTracking::setTrackingEnabled(
        m_trackingEnabled, value, m_restoreValuesOnResume, {m_min, m_span, m_labelsMinLength},
        {m_resumeMin, m_resumeSpan, m_resumeLabelsMinLength});
    m_trackingEnabled = value;
    if (toggle.Restore)
        SetMinSpan(toggle.Restore->Min, toggle.Restore->Span);
    if (toggle.RestoreLabelsMinLength)
        m_labelsMinLength = *toggle.RestoreLabelsMinLength;
    if (toggle.Save)
        UpdateResumeValues();
    TriggerChange();
}

void TiPlotAxis::UpdateResumeValues()
{
    m_resumeMin = m_min;
    m_resumeSpan = m_span;
    m_resumeLabelsMinLength = m_labelsMinLength;
}

void TiPlotAxis::NewTrackingData(double value)
{
    if (!m_trackingEnabled)
        return;
    const TiPlotTracking::Outcome out = TiPlotTracking::newTrackingData(
        {m_min, m_span}, m_firstAligned,
        {m_trackingEnabled, m_trackingStyle, m_trackingAlignFirstStyle, m_trackingScrollCompressMax}, value);
    m_firstAligned = out.FirstValueAligned;
    switch (out.FitInstead) {
    case TiPlotTracking::Fit::ZoomToFit:
        ZoomToFit();
        return;
    case TiPlotTracking::Fit::ZoomToFitFast:
        ZoomToFitFast();
        return;
    case TiPlotTracking::Fit::None:
        break;
    }
    SetMinSpan(out.Range.Min, out.Range.Span);
}

namespace {

void FitTo(TiPlotAxis& axis, TiPlotComponent& plot, bool fast)
{
    double hi = -1e300;
    double lo = 1e300;
    for (int i = 0; i < plot.ChannelCount(); ++i) {
        TiPlotChannelCustom* channel = plot.GetChannelCustom(i);
        const QString name = axis.IsXAxis() ? channel->XAxisName() : channel->YAxisName();
        if (name.toUpper() != axis.Name().toUpper())
            continue;
        if (fast) {
            hi = std::max(hi, axis.IsXAxis() ? channel->RunningXMax() : channel->RunningYMax());
            lo = std::min(lo, axis.IsXAxis() ? channel->RunningXMin() : channel->RunningYMin());
        } else {
            hi = std::max(hi, axis.IsXAxis() ? channel->GetVisibleMaxX() : channel->GetVisibleMaxY());
            lo = std::min(lo, axis.IsXAxis() ? channel->GetVisibleMinX() : channel->GetVisibleMinY());
        }
    }
    if (const std::optional<TiPlotRange> range = TiPlotTracking::zoomToFit(lo, hi))
        axis.SetMinSpan(range->Min, range->Span);
}

} // namespace

void TiPlotAxis::ZoomToFit() { FitTo(*this, *Owner(), false); }

void TiPlotAxis::ZoomToFitFast() { FitTo(*this, *Owner(), true); }

// ---------------------------------------------------------------- references

void TiPlotAxis::SetCartesianChildRefAxisName(const QString& value) { SetReferenceName(m_cartesianChildRefAxisName, m_cartesianRef, value); }

void TiPlotAxis::SetAlignRefAxisName(const QString& value) { SetReferenceName(m_alignRefAxisName, m_alignRef, value); }

TiPlotAxis* TiPlotAxis::CartesianRefAxis()
{
    // The cartesian reference is an axis of the other kind.
    if (!m_cartesianRef)
        m_cartesianRef = IsXAxis() ? static_cast<TiPlotAxis*>(Owner()->GetYAxisByName(m_cartesianChildRefAxisName))
                                   : Owner()->GetXAxisByName(m_cartesianChildRefAxisName);
    return m_cartesianRef;
}

TiPlotAxis* TiPlotAxis::AlignRefAxis()
{
    if (!m_alignRef)
        m_alignRef = IsXAxis() ? static_cast<TiPlotAxis*>(Owner()->GetXAxisByName(m_alignRefAxisName))
                               : Owner()->GetYAxisByName(m_alignRefAxisName);
    return m_alignRef;
}

void TiPlotAxis::NotificationRemove(TiPlotObject* object)
{
    if (object == m_cartesianRef)
        m_cartesianRef = nullptr;
    if (object == m_alignRef)
        m_alignRef = nullptr;
}

void TiPlotAxis::NotificationRename(TiPlotObject* object)
{
    if (object == m_cartesianRef)
        m_cartesianChildRefAxisName = object->Name();
    if (object == m_alignRef)
        m_alignRefAxisName = object->Name();
}

// ---------------------------------------------------------------- pixel mapping

TiPlotScaleMap TiPlotAxis::ScaleMap(const TiRect& s) const
{
    if (Horizontal())
        return TiPlotScaleMap::horizontal(m_min, m_span, s.Left, s.Right, m_reverseScale, m_scaleType);
    return TiPlotScaleMap::vertical(m_min, m_span, s.Bottom, s.Top, m_reverseScale, m_scaleType);
}
