#pragma once

#include "plot/TiPlotLayoutObject.h"
#include "plot/TiPlotScaleMap.h"
#include "widgets/TiScaleTypes.h"

// An axis: the value range of one direction, its pixel mapping and the
// published look of its scale. Ticks, labels, layout and drawing use the
// range and the scale rectangle kept here.
class TiPlotAxis : public TiPlotLayoutObject {
    Q_GADGET
    Q_PROPERTY(double Min READ Min WRITE SetMin)
    Q_PROPERTY(double Span READ Span WRITE SetSpan)
    Q_PROPERTY(double DesiredStart READ DesiredStart WRITE SetDesiredStart)
    Q_PROPERTY(double DesiredIncrement READ DesiredIncrement WRITE SetDesiredIncrement)
    Q_PROPERTY(bool ReverseScale READ ReverseScale WRITE SetReverseScale)
    Q_PROPERTY(int InnerMargin READ InnerMargin WRITE SetInnerMargin)
    Q_PROPERTY(int OuterMargin READ OuterMargin WRITE SetOuterMargin)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(bool TitleShow READ TitleShow WRITE SetTitleShow)
    Q_PROPERTY(TiFont TitleFont READ TitleFont WRITE SetTitleFont)
    Q_PROPERTY(double TitleMargin READ TitleMargin WRITE SetTitleMargin)
    Q_PROPERTY(bool TitleRotated READ TitleRotated WRITE SetTitleRotated)
    Q_PROPERTY(int MajorLength READ MajorLength WRITE SetMajorLength)
    Q_PROPERTY(int MinorLength READ MinorLength WRITE SetMinorLength)
    Q_PROPERTY(int MinorCount READ MinorCount WRITE SetMinorCount)
    Q_PROPERTY(bool LabelsVisible READ LabelsVisible WRITE SetLabelsVisible)
    Q_PROPERTY(TiFont LabelsFont READ LabelsFont WRITE SetLabelsFont)
    Q_PROPERTY(double LabelsMargin READ LabelsMargin WRITE SetLabelsMargin)
    Q_PROPERTY(double LabelSeparation READ LabelSeparation WRITE SetLabelSeparation)
    Q_PROPERTY(TiPlotEnums::TiRotationAngle LabelsRotation READ LabelsRotation WRITE SetLabelsRotation)
    Q_PROPERTY(TiPlotEnums::TiPlotTextFormat LabelsFormatStyle READ LabelsFormatStyle WRITE SetLabelsFormatStyle)
    Q_PROPERTY(int LabelsPrecision READ LabelsPrecision WRITE SetLabelsPrecision)
    Q_PROPERTY(TiScaleEnums::TiPrecisionStyle LabelsPrecisionStyle READ LabelsPrecisionStyle WRITE SetLabelsPrecisionStyle)
    Q_PROPERTY(QString DateTimeFormat READ DateTimeFormat WRITE SetDateTimeFormat)
    Q_PROPERTY(double LabelsMinLength READ LabelsMinLength WRITE SetLabelsMinLength)
    Q_PROPERTY(bool LabelsMinLengthAutoAdjust READ LabelsMinLengthAutoAdjust WRITE SetLabelsMinLengthAutoAdjust)
    Q_PROPERTY(bool ScaleLinesShow READ ScaleLinesShow WRITE SetScaleLinesShow)
    Q_PROPERTY(bool ScaleLineShow READ ScaleLineShow WRITE SetScaleLineShow)
    Q_PROPERTY(int ScaleLinesColor READ ScaleLinesColor WRITE SetScaleLinesColor)
    Q_PROPERTY(bool GridLinesVisible READ GridLinesVisible WRITE SetGridLinesVisible)
    Q_PROPERTY(TiPlotEnums::TiPlotScaleType ScaleType READ ScaleType WRITE SetScaleType)
    Q_PROPERTY(double StackingEndsMargin READ StackingEndsMargin WRITE SetStackingEndsMargin)
    Q_PROPERTY(bool TrackingEnabled READ TrackingEnabled WRITE SetTrackingEnabled)
    Q_PROPERTY(TiPlotEnums::TiPlotTrackingStyle TrackingStyle READ TrackingStyle WRITE SetTrackingStyle)
    Q_PROPERTY(TiPlotEnums::TiPlotAlignFirstStyle TrackingAlignFirstStyle READ TrackingAlignFirstStyle WRITE SetTrackingAlignFirstStyle)
    Q_PROPERTY(double TrackingScrollCompressMax READ TrackingScrollCompressMax WRITE SetTrackingScrollCompressMax)
    Q_PROPERTY(bool RestoreValuesOnResume READ RestoreValuesOnResume WRITE SetRestoreValuesOnResume)
    Q_PROPERTY(bool ScrollMinMaxEnabled READ ScrollMinMaxEnabled WRITE SetScrollMinMaxEnabled)
    Q_PROPERTY(double ScrollMin READ ScrollMin WRITE SetScrollMin)
    Q_PROPERTY(double ScrollMax READ ScrollMax WRITE SetScrollMax)
    Q_PROPERTY(bool MasterUIInput READ MasterUIInput WRITE SetMasterUIInput)
    Q_PROPERTY(TiPlotEnums::TiPlotCartesianStyle CartesianStyle READ CartesianStyle WRITE SetCartesianStyle)
    Q_PROPERTY(QString CartesianChildRefAxisName READ CartesianChildRefAxisName WRITE SetCartesianChildRefAxisName)
    Q_PROPERTY(double CartesianChildRefValue READ CartesianChildRefValue WRITE SetCartesianChildRefValue)
    Q_PROPERTY(QString AlignRefAxisName READ AlignRefAxisName WRITE SetAlignRefAxisName)
    Q_PROPERTY(bool CursorUseDefaultFormat READ CursorUseDefaultFormat WRITE SetCursorUseDefaultFormat)
    Q_PROPERTY(TiPlotEnums::TiPlotTextFormat CursorFormatStyle READ CursorFormatStyle WRITE SetCursorFormatStyle)
    Q_PROPERTY(QString CursorDateTimeFormat READ CursorDateTimeFormat WRITE SetCursorDateTimeFormat)
    Q_PROPERTY(int CursorPrecision READ CursorPrecision WRITE SetCursorPrecision)
    Q_PROPERTY(TiScaleEnums::TiPrecisionStyle CursorPrecisionStyle READ CursorPrecisionStyle WRITE SetCursorPrecisionStyle)
    Q_PROPERTY(double CursorMinLength READ CursorMinLength WRITE SetCursorMinLength)
    Q_PROPERTY(bool CursorMinLengthAutoAdjust READ CursorMinLengthAutoAdjust WRITE SetCursorMinLengthAutoAdjust)
    Q_PROPERTY(double CursorScaler READ CursorScaler WRITE SetCursorScaler)
    Q_PROPERTY(bool LegendUseDefaultFormat READ LegendUseDefaultFormat WRITE SetLegendUseDefaultFormat)
    Q_PROPERTY(TiPlotEnums::TiPlotTextFormat LegendFormatStyle READ LegendFormatStyle WRITE SetLegendFormatStyle)
    Q_PROPERTY(QString LegendDateTimeFormat READ LegendDateTimeFormat WRITE SetLegendDateTimeFormat)
    Q_PROPERTY(int LegendPrecision READ LegendPrecision WRITE SetLegendPrecision)
    Q_PROPERTY(TiScaleEnums::TiPrecisionStyle LegendPrecisionStyle READ LegendPrecisionStyle WRITE SetLegendPrecisionStyle)
    Q_PROPERTY(double LegendMinLength READ LegendMinLength WRITE SetLegendMinLength)
    Q_PROPERTY(bool LegendMinLengthAutoAdjust READ LegendMinLengthAutoAdjust WRITE SetLegendMinLengthAutoAdjust)
    TI_PLOT_GADGET_META

public:
    using TiPlotLayoutObject::TiPlotLayoutObject;

