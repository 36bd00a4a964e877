#pragma once

#include "plot/TiPlotDataCustomList.h"
#include "plot/TiPlotManagerObject.h"
#include "widgets/TiCanvas.h"

#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>

class TiPlotAxis;

// A data series: its points in a data list, the running statistics, the two
// axes it is drawn against (by name) and how it is drawn. The trace and
// marker look lives in the data list's defaults.
class TiPlotChannelCustom : public TiPlotManagerObject {
    Q_GADGET
    Q_PROPERTY(QString TitleText READ TitleText WRITE SetTitleText)
    Q_PROPERTY(bool VisibleInLegend READ VisibleInLegend WRITE SetVisibleInLegend)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(bool TraceVisible READ TraceVisible WRITE SetTraceVisible)
    Q_PROPERTY(TiPlotEnums::TiPlotLineStyle TraceLineStyle READ TraceLineStyle WRITE SetTraceLineStyle)
    Q_PROPERTY(int TraceLineWidth READ TraceLineWidth WRITE SetTraceLineWidth)
    Q_PROPERTY(bool MarkersVisible READ MarkersVisible WRITE SetMarkersVisible)
    Q_PROPERTY(TiPlotEnums::TiPlotMarkerStyle MarkersStyle READ MarkersStyle WRITE SetMarkersStyle)
    Q_PROPERTY(int MarkersSize READ MarkersSize WRITE SetMarkersSize)
    Q_PROPERTY(int MarkersPenColor READ MarkersPenColor WRITE SetMarkersPenColor)
    Q_PROPERTY(int MarkersPenStyle READ MarkersPenStyle WRITE SetMarkersPenStyle)
    Q_PROPERTY(int MarkersPenWidth READ MarkersPenWidth WRITE SetMarkersPenWidth)
    Q_PROPERTY(int MarkersBrushColor READ MarkersBrushColor WRITE SetMarkersBrushColor)
    Q_PROPERTY(int MarkersBrushStyle READ MarkersBrushStyle WRITE SetMarkersBrushStyle)
    Q_PROPERTY(bool MarkersPenUseChannelColor READ MarkersPenUseChannelColor WRITE SetMarkersPenUseChannelColor)
    Q_PROPERTY(bool MarkersBrushUseChannelColor READ MarkersBrushUseChannelColor WRITE SetMarkersBrushUseChannelColor)
    Q_PROPERTY(bool MarkersAllowIndividual READ MarkersAllowIndividual WRITE SetMarkersAllowIndividual)
    Q_PROPERTY(int MarkersTurnOffLimit READ MarkersTurnOffLimit WRITE SetMarkersTurnOffLimit)
    Q_PROPERTY(TiFont MarkersFont READ MarkersFont WRITE SetMarkersFont)
    Q_PROPERTY(QString XAxisName READ XAxisName WRITE SetXAxisName)
    Q_PROPERTY(QString YAxisName READ YAxisName WRITE SetYAxisName)
    Q_PROPERTY(bool XAxisTrackingEnabled READ XAxisTrackingEnabled WRITE SetXAxisTrackingEnabled)
    Q_PROPERTY(bool YAxisTrackingEnabled READ YAxisTrackingEnabled WRITE SetYAxisTrackingEnabled)
    Q_PROPERTY(TiPlotEnums::TiPlotDataStyle DataStyle READ DataStyle WRITE SetDataStyle)
    Q_PROPERTY(int RingBufferSize READ RingBufferSize WRITE SetRingBufferSize)
    Q_PROPERTY(QString LogFileName READ LogFileName WRITE SetLogFileName)
    Q_PROPERTY(int LogBufferSize READ LogBufferSize WRITE SetLogBufferSize)
    Q_PROPERTY(bool LoggingActive READ LoggingActive WRITE SetLoggingActive)
    Q_PROPERTY(QVariant Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString OPCComputerName READ OPCComputerName WRITE SetOPCComputerName)
    Q_PROPERTY(QString OPCServerName READ OPCServerName WRITE SetOPCServerName)
    Q_PROPERTY(QString OPCGroupName READ OPCGroupName WRITE SetOPCGroupName)
    Q_PROPERTY(QString OPCItemName READ OPCItemName WRITE SetOPCItemName)
    Q_PROPERTY(int OPCUpdateRate READ OPCUpdateRate WRITE SetOPCUpdateRate)
    Q_PROPERTY(bool OPCAutoConnect READ OPCAutoConnect WRITE SetOPCAutoConnect)
    TI_PLOT_GADGET_META

public:
    TiPlotChannelCustom(TiPlotComponent* owner, const TiPlotObjectHooks& hooks);
    ~TiPlotChannelCustom() override;

