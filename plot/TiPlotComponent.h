#pragma once

#include "plot/TiPlotMasterManager.h"
#include "widgets/TiCustomComponent.h"

#include <memory>

class TiPlotAxis;

// The plot widget: a container of named plot objects held by per-kind
// managers under one master, which turns every object change into a repaint
// request of the widget.
class TiPlotComponent : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(int DataViewZHorz READ DataViewZHorz WRITE SetDataViewZHorz STORED false)
    Q_PROPERTY(int DataViewZVert READ DataViewZVert WRITE SetDataViewZVert STORED false)
    Q_PROPERTY(bool XYAxesReverse READ XYAxesReverse WRITE SetXYAxesReverse)
    Q_PROPERTY(bool UserCanEditObjects READ UserCanEditObjects WRITE SetUserCanEditObjects)
    Q_PROPERTY(bool UserCanAddRemoveChannels READ UserCanAddRemoveChannels WRITE SetUserCanAddRemoveChannels)
    Q_PROPERTY(int OuterMarginLeft READ OuterMarginLeft WRITE SetOuterMarginLeft)
    Q_PROPERTY(int OuterMarginTop READ OuterMarginTop WRITE SetOuterMarginTop)
    Q_PROPERTY(int OuterMarginRight READ OuterMarginRight WRITE SetOuterMarginRight)
    Q_PROPERTY(int OuterMarginBottom READ OuterMarginBottom WRITE SetOuterMarginBottom)
    Q_PROPERTY(bool TitleVisible READ TitleVisible WRITE SetTitleVisible STORED false)
    Q_PROPERTY(QString TitleText READ TitleText WRITE SetTitleText STORED false)
    Q_PROPERTY(TiFont TitleFont READ TitleFont WRITE SetTitleFont STORED false)
    Q_PROPERTY(double TitleMargin READ TitleMargin WRITE SetTitleMargin STORED false)
    Q_PROPERTY(bool BackGroundGradientEnabled READ BackGroundGradientEnabled WRITE SetBackGroundGradientEnabled)
    Q_PROPERTY(TiPlotEnums::TiFillDirection BackGroundGradientDirection READ BackGroundGradientDirection WRITE SetBackGroundGradientDirection)
    Q_PROPERTY(int BackGroundGradientStartColor READ BackGroundGradientStartColor WRITE SetBackGroundGradientStartColor)
    Q_PROPERTY(int BackGroundGradientStopColor READ BackGroundGradientStopColor WRITE SetBackGroundGradientStopColor)
    Q_PROPERTY(bool HintsShow READ HintsShow WRITE SetHintsShow)
    Q_PROPERTY(int HintsPause READ HintsPause WRITE SetHintsPause)
    Q_PROPERTY(int HintsHidePause READ HintsHidePause WRITE SetHintsHidePause)
    Q_PROPERTY(TiFont HintsFont READ HintsFont WRITE SetHintsFont)
    Q_PROPERTY(bool ClipAnnotationsToAxes READ ClipAnnotationsToAxes WRITE SetClipAnnotationsToAxes)
    Q_PROPERTY(TiFont AnnotationDefaultFont READ AnnotationDefaultFont WRITE SetAnnotationDefaultFont)
    Q_PROPERTY(int AnnotationDefaultBrushStlye READ AnnotationDefaultBrushStlye WRITE SetAnnotationDefaultBrushStlye)
    Q_PROPERTY(int AnnotationDefaultBrushColor READ AnnotationDefaultBrushColor WRITE SetAnnotationDefaultBrushColor)
    Q_PROPERTY(int AnnotationDefaultPenStlye READ AnnotationDefaultPenStlye WRITE SetAnnotationDefaultPenStlye)
    Q_PROPERTY(int AnnotationDefaultPenColor READ AnnotationDefaultPenColor WRITE SetAnnotationDefaultPenColor)
    Q_PROPERTY(int AnnotationDefaultPenWidth READ AnnotationDefaultPenWidth WRITE SetAnnotationDefaultPenWidth)
    Q_PROPERTY(TiPlotEnums::TiPlotEditorFormStyle EditorFormStyle READ EditorFormStyle WRITE SetEditorFormStyle)
    Q_PROPERTY(TiPlotEnums::TiPlotExportFormat CopyToClipBoardFormat READ CopyToClipBoardFormat WRITE SetCopyToClipBoardFormat)
    Q_PROPERTY(TiPlotEnums::TiPlotDataFileColumnSeparator DataFileColumnSeparator READ DataFileColumnSeparator WRITE SetDataFileColumnSeparator)
    Q_PROPERTY(TiPlotEnums::TiPlotDataFileFormat DataFileFormat READ DataFileFormat WRITE SetDataFileFormat)
    Q_PROPERTY(QString LogFileName READ LogFileName WRITE SetLogFileName)
    Q_PROPERTY(int LogBufferSize READ LogBufferSize WRITE SetLogBufferSize)
    Q_PROPERTY(bool LoggingActive READ LoggingActive WRITE SetLoggingActive)
    Q_PROPERTY(TPrinterOrientation PrintOrientation READ PrintOrientation WRITE SetPrintOrientation)
    Q_PROPERTY(double PrintMarginLeft READ PrintMarginLeft WRITE SetPrintMarginLeft)
    Q_PROPERTY(double PrintMarginTop READ PrintMarginTop WRITE SetPrintMarginTop)
    Q_PROPERTY(double PrintMarginRight READ PrintMarginRight WRITE SetPrintMarginRight)
    Q_PROPERTY(double PrintMarginBottom READ PrintMarginBottom WRITE SetPrintMarginBottom)
    Q_PROPERTY(bool PrintShowDialog READ PrintShowDialog WRITE SetPrintShowDialog)
    Q_PROPERTY(QString PrintDocumentName READ PrintDocumentName WRITE SetPrintDocumentName)
    Q_PROPERTY(QString PrinterName READ PrinterName WRITE SetPrinterName)

