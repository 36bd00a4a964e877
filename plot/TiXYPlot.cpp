#include "plot/TiXYPlot.h"

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

TiXYPlot::TiXYPlot(QWidget* parent) : TiPlotComponent(parent)
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
