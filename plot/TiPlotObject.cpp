#include "plot/TiPlotObject.h"

#include "widgets/TiError.h"

TiPlotObject::TiPlotObject(TiPlotComponent* owner, const TiPlotObjectHooks& hooks)
    : m_owner(owner), m_hooks(hooks)
{
    if (!owner)
        throw TiError(QStringLiteral("Owner must be assigned"));
    if (!hooks.OnChange)
        throw TiError(QStringLiteral("OnChange event handler can not be null"));
    if (!hooks.OnInsert)
        throw TiError(QStringLiteral("OnInsert event handler can not be null"));
    if (!hooks.OnRemove)
        throw TiError(QStringLiteral("OnRemove event handler can not be null"));
    if (!hooks.OnRename)
        throw TiError(QStringLiteral("AOnRename event handler can not be null"));
}

TiPlotObject::~TiPlotObject() = default;

void TiPlotObject::SetName(const QString& value)
{
    if (value == m_name)
        return;
    m_previousName = m_name;
    m_name = value;
    if (m_inserted && m_hooks.OnRename)
        m_hooks.OnRename(this);
    TriggerChange();
}

void TiPlotObject::SetVisible(bool value) { SetChanging(m_visible, value); }

void TiPlotObject::SetEnabled(bool value)
{
    if (!value)
        m_userSelected = false;
    SetChanging(m_enabled, value);
}

void TiPlotObject::SetLayer(int value) { SetChanging(m_layer, value); }

void TiPlotObject::SetPopupEnabled(bool value) { SetChanging(m_popupEnabled, value); }

void TiPlotObject::SetUserSelected(bool value)
{
    if (value == m_userSelected)
        return;
    m_userSelected = value;
    if (m_onInvalidateNow)
        m_onInvalidateNow(this);
    if (m_onSetFocus)
        m_onSetFocus(this);
}

void TiPlotObject::TriggerChange()
{
    // Objects that are not in the plot yet (being read, or built and then
    // thrown away by a failed load) request nothing.
    if (m_inserted && m_hooks.OnChange)
        m_hooks.OnChange(this);
}

void TiPlotObject::TriggerLayoutChange()
{
    if (m_inserted && m_onLayoutChange)
        m_onLayoutChange(this);
    TriggerChange();
}

void TiPlotObject::NotificationRemove(TiPlotObject*) {}
void TiPlotObject::NotificationRename(TiPlotObject*) {}
void TiPlotObject::NotificationSetFocus(TiPlotObject*) {}

void TiPlotObject::Loaded()
{
    if (m_hooks.OnInsert)
        m_hooks.OnInsert(this);
}

void TiPlotObject::NotifyRemoval()
{
    if (!m_inserted)
        return;
    if (m_hooks.OnRemove)
        m_hooks.OnRemove(this);
    TriggerLayoutChange();
    m_inserted = false;
}

void TiPlotObject::DetachHooks()
{
    m_hooks = {};
    m_onLayoutChange = {};
    m_onInvalidateNow = {};
    m_onSetFocus = {};
}