    TiPlotKind Kind() const override { return TiPlotKind::Channel; }

#define TI_CHANNEL_FIELD(Type, Name, field) \
    Type Name() const { return field; } \
    void Set##Name(const Type& value) { SetChanging(field, value); }

    TI_CHANNEL_FIELD(QString, TitleText, m_titleText)
    TI_CHANNEL_FIELD(bool, VisibleInLegend, m_visibleInLegend)
    TI_CHANNEL_FIELD(bool, TraceVisible, m_traceVisible)
    TI_CHANNEL_FIELD(bool, MarkersPenUseChannelColor, m_markersPenUseChannelColor)
    TI_CHANNEL_FIELD(bool, MarkersBrushUseChannelColor, m_markersBrushUseChannelColor)
    TI_CHANNEL_FIELD(bool, MarkersAllowIndividual, m_markersAllowIndividual)
    TI_CHANNEL_FIELD(int, MarkersTurnOffLimit, m_markersTurnOffLimit)
    TI_CHANNEL_FIELD(TiFont, MarkersFont, m_markersFont)
    TI_CHANNEL_FIELD(bool, XAxisTrackingEnabled, m_xAxisTrackingEnabled)
    TI_CHANNEL_FIELD(bool, YAxisTrackingEnabled, m_yAxisTrackingEnabled)
    TI_CHANNEL_FIELD(QString, LogFileName, m_logFileName)
    TI_CHANNEL_FIELD(int, LogBufferSize, m_logBufferSize)
    TI_CHANNEL_FIELD(QVariant, Tag, m_tag)
    TI_CHANNEL_FIELD(QString, OPCComputerName, m_opcComputerName)
    TI_CHANNEL_FIELD(QString, OPCServerName, m_opcServerName)
    TI_CHANNEL_FIELD(QString, OPCGroupName, m_opcGroupName)
    TI_CHANNEL_FIELD(QString, OPCItemName, m_opcItemName)
    TI_CHANNEL_FIELD(int, OPCUpdateRate, m_opcUpdateRate)
    TI_CHANNEL_FIELD(bool, OPCAutoConnect, m_opcAutoConnect)
#undef TI_CHANNEL_FIELD

    // The look kept in the list's defaults; these store and notify without
    // comparing.
#define TI_CHANNEL_LOOK(Type, Name, field) \
    Type Name() const { return static_cast<Type>(m_list->Defaults.field); } \
    void Set##Name(const Type& value) \
    { \
        m_list->Defaults.field = value; \
        TriggerChange(); \
    }

    TI_CHANNEL_LOOK(TColor, Color, TraceColor)
    TI_CHANNEL_LOOK(TiPlotLineStyle, TraceLineStyle, TraceLineStyle)
    TI_CHANNEL_LOOK(int, TraceLineWidth, TraceLineWidth)
    TI_CHANNEL_LOOK(bool, MarkersVisible, MarkerVisible)
    TI_CHANNEL_LOOK(TiPlotMarkerStyle, MarkersStyle, MarkerStyle)
    TI_CHANNEL_LOOK(int, MarkersSize, MarkerSize)
    TI_CHANNEL_LOOK(TColor, MarkersPenColor, MarkerPenColor)
    TI_CHANNEL_LOOK(int, MarkersPenStyle, MarkerPenStyle)
    TI_CHANNEL_LOOK(int, MarkersPenWidth, MarkerPenWidth)
    TI_CHANNEL_LOOK(TColor, MarkersBrushColor, MarkerBrushColor)
    TI_CHANNEL_LOOK(int, MarkersBrushStyle, MarkerBrushStyle)
    TI_CHANNEL_LOOK(char16_t, MarkersCharacter, MarkerCharacter)
#undef TI_CHANNEL_LOOK