public:
    enum TPrinterOrientation { poPortrait, poLandscape };
    Q_ENUM(TPrinterOrientation)

    explicit TiPlotComponent(QWidget* parent = nullptr);
    ~TiPlotComponent() override;

    TiPlotMasterManager& Master() { return *m_master; }

    // A new widget of the same class with its default content (the
    // reference for storing only what differs).
    virtual std::unique_ptr<TiPlotComponent> CreateDefaultInstance() const = 0;

    // --- per-kind operations
#define TI_PLOT_KIND_OPS(Kind, Type, Plural) \
    int Add##Kind() { return AddObject(TiPlotKind::Kind); } \
    Type* Get##Kind(int index) const { return static_cast<Type*>(m_master->ManagerOf(TiPlotKind::Kind).GetObject(index)); } \
    int Kind##Count() const { return m_master->ManagerOf(TiPlotKind::Kind).GetCount(); } \
    Type* Get##Kind##ByName(const QString& name) const \
    { \
        return static_cast<Type*>(m_master->ManagerOf(TiPlotKind::Kind).GetObjectByName(name)); \
    } \
    int Get##Kind##IndexByName(const QString& name) const \
    { \
        return m_master->ManagerOf(TiPlotKind::Kind).GetIndexByName(name); \
    } \
    virtual void Delete##Kind(int index) { DeleteObject(TiPlotKind::Kind, index); } \
    virtual void RemoveAll##Plural() { RemoveAllObjects(TiPlotKind::Kind); }

    TI_PLOT_KIND_OPS(ToolBar, TiPlotToolBar, ToolBars)
    TI_PLOT_KIND_OPS(Legend, TiPlotLegend, Legends)
    TI_PLOT_KIND_OPS(Table, TiPlotTable, Tables)
    TI_PLOT_KIND_OPS(XAxis, TiPlotXAxis, XAxes)
    TI_PLOT_KIND_OPS(YAxis, TiPlotYAxis, YAxes)
    TI_PLOT_KIND_OPS(DataView, TiPlotDataView, DataViews)
    TI_PLOT_KIND_OPS(DataCursor, TiPlotDataCursor, DataCursors)
    TI_PLOT_KIND_OPS(Limit, TiPlotLimit, Limits)
    TI_PLOT_KIND_OPS(Label, TiPlotLabel, Labels)
    TI_PLOT_KIND_OPS(Annotation, TiPlotAnnotation, Annotations)