    virtual bool IsXAxis() const = 0;

#define TI_AXIS_FIELD(Type, Name, field) \
    Type Name() const { return field; } \
    void Set##Name(const Type& value) { SetChanging(field, value); }

    TI_AXIS_FIELD(double, DesiredStart, m_desiredStart)
    TI_AXIS_FIELD(double, DesiredIncrement, m_desiredIncrement)
    TI_AXIS_FIELD(bool, ReverseScale, m_reverseScale)
    TI_AXIS_FIELD(int, InnerMargin, m_innerMargin)
    TI_AXIS_FIELD(int, OuterMargin, m_outerMargin)
    TI_AXIS_FIELD(QString, Title, m_title)
    TI_AXIS_FIELD(bool, TitleShow, m_titleShow)
    TI_AXIS_FIELD(TiFont, TitleFont, m_titleFont)
    TI_AXIS_FIELD(double, TitleMargin, m_titleMargin)
    TI_AXIS_FIELD(bool, TitleRotated, m_titleRotated)
    TI_AXIS_FIELD(int, MajorLength, m_majorLength)
    TI_AXIS_FIELD(int, MinorLength, m_minorLength)
    TI_AXIS_FIELD(int, MinorCount, m_minorCount)
    TI_AXIS_FIELD(bool, LabelsVisible, m_labelsVisible)
    TI_AXIS_FIELD(TiFont, LabelsFont, m_labelsFont)
    TI_AXIS_FIELD(double, LabelsMargin, m_labelsMargin)
    TI_AXIS_FIELD(double, LabelSeparation, m_labelSeparation)
    TI_AXIS_FIELD(TiRotationAngle, LabelsRotation, m_labelsRotation)
    TI_AXIS_FIELD(TiPlotTextFormat, LabelsFormatStyle, m_labelsFormatStyle)
    TI_AXIS_FIELD(int, LabelsPrecision, m_labelsPrecision)
    TI_AXIS_FIELD(TiPrecisionStyle, LabelsPrecisionStyle, m_labelsPrecisionStyle)
    TI_AXIS_FIELD(QString, DateTimeFormat, m_dateTimeFormat)
    TI_AXIS_FIELD(double, LabelsMinLength, m_labelsMinLength)
    TI_AXIS_FIELD(bool, LabelsMinLengthAutoAdjust, m_labelsMinLengthAutoAdjust)
    TI_AXIS_FIELD(bool, ScaleLinesShow, m_scaleLinesShow)
    TI_AXIS_FIELD(bool, ScaleLineShow, m_scaleLineShow)
    TI_AXIS_FIELD(TColor, ScaleLinesColor, m_scaleLinesColor)
    TI_AXIS_FIELD(bool, GridLinesVisible, m_gridLinesVisible)
    TI_AXIS_FIELD(TiPlotScaleType, ScaleType, m_scaleType)
    TI_AXIS_FIELD(double, StackingEndsMargin, m_stackingEndsMargin)
    TI_AXIS_FIELD(TiPlotTrackingStyle, TrackingStyle, m_trackingStyle)
    TI_AXIS_FIELD(TiPlotAlignFirstStyle, TrackingAlignFirstStyle, m_trackingAlignFirstStyle)
    TI_AXIS_FIELD(double, TrackingScrollCompressMax, m_trackingScrollCompressMax)
    TI_AXIS_FIELD(bool, RestoreValuesOnResume, m_restoreValuesOnResume)
    TI_AXIS_FIELD(bool, ScrollMinMaxEnabled, m_scrollMinMaxEnabled)
    TI_AXIS_FIELD(double, ScrollMin, m_scrollMin)
    TI_AXIS_FIELD(double, ScrollMax, m_scrollMax)
    TI_AXIS_FIELD(bool, MasterUIInput, m_masterUIInput)
    TI_AXIS_FIELD(TiPlotCartesianStyle, CartesianStyle, m_cartesianStyle)
    TI_AXIS_FIELD(double, CartesianChildRefValue, m_cartesianChildRefValue)
    TI_AXIS_FIELD(bool, CursorUseDefaultFormat, m_cursorUseDefaultFormat)
    TI_AXIS_FIELD(TiPlotTextFormat, CursorFormatStyle, m_cursorFormatStyle)
    TI_AXIS_FIELD(QString, CursorDateTimeFormat, m_cursorDateTimeFormat)
    TI_AXIS_FIELD(int, CursorPrecision, m_cursorPrecision)
    TI_AXIS_FIELD(TiPrecisionStyle, CursorPrecisionStyle, m_cursorPrecisionStyle)
    TI_AXIS_FIELD(double, CursorMinLength, m_cursorMinLength)
    TI_AXIS_FIELD(bool, CursorMinLengthAutoAdjust, m_cursorMinLengthAutoAdjust)
    TI_AXIS_FIELD(double, CursorScaler, m_cursorScaler)
    TI_AXIS_FIELD(bool, LegendUseDefaultFormat, m_legendUseDefaultFormat)
    TI_AXIS_FIELD(TiPlotTextFormat, LegendFormatStyle, m_legendFormatStyle)
    TI_AXIS_FIELD(QString, LegendDateTimeFormat, m_legendDateTimeFormat)
    TI_AXIS_FIELD(int, LegendPrecision, m_legendPrecision)
    TI_AXIS_FIELD(TiPrecisionStyle, LegendPrecisionStyle, m_legendPrecisionStyle)
    TI_AXIS_FIELD(double, LegendMinLength, m_legendMinLength)
    TI_AXIS_FIELD(bool, LegendMinLengthAutoAdjust, m_legendMinLengthAutoAdjust)
#undef TI_AXIS_FIELD

