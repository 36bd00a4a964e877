#pragma once

#include "plot/TiPlotComponent.h"
#include "plot/TiXYPlotChannel.h"

class TiPlotAxisInteraction;
class TiXYPlotRenderer;

// The XY chart: channels of (X, Y) points drawn against named axes.
class TiXYPlot : public TiPlotComponent {
    Q_OBJECT

public:
    // The console's stored plot (the Graph tab's iXYPlot1).
    static constexpr const char* ConsolePlotResource = ":/plot/iXYPlot1.json";

    explicit TiXYPlot(QWidget* parent = nullptr);
    ~TiXYPlot() override;

    // The channel at index as the XY channel class.
    TiXYPlotChannel* GetChannel(int index) const;

    std::unique_ptr<TiPlotComponent> CreateDefaultInstance() const override;

    // The paint's results (rectangles, scales, ticks, legend rows) and the
    // mouse handling.
    TiXYPlotRenderer& Renderer() { return *m_renderer; }
    TiPlotAxisInteraction& Interaction() { return *m_interaction; }

    void MasterRemove(TiPlotObject* object) override;

protected:
    void iPaintTo(TiCanvas& canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool iMouseWheel(int wheelDelta, TShiftState shift, QPoint mousePos) override;

private:
    std::unique_ptr<TiXYPlotRenderer> m_renderer;
    std::unique_ptr<TiPlotAxisInteraction> m_interaction;
};
