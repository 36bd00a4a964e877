#pragma once
// What the plot paint benchmarks share: a full paint of the widget, the same
// chart with channel 0 drawn segment by segment (the picture a full paint
// must equal), and QCustomPlot set up to draw a series the same way.
#include "plot/TiPlotAxis.h"
#include "plot/TiPlotChannelPainter.h"
#include "plot/TiXYPlot.h"
#include "plot/TiXYPlotRenderer.h"
#include "widgets/TiCanvas.h"

#include <QImage>
#include <QPainter>
#include <vector>

#ifdef HX_HAVE_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

namespace PlotPaintSupport {

inline void Paint(TiXYPlot& plot, QImage& image)
{
    QPainter painter(&image);
    plot.iPaintToDC(0, 0, painter, false);
}

// The chart with channel 0 drawn segment by segment over a paint that
// leaves it out.
inline QImage SegmentBySegment(TiXYPlot& plot, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    TiXYPlotChannel& c = *plot.GetChannel(0);
    c.SetVisible(false);
    Paint(plot, image);
    c.SetVisible(true);
    const TiRect dv = plot.Renderer().DataViewRect();
    TiCanvas canvas(image);
    canvas.SetClipRect(TiRect {dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1});
    c.DrawSetup();
    std::vector<TiPlotPoint> scratch;
    const TiPlotPointView points = TiPlotChannelPainter::View(c, scratch);
    TiPlotTrace::drawSegments(canvas, points, plot.Renderer().TraceAxes(*c.GetXAxis(), *c.GetYAxis()),
                              TiPlotChannelPainter::ChannelTrace(c));
    return image;
}

#ifdef HX_HAVE_QCUSTOMPLOT
// One graph of the series with adaptive sampling and a one-pixel aliased
// pen over the given ranges, axes and grid hidden.
inline void SetUpSeries(QCustomPlot& plot, int width, int height, const QVector<double>& xs,
                        const QVector<double>& ys, double xMin, double xMax, double yMin, double yMax)
{
    plot.resize(width, height);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.xAxis->setVisible(false);
    plot.yAxis->setVisible(false);
    plot.xAxis->grid()->setVisible(false);
    plot.yAxis->grid()->setVisible(false);
    QCPGraph* graph = plot.addGraph();
    graph->setPen(QPen(Qt::red, 1));
    graph->setAdaptiveSampling(true);
    graph->setData(xs, ys, true);
    plot.xAxis->setRange(xMin, xMax);
    plot.yAxis->setRange(yMin, yMax);
}
#endif

} // namespace PlotPaintSupport
