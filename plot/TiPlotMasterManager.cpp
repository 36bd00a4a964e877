#include "plot/TiPlotMasterManager.h"

#include "plot/TiPlotComponent.h"
#include "plot/TiXYPlotChannel.h"
#include "widgets/TiError.h"

#include <iterator>

const TColor TiPlotMasterManager::ChannelPalette[30] = {
    0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080, 0x008000, 0x008080,
    0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000,
    0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF, 0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80,
};

namespace {

template <typename T> auto MakeFactory(TiPlotComponent* owner, TiPlotMasterManager* master)
{
    return [owner, master]() { return std::make_unique<T>(owner, master->Hooks()); };
}

} // namespace

TiPlotMasterManager::TiPlotMasterManager(TiPlotComponent* owner) : m_owner(owner)
{
    if (!owner)
        throw TiError(QStringLiteral("Owner must be Assigned"));
    m_objects = std::make_unique<TiPlotObjectManager>(QStringLiteral("n/a"));
    m_toolBars = std::make_unique<TiPlotToolBarManager>(QStringLiteral("Toolbar"), MakeFactory<TiPlotToolBar>(owner, this));
    m_legends = std::make_unique<TiPlotLegendManager>(QStringLiteral("Legend"), MakeFactory<TiPlotLegend>(owner, this));
    m_tables = std::make_unique<TiPlotTableManager>(QStringLiteral("Table"), MakeFactory<TiPlotTable>(owner, this));
    m_channels = std::make_unique<TiPlotChannelManager>(QStringLiteral("Channel"), [owner, this]() {
        return std::unique_ptr<TiPlotChannelCustom>(std::make_unique<TiXYPlotChannel>(owner, Hooks()));
    });
    m_dataCursors =
        std::make_unique<TiPlotDataCursorManager>(QStringLiteral("Cursor"), MakeFactory<TiPlotDataCursor>(owner, this));
    m_dataViews = std::make_unique<TiPlotDataViewManager>(QStringLiteral("Data View"), MakeFactory<TiPlotDataView>(owner, this));
    m_xAxes = std::make_unique<TiPlotXAxisManager>(QStringLiteral("X-Axis"), MakeFactory<TiPlotXAxis>(owner, this));
    m_yAxes = std::make_unique<TiPlotYAxisManager>(QStringLiteral("Y-Axis"), MakeFactory<TiPlotYAxis>(owner, this));
    m_limits = std::make_unique<TiPlotLimitManager>(QStringLiteral("Limit"), MakeFactory<TiPlotLimit>(owner, this));
    m_labels = std::make_unique<TiPlotLabelManager>(QStringLiteral("Label"), MakeFactory<TiPlotLabel>(owner, this));
    m_annotations =
        std::make_unique<TiPlotAnnotationManager>(QStringLiteral("Annotation"), MakeFactory<TiPlotAnnotation>(owner, this));
    m_layout = std::make_unique<TiPlotLayoutManager>(owner, Hooks());
}

TiPlotMasterManager::~TiPlotMasterManager()
{
    // Tearing down notifies nobody.
    m_tearingDown = true;
    for (TiPlotObject* object : m_objects->Objects())
        object->DetachHooks();
    m_layout->DataViewHorz().DetachHooks();
    m_layout->DataViewVert().DetachHooks();
    m_toolBars->DropAll();
    m_legends->DropAll();
    m_tables->DropAll();
    m_channels->DropAll();
    m_xAxes->DropAll();
    m_yAxes->DropAll();
    m_dataViews->DropAll();
    m_dataCursors->DropAll();
    m_limits->DropAll();
    m_labels->DropAll();
    m_annotations->DropAll();
    m_translations.Clear();
}

TiPlotObjectHooks TiPlotMasterManager::Hooks()
{
    return TiPlotObjectHooks{
        [this](TiPlotObject* o) { NotificationRename(o); },
        [this](TiPlotObject* o) { NotificationRemove(o); },
        [this](TiPlotObject* o) { NotificationInsert(o); },
        [this](TiPlotObject* o) { NotificationChange(o); },
    };
}

