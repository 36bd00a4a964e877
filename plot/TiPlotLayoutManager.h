#pragma once

#include "plot/TiPlotDataViewHorz.h"
#include "plot/TiPlotDataViewVert.h"
#include "plot/TiPlotObjectManagerCustom.h"

// Every layout object, not owned: keeps the ZOrder numbers of the bands
// around the data view and the four side lists the layout walks.
class TiPlotLayoutManager : public TiPlotObjectManagerCustom {
public:
    TiPlotLayoutManager(TiPlotComponent* owner, const TiPlotObjectHooks& hooks);

    int InsertObject(TiPlotObject* object) override;

    bool Enabled() const { return m_enabled; }
    // Off only stops the bookkeeping; on rebuilds the side lists at once.
    void SetEnabled(bool value);

    // Gives the object its place in the stack of its orientation. Mode 0
    // takes Order when that slot is free; modes 1 and 2 always open a slot.
    void InsertZOrder(TiPlotLayoutObject* object, int order, int mode);
    void SetXYAxesReverse(bool value);
    bool XYAxesReverse() const { return m_xyAxesReverse; }

    // Rebuilds the side lists from ZOrder and orientation.
    void DoLayoutChange();

    TiPlotDataViewHorz& DataViewHorz() { return *m_dataViewHorz; }
    TiPlotDataViewVert& DataViewVert() { return *m_dataViewVert; }
    const std::vector<TiPlotLayoutObject*>& TopList() const { return m_top; }
    const std::vector<TiPlotLayoutObject*>& BottomList() const { return m_bottom; }
    const std::vector<TiPlotLayoutObject*>& LeftList() const { return m_left; }
    const std::vector<TiPlotLayoutObject*>& RightList() const { return m_right; }
    static int VisibleCount(const std::vector<TiPlotLayoutObject*>& list);
    static int GetUniqueCount(const std::vector<TiPlotLayoutObject*>& list);

protected:
    void RemovingObject(TiPlotObject* object) override;

private:
    // The objects that share the stacks: every layout object except data
    // views, plus the two stand-ins.
    std::vector<TiPlotLayoutObject*> StackObjects() const;
    void RemoveZOrder(TiPlotLayoutObject* object);
    void SetAxisDirection(TiPlotLayoutObject* object) const;

    std::unique_ptr<TiPlotDataViewHorz> m_dataViewHorz;
    std::unique_ptr<TiPlotDataViewVert> m_dataViewVert;
    bool m_enabled = true;
    bool m_xyAxesReverse = false;
    std::vector<TiPlotLayoutObject*> m_top;
    std::vector<TiPlotLayoutObject*> m_bottom;
    std::vector<TiPlotLayoutObject*> m_left;
    std::vector<TiPlotLayoutObject*> m_right;
};
