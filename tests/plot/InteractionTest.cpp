// The mouse on a plot, through real mouse events sent to the widget.
#include "PlotTestSupport.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotAxisInteraction.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"
#include "plot/TiXYPlotRenderer.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

void Send(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), button, buttons, mods);
    QApplication::sendEvent(&w, &e);
}

void Drag(QWidget& w, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    Send(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, mods);
    Send(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
    Send(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, mods);
}

QAction* ActionOf(QMenu* menu, const QString& text)
{
    if (!menu)
        return nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

QStringList TextsOf(QMenu* menu)
{
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    return texts;
}

// The console's plot, sized so that the X axis' scale is 500 pixels long.
struct ConsolePlot {
    TiXYPlot plot;
    ConsolePlot()
    {
        plot.LoadPropertiesFromFile(QString::fromLatin1(TiXYPlot::ConsolePlotResource));
        plot.resize(633, 409);
        plot.RenderToImage();
        // The bands depend a little on the width (labels), so settle it.
        for (int i = 0; i < 5 && x().ScaleRect().Right - x().ScaleRect().Left != 500; ++i) {
            plot.resize(plot.width() + 500 - (x().ScaleRect().Right - x().ScaleRect().Left), 409);
            plot.RenderToImage();
        }
    }
    TiPlotAxis& x() { return *plot.GetXAxis(0); }
    QPoint onX() { return QPoint(x().ScaleRect().Left + 100, x().DrawRect().Top + 8); }
};

} // namespace

TEST(PlotMouse, DraggingTheXAxisScrollsItAndStopsTracking)
{
    ConsolePlot p;
    ASSERT_EQ(p.x().ScaleRect().Right - p.x().ScaleRect().Left, 500);
    QSignalSpy clicks(&p.plot, &TiPlotComponent::OnClickXAxis);
    const QPoint from = p.onX();
    Drag(p.plot, from, from + QPoint(50, 0));
    EXPECT_DOUBLE_EQ(p.x().Min(), -57.5);
    EXPECT_DOUBLE_EQ(p.x().Span(), 125);
    EXPECT_FALSE(p.x().TrackingEnabled());
    EXPECT_EQ(clicks.count(), 1);

    // "Tracking Enabled" in the axis' popup menu brings back the range.
    p.plot.RenderToImage();
    Send(p.plot, QEvent::MouseButtonPress, p.onX(), Qt::RightButton, Qt::RightButton);
    QMenu* menu = p.plot.Interaction().PopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(TextsOf(menu), (QStringList{"Tracking Enabled", "Update Resume Values", "Zoom to Fit"}));
    QAction* tracking = ActionOf(menu, QStringLiteral("Tracking Enabled"));
    EXPECT_FALSE(tracking->isChecked());
    EXPECT_TRUE(ActionOf(menu, QStringLiteral("Update Resume Values"))->isEnabled());
    tracking->trigger();
    EXPECT_TRUE(p.x().TrackingEnabled());
    EXPECT_DOUBLE_EQ(p.x().Min(), -45);
    EXPECT_DOUBLE_EQ(p.x().Span(), 125);
}

TEST(PlotMouse, ControlDragZoomsAndTheWheelSteps)
{
    {
        ConsolePlot p;
        Drag(p.plot, p.onX(), p.onX() + QPoint(500, 0), Qt::ControlModifier);
        // A quarter decade per scale length, around the centre 17.5.
        EXPECT_NEAR(p.x().Span(), 125 / std::pow(10.0, 0.25), 1e-9);
        EXPECT_NEAR(p.x().Min() + p.x().Span() / 2, 17.5, 1e-9);
    }
    {
        ConsolePlot p;
        QWheelEvent wheel(QPointF(p.onX()), p.plot.mapToGlobal(QPointF(p.onX())), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&p.plot, &wheel);
        EXPECT_DOUBLE_EQ(p.x().Min(), -45 + 0.05 * 125);
        EXPECT_FALSE(p.x().TrackingEnabled());
    }
}

TEST(PlotMouse, MenusOfTheAxisAndTheDataView)
{
    ConsolePlot p;
    p.plot.SetUserCanEditObjects(true);
    p.plot.RenderToImage();
    Send(p.plot, QEvent::MouseButtonPress, p.onX(), Qt::RightButton, Qt::RightButton);
    QMenu* menu = p.plot.Interaction().PopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(TextsOf(menu).contains(QStringLiteral("Edit...")));
    // While tracking the range equals the saved one: nothing to update.
    EXPECT_FALSE(ActionOf(menu, QStringLiteral("Update Resume Values"))->isEnabled());

    const TiRect dv = p.plot.Renderer().DataViewRect();
    Send(p.plot, QEvent::MouseButtonPress, QPoint((dv.Left + dv.Right) / 2, (dv.Top + dv.Bottom) / 2), Qt::RightButton,
         Qt::RightButton);
    EXPECT_EQ(TextsOf(p.plot.Interaction().PopupMenu()),
              (QStringList{"Copy Image", "Save Image As...", "Save Data As..."}));

    // An axis whose popup is disabled opens nothing.
    p.x().SetPopupEnabled(false);
    p.plot.Interaction().Forget(nullptr);
    Send(p.plot, QEvent::MouseButtonPress, p.onX(), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(p.plot.Interaction().PopupMenu(), nullptr);
}

TEST(PlotMouse, LegendScrollButtons)
{
    TiXYPlot plot;
    plot.resize(500, 400);
    for (int i = 1; i < 10; ++i)
        plot.AddChannel();
    TiPlotLegend& legend = *plot.GetLegend(0);
    legend.SetWrapRowAutoCountEnabled(false);
    legend.SetWrapRowDesiredCount(4);
    plot.RenderToImage();
    const TiPlotLegendState& state = plot.Renderer().LegendState(&legend);
    ASSERT_TRUE(state.Geometry.ButtonsVisible);
    EXPECT_EQ(state.Geometry.Rows, 4);
    EXPECT_FALSE(state.Geometry.UpEnabled);
    for (int press = 0; press < 3; ++press) {
        const TiRect b = state.Geometry.DownButton;
        const QPoint centre((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
        Send(plot, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        Send(plot, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        plot.RenderToImage();
    }
    // Channels 4 to 7 (counting from 1) are shown, and the up button works.
    EXPECT_EQ(state.Geometry.FirstShown, 3);
    EXPECT_EQ(state.Geometry.LastShown, 6);
    EXPECT_TRUE(state.Geometry.UpEnabled);
    EXPECT_TRUE(plot.GetChannel(2)->LegendRect().IsEmpty());
    EXPECT_FALSE(plot.GetChannel(3)->LegendRect().IsEmpty());
    EXPECT_TRUE(plot.GetChannel(7)->LegendRect().IsEmpty());
}

TEST(PlotMouse, ZoomToFitFromTheMenu)
{
    ConsolePlot p;
    for (int i = 0; i < 22; ++i)
        p.plot.GetChannel(0)->AddXY(-40 + i * 5, 1000 + i * 200);
    p.plot.RenderToImage();
    Send(p.plot, QEvent::MouseButtonPress, p.onX(), Qt::RightButton, Qt::RightButton);
    ActionOf(p.plot.Interaction().PopupMenu(), QStringLiteral("Zoom to Fit"))->trigger();
    EXPECT_DOUBLE_EQ(p.x().Min(), -40);
    EXPECT_DOUBLE_EQ(p.x().Span(), 105);
}