    // --- value range
    double Min() const { return m_min; }
    void SetMin(double value);
    double Span() const { return m_span; }
    void SetSpan(double value);
    void SetMinSpan(double min, double span);
    double GetMax() const { return m_min + m_span; }

    // --- tracking
    bool TrackingEnabled() const { return m_trackingEnabled; }
    void SetTrackingEnabled(bool value);
    void NewTrackingData(double value);
    void ResetFirstAlign() { m_firstAligned = false; }
    bool FirstAligned() const { return m_firstAligned; }
    void UpdateResumeValues();
    // The values saved when tracking was switched off.
    double ResumeMin() const { return m_resumeMin; }
    double ResumeSpan() const { return m_resumeSpan; }
    double ResumeLabelsMinLength() const { return m_resumeLabelsMinLength; }
    void ZoomToFit();
    void ZoomToFitFast();

    // --- references to other axes, by name
    QString CartesianChildRefAxisName() const { return m_cartesianChildRefAxisName; }
    void SetCartesianChildRefAxisName(const QString& value);
    QString AlignRefAxisName() const { return m_alignRefAxisName; }
    void SetAlignRefAxisName(const QString& value);
    TiPlotAxis* CartesianRefAxis();
    TiPlotAxis* AlignRefAxis();

    // --- pixel mapping over the scale the layout gave the axis
    void SetScaleRect(const TiRect& rect) { m_scaleRect = rect; }
    const TiRect& ScaleRect() const { return m_scaleRect; }
    // The axis' current range over `scaleRect`, or over its own scale.
    TiPlotScaleMap ScaleMap(const TiRect& scaleRect) const;
    TiPlotScaleMap ScaleMap() const { return ScaleMap(m_scaleRect); }
    int GetMinPixels() const { return ScaleMap().MinPixel(); }
    int GetMaxPixels() const { return ScaleMap().MaxPixel(); }
    int PositionToPixels(double value) const { return ScaleMap().PositionToPixels(value); }
    double PixelsToPosition(int pixels) const { return ScaleMap().PixelsToPosition(pixels); }

