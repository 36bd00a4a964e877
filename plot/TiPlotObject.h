#pragma once

#include "plot/TiPlotTypes.h"
#include "widgets/TiColor.h"
#include "widgets/TiFont.h"

#include <QMetaObject>
#include <QString>
#include <functional>

class TiPlotComponent;
class TiPlotObject;

// The kinds of plot objects; each kind has one manager in the master.
enum class TiPlotKind {
    ToolBar, Legend, Table, XAxis, YAxis, Channel, DataView, DataCursor, Limit, Label, Annotation,
    DataViewLayout, // the layout manager's two stand-ins for the data view
};

using TiPlotObjectHook = std::function<void(TiPlotObject*)>;

// The four hooks every plot object is constructed with.
struct TiPlotObjectHooks {
    TiPlotObjectHook OnRename;
    TiPlotObjectHook OnRemove;
    TiPlotObjectHook OnInsert;
    TiPlotObjectHook OnChange;
};

// Each gadget class reports its own meta-object, so storing and restoring
// can walk the published properties of the most derived class.
#define TI_PLOT_GADGET_META \
public: \
    const QMetaObject* GadgetMetaObject() const override { return &staticMetaObject; } \
private:

// Base of every plot object. Plot objects are gadgets, not QObjects: their
// published properties are reflected through the meta-object, and every
// notification goes through the hooks to the master.
class TiPlotObject {
    Q_GADGET
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Layer READ Layer WRITE SetLayer)
    Q_PROPERTY(bool PopupEnabled READ PopupEnabled WRITE SetPopupEnabled)

public:
    TiPlotObject(TiPlotComponent* owner, const TiPlotObjectHooks& hooks);
    virtual ~TiPlotObject();
    TiPlotObject(const TiPlotObject&) = delete;
    TiPlotObject& operator=(const TiPlotObject&) = delete;

    virtual const QMetaObject* GadgetMetaObject() const { return &staticMetaObject; }
    virtual TiPlotKind Kind() const = 0;
    virtual bool IsLayoutObject() const { return false; }

    TiPlotComponent* Owner() const { return m_owner; }

    QString Name() const { return m_name; }
    void SetName(const QString& value);
    QString PreviousName() const { return m_previousName; }
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool value);
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool value);
    int Layer() const { return m_layer; }
    void SetLayer(int value);
    bool PopupEnabled() const { return m_popupEnabled; }
    void SetPopupEnabled(bool value);

    bool UserSelected() const { return m_userSelected; }
    void SetUserSelected(bool value);
    bool UserCanEdit() const { return m_userCanEdit; }
    void SetUserCanEdit(bool value) { m_userCanEdit = value; }
    bool XYAxesReversed() const { return m_xyAxesReversed; }
    virtual void SetXYAxesReversed(bool value) { m_xyAxesReversed = value; }
    bool DrawReady() const { return m_drawReady; }
    void SetDrawReady(bool value) { m_drawReady = value; }

    // Change notifications: a repaint request through the master; a layout
    // change first lets the layout manager rebuild its side lists.
    virtual void TriggerChange();
    virtual void TriggerLayoutChange();

    // Notifications the master passes on about other objects.
    virtual void NotificationRemove(TiPlotObject* object);
    virtual void NotificationRename(TiPlotObject* object);
    virtual void NotificationSetFocus(TiPlotObject* object);

    // Inserts the object through the insert hook (after construction or
    // after its properties were read).
    virtual void Loaded();
    bool Inserted() const { return m_inserted; }
    void MarkInserted() { m_inserted = true; }

    // Fired by the owning manager just before it frees the object: the
    // remove hook, then a layout change.
    void NotifyRemoval();
    // Drops every hook so that tearing the plot down notifies nobody.
    void DetachHooks();

    void SetLayoutChangeHook(TiPlotObjectHook hook) { m_onLayoutChange = std::move(hook); }
    void SetInvalidateNowHook(TiPlotObjectHook hook) { m_onInvalidateNow = std::move(hook); }
    void SetFocusHook(TiPlotObjectHook hook) { m_onSetFocus = std::move(hook); }

    // Stores a name without notifications (insertion defaults).
    void SetNameSilently(const QString& value) { m_name = value; }

protected:
    // Compare-then-store helpers for published properties.
    template <typename T> void SetChanging(T& field, const T& value)
    {
        if (!(value != field))
            return;
        field = value;
        TriggerChange();
    }
    // A reference to another object by its name: a new name drops the
    // object resolved for the old one.
    template <typename T> void SetReferenceName(QString& name, T*& resolved, const QString& value)
    {
        if (value == name)
            return;
        name = value;
        resolved = nullptr;
        TriggerChange();
    }
    template <typename T> void SetLayoutChanging(T& field, const T& value)
    {
        if (!(value != field))
            return;
        field = value;
        TriggerLayoutChange();
    }

private:
    TiPlotComponent* m_owner;
    TiPlotObjectHooks m_hooks;
    TiPlotObjectHook m_onLayoutChange;
    TiPlotObjectHook m_onInvalidateNow;
    TiPlotObjectHook m_onSetFocus;
    QString m_name;
    QString m_previousName;
    bool m_visible = true;
    bool m_enabled = true;
    int m_layer = 100;
    bool m_popupEnabled = true;
    bool m_userSelected = false;
    bool m_userCanEdit = true;
    bool m_xyAxesReversed = false;
    bool m_drawReady = false;
    bool m_inserted = false;
};