TiPlotObjectManagerCustom& TiPlotMasterManager::ManagerOf(TiPlotKind kind)
{
    switch (kind) {
    case TiPlotKind::ToolBar:
        return *m_toolBars;
    case TiPlotKind::Legend:
        return *m_legends;
    case TiPlotKind::Table:
        return *m_tables;
    case TiPlotKind::XAxis:
        return *m_xAxes;
    case TiPlotKind::YAxis:
        return *m_yAxes;
    case TiPlotKind::Channel:
        return *m_channels;
    case TiPlotKind::DataView:
        return *m_dataViews;
    case TiPlotKind::DataCursor:
        return *m_dataCursors;
    case TiPlotKind::Limit:
        return *m_limits;
    case TiPlotKind::Label:
        return *m_labels;
    case TiPlotKind::Annotation:
        return *m_annotations;
    case TiPlotKind::DataViewLayout:
        break;
    }
    return *m_objects;
}

template <typename F> void TiPlotMasterManager::ForEachOwnedManager(F f)
{
    f(*m_toolBars);
    f(*m_legends);
    f(*m_tables);
    f(*m_channels);
    f(*m_dataCursors);
    f(*m_dataViews);
    f(*m_xAxes);
    f(*m_yAxes);
    f(*m_limits);
    f(*m_labels);
    f(*m_annotations);
}

int TiPlotMasterManager::Adopt(std::unique_ptr<TiPlotObject> object)
{
    TiPlotObjectManagerCustom& manager = ManagerOf(object->Kind());
    TiPlotObject* raw = manager.Take(std::move(object));
    raw->Loaded();
    return manager.GetIndex(raw);
}

void TiPlotMasterManager::FreeObject(TiPlotKind kind, int index) { ManagerOf(kind).FreeObject(index); }

void TiPlotMasterManager::ClearManager(TiPlotKind kind) { ManagerOf(kind).Clear(); }

void TiPlotMasterManager::SetChannelClass(std::function<std::unique_ptr<TiPlotChannelCustom>()> factory)
{
    m_channels->SetFactory(std::move(factory));
}

void TiPlotMasterManager::SetUserCanEditObjects(bool value)
{
    m_userCanEditObjects = value;
    for (TiPlotObject* object : m_objects->Objects())
        object->SetUserCanEdit(value);
}

void TiPlotMasterManager::SetXYAxesReverse(bool value)
{
    m_layout->SetXYAxesReverse(value);
    for (TiPlotObject* object : m_objects->Objects())
        object->SetXYAxesReversed(value);
}

void TiPlotMasterManager::ClearAllData()
{
    for (int i = 0; i < m_channels->GetCount(); ++i)
        m_channels->Item(i)->Clear();
    for (int i = 0; i < m_xAxes->GetCount(); ++i)
        m_xAxes->Item(i)->ResetFirstAlign();
    for (int i = 0; i < m_yAxes->GetCount(); ++i)
        m_yAxes->Item(i)->ResetFirstAlign();
}

void TiPlotMasterManager::DeSelectAll()
{
    for (TiPlotObject* object : m_objects->Objects())
        object->SetUserSelected(false);
}

TColor TiPlotMasterManager::GetNextChannelColor() const
{
    if (m_channels->GetCount() < 2)
        return ChannelPalette[0];
    std::size_t best = 0;
    for (std::size_t c = 1; c < std::size(ChannelPalette); ++c)
        if (m_colorUses.value(ChannelPalette[c]) < m_colorUses.value(ChannelPalette[best]))
            best = c;
    return ChannelPalette[best];
}

void TiPlotMasterManager::CountChannelColor(const TiPlotObject* object, bool present)
{
    const auto known = m_channelColors.find(object);
    if (known != m_channelColors.end()) {
        if (present && *known == static_cast<const TiPlotChannelCustom*>(object)->Color())
            return;
        const auto uses = m_colorUses.find(*known);
        if (uses != m_colorUses.end() && --*uses == 0)
            m_colorUses.erase(uses);
        m_channelColors.erase(known);
    }
    if (!present)
        return;
    const TColor color = static_cast<const TiPlotChannelCustom*>(object)->Color();
    m_channelColors.insert(object, color);
    ++m_colorUses[color];
}

