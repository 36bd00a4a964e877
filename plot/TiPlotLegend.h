#pragma once

#include "plot/TiPlotLayoutObject.h"

// The list of channels beside the data view.
class TiPlotLegend : public TiPlotLayoutObject {
    Q_GADGET
    Q_PROPERTY(double MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(double MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(double MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(double MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(int BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool BackGroundTransparent READ BackGroundTransparent WRITE SetBackGroundTransparent)
    Q_PROPERTY(TiFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TiFont SelectedItemFont READ SelectedItemFont WRITE SetSelectedItemFont)
    Q_PROPERTY(int SelectedItemBackGroundColor READ SelectedItemBackGroundColor WRITE SetSelectedItemBackGroundColor)
    Q_PROPERTY(bool ColumnTitlesVisible READ ColumnTitlesVisible WRITE SetColumnTitlesVisible)
    Q_PROPERTY(TiFont ColumnTitlesFont READ ColumnTitlesFont WRITE SetColumnTitlesFont)
    Q_PROPERTY(bool ShowColumnLine READ ShowColumnLine WRITE SetShowColumnLine)
    Q_PROPERTY(bool ShowColumnMarker READ ShowColumnMarker WRITE SetShowColumnMarker)
    Q_PROPERTY(bool ShowColumnXAxisTitle READ ShowColumnXAxisTitle WRITE SetShowColumnXAxisTitle)
    Q_PROPERTY(bool ShowColumnYAxisTitle READ ShowColumnYAxisTitle WRITE SetShowColumnYAxisTitle)
    Q_PROPERTY(bool ShowColumnXValue READ ShowColumnXValue WRITE SetShowColumnXValue)
    Q_PROPERTY(bool ShowColumnYValue READ ShowColumnYValue WRITE SetShowColumnYValue)
    Q_PROPERTY(bool ShowColumnYMax READ ShowColumnYMax WRITE SetShowColumnYMax)
    Q_PROPERTY(bool ShowColumnYMin READ ShowColumnYMin WRITE SetShowColumnYMin)
    Q_PROPERTY(bool ShowColumnYMean READ ShowColumnYMean WRITE SetShowColumnYMean)
    Q_PROPERTY(QString CaptionColumnTitle READ CaptionColumnTitle WRITE SetCaptionColumnTitle)
    Q_PROPERTY(QString CaptionColumnXAxisTitle READ CaptionColumnXAxisTitle WRITE SetCaptionColumnXAxisTitle)
    Q_PROPERTY(QString CaptionColumnYAxisTitle READ CaptionColumnYAxisTitle WRITE SetCaptionColumnYAxisTitle)
    Q_PROPERTY(QString CaptionColumnXValue READ CaptionColumnXValue WRITE SetCaptionColumnXValue)
    Q_PROPERTY(QString CaptionColumnYValue READ CaptionColumnYValue WRITE SetCaptionColumnYValue)
    Q_PROPERTY(QString CaptionColumnYMax READ CaptionColumnYMax WRITE SetCaptionColumnYMax)
    Q_PROPERTY(QString CaptionColumnYMin READ CaptionColumnYMin WRITE SetCaptionColumnYMin)
    Q_PROPERTY(QString CaptionColumnYMean READ CaptionColumnYMean WRITE SetCaptionColumnYMean)
    Q_PROPERTY(double ColumnSpacing READ ColumnSpacing WRITE SetColumnSpacing)
    Q_PROPERTY(double RowSpacing READ RowSpacing WRITE SetRowSpacing)
    Q_PROPERTY(double WrapRowSpacingMin READ RowSpacing WRITE SetRowSpacing STORED false)
    Q_PROPERTY(double ChannelNameMaxWidth READ ChannelNameMaxWidth WRITE SetChannelNameMaxWidth)
    Q_PROPERTY(TiPlotEnums::TiPlotLegendChannelNameColorStyle ChannelNameColorStyle READ ChannelNameColorStyle WRITE SetChannelNameColorStyle)
    Q_PROPERTY(int WrapColDesiredCount READ WrapColDesiredCount WRITE SetWrapColDesiredCount)
    Q_PROPERTY(bool WrapColAutoCountEnabled READ WrapColAutoCountEnabled WRITE SetWrapColAutoCountEnabled)
    Q_PROPERTY(int WrapColAutoCountMax READ WrapColAutoCountMax WRITE SetWrapColAutoCountMax)
    Q_PROPERTY(double WrapColSpacingMin READ WrapColSpacingMin WRITE SetWrapColSpacingMin)
    Q_PROPERTY(bool WrapColSpacingAuto READ WrapColSpacingAuto WRITE SetWrapColSpacingAuto)
    Q_PROPERTY(int WrapRowDesiredCount READ WrapRowDesiredCount WRITE SetWrapRowDesiredCount)
    Q_PROPERTY(bool WrapRowAutoCountEnabled READ WrapRowAutoCountEnabled WRITE SetWrapRowAutoCountEnabled)
    Q_PROPERTY(int WrapRowAutoCountMax READ WrapRowAutoCountMax WRITE SetWrapRowAutoCountMax)
    Q_PROPERTY(bool WrapRowSpacingAuto READ WrapRowSpacingAuto WRITE SetWrapRowSpacingAuto)
    TI_PLOT_GADGET_META

public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    TiPlotKind Kind() const override { return TiPlotKind::Legend; }

#define TI_LEGEND_FIELD(Type, Name, field) \
    Type Name() const { return field; } \
    void Set##Name(const Type& value) { SetChanging(field, value); }

    TI_LEGEND_FIELD(double, MarginLeft, m_marginLeft)
    TI_LEGEND_FIELD(double, MarginTop, m_marginTop)
    TI_LEGEND_FIELD(double, MarginRight, m_marginRight)
    TI_LEGEND_FIELD(double, MarginBottom, m_marginBottom)
    TI_LEGEND_FIELD(TColor, BackGroundColor, m_backGroundColor)
    TI_LEGEND_FIELD(bool, BackGroundTransparent, m_backGroundTransparent)
    TI_LEGEND_FIELD(TiFont, Font, m_font)
    TI_LEGEND_FIELD(TiFont, SelectedItemFont, m_selectedItemFont)
    TI_LEGEND_FIELD(TColor, SelectedItemBackGroundColor, m_selectedItemBackGroundColor)
    TI_LEGEND_FIELD(bool, ColumnTitlesVisible, m_columnTitlesVisible)
    TI_LEGEND_FIELD(TiFont, ColumnTitlesFont, m_columnTitlesFont)
    TI_LEGEND_FIELD(bool, ShowColumnLine, m_showColumnLine)
    TI_LEGEND_FIELD(bool, ShowColumnMarker, m_showColumnMarker)
    TI_LEGEND_FIELD(bool, ShowColumnXAxisTitle, m_showColumnXAxisTitle)
    TI_LEGEND_FIELD(bool, ShowColumnYAxisTitle, m_showColumnYAxisTitle)
    TI_LEGEND_FIELD(bool, ShowColumnXValue, m_showColumnXValue)
    TI_LEGEND_FIELD(bool, ShowColumnYValue, m_showColumnYValue)
    TI_LEGEND_FIELD(bool, ShowColumnYMax, m_showColumnYMax)
    TI_LEGEND_FIELD(bool, ShowColumnYMin, m_showColumnYMin)
    TI_LEGEND_FIELD(bool, ShowColumnYMean, m_showColumnYMean)
    TI_LEGEND_FIELD(QString, CaptionColumnTitle, m_captionColumnTitle)
    TI_LEGEND_FIELD(QString, CaptionColumnXAxisTitle, m_captionColumnXAxisTitle)
    TI_LEGEND_FIELD(QString, CaptionColumnYAxisTitle, m_captionColumnYAxisTitle)
    TI_LEGEND_FIELD(QString, CaptionColumnXValue, m_captionColumnXValue)
    TI_LEGEND_FIELD(QString, CaptionColumnYValue, m_captionColumnYValue)
    TI_LEGEND_FIELD(QString, CaptionColumnYMax, m_captionColumnYMax)
    TI_LEGEND_FIELD(QString, CaptionColumnYMin, m_captionColumnYMin)
    TI_LEGEND_FIELD(QString, CaptionColumnYMean, m_captionColumnYMean)
    TI_LEGEND_FIELD(double, ColumnSpacing, m_columnSpacing)
    TI_LEGEND_FIELD(double, RowSpacing, m_rowSpacing)
    TI_LEGEND_FIELD(double, ChannelNameMaxWidth, m_channelNameMaxWidth)
    TI_LEGEND_FIELD(TiPlotLegendChannelNameColorStyle, ChannelNameColorStyle, m_channelNameColorStyle)
    TI_LEGEND_FIELD(int, WrapColDesiredCount, m_wrapColDesiredCount)
    TI_LEGEND_FIELD(bool, WrapColAutoCountEnabled, m_wrapColAutoCountEnabled)
    TI_LEGEND_FIELD(int, WrapColAutoCountMax, m_wrapColAutoCountMax)
    TI_LEGEND_FIELD(double, WrapColSpacingMin, m_wrapColSpacingMin)
    TI_LEGEND_FIELD(bool, WrapColSpacingAuto, m_wrapColSpacingAuto)
    TI_LEGEND_FIELD(int, WrapRowDesiredCount, m_wrapRowDesiredCount)
    TI_LEGEND_FIELD(bool, WrapRowAutoCountEnabled, m_wrapRowAutoCountEnabled)
    TI_LEGEND_FIELD(int, WrapRowAutoCountMax, m_wrapRowAutoCountMax)
    TI_LEGEND_FIELD(bool, WrapRowSpacingAuto, m_wrapRowSpacingAuto)
#undef TI_LEGEND_FIELD

private:
    double m_marginLeft = 1;
    double m_marginTop = 1;
    double m_marginRight = 1;
    double m_marginBottom = 1;
    TColor m_backGroundColor = clGray;
    bool m_backGroundTransparent = true;
    TiFont m_font{QStringLiteral("MS Sans Serif"), -11, clWhite};
    TiFont m_selectedItemFont{QStringLiteral("MS Sans Serif"), -11, clBlack};
    TColor m_selectedItemBackGroundColor = clYellow;
    bool m_columnTitlesVisible = false;
    TiFont m_columnTitlesFont{QStringLiteral("MS Sans Serif"), -11, clAqua, fsBold};
    bool m_showColumnLine = true;
    bool m_showColumnMarker = false;
    bool m_showColumnXAxisTitle = false;
    bool m_showColumnYAxisTitle = false;
    bool m_showColumnXValue = false;
    bool m_showColumnYValue = false;
    bool m_showColumnYMax = false;
    bool m_showColumnYMin = false;
    bool m_showColumnYMean = false;
    QString m_captionColumnTitle = QStringLiteral("Title");
    QString m_captionColumnXAxisTitle = QStringLiteral("X-Axis");
    QString m_captionColumnYAxisTitle = QStringLiteral("Y-Axis");
    QString m_captionColumnXValue = QStringLiteral("X");
    QString m_captionColumnYValue = QStringLiteral("Y");
    QString m_captionColumnYMax = QStringLiteral("Y-Max");
    QString m_captionColumnYMin = QStringLiteral("Y-Min");
    QString m_captionColumnYMean = QStringLiteral("Y-Mean");
    double m_columnSpacing = 0.5;
    double m_rowSpacing = 0.25;
    double m_channelNameMaxWidth = 0;
    TiPlotLegendChannelNameColorStyle m_channelNameColorStyle = iplcncsFont;
    int m_wrapColDesiredCount = 1;
    bool m_wrapColAutoCountEnabled = false;
    int m_wrapColAutoCountMax = 100;
    double m_wrapColSpacingMin = 2;
    bool m_wrapColSpacingAuto = true;
    int m_wrapRowDesiredCount = 5;
    bool m_wrapRowAutoCountEnabled = true;
    int m_wrapRowAutoCountMax = 100;
    bool m_wrapRowSpacingAuto = false;
};