    QString XAxisName() const { return m_xAxisName; }
    void SetXAxisName(const QString& value);
    QString YAxisName() const { return m_yAxisName; }
    void SetYAxisName(const QString& value);
    TiPlotDataStyle DataStyle() const { return m_dataStyle; }
    void SetDataStyle(TiPlotDataStyle value);
    int RingBufferSize() const { return m_list->GetRingBufferSize(); }
    void SetRingBufferSize(int value);
    bool LoggingActive() const { return m_loggingActive; }
    void SetLoggingActive(bool value) { SetChanging(m_loggingActive, value); }
    void LogDeactivate();

    // --- points
    int AddXY(double x, double y);
    void AddXYArrays(const QVariant& xData, const QVariant& yData);
    void AddXYArray(const QVariant& data);
    void Clear();
    int GetCount() const { return m_list->Count(); }
    void SetCount(int count);
    void DeletePoints(int count);
    double GetDataX(int index) const { return m_list->GetX(index); }
    double GetDataY(int index) const { return m_list->GetY(index); }
    bool GetDataNull(int index) const { return m_list->GetNull(index); }
    bool GetDataEmpty(int index) const { return m_list->GetEmpty(index); }
    void SetDataX(int index, double value);
    void SetDataY(int index, double value);
    void SetDataNull(int index, bool value);
    void SetDataEmpty(int index, bool value);
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const
    {
        m_list->GetXYEmptyNull(index, x, y, empty, null);
    }

    // --- per-point attributes (stored only by the classes that keep them)
    bool GetDataMarkerShow(int index) const { return m_list->GetAttributes(index).MarkerVisible; }
    void SetDataMarkerShow(int index, bool value);
    TiPlotMarkerStyle GetDataMarkerStyle(int index) const { return m_list->GetAttributes(index).MarkerStyle; }
    void SetDataMarkerStyle(int index, TiPlotMarkerStyle value);
    int GetDataMarkerSize(int index) const { return m_list->GetAttributes(index).MarkerSize; }
    void SetDataMarkerSize(int index, int value);
    TColor GetDataTraceColor(int index) const { return m_list->GetAttributes(index).TraceColor; }
    void SetDataTraceColor(int index, TColor value);
    TiPlotLineStyle GetDataTraceLineStyle(int index) const { return m_list->GetAttributes(index).TraceLineStyle; }
    void SetDataTraceLineStyle(int index, TiPlotLineStyle value);
    int GetDataTraceLineWidth(int index) const { return m_list->GetAttributes(index).TraceLineWidth; }
    void SetDataTraceLineWidth(int index, int value);
    TiPlotPointAttributes GetDataAttributes(int index) const { return m_list->GetAttributes(index); }

    // --- statistics: recomputed over the normal points
    double GetXMax();
    double GetXMin();
    double GetXMean();
    double GetYMax();
    double GetYMin();
    double GetYMean();
    void ReCalcRunningMinMaxMean();

    // The running values, as the legend shows them.
    double RunningXMin() const { return m_runXMin; }
    double RunningXMax() const { return m_runXMax; }
    double RunningYMin() const { return m_runYMin; }
    double RunningYMax() const { return m_runYMax; }
    double RunningXMean() const
    {
        SettleMeans();
        return m_runXMean;
    }
    double RunningYMean() const
    {
        SettleMeans();
        return m_runYMean;
    }
    int RunningCount() const { return m_runCount; }

    // --- storage
    int GetCapacity() const { return m_list->Capacity(); }
    int GetMaxDataPoints() const { return m_list->GetMaxDataPoints(); }
    int GetDataPointSize() const { return m_list->GetDataPointSize(); }
    std::int64_t GetMemoryUsed() const { return m_list->GetMemoryUsed(); }
    const TiPlotDataCustomList& DataList() const { return *m_list; }