    void NotificationRemove(TiPlotObject* object) override;
    void NotificationRename(TiPlotObject* object) override;

    // Reads a stored value straight into the field (the "Span",
    // "LabelSeparation" and "TitleMargin" entries of a stored plot).
    void StoreSpan(double value) { m_span = value; }

private:

    double m_min = 0;
    double m_span = 100;
    double m_desiredStart = 0;
    double m_desiredIncrement = 0;
    bool m_reverseScale = false;
    int m_innerMargin = 5;
    int m_outerMargin = 5;
    QString m_title;
    bool m_titleShow = false;
    TiFont m_titleFont{QStringLiteral("Arial"), -13, clWhite, fsBold};
    double m_titleMargin = 0.25;
    bool m_titleRotated = false;
    int m_majorLength = 7;
    int m_minorLength = 3;
    int m_minorCount = 1;
    bool m_labelsVisible = true;
    TiFont m_labelsFont{QStringLiteral("MS Sans Serif"), -11, clWhite};
    double m_labelsMargin = 0.25;
    double m_labelSeparation = 2;
    TiRotationAngle m_labelsRotation = ira000;
    TiPlotTextFormat m_labelsFormatStyle = iptfValue;
    int m_labelsPrecision = 3;
    TiPrecisionStyle m_labelsPrecisionStyle = ipsSignificantDigits;
    QString m_dateTimeFormat = QStringLiteral("hh:nn:ss");
    double m_labelsMinLength = 5;
    bool m_labelsMinLengthAutoAdjust = false;
    bool m_scaleLinesShow = true;
    bool m_scaleLineShow = true;
    TColor m_scaleLinesColor = clWhite;
    bool m_gridLinesVisible = true;
    TiPlotScaleType m_scaleType = ipstLinear;
    double m_stackingEndsMargin = 0.5;
    bool m_trackingEnabled = true;

protected:
    TiPlotTrackingStyle m_trackingStyle = iptsScaleMinMax;
    TiPlotAlignFirstStyle m_trackingAlignFirstStyle = ipafsAuto;

private:
    double m_trackingScrollCompressMax = 0;
    bool m_restoreValuesOnResume = true;
    bool m_scrollMinMaxEnabled = false;
    double m_scrollMin = 0;
    double m_scrollMax = 100;
    bool m_masterUIInput = false;
    TiPlotCartesianStyle m_cartesianStyle = ipcsNone;
    QString m_cartesianChildRefAxisName = QStringLiteral("<None>");
    double m_cartesianChildRefValue = 0;
    QString m_alignRefAxisName = QStringLiteral("<None>");
    bool m_cursorUseDefaultFormat = true;
    TiPlotTextFormat m_cursorFormatStyle = iptfValue;
    QString m_cursorDateTimeFormat = QStringLiteral("hh:nn:ss");
    int m_cursorPrecision = 3;
    TiPrecisionStyle m_cursorPrecisionStyle = ipsSignificantDigits;
    double m_cursorMinLength = 5;
    bool m_cursorMinLengthAutoAdjust = false;
    double m_cursorScaler = 1;
    bool m_legendUseDefaultFormat = true;
    TiPlotTextFormat m_legendFormatStyle = iptfValue;
    QString m_legendDateTimeFormat = QStringLiteral("hh:nn:ss");
    int m_legendPrecision = 3;
    TiPrecisionStyle m_legendPrecisionStyle = ipsSignificantDigits;
    double m_legendMinLength = 5;
    bool m_legendMinLengthAutoAdjust = false;

    bool m_firstAligned = false;
    bool m_inRangeChange = false;
    double m_resumeMin = 0;
    double m_resumeSpan = 100;
    double m_resumeLabelsMinLength = 5;
    TiRect m_scaleRect{};
    TiPlotAxis* m_cartesianRef = nullptr;
    TiPlotAxis* m_alignRef = nullptr;
};
