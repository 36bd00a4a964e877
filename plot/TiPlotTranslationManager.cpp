#include "plot/TiPlotTranslationManager.h"

#include "widgets/TiError.h"

const std::pair<QString, QString>& TiPlotTranslationManager::Item(int index) const
{
    if (index < 0 || index >= GetCount())
        throw TiError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_pairs[static_cast<std::size_t>(index)];
}

void TiPlotTranslationManager::Delete(int index)
{
    Item(index);
    m_pairs.erase(m_pairs.begin() + index);
}

QString TiPlotTranslationManager::Translate(const QString& text) const
{
    for (const auto& [from, to] : m_pairs)
        if (from == text)
            return to;
    return text;
}
