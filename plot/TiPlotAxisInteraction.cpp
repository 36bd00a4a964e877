#include "plot/TiPlotAxisInteraction.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiPlotExport.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotTracking.h"
#include "plot/TiXYPlotRenderer.h"
#include "widgets/FileDialogs.h"
#include "widgets/TiError.h"

#include <QMenu>
#include <QMessageBox>

namespace {

TiPlotRange RangeOf(const TiPlotAxis& axis) { return TiPlotRange{axis.Min(), axis.Span()}; }

// Runs a menu action; a failure is shown, not swallowed.
template <typename F> void Reporting(QWidget* parent, const QString& caption, F&& action)
{
    try {
        action();
    } catch (const TiError& e) {
        QMessageBox::warning(parent, caption, e.Message());
    } catch (const std::exception& e) {
        QMessageBox::warning(parent, caption, QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

TiPlotAxisInteraction::TiPlotAxisInteraction(TiPlotComponent& plot, TiXYPlotRenderer& renderer)
    : m_plot(plot), m_renderer(renderer)
{
}

TiPlotAxisInteraction::~TiPlotAxisInteraction() = default;

int TiPlotAxisInteraction::IndexOf(TiPlotAxis& axis) const
{
    return axis.IsXAxis() ? m_plot.GetXAxisIndexByName(axis.Name()) : m_plot.GetYAxisIndexByName(axis.Name());
}

void TiPlotAxisInteraction::Forget(const TiPlotObject* object)
{
    if (object == m_dragAxis)
        m_dragAxis = nullptr;
    // An open menu may act on the object.
    m_popup.reset();
}

void TiPlotAxisInteraction::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TiPlotObject* object = m_renderer.ObjectAt(x, y);
    if (auto* axis = dynamic_cast<TiPlotAxis*>(object)) {
        const int index = IndexOf(*axis);
        if (axis->IsXAxis())
            emit m_plot.OnMouseDownXAxis(index, button, shift, x, y);
        else
            emit m_plot.OnMouseDownYAxis(index, button, shift, x, y);
        if (button == Qt::LeftButton && axis->Enabled()) {
            m_dragAxis = axis;
            m_dragZoom = TiPlotTracking::zoomMode(m_mode, shift.testFlag(Qt::ControlModifier));
            m_last = QPoint(x, y);
        }
    } else if (auto* legend = dynamic_cast<TiPlotLegend*>(object)) {
        if (button != Qt::LeftButton)
            return;
        TiPlotLegendState& state = m_renderer.LegendState(legend);
        const auto& g = state.Geometry;
        if (g.ButtonsVisible && g.UpButton.Contains(x, y) && g.UpEnabled)
            state.FirstShown = TiPlotLegendMath::upButtonClick(state.FirstShown);
        else if (g.ButtonsVisible && g.DownButton.Contains(x, y) && g.DownEnabled)
            state.FirstShown = TiPlotLegendMath::downButtonClick(state.FirstShown, int(state.Channels.size()));
        else
            return;
        m_plot.update();
    } else if (dynamic_cast<TiPlotDataView*>(object)) {
        emit m_plot.OnMouseDownDataView(0, button, shift, x, y);
    }
    if (button == Qt::RightButton && object)
        Popup(object, x, y);
}

void TiPlotAxisInteraction::MouseMove(TShiftState, int x, int y)
{
    if (!m_dragAxis)
        return;
    TiPlotAxis& axis = *m_dragAxis;
    const int delta = TiPlotTracking::dragDelta(x - m_last.x(), y - m_last.y(), axis.Horizontal(), axis.ReverseScale());
    m_last = QPoint(x, y);
    axis.SetTrackingEnabled(false);
    const int length = m_renderer.AxisState(&axis).Map.SpanLength();
    if (delta != 0 && length != 0) {
        const TiPlotRange r = m_dragZoom
            ? TiPlotTracking::dragZoom(RangeOf(axis), delta, length)
            : TiPlotTracking::dragScroll(RangeOf(axis), delta, length,
                                         {axis.ScrollMinMaxEnabled(), axis.ScrollMin(), axis.ScrollMax()});
        axis.SetMinSpan(r.Min, r.Span);
    }
    m_plot.repaint();
}

void TiPlotAxisInteraction::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TiPlotAxis* dragged = m_dragAxis;
    if (button == Qt::LeftButton)
        m_dragAxis = nullptr;
    TiPlotObject* object = m_renderer.ObjectAt(x, y);
    if (auto* axis = dynamic_cast<TiPlotAxis*>(object)) {
        const int index = IndexOf(*axis);
        if (axis->IsXAxis())
            emit m_plot.OnMouseUpXAxis(index, button, shift, x, y);
        else
            emit m_plot.OnMouseUpYAxis(index, button, shift, x, y);
        if (button == Qt::LeftButton && axis == dragged) {
            if (axis->IsXAxis())
                emit m_plot.OnClickXAxis(index);
            else
                emit m_plot.OnClickYAxis(index);
        }
    } else if (dynamic_cast<TiPlotDataView*>(object)) {
        emit m_plot.OnMouseUpDataView(0, button, shift, x, y);
        if (button == Qt::LeftButton)
            emit m_plot.OnClickDataView(0);
    }
}

bool TiPlotAxisInteraction::MouseWheel(int delta, TShiftState shift, QPoint position)
{
    auto* axis = dynamic_cast<TiPlotAxis*>(m_renderer.ObjectAt(position.x(), position.y()));
    if (!axis || delta == 0 || !axis->Enabled())
        return false;
    const int sign = delta > 0 ? 1 : -1;
    axis->SetTrackingEnabled(false);
    const TiPlotRange r = TiPlotTracking::zoomMode(m_mode, shift.testFlag(Qt::ControlModifier))
        ? TiPlotTracking::wheelZoom(RangeOf(*axis), sign)
        : TiPlotTracking::wheelScroll(RangeOf(*axis), sign);
    axis->SetMinSpan(r.Min, r.Span);
    return true;
}

std::unique_ptr<QMenu> TiPlotAxisInteraction::CreateAxisMenu(TiPlotAxis& axis)
{
    auto menu = std::make_unique<QMenu>(&m_plot);
    QAction* tracking = menu->addAction(QStringLiteral("Tracking Enabled"));
    tracking->setCheckable(true);
    tracking->setChecked(axis.TrackingEnabled());
    QObject::connect(tracking, &QAction::triggered, &m_plot,
                     [&axis](bool) { axis.SetTrackingEnabled(!axis.TrackingEnabled()); });
    QAction* resume = menu->addAction(QStringLiteral("Update Resume Values"));
    resume->setEnabled(TiPlotTracking::updateResumeValuesEnabled(
        axis.TrackingEnabled(), RangeOf(axis),
        TiPlotResumeValues{axis.ResumeMin(), axis.ResumeSpan(), axis.ResumeLabelsMinLength()}));
    QObject::connect(resume, &QAction::triggered, &m_plot, [&axis] { axis.UpdateResumeValues(); });
    QAction* fit = menu->addAction(QStringLiteral("Zoom to Fit"));
    QObject::connect(fit, &QAction::triggered, &m_plot, [&axis] { axis.ZoomToFit(); });
    if (m_plot.UserCanEditObjects() && axis.UserCanEdit()) {
        // There is no object editor in this program; the entry shows where it belongs.
        menu->addSeparator();
        menu->addAction(QStringLiteral("Edit..."))->setEnabled(false);
    }
    return menu;
}

std::unique_ptr<QMenu> TiPlotAxisInteraction::CreateDataViewMenu()
{
    auto menu = std::make_unique<QMenu>(&m_plot);
    TiPlotComponent* plot = &m_plot;
    QObject::connect(menu->addAction(QStringLiteral("Copy Image")), &QAction::triggered, plot,
                     [plot] { Reporting(plot, QStringLiteral("Copy Image"), [&] { TiPlotExport::CopyImage(*plot); }); });
    QObject::connect(menu->addAction(QStringLiteral("Save Image As...")), &QAction::triggered, plot, [plot] {
        const QString name = FileDialogs::saveFileName(plot, QStringLiteral("Save Image As"), QStringLiteral("images"),
                                                       QStringLiteral("Images (*.png *.jpg *.jpeg *.svg)"),
                                                       QStringLiteral("png"));
        if (!name.isEmpty())
            Reporting(plot, QStringLiteral("Save Image As"), [&] { TiPlotExport::SaveImage(*plot, name); });
    });
    QObject::connect(menu->addAction(QStringLiteral("Save Data As...")), &QAction::triggered, plot, [plot] {
        const QString name = FileDialogs::saveFileName(plot, QStringLiteral("Save Data As"), QStringLiteral("plot-data"),
                                                       QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
        if (!name.isEmpty())
            Reporting(plot, QStringLiteral("Save Data As"), [&] { TiPlotExport::SaveData(*plot, name); });
    });
    return menu;
}

void TiPlotAxisInteraction::Popup(TiPlotObject* object, int x, int y)
{
    if (!object->PopupEnabled())
        return;
    if (auto* axis = dynamic_cast<TiPlotAxis*>(object)) {
        const int index = IndexOf(*axis);
        if (axis->IsXAxis())
            emit m_plot.OnPopupMenuXAxis(index, x, y);
        else
            emit m_plot.OnPopupMenuYAxis(index, x, y);
        m_popup = CreateAxisMenu(*axis);
    } else if (dynamic_cast<TiPlotDataView*>(object)) {
        emit m_plot.OnPopupMenuDataView(0, x, y);
        m_popup = CreateDataViewMenu();
    } else {
        return;
    }
    m_popup->popup(m_plot.mapToGlobal(QPoint(x, y)));
}
