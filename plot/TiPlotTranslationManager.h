#pragma once

#include <QString>
#include <utility>
#include <vector>

// Pairs of a text and its replacement, for menu and legend words.
class TiPlotTranslationManager {
public:
    int Add(const QString& text, const QString& replacement)
    {
        m_pairs.emplace_back(text, replacement);
        return static_cast<int>(m_pairs.size()) - 1;
    }
    int GetCount() const { return static_cast<int>(m_pairs.size()); }
    const std::pair<QString, QString>& Item(int index) const;
    void Delete(int index);
    void Clear() { m_pairs.clear(); }
    // The first pair whose text matches exactly gives the replacement.
    QString Translate(const QString& text) const;

private:
    std::vector<std::pair<QString, QString>> m_pairs;
};
