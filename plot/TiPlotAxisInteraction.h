#pragma once
// What the mouse does on a plot: dragging an axis scrolls it (zooms it with
// Control), the wheel does the same in steps, a release over the axis is its
// click; the legend's scroll buttons; a click on a legend row is the
// channel's click; the right button opens the popup menu
// of the axis or of the data view.
#include "widgets/TiComponent.h"

#include <QPoint>
#include <memory>

class QMenu;
class TiPlotAxis;
class TiPlotComponent;
class TiPlotObject;
class TiXYPlotRenderer;

class TiPlotAxisInteraction {
public:
    TiPlotAxisInteraction(TiPlotComponent& plot, TiXYPlotRenderer& renderer);
    ~TiPlotAxisInteraction();

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    bool MouseWheel(int delta, TShiftState shift, QPoint position);

    // 0 scroll, 1 zoom; the toolbar would switch it.
    int Mode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }

    // The popup menus, parented to the plot.
    std::unique_ptr<QMenu> CreateAxisMenu(TiPlotAxis& axis);
    std::unique_ptr<QMenu> CreateDataViewMenu();
    // The menu the last right click opened (kept until the next one).
    QMenu* PopupMenu() const { return m_popup.get(); }

    // Forgets an object being removed.
    void Forget(const TiPlotObject* object);

private:
    void Popup(TiPlotObject* object, int x, int y);
    int IndexOf(TiPlotAxis& axis) const;

    TiPlotComponent& m_plot;
    TiXYPlotRenderer& m_renderer;
    int m_mode = 0;
    TiPlotAxis* m_dragAxis = nullptr;
    bool m_dragZoom = false;
    QPoint m_last;
    std::unique_ptr<QMenu> m_popup;
};