void TiPlotMasterManager::ApplyInsertionDefaults(TiPlotObject* object)
{
    const QString name = object->Name();
    const QString xAxis = m_xAxes->GetCount() > 0 ? m_xAxes->Item(0)->Name() : QString();
    const QString yAxis = m_yAxes->GetCount() > 0 ? m_yAxes->Item(0)->Name() : QString();
    switch (object->Kind()) {
    case TiPlotKind::XAxis:
    case TiPlotKind::YAxis:
        static_cast<TiPlotAxis*>(object)->SetTitle(name);
        break;
    case TiPlotKind::Channel: {
        auto* channel = static_cast<TiPlotChannelCustom*>(object);
        channel->SetTitleText(name);
        channel->SetColor(GetNextChannelColor());
        CountChannelColor(channel, true);
        if (m_xAxes->GetCount() > 0)
            channel->SetXAxisName(xAxis);
        if (m_yAxes->GetCount() > 0)
            channel->SetYAxisName(yAxis);
        break;
    }
    case TiPlotKind::DataView: {
        auto* view = static_cast<TiPlotDataView*>(object);
        if (m_xAxes->GetCount() > 0)
            view->SetGridXAxisName(xAxis);
        if (m_yAxes->GetCount() > 0)
            view->SetGridYAxisName(yAxis);
        break;
    }
    default:
        break;
    }
}

void TiPlotMasterManager::NotificationChange(TiPlotObject* object)
{
    if (m_tearingDown)
        return;
    // Points come in at this rate too: no look-up while the same channel
    // reports the same colour, a recount only when the colour moved.
    if (object && object->Kind() == TiPlotKind::Channel) {
        const TColor color = static_cast<const TiPlotChannelCustom*>(object)->Color();
        if (object != m_checkedChannel || color != m_checkedColor) {
            const auto known = m_channelColors.constFind(object);
            if (known != m_channelColors.cend() && *known != color)
                CountChannelColor(object, true);
            m_checkedChannel = object;
            m_checkedColor = color;
        }
    }
    m_owner->MasterChange();
}

void TiPlotMasterManager::NotificationInsert(TiPlotObject* object)
{
    TiPlotObjectManagerCustom& manager = ManagerOf(object->Kind());
    // Named before it is listed, so every manager indexes it by that name;
    // an empty name would not have counted towards the next one anyway.
    const bool unnamed = object->Name().isEmpty();
    if (unnamed)
        object->SetNameSilently(manager.GetNextName());
    m_objects->InsertObject(object);
    if (object->IsLayoutObject())
        m_layout->InsertObject(object);
    manager.InsertObject(object);
    if (object->Kind() == TiPlotKind::Channel)
        CountChannelColor(object, true);
    if (unnamed)
        ApplyInsertionDefaults(object);
    object->MarkInserted();
    object->SetFocusHook([this](TiPlotObject* o) { NotificationSetFocus(o); });
    object->SetInvalidateNowHook([this](TiPlotObject*) {
        if (!m_tearingDown)
            m_owner->InvalidateNow();
    });
    object->SetUserCanEdit(m_userCanEditObjects);
    object->SetXYAxesReversed(m_layout->XYAxesReverse());
    NotificationChange(object);
}

void TiPlotMasterManager::NotificationRemove(TiPlotObject* object)
{
    if (m_tearingDown)
        return;
    m_owner->MasterRemove(object);
    if (object->Kind() == TiPlotKind::Channel)
        CountChannelColor(object, false);
    if (object == m_checkedChannel)
        m_checkedChannel = nullptr;
    m_objects->NotificationRemove(object);
    ForEachOwnedManager([object](TiPlotObjectManagerCustom& m) { m.NotificationRemove(object); });
    m_layout->NotificationRemove(object);
}

void TiPlotMasterManager::NotificationRename(TiPlotObject* object)
{
    if (m_tearingDown)
        return;
    m_objects->NotificationRename(object);
    m_layout->NotificationRename(object);
    ForEachOwnedManager([object](TiPlotObjectManagerCustom& m) { m.NotificationRename(object); });
}

void TiPlotMasterManager::NotificationSetFocus(TiPlotObject* object)
{
    if (m_tearingDown)
        return;
    ForEachOwnedManager([object](TiPlotObjectManagerCustom& m) { m.NotificationSetFocus(object); });
}