    // --- axes
    TiPlotAxis* GetXAxis();
    TiPlotAxis* GetYAxis();
    bool AxesValid() { return GetXAxis() && GetYAxis(); }
    void GetPointPixels(double x, double y, int& px, int& py);

    // --- marker-widened extents and zoom-to-fit extents
    double GetDataXDrawMax(int index);
    double GetDataXDrawMin(int index);
    double GetDataYDrawMax(int index);
    double GetDataYDrawMin(int index);
    virtual int CalcStartXIndex() = 0;
    virtual int CalcStopXIndex() = 0;
    virtual double GetVisibleMaxX() = 0;
    virtual double GetVisibleMinX() = 0;
    virtual double GetVisibleMaxY() = 0;
    virtual double GetVisibleMinY() = 0;

    int DrawStartIndex() const { return m_drawStart; }
    int DrawStopIndex() const { return m_drawStop; }
    const TiRect& LegendRect() const { return m_legendRect; }
    void SetLegendRect(const TiRect& rect) { m_legendRect = rect; }

    void NotificationRemove(TiPlotObject* object) override;
    void NotificationRename(TiPlotObject* object) override;

protected:
    // Appends a Null or Empty point (no statistics, no tracking).
    int AddSpecial(bool null);
    void SetDrawRange(int start, int stop)
    {
        m_drawStart = start;
        m_drawStop = stop;
    }
    // Largest (smallest) widened extent over the normal points, or the
    // no-extent value when the channel is hidden, an axis is missing or
    // there are no points.
    double VisibleExtent(bool xAxis, bool maximum);

private:
    void ResetRunning();
    // The means follow the sums; AddXY only marks them, the division is
    // done when a mean is read.
    void SettleMeans() const
    {
        if (!m_meansStale)
            return;
        m_meansStale = false;
        m_runXMean = static_cast<double>(m_runXSum / m_runCount);
        m_runYMean = static_cast<double>(m_runYSum / m_runCount);
    }
    double MarkerHalfWidth(bool xAxis);
    // The point's value on one axis, moved by half a marker to `side` (+1
    // or -1) while markers show.
    double DataDrawEdge(int index, bool xAxis, double side);
    void ChangePoint(int index, const std::function<void(TiPlotPointAttributes&)>& change);

    std::unique_ptr<TiPlotDataCustomList> m_list;
    QString m_titleText;
    bool m_visibleInLegend = true;
    bool m_traceVisible = true;
    bool m_markersPenUseChannelColor = true;
    bool m_markersBrushUseChannelColor = true;
    bool m_markersAllowIndividual = false;
    int m_markersTurnOffLimit = 0;
    TiFont m_markersFont{QStringLiteral("MS Sans Serif"), -11, clWhite, fsBold};
    QString m_xAxisName;
    QString m_yAxisName;
    bool m_xAxisTrackingEnabled = true;
    bool m_yAxisTrackingEnabled = true;
    TiPlotDataStyle m_dataStyle = ipdsStandard;
    QString m_logFileName;
    int m_logBufferSize = 0;
    bool m_loggingActive = false;
    QVariant m_tag;
    QString m_opcComputerName;
    QString m_opcServerName;
    QString m_opcGroupName;
    QString m_opcItemName;
    int m_opcUpdateRate = 500;
    bool m_opcAutoConnect = true;

    double m_runXMin = 1e300;
    double m_runXMax = -1e300;
    double m_runYMin = 1e300;
    double m_runYMax = -1e300;
    mutable double m_runXMean = 0;
    mutable double m_runYMean = 0;
    mutable bool m_meansStale = false;
    int m_runCount = 0;
    long double m_runXSum = 0;
    long double m_runYSum = 0;
    int m_drawStart = -1;
    int m_drawStop = -1;
    TiPlotAxis* m_xAxis = nullptr;
    TiPlotAxis* m_yAxis = nullptr;
    TiRect m_legendRect{};
};
