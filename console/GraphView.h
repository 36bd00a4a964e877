#pragma once

// What the Graph tab's handlers need of the window's XY plot: its channels
// by index. The window implements it on iXYPlot1; tests record the calls.
// A channel index the plot does not have raises the plot's error.
class GraphView {
public:
    virtual ~GraphView() = default;

    virtual void clearChannel(int channel) = 0;
    virtual void setChannelLayer(int channel, int layer) = 0;
    virtual void addChannelPoint(int channel, double x, double y) = 0;
};
