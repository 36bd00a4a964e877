#include "plot/TiPlotObjectManagerCustom.h"

#include "widgets/TiError.h"

#include <QRegularExpression>
#include <algorithm>

QString TiPlotObjectManagerCustom::AsciiUpper(const QString& text)
{
    QString upper = text;
    for (QChar& c : upper)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return upper;
}

bool TiPlotObjectManagerCustom::SameName(const QString& a, const QString& b)
{
    return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

TiPlotObjectManagerCustom::TiPlotObjectManagerCustom(QString baseName)
    : m_baseName(std::move(baseName)), m_upperBase(AsciiUpper(m_baseName))
{
}

TiPlotObject* TiPlotObjectManagerCustom::GetObject(int index) const
{
    if (index < 0 || index >= GetCount())
        throw TiError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[static_cast<std::size_t>(index)];
}

int TiPlotObjectManagerCustom::GetIndex(const TiPlotObject* object) const
{
    const auto listed = m_listed.constFind(object);
    if (listed == m_listed.constEnd())
        return -1;
    const auto at = std::lower_bound(m_orders.begin(), m_orders.end(), listed->order);
    return static_cast<int>(at - m_orders.begin());
}

TiPlotObject* TiPlotObjectManagerCustom::GetObjectByName(const QString& name) const
{
    const auto named = m_byName.constFind(AsciiUpper(name));
    return named == m_byName.constEnd() ? nullptr : named->begin()->second;
}

int TiPlotObjectManagerCustom::GetIndexByName(const QString& name) const
{
    return GetIndex(GetObjectByName(name));
}

std::optional<int> TiPlotObjectManagerCustom::NumberAfterBase(const QString& upperName) const
{
    static const QRegularExpression number(QStringLiteral("^ *([+-]?[0-9]+)$"));
    if (!upperName.startsWith(m_upperBase))
        return std::nullopt;
    const auto match = number.match(QStringView(upperName).mid(m_upperBase.size()));
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = match.captured(1).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString TiPlotObjectManagerCustom::GetNextName() const
{
    const long long highest = m_numbers.empty() ? 0 : std::max(0, m_numbers.rbegin()->first);
    return m_baseName + QLatin1Char(' ') + QString::number(highest + 1);
}

void TiPlotObjectManagerCustom::IndexName(TiPlotObject* object, quint64 order, const QString& upperName)
{
    m_byName[upperName].emplace(order, object);
    if (const auto number = NumberAfterBase(upperName))
        ++m_numbers[*number];
}

void TiPlotObjectManagerCustom::UnindexName(quint64 order, const QString& upperName)
{
    const auto named = m_byName.find(upperName);
    if (named != m_byName.end()) {
        named->erase(order);
        if (named->empty())
            m_byName.erase(named);
    }
    if (const auto number = NumberAfterBase(upperName)) {
        const auto counted = m_numbers.find(*number);
        if (counted != m_numbers.end() && --counted->second == 0)
            m_numbers.erase(counted);
    }
}

int TiPlotObjectManagerCustom::InsertObject(TiPlotObject* object)
{
    const int index = GetIndex(object);
    if (index >= 0)
        return index;
    const quint64 order = m_nextOrder++;
    const Listed listed{order, AsciiUpper(object->Name())};
    m_items.push_back(object);
    m_orders.push_back(order);
    m_listed.insert(object, listed);
    IndexName(object, order, listed.upperName);
    return GetCount() - 1;
}

void TiPlotObjectManagerCustom::EraseAt(int index)
{
    TiPlotObject* object = GetObject(index);
    const Listed listed = m_listed.take(object);
    UnindexName(listed.order, listed.upperName);
    m_items.erase(m_items.begin() + index);
    m_orders.erase(m_orders.begin() + index);
}

void TiPlotObjectManagerCustom::ForgetAll()
{
    m_items.clear();
    m_orders.clear();
    m_listed.clear();
    m_byName.clear();
    m_numbers.clear();
}

void TiPlotObjectManagerCustom::Delete(int index) { EraseAt(index); }

std::unique_ptr<TiPlotObject> TiPlotObjectManagerCustom::CreateObject()
{
    throw TiError(QStringLiteral("Object Manager does not support creation of objects"));
}

TiPlotObject* TiPlotObjectManagerCustom::Take(std::unique_ptr<TiPlotObject>)
{
    throw TiError(QStringLiteral("Object Manager does not support creation of objects"));
}

void TiPlotObjectManagerCustom::NotificationRemove(TiPlotObject* object)
{
    if (PassesNotices())
        for (TiPlotObject* other : std::vector<TiPlotObject*>(m_items))
            if (other != object)
                other->NotificationRemove(object);
    const int index = GetIndex(object);
    if (index < 0)
        return;
    EraseAt(index);
    RemovingObject(object);
}

void TiPlotObjectManagerCustom::NotificationRename(TiPlotObject* object)
{
    const auto listed = m_listed.find(object);
    if (listed != m_listed.end()) {
        UnindexName(listed->order, listed->upperName);
        listed->upperName = AsciiUpper(object->Name());
        IndexName(object, listed->order, listed->upperName);
    }
    if (PassesNotices())
        for (TiPlotObject* other : m_items)
            if (other != object)
                other->NotificationRename(object);
}

void TiPlotObjectManagerCustom::NotificationSetFocus(TiPlotObject* object)
{
    if (PassesNotices())
        for (TiPlotObject* other : m_items)
            if (other != object)
                other->NotificationSetFocus(object);
}
