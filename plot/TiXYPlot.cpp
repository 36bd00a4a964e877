#include "plot/TiXYPlot.h"

#include "plot/TiPlotAxisInteraction.h"
#include "plot/TiXYPlotRenderer.h"
#include "widgets/TiCanvas.h"
#include "widgets/TiError.h"

// The stored plots compiled into the library (a static library needs them
// registered by hand).
static void InitPlotResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(plot);
        return true;
    }();
    (void)done;
}

TiXYPlot::TiXYPlot(QWidget* parent)
    : TiPlotComponent(parent), m_renderer(std::make_unique<TiXYPlotRenderer>(*this)),
      m_interaction(std::make_unique<TiPlotAxisInteraction>(*this, *m_renderer))
{
    InitPlotResources();
    Master().SetChannelClass([this]() {
        return std::unique_ptr<TiPlotChannelCustom>(std::make_unique<TiXYPlotChannel>(this, Master().Hooks()));
    });
    CreateDefaultObjects();
}

TiXYPlotChannel* TiXYPlot::GetChannel(int index) const
{
    auto* channel = dynamic_cast<TiXYPlotChannel*>(GetChannelCustom(index));
    if (!channel)
        throw TiError(QStringLiteral("Invalid class typecast"));
    return channel;
}

std::unique_ptr<TiPlotComponent> TiXYPlot::CreateDefaultInstance() const { return std::make_unique<TiXYPlot>(); }

TiXYPlot::~TiXYPlot() = default;

void TiXYPlot::MasterRemove(TiPlotObject* object)
{
    m_interaction->Forget(object);
    m_renderer->Forget(object);
    TiPlotComponent::MasterRemove(object);
}

void TiXYPlot::iPaintTo(TiCanvas& canvas)
{
    if (ToolBarCount() == 0 || LegendCount() == 0 || DataViewCount() == 0)
        return;
    m_renderer->Prepare(canvas);
    if (BackGroundGradientEnabled()) {
        const TColor start = BackGroundGradientStartColor(), stop = BackGroundGradientStopColor();
        const TiRect whole{0, 0, width(), height()};
        switch (BackGroundGradientDirection()) {
        case ifdTopBottom: canvas.GradientFill(whole, start, stop, true); break;
        case ifdBottomTop: canvas.GradientFill(whole, stop, start, true); break;
        case ifdLeftRight: canvas.GradientFill(whole, start, stop, false); break;
        case ifdRightLeft: canvas.GradientFill(whole, stop, start, false); break;
        }
    } else {
        DrawBackGround(canvas, BackGroundColor());
    }
    m_renderer->PaintInside(canvas);
    canvas.Brush = TiBrush{BackGroundColor(), bsSolid};
    DrawBorder(canvas);
    m_renderer->PaintOutside(canvas);
    m_renderer->PaintLegends(canvas);
}

void TiXYPlot::iMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TiPlotComponent::iMouseDown(button, shift, x, y);
    m_interaction->MouseDown(button, shift, x, y);
}

void TiXYPlot::iMouseMove(TShiftState shift, int x, int y)
{
    TiPlotComponent::iMouseMove(shift, x, y);
    m_interaction->MouseMove(shift, x, y);
}

void TiXYPlot::iMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TiPlotComponent::iMouseUp(button, shift, x, y);
    m_interaction->MouseUp(button, shift, x, y);
}

bool TiXYPlot::iMouseWheel(int wheelDelta, TShiftState shift, QPoint mousePos)
{
    return m_interaction->MouseWheel(wheelDelta, shift, mousePos) || TiPlotComponent::iMouseWheel(wheelDelta, shift, mousePos);
}
