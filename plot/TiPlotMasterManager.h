#pragma once

#include "plot/TiPlotAnnotation.h"
#include "plot/TiPlotChannelCustom.h"
#include "plot/TiPlotDataCursor.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiPlotLabel.h"
#include "plot/TiPlotLayoutManager.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotLimit.h"
#include "plot/TiPlotObjectOwnedManager.h"
#include "plot/TiPlotTable.h"
#include "plot/TiPlotToolBar.h"
#include "plot/TiPlotTranslationManager.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"

#include <QHash>

using TiPlotToolBarManager = TiPlotObjectOwnedManager<TiPlotToolBar>;
using TiPlotLegendManager = TiPlotObjectOwnedManager<TiPlotLegend>;
using TiPlotTableManager = TiPlotObjectOwnedManager<TiPlotTable>;
using TiPlotXAxisManager = TiPlotObjectOwnedManager<TiPlotXAxis>;
using TiPlotYAxisManager = TiPlotObjectOwnedManager<TiPlotYAxis>;
using TiPlotChannelManager = TiPlotObjectOwnedManager<TiPlotChannelCustom>;
using TiPlotDataViewManager = TiPlotObjectOwnedManager<TiPlotDataView>;
using TiPlotDataCursorManager = TiPlotObjectOwnedManager<TiPlotDataCursor>;
using TiPlotLimitManager = TiPlotObjectOwnedManager<TiPlotLimit>;
using TiPlotLabelManager = TiPlotObjectOwnedManager<TiPlotLabel>;
using TiPlotAnnotationManager = TiPlotObjectOwnedManager<TiPlotAnnotation>;
// Every object, not owned.
using TiPlotObjectManager = TiPlotObjectManagerCustom;

// Owns the managers of every kind and routes every notification between the
// objects, the managers and the widget.
class TiPlotMasterManager {
public:
    explicit TiPlotMasterManager(TiPlotComponent* owner);
    ~TiPlotMasterManager();
    TiPlotMasterManager(const TiPlotMasterManager&) = delete;
    TiPlotMasterManager& operator=(const TiPlotMasterManager&) = delete;

    TiPlotToolBarManager& ToolBarManager() { return *m_toolBars; }
    TiPlotLegendManager& LegendManager() { return *m_legends; }
    TiPlotTableManager& TableManager() { return *m_tables; }
    TiPlotXAxisManager& XAxisManager() { return *m_xAxes; }
    TiPlotYAxisManager& YAxisManager() { return *m_yAxes; }
    TiPlotChannelManager& ChannelManager() { return *m_channels; }
    TiPlotDataViewManager& DataViewManager() { return *m_dataViews; }
    TiPlotDataCursorManager& DataCursorManager() { return *m_dataCursors; }
    TiPlotLimitManager& LimitManager() { return *m_limits; }
    TiPlotLabelManager& LabelManager() { return *m_labels; }
    TiPlotAnnotationManager& AnnotationManager() { return *m_annotations; }
    TiPlotObjectManager& ObjectManager() { return *m_objects; }
    TiPlotLayoutManager& LayoutManager() { return *m_layout; }
    TiPlotTranslationManager& TranslationManager() { return m_translations; }

    // The owned manager of a kind (not the stand-ins' kind).
    TiPlotObjectManagerCustom& ManagerOf(TiPlotKind kind);
    // Creates an object of the kind (not inserted yet).
    std::unique_ptr<TiPlotObject> CreateObject(TiPlotKind kind) { return ManagerOf(kind).CreateObject(); }
    // Gives a created object to its manager and inserts it; returns its index.
    int Adopt(std::unique_ptr<TiPlotObject> object);
    // Frees the object at index of the kind's manager.
    void FreeObject(TiPlotKind kind, int index);
    void ClearManager(TiPlotKind kind);

    int Add(TiPlotKind kind) { return Adopt(CreateObject(kind)); }
    int AddTranslation(const QString& text, const QString& replacement) { return m_translations.Add(text, replacement); }

    // The class new channels are made of.
    void SetChannelClass(std::function<std::unique_ptr<TiPlotChannelCustom>()> factory);
    TiPlotObjectHooks Hooks();

    bool UserCanEditObjects() const { return m_userCanEditObjects; }
    void SetUserCanEditObjects(bool value);
    bool XYAxesReverse() const { return m_layout->XYAxesReverse(); }
    void SetXYAxesReverse(bool value);
    void ClearAllData();
    void DeSelectAll();

    // The colour a channel just added gets.
    TColor GetNextChannelColor() const;
    static const TColor ChannelPalette[30];

    void NotificationChange(TiPlotObject* object);
    void NotificationInsert(TiPlotObject* object);
    void NotificationRemove(TiPlotObject* object);
    void NotificationRename(TiPlotObject* object);
    void NotificationSetFocus(TiPlotObject* object);

private:
    template <typename F> void ForEachOwnedManager(F f);
    void ApplyInsertionDefaults(TiPlotObject* object);
    // Keeps the count of channels per colour in step with a channel's colour
    // (present) or its leaving (not present).
    void CountChannelColor(const TiPlotObject* object, bool present);

    TiPlotComponent* m_owner;
    bool m_tearingDown = false;
    bool m_userCanEditObjects = true;
    std::unique_ptr<TiPlotObjectManager> m_objects;
    std::unique_ptr<TiPlotToolBarManager> m_toolBars;
    std::unique_ptr<TiPlotLegendManager> m_legends;
    std::unique_ptr<TiPlotTableManager> m_tables;
    std::unique_ptr<TiPlotChannelManager> m_channels;
    std::unique_ptr<TiPlotDataCursorManager> m_dataCursors;
    std::unique_ptr<TiPlotDataViewManager> m_dataViews;
    std::unique_ptr<TiPlotXAxisManager> m_xAxes;
    std::unique_ptr<TiPlotYAxisManager> m_yAxes;
    std::unique_ptr<TiPlotLimitManager> m_limits;
    std::unique_ptr<TiPlotLabelManager> m_labels;
    std::unique_ptr<TiPlotAnnotationManager> m_annotations;
    std::unique_ptr<TiPlotLayoutManager> m_layout;
    TiPlotTranslationManager m_translations;
    // Each listed channel's colour and the channels per colour, so that a new
    // channel's colour does not take a count of every channel.
    QHash<const TiPlotObject*, TColor> m_channelColors;
    QHash<TColor, int> m_colorUses;
    // The channel and colour the last change notification found counted:
    // points arrive as changes of one channel, its colour the same.
    const TiPlotObject* m_checkedChannel = nullptr;
    TColor m_checkedColor = 0;
};
