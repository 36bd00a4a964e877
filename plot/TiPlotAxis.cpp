#include "plot/TiPlotAxis.h"

#include "plot/TiPlotChannelCustom.h"
#include "plot/TiPlotComponent.h"

#include <algorithm>
#include <cmath>

void TiPlotAxis::SetMin(double value)
{
    value = std::clamp(value, -1e300, 1e300);
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
    value = std::clamp(value, 1e-300, 1e300);
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
    m_trackingEnabled = value;
    if (m_restoreValuesOnResume) {
        if (value) {
            SetMinSpan(m_resumeMin, m_resumeSpan);
            m_labelsMinLength = m_resumeLabelsMinLength;
        } else {
            UpdateResumeValues();
        }
    }
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
    double newMin = m_min;
    double newSpan = m_span;
    if (!m_firstAligned) {
        m_firstAligned = true;
        switch (m_trackingAlignFirstStyle) {
        case ipafsMin:
            newMin = value;
            break;
        case ipafsMax:
            newMin = value - m_span;
            break;
        case ipafsAuto:
            if (value < m_min || value > m_min + m_span)
                newMin = value;
            break;
        case ipafsNone:
            break;
        }
    }
    const double maxNow = newMin + m_span;
    auto scrollSpan = [&] {
        if (m_trackingScrollCompressMax != 0)
            newSpan = m_span > m_trackingScrollCompressMax ? m_trackingScrollCompressMax : value - newMin;
    };
    switch (m_trackingStyle) {
    case iptsScaleMinMax:
        if (value > maxNow)
            newSpan = value - newMin;
        if (value < newMin)
            newMin = value;
        break;
    case iptsScaleMax:
        if (value > maxNow)
            newSpan = value - newMin;
        break;
    case iptsScaleMin:
        if (value < newMin)
            newMin = value;
        break;
    case iptsScrollSmooth:
        if (value > maxNow) {
            scrollSpan();
            newMin = value - newSpan;
        } else if (value < m_min) {
            newMin = value;
        }
        break;
    case iptsScrollPage:
        if (value > maxNow) {
            scrollSpan();
            newMin = newMin + newSpan;
        } else if (value < m_min) {
            newMin = newMin - newSpan;
        }
        break;
    case iptsExpandCollapse:
        ZoomToFit();
        return;
    case iptsExpandCollapseFast:
        ZoomToFitFast();
        return;
    }
    SetMinSpan(newMin, newSpan);
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
    if (hi > -1e299 && lo < 1e299 && hi != lo)
        axis.SetMinSpan(lo, hi - lo);
}

} // namespace

void TiPlotAxis::ZoomToFit() { FitTo(*this, *Owner(), false); }

void TiPlotAxis::ZoomToFitFast() { FitTo(*this, *Owner(), true); }

// ---------------------------------------------------------------- references

void TiPlotAxis::SetCartesianChildRefAxisName(const QString& value)
{
    if (value == m_cartesianChildRefAxisName)
        return;
    m_cartesianChildRefAxisName = value;
    m_cartesianRef = nullptr;
    TriggerChange();
}

void TiPlotAxis::SetAlignRefAxisName(const QString& value)
{
    if (value == m_alignRefAxisName)
        return;
    m_alignRefAxisName = value;
    m_alignRef = nullptr;
    TriggerChange();
}

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

void TiPlotAxis::SetScaleRect(const TiRect& rect)
{
    m_scaleRect = rect;
    if (Horizontal()) {
        m_minPixel = m_reverseScale ? rect.Right : rect.Left;
        m_maxPixel = m_reverseScale ? rect.Left : rect.Right;
    } else {
        m_minPixel = m_reverseScale ? rect.Top : rect.Bottom;
        m_maxPixel = m_reverseScale ? rect.Bottom : rect.Top;
    }
}

int TiPlotAxis::PositionToPixels(double value) const
{
    if (m_minPixel == m_maxPixel || m_span <= 1e-300)
        return (m_minPixel + m_maxPixel) / 2;
    const double range = m_minPixel - m_maxPixel;
    double offset;
    if (m_scaleType == ipstLog10) {
        const double m = m_min > 0 ? m_min : 1;
        const double s = m_span > 0 ? m_span : 1;
        const double l = std::log10(m + s) - std::log10(m);
        if (l == 0)
            return 0;
        offset = (std::log10(value > 0 ? value : 1) - std::log10(m)) * range / l;
    } else {
        offset = (value - m_min) * (range / m_span);
    }
    const double pixel = m_minPixel - std::nearbyint(offset);
    return static_cast<int>(std::clamp(pixel, -32000.0, 32000.0));
}

double TiPlotAxis::PixelsToPosition(int pixels) const
{
    double f;
    if (Horizontal()) {
        const int length = m_scaleRect.Right - m_scaleRect.Left;
        if (length == 0)
            return m_min;
        f = double(pixels - m_scaleRect.Left) / length;
    } else {
        const int length = m_scaleRect.Bottom - m_scaleRect.Top;
        if (length == 0)
            return m_min;
        f = double(m_scaleRect.Bottom - pixels) / length;
    }
    if (m_reverseScale)
        f = 1 - f;
    if (m_scaleType == ipstLog10) {
        const double lo = std::log10(m_min);
        return std::pow(10.0, lo + f * (std::log10(m_min + m_span) - lo));
    }
    return m_min + m_span * f;
}
