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

TiPlotObject* TiPlotObjectManagerCustom::GetObject(int index) const
{
    if (index < 0 || index >= GetCount())
        throw TiError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[static_cast<std::size_t>(index)];
}

int TiPlotObjectManagerCustom::GetIndex(const TiPlotObject* object) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), object);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

TiPlotObject* TiPlotObjectManagerCustom::GetObjectByName(const QString& name) const
{
    const int index = GetIndexByName(name);
    return index < 0 ? nullptr : m_items[static_cast<std::size_t>(index)];
}

int TiPlotObjectManagerCustom::GetIndexByName(const QString& name) const
{
    const QString upper = AsciiUpper(name);
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (AsciiUpper(m_items[i]->Name()) == upper)
            return static_cast<int>(i);
    return -1;
}

QString TiPlotObjectManagerCustom::GetNextName() const
{
    static const QRegularExpression number(QStringLiteral("^ *([+-]?[0-9]+)$"));
    const QString base = AsciiUpper(m_baseName);
    long long highest = 0;
    for (const TiPlotObject* object : m_items) {
        const QString name = AsciiUpper(object->Name());
        if (!name.startsWith(base))
            continue;
        const auto match = number.match(name.mid(base.size()));
        if (!match.hasMatch())
            continue;
        bool ok = false;
        const int value = match.captured(1).toInt(&ok);
        if (ok)
            highest = std::max<long long>(highest, value);
    }
    return m_baseName + QLatin1Char(' ') + QString::number(highest + 1);
}

int TiPlotObjectManagerCustom::InsertObject(TiPlotObject* object)
{
    const int index = GetIndex(object);
    if (index >= 0)
        return index;
    m_items.push_back(object);
    return GetCount() - 1;
}

void TiPlotObjectManagerCustom::Delete(int index)
{
    GetObject(index);
    m_items.erase(m_items.begin() + index);
}

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
    m_items.erase(m_items.begin() + index);
    RemovingObject(object);
}

void TiPlotObjectManagerCustom::NotificationRename(TiPlotObject* object)
{
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
