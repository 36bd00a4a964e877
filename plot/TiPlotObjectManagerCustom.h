#pragma once

#include "plot/TiPlotObject.h"

#include <QHash>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// An ordered collection of plot objects: the index of an object is its
// position. Names are looked up ignoring ASCII letter case; new objects are
// named after the manager's base name with the next free number.
// Lookups by object and by name and the next free number come from indexes
// kept beside the list, so none of them walks the list.
class TiPlotObjectManagerCustom {
public:
    explicit TiPlotObjectManagerCustom(QString baseName);
    virtual ~TiPlotObjectManagerCustom() = default;
    TiPlotObjectManagerCustom(const TiPlotObjectManagerCustom&) = delete;
    TiPlotObjectManagerCustom& operator=(const TiPlotObjectManagerCustom&) = delete;

    QString GetName() const { return m_baseName; }
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // The object at index; outside 0 .. count - 1 the list's index error.
    TiPlotObject* GetObject(int index) const;
    TiPlotObject* GetItem(int index) const { return GetObject(index); }
    int GetIndex(const TiPlotObject* object) const;
    TiPlotObject* GetObjectByName(const QString& name) const;
    int GetIndexByName(const QString& name) const;
    QString GetNextName() const;

    // Appends unless already present; returns the position.
    virtual int InsertObject(TiPlotObject* object);
    // Drops the object from the list only.
    virtual void Delete(int index);
    // Owned managers free every object; the others do nothing.
    virtual void Clear() {}
    virtual std::unique_ptr<TiPlotObject> CreateObject();
    // Owned managers take a created object (not inserted yet) and free
    // objects; the others refuse to own and only drop from the list.
    virtual TiPlotObject* Take(std::unique_ptr<TiPlotObject> object);
    virtual void FreeObject(int index) { Delete(index); }

    // Passes the notice to every other object, then drops the object.
    virtual void NotificationRemove(TiPlotObject* object);
    virtual void NotificationRename(TiPlotObject* object);
    virtual void NotificationSetFocus(TiPlotObject* object);

    bool DoWriteToStream() const { return !m_items.empty(); }
    const std::vector<TiPlotObject*>& Objects() const { return m_items; }

    // Names compare ignoring the case of ASCII letters only.
    static QString AsciiUpper(const QString& text);
    static bool SameName(const QString& a, const QString& b);

protected:
    virtual void RemovingObject(TiPlotObject*) {}
    // Owned managers tell their other objects about removals and renames.
    virtual bool PassesNotices() const { return false; }
    // Drops the object at index from the list and the indexes.
    void EraseAt(int index);
    // Empties the list and the indexes.
    void ForgetAll();

    std::vector<TiPlotObject*> m_items;

private:
    // What the indexes know of a listed object.
    struct Listed {
        quint64 order; // rises with every insertion, so m_orders stays sorted
        QString upperName;
    };
    void IndexName(TiPlotObject* object, quint64 order, const QString& upperName);
    void UnindexName(quint64 order, const QString& upperName);
    // The number after the base name, when the name is the base and a number.
    std::optional<int> NumberAfterBase(const QString& upperName) const;

    QString m_baseName;
    QString m_upperBase;
    quint64 m_nextOrder = 0;
    std::vector<quint64> m_orders; // parallel to m_items
    QHash<const TiPlotObject*, Listed> m_listed;
    QHash<QString, std::map<quint64, TiPlotObject*>> m_byName;
    std::map<int, int> m_numbers; // number after the base name -> objects carrying it
};