#undef TI_PLOT_KIND_OPS

    int AddChannel() { return m_master->Add(TiPlotKind::Channel); }
    TiPlotChannelCustom* GetChannelCustom(int index) const { return m_master->ChannelManager().Item(index); }
    int ChannelCount() const { return m_master->ChannelManager().GetCount(); }
    TiPlotChannelCustom* GetChannelByName(const QString& name) const
    {
        return static_cast<TiPlotChannelCustom*>(m_master->ChannelManager().GetObjectByName(name));
    }
    int GetChannelIndexByName(const QString& name) const { return m_master->ChannelManager().GetIndexByName(name); }
    virtual void DeleteChannel(int index);
    virtual void RemoveAllChannels() { m_master->ClearManager(TiPlotKind::Channel); }

    int AddTranslation(const QString& text, const QString& replacement);
    int TranslationCount() const { return m_master->TranslationManager().GetCount(); }
    void DeleteTranslation(int index);
    void RemoveAllTranslations();

    void ClearAllData();
    void DisableAllTracking();
    void EnableAllTracking();
    void DisableLayoutManager() { m_master->LayoutManager().SetEnabled(false); }
    void EnableLayoutManager() { m_master->LayoutManager().SetEnabled(true); }

    // --- change routing from the master
    virtual void MasterChange();
    virtual void MasterRemove(TiPlotObject* object);
    // Axis range events (silent while loading).
    // Whether any axis event has a receiver; tracking changes an axis for
    // every new point and need not call the events' senders otherwise.
    bool AxisEventsListened() const { return m_axisListeners != 0; }
    void DoAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue, bool alone, double span);
    void DoAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue, bool alone, double min);
    void DoAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin, double newSpan);

    // --- storing and restoring (a JSON document)
    virtual void SavePropertiesToFile(const QString& fileName);
    virtual void LoadPropertiesFromFile(const QString& fileName);
    QByteArray SaveProperties();
    // Restores from a document; name is used in error messages. On any error
    // the plot keeps exactly what it had.
    void LoadProperties(const QByteArray& document, const QString& name);
    // Opens the loading of the stored collections: layout manager off, one
    // update bracket until Loaded.
    void BeginDefinedProperties();
    void Loaded() override;

    // --- published properties
    int DataViewZHorz() const;
    void SetDataViewZHorz(int value);
    int DataViewZVert() const;
    void SetDataViewZVert(int value);
    bool XYAxesReverse() const { return m_master->XYAxesReverse(); }
    void SetXYAxesReverse(bool value);
    bool UserCanEditObjects() const { return m_master->UserCanEditObjects(); }
    void SetUserCanEditObjects(bool value);

    bool TitleVisible() const;
    void SetTitleVisible(bool value);
    QString TitleText() const;
    void SetTitleText(const QString& value);
    TiFont TitleFont() const;
    void SetTitleFont(const TiFont& value);
    double TitleMargin() const;
    void SetTitleMargin(double value);

