#include "plot/TiPlotLayoutManager.h"

#include "plot/TiPlotAxis.h"

#include <algorithm>
#include <set>

namespace {

bool IsDataView(const TiPlotObject* object) { return object->Kind() == TiPlotKind::DataView; }

bool IsAxis(const TiPlotObject* object)
{
    return object->Kind() == TiPlotKind::XAxis || object->Kind() == TiPlotKind::YAxis;
}

QString SideKey(const TiPlotLayoutObject* object)
{
    const QString z = QString::number(object->ZOrder()).rightJustified(3, QLatin1Char('0'));
    const QString start =
        QString::number(static_cast<long long>(std::nearbyint(object->StartPercent()))).rightJustified(3, QLatin1Char('0'));
    return z + start;
}

} // namespace

TiPlotLayoutManager::TiPlotLayoutManager(TiPlotComponent* owner, const TiPlotObjectHooks& hooks)
    : TiPlotObjectManagerCustom(QStringLiteral("Layout Object")),
      m_dataViewHorz(std::make_unique<TiPlotDataViewHorz>(owner, hooks)),
      m_dataViewVert(std::make_unique<TiPlotDataViewVert>(owner, hooks))
{
    for (TiPlotLayoutObject* stand : {static_cast<TiPlotLayoutObject*>(m_dataViewHorz.get()),
                                      static_cast<TiPlotLayoutObject*>(m_dataViewVert.get())}) {
        stand->SetLayoutChangeHook([this](TiPlotObject*) { DoLayoutChange(); });
        stand->MarkInserted();
    }
}

int TiPlotLayoutManager::InsertObject(TiPlotObject* object)
{
    const int present = GetIndex(object);
    if (present >= 0)
        return present;
    auto* layout = static_cast<TiPlotLayoutObject*>(object);
    const int index = TiPlotObjectManagerCustom::InsertObject(object);
    layout->SetLayoutChangeHook([this](TiPlotObject*) { DoLayoutChange(); });
    SetAxisDirection(layout);
    if (m_enabled && !IsDataView(layout))
        InsertZOrder(layout, 0, 0);
    return index;
}

void TiPlotLayoutManager::SetAxisDirection(TiPlotLayoutObject* object) const
{
    if (object->Kind() == TiPlotKind::XAxis)
        object->StoreHorizontal(!m_xyAxesReverse);
    else if (object->Kind() == TiPlotKind::YAxis)
        object->StoreHorizontal(m_xyAxesReverse);
}

void TiPlotLayoutManager::SetEnabled(bool value)
{
    m_enabled = value;
    if (value)
        DoLayoutChange();
}

std::vector<TiPlotLayoutObject*> TiPlotLayoutManager::StackObjects() const
{
    std::vector<TiPlotLayoutObject*> objects;
    for (TiPlotObject* object : m_items)
        if (!IsDataView(object))
            objects.push_back(static_cast<TiPlotLayoutObject*>(object));
    objects.push_back(m_dataViewHorz.get());
    objects.push_back(m_dataViewVert.get());
    return objects;
}

void TiPlotLayoutManager::InsertZOrder(TiPlotLayoutObject* object, int order, int mode)
{
    const auto others = StackObjects();
    bool free = mode == 0;
    if (free) {
        for (const TiPlotLayoutObject* other : others) {
            if (other == object || other->Horizontal() != object->Horizontal() || other->ZOrder() != order)
                continue;
            const bool overlaps =
                other->StartPercent() < object->StopPercent() && other->StopPercent() > object->StartPercent();
            const bool same =
                other->StartPercent() == object->StartPercent() && other->StopPercent() == object->StopPercent();
            if (overlaps || same) {
                free = false;
                break;
            }
        }
    }
    if (free) {
        object->StoreZOrder(order);
    } else {
        for (TiPlotLayoutObject* other : others) {
            if (other == object || other->Horizontal() != object->Horizontal())
                continue;
            if (mode == 2 ? other->ZOrder() > order : other->ZOrder() >= order)
                other->StoreZOrder(other->ZOrder() + 1);
        }
        object->StoreZOrder(mode == 2 ? order + 1 : order);
    }
    DoLayoutChange();
}

void TiPlotLayoutManager::RemovingObject(TiPlotObject* object)
{
    auto* layout = static_cast<TiPlotLayoutObject*>(object);
    for (auto* list : {&m_top, &m_bottom, &m_left, &m_right})
        list->erase(std::remove(list->begin(), list->end(), layout), list->end());
    if (m_enabled && !IsDataView(layout))
        RemoveZOrder(layout);
    DoLayoutChange();
}

void TiPlotLayoutManager::RemoveZOrder(TiPlotLayoutObject* object)
{
    const auto others = StackObjects();
    for (const TiPlotLayoutObject* other : others)
        if (other != object && other->Horizontal() == object->Horizontal() && other->ZOrder() == object->ZOrder())
            return;
    for (TiPlotLayoutObject* other : others)
        if (other != object && other->Horizontal() == object->Horizontal() && other->ZOrder() > object->ZOrder())
            other->StoreZOrder(other->ZOrder() - 1);
}

void TiPlotLayoutManager::SetXYAxesReverse(bool value)
{
    m_xyAxesReverse = value;
    if (!m_enabled)
        return;
    std::vector<TiPlotLayoutObject*> axes;
    for (TiPlotObject* object : m_items)
        if (IsAxis(object))
            axes.push_back(static_cast<TiPlotLayoutObject*>(object));
    // Ordered by ZOrder as plain text, so "10" comes before "2".
    std::stable_sort(axes.begin(), axes.end(), [](const TiPlotLayoutObject* a, const TiPlotLayoutObject* b) {
        return QString::number(a->ZOrder()) < QString::number(b->ZOrder());
    });
    for (TiPlotLayoutObject* axis : axes) {
        RemoveZOrder(axis);
        SetAxisDirection(axis);
        InsertZOrder(axis, 0, 0);
    }
}

void TiPlotLayoutManager::DoLayoutChange()
{
    if (!m_enabled)
        return;
    m_top.clear();
    m_bottom.clear();
    m_left.clear();
    m_right.clear();
    // Each side is sorted by key; among equal keys the later object comes
    // first, so the objects are taken last to first into a stable sort.
    std::vector<std::pair<QString, TiPlotLayoutObject*>> keyed;
    keyed.reserve(m_items.size());
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if (!IsDataView(*it))
            keyed.emplace_back(SideKey(static_cast<TiPlotLayoutObject*>(*it)), static_cast<TiPlotLayoutObject*>(*it));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, layout] : keyed) {
        bool reverse;
        if (layout->Horizontal()) {
            reverse = layout->ZOrder() > m_dataViewHorz->ZOrder();
            (reverse ? m_top : m_bottom).push_back(layout);
        } else {
            reverse = layout->ZOrder() > m_dataViewVert->ZOrder();
            (reverse ? m_right : m_left).push_back(layout);
        }
        layout->SetReverseSide(reverse);
    }
}

int TiPlotLayoutManager::VisibleCount(const std::vector<TiPlotLayoutObject*>& list)
{
    return static_cast<int>(std::count_if(list.begin(), list.end(), [](const TiPlotLayoutObject* o) { return o->Visible(); }));
}

int TiPlotLayoutManager::GetUniqueCount(const std::vector<TiPlotLayoutObject*>& list)
{
    std::set<int> orders;
    for (const TiPlotLayoutObject* object : list)
        orders.insert(object->ZOrder());
    return static_cast<int>(orders.size());
}
