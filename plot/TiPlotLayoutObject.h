#pragma once

#include "plot/TiPlotManagerObject.h"
#include "widgets/TiGeometry.h"

class TiCanvas;

// A plot object that takes a band beside the data view.
class TiPlotLayoutObject : public TiPlotManagerObject {
    Q_GADGET
    Q_PROPERTY(bool Horizontal READ Horizontal WRITE SetHorizontal)
    Q_PROPERTY(int ZOrder READ ZOrder WRITE SetZOrder)
    Q_PROPERTY(double StartPercent READ StartPercent WRITE SetStartPercent)
    Q_PROPERTY(double StopPercent READ StopPercent WRITE SetStopPercent)
    Q_PROPERTY(bool ForceStacking READ ForceStacking WRITE SetForceStacking)
    TI_PLOT_GADGET_META

public:
    using TiPlotManagerObject::TiPlotManagerObject;

    bool IsLayoutObject() const override { return true; }

    bool Horizontal() const { return m_horizontal; }
    void SetHorizontal(bool value) { SetLayoutChanging(m_horizontal, value); }
    int ZOrder() const { return m_zOrder; }
    void SetZOrder(int value) { SetLayoutChanging(m_zOrder, value); }
    double StartPercent() const { return m_startPercent; }
    void SetStartPercent(double value) { SetChanging(m_startPercent, value); }
    double StopPercent() const { return m_stopPercent; }
    void SetStopPercent(double value) { SetChanging(m_stopPercent, value); }
    bool ForceStacking() const { return m_forceStacking; }
    void SetForceStacking(bool value) { SetLayoutChanging(m_forceStacking, value); }

    // The layout manager's bookkeeping stores these without notifying.
    void StoreZOrder(int value) { m_zOrder = value; }
    void StoreHorizontal(bool value) { m_horizontal = value; }

    bool ReverseSide() const { return m_reverseSide; }
    void SetReverseSide(bool value) { m_reverseSide = value; }
    bool StartStacked() const { return m_startStacked; }
    void SetStartStacked(bool value) { m_startStacked = value; }
    bool StopStacked() const { return m_stopStacked; }
    void SetStopStacked(bool value) { m_stopStacked = value; }
    const TiRect& DrawRect() const { return m_drawRect; }
    void SetDrawRect(const TiRect& rect) { m_drawRect = rect; }
    const TiRect& LayoutRect() const { return m_layoutRect; }
    void SetLayoutRect(const TiRect& rect) { m_layoutRect = rect; }

    bool GetIsHorz() const { return Horizontal(); }
    bool GetIsVert() const { return !Horizontal(); }
    // Thickness across the side and overhang beyond the ends, in pixels.
    virtual int GetRequiredWidth(TiCanvas&) { return 0; }
    virtual int GetRequiredLengthGaurd(TiCanvas&) { return 0; }

private:
    bool m_horizontal = false;
    int m_zOrder = 0;
    double m_startPercent = 0;
    double m_stopPercent = 100;
    bool m_forceStacking = false;
    bool m_reverseSide = false;
    bool m_startStacked = false;
    bool m_stopStacked = false;
    TiRect m_drawRect{};
    TiRect m_layoutRect{};
};