#define TI_PLOT_PROPERTY(Type, Name, field) \
    Type Name() const { return field; } \
    void Set##Name(const Type& value) { Store(field, value); }

    TI_PLOT_PROPERTY(bool, UserCanAddRemoveChannels, m_userCanAddRemoveChannels)
    TI_PLOT_PROPERTY(int, OuterMarginLeft, m_outerMarginLeft)
    TI_PLOT_PROPERTY(int, OuterMarginTop, m_outerMarginTop)
    TI_PLOT_PROPERTY(int, OuterMarginRight, m_outerMarginRight)
    TI_PLOT_PROPERTY(int, OuterMarginBottom, m_outerMarginBottom)
    TI_PLOT_PROPERTY(bool, BackGroundGradientEnabled, m_gradientEnabled)
    TI_PLOT_PROPERTY(TiFillDirection, BackGroundGradientDirection, m_gradientDirection)
    TI_PLOT_PROPERTY(TColor, BackGroundGradientStartColor, m_gradientStartColor)
    TI_PLOT_PROPERTY(TColor, BackGroundGradientStopColor, m_gradientStopColor)
    TI_PLOT_PROPERTY(bool, HintsShow, m_hintsShow)
    TI_PLOT_PROPERTY(int, HintsPause, m_hintsPause)
    TI_PLOT_PROPERTY(int, HintsHidePause, m_hintsHidePause)
    TI_PLOT_PROPERTY(TiFont, HintsFont, m_hintsFont)
    TI_PLOT_PROPERTY(bool, ClipAnnotationsToAxes, m_clipAnnotationsToAxes)
    TI_PLOT_PROPERTY(TiFont, AnnotationDefaultFont, m_annotationDefaultFont)
    TI_PLOT_PROPERTY(int, AnnotationDefaultBrushStlye, m_annotationDefaultBrushStyle)
    TI_PLOT_PROPERTY(TColor, AnnotationDefaultBrushColor, m_annotationDefaultBrushColor)
    TI_PLOT_PROPERTY(int, AnnotationDefaultPenStlye, m_annotationDefaultPenStyle)
    TI_PLOT_PROPERTY(TColor, AnnotationDefaultPenColor, m_annotationDefaultPenColor)
    TI_PLOT_PROPERTY(int, AnnotationDefaultPenWidth, m_annotationDefaultPenWidth)
    TI_PLOT_PROPERTY(TiPlotEditorFormStyle, EditorFormStyle, m_editorFormStyle)
    TI_PLOT_PROPERTY(TiPlotExportFormat, CopyToClipBoardFormat, m_copyToClipBoardFormat)
    TI_PLOT_PROPERTY(TiPlotDataFileColumnSeparator, DataFileColumnSeparator, m_dataFileColumnSeparator)
    TI_PLOT_PROPERTY(TiPlotDataFileFormat, DataFileFormat, m_dataFileFormat)
    TI_PLOT_PROPERTY(QString, LogFileName, m_logFileName)
    TI_PLOT_PROPERTY(int, LogBufferSize, m_logBufferSize)
    TI_PLOT_PROPERTY(bool, LoggingActive, m_loggingActive)
    TI_PLOT_PROPERTY(TPrinterOrientation, PrintOrientation, m_printOrientation)
    TI_PLOT_PROPERTY(double, PrintMarginLeft, m_printMarginLeft)
    TI_PLOT_PROPERTY(double, PrintMarginTop, m_printMarginTop)
    TI_PLOT_PROPERTY(double, PrintMarginRight, m_printMarginRight)
    TI_PLOT_PROPERTY(double, PrintMarginBottom, m_printMarginBottom)
    TI_PLOT_PROPERTY(bool, PrintShowDialog, m_printShowDialog)
    TI_PLOT_PROPERTY(QString, PrintDocumentName, m_printDocumentName)
    TI_PLOT_PROPERTY(QString, PrinterName, m_printerName)
#undef TI_PLOT_PROPERTY

signals:
#define TI_PLOT_GESTURES(Kind) \
    void OnMouseDown##Kind(int Index, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y); \
    void OnMouseMove##Kind(int Index, Qt::KeyboardModifiers Shift, int X, int Y); \
    void OnMouseUp##Kind(int Index, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y); \
    void OnClick##Kind(int Index); \
    void OnDblClick##Kind(int Index); \
    void OnPopupMenu##Kind(int Index, int X, int Y);
#define TI_PLOT_FOCUS(Kind) \
    void OnGotFocus##Kind(int Index); \
    void OnLostFocus##Kind(int Index);
    TI_PLOT_GESTURES(XAxis)
    TI_PLOT_GESTURES(YAxis)
    TI_PLOT_GESTURES(DataView)
    TI_PLOT_GESTURES(Legend)
    TI_PLOT_GESTURES(Channel)
    TI_PLOT_GESTURES(Limit)
    TI_PLOT_GESTURES(DataCursor)
    TI_PLOT_GESTURES(Annotation)
    TI_PLOT_FOCUS(XAxis)
    TI_PLOT_FOCUS(YAxis)
    TI_PLOT_FOCUS(DataView)
    TI_PLOT_FOCUS(Legend)
    TI_PLOT_FOCUS(Channel)
    TI_PLOT_FOCUS(DataCursor)
    TI_PLOT_FOCUS(Annotation)
