#pragma once

#include "plot/TiPlotObjectManagerCustom.h"

#include <algorithm>
#include <functional>

// A manager that owns the objects of one kind. Objects reach it through
// Take (ownership, not yet inserted) and the master's insertion (position).
template <typename T> class TiPlotObjectOwnedManager : public TiPlotObjectManagerCustom {
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    TiPlotObjectOwnedManager(QString baseName, Factory factory)
        : TiPlotObjectManagerCustom(std::move(baseName)), m_factory(std::move(factory))
    {
    }

    // Constructs one object of the kind, not yet inserted.
    std::unique_ptr<TiPlotObject> CreateObject() override { return m_factory(); }
    void SetFactory(Factory factory) { m_factory = std::move(factory); }

    T* Item(int index) const { return static_cast<T*>(GetObject(index)); }

    // Takes ownership of a created object; its Loaded() then inserts it.
    TiPlotObject* Take(std::unique_ptr<TiPlotObject> object) override
    {
        TiPlotObject* raw = object.get();
        m_owned.push_back(std::move(object));
        return raw;
    }

    // Frees the object at index: it leaves every manager first.
    void FreeObject(int index) override
    {
        TiPlotObject* object = GetObject(index);
        auto holder = Release(object);
        object->NotifyRemoval();
        // An object that never got inserted is still listed here.
        const int left = GetIndex(object);
        if (left >= 0)
            EraseAt(left);
    }

    // Frees every object, working on a copy of the list.
    void Clear() override
    {
        for (TiPlotObject* object : std::vector<TiPlotObject*>(m_items)) {
            const int index = GetIndex(object);
            if (index >= 0)
                FreeObject(index);
        }
        m_owned.clear();
    }

    // Tear-down: frees everything without any notification.
    void DropAll()
    {
        ForgetAll();
        m_owned.clear();
    }

protected:
    bool PassesNotices() const override { return true; }

private:
    std::unique_ptr<TiPlotObject> Release(TiPlotObject* object)
    {
        const auto it = std::find_if(m_owned.begin(), m_owned.end(), [&](const auto& p) { return p.get() == object; });
        if (it == m_owned.end())
            return nullptr;
        auto holder = std::move(*it);
        m_owned.erase(it);
        return holder;
    }

    Factory m_factory;
    std::vector<std::unique_ptr<TiPlotObject>> m_owned;
};
