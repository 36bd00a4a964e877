#pragma once

#include "plot/TiPlotComponent.h"
#include "plot/TiXYPlotChannel.h"

// The XY chart: channels of (X, Y) points drawn against named axes.
class TiXYPlot : public TiPlotComponent {
    Q_OBJECT

public:
    // The console's stored plot (the Graph tab's iXYPlot1).
    static constexpr const char* ConsolePlotResource = ":/plot/iXYPlot1.json";

    explicit TiXYPlot(QWidget* parent = nullptr);

    // The channel at index as the XY channel class.
    TiXYPlotChannel* GetChannel(int index) const;

    std::unique_ptr<TiPlotComponent> CreateDefaultInstance() const override;
};