#undef TI_PLOT_GESTURES
#undef TI_PLOT_FOCUS
    void OnClickDataPoint(int ChannelIndex, int DataIndex);
    void OnDblClickDataPoint(int ChannelIndex, int DataIndex);
    void OnDataCursorChange(int Index);
    void OnXAxisMinChange(int Index, double OldValue, double NewValue);
    void OnXAxisSpanChange(int Index, double OldValue, double NewValue);
    void OnXAxisMinSpanChange(int Index, double OldMin, double OldSpan, double NewMin, double NewSpan);
    void OnYAxisMinChange(int Index, double OldValue, double NewValue);
    void OnYAxisSpanChange(int Index, double OldValue, double NewValue);
    void OnYAxisMinSpanChange(int Index, double OldMin, double OldSpan, double NewMin, double NewSpan);
    void OnXAxisCustomizeLabel(int Index, double Value, QString& ALabel);
    void OnYAxisCustomizeLabel(int Index, double Value, QString& ALabel);

protected:
    void iPaintTo(TiCanvas& canvas) override;
    void connectNotify(const QMetaMethod& signal) override;
    // The widget's default content: toolbar, legend, axes, channel, data
    // view, cursor and title label, with the layout manager off meanwhile.
    void CreateDefaultObjects();

private:
    template <typename T> void Store(T& field, const T& value)
    {
        if (!(value != field))
            return;
        field = value;
        InvalidateChange();
    }
    TiPlotLabel* TitleLabel() const;
    bool AxisListened(int which) const;
    int AddObject(TiPlotKind kind);
    void DeleteObject(TiPlotKind kind, int index);
    void RemoveAllObjects(TiPlotKind kind);

    std::unique_ptr<TiPlotMasterManager> m_master;
    bool m_definedBracketOpen = false;
    unsigned m_axisListeners = 0;
    bool m_userCanAddRemoveChannels = false;
    int m_outerMarginLeft = 5;
    int m_outerMarginTop = 5;
    int m_outerMarginRight = 5;
    int m_outerMarginBottom = 5;
    bool m_gradientEnabled = false;
    TiFillDirection m_gradientDirection = ifdTopBottom;
    TColor m_gradientStartColor = clBlue;
    TColor m_gradientStopColor = clBlack;
    bool m_hintsShow = true;
    int m_hintsPause = 500;
    int m_hintsHidePause = 2500;
    TiFont m_hintsFont;
    bool m_clipAnnotationsToAxes = true;
    TiFont m_annotationDefaultFont{QStringLiteral("MS Sans Serif"), -11, clWhite};
    int m_annotationDefaultBrushStyle = bsSolid;
    TColor m_annotationDefaultBrushColor = clWhite;
    int m_annotationDefaultPenStyle = psSolid;
    TColor m_annotationDefaultPenColor = clWhite;
    int m_annotationDefaultPenWidth = 1;
    TiPlotEditorFormStyle m_editorFormStyle = ipfsModal;
    TiPlotExportFormat m_copyToClipBoardFormat = ipefMetaFile;
    TiPlotDataFileColumnSeparator m_dataFileColumnSeparator = ipdfcsTab;
    TiPlotDataFileFormat m_dataFileFormat = ipdffText;
    QString m_logFileName;
    int m_logBufferSize = 0;
    bool m_loggingActive = false;
    TPrinterOrientation m_printOrientation = poLandscape;
    double m_printMarginLeft = 1.0;
    double m_printMarginTop = 1.0;
    double m_printMarginRight = 1.0;
    double m_printMarginBottom = 1.0;
    bool m_printShowDialog = true;
    QString m_printDocumentName = QStringLiteral("Untitled");
    QString m_printerName;
};
