#pragma once

#include "widgets/TiAngularGaugeMath.h"
#include "widgets/TiAngularGaugeTypes.h"
#include "widgets/TiGaugeComponent.h"

#include <QRegion>
#include <vector>

// A round dial: a circular scale with coloured sections, ticks and labels,
// pointers turning about a hub, min/max and limit markers and two free text
// labels. The face, sections, ticks and labels form the cached static layer;
// pointers, markers, free labels and the hub are drawn on every paint.
class TiAngularGauge : public TiGaugeComponent {
    Q_OBJECT
    Q_PROPERTY(int ArcStartDegrees READ ArcStartDegrees WRITE SetArcStartDegrees)
    Q_PROPERTY(int ArcRangeDegrees READ ArcRangeDegrees WRITE SetArcRangeDegrees)
    Q_PROPERTY(int ArcRadius READ ArcRadius WRITE SetArcRadius)
    Q_PROPERTY(bool ReverseScale READ ReverseScale WRITE SetReverseScale)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int OuterMargin READ OuterMargin WRITE SetOuterMargin)
    Q_PROPERTY(bool ShowInnerArcRadius READ ShowInnerArcRadius WRITE SetShowInnerArcRadius)
    Q_PROPERTY(bool ShowOuterArcRadius READ ShowOuterArcRadius WRITE SetShowOuterArcRadius)
    Q_PROPERTY(bool ShowHub READ ShowHub WRITE SetShowHub)
    Q_PROPERTY(int HubSize READ HubSize WRITE SetHubSize)
    Q_PROPERTY(int HubColor READ HubColor WRITE SetHubColor)
    Q_PROPERTY(TiAngularGaugeEnums::TiAngularGaugePointerStyle PointerStyle READ PointerStyle WRITE SetPointerStyle)
    Q_PROPERTY(int PointerSize READ PointerSize WRITE SetPointerSize)
    Q_PROPERTY(int PointerMargin READ PointerMargin WRITE SetPointerMargin)
    Q_PROPERTY(int PointerColor READ PointerColor WRITE SetPointerColor)
    Q_PROPERTY(TiAngularGaugeEnums::TiAngularGaugePointerStyle MinMaxPointerStyle READ MinMaxPointerStyle WRITE SetMinMaxPointerStyle)
    Q_PROPERTY(QString Label1Text READ Label1Text WRITE SetLabel1Text)
    Q_PROPERTY(QString Label2Text READ Label2Text WRITE SetLabel2Text)
    Q_PROPERTY(bool ShowLabel1 READ ShowLabel1 WRITE SetShowLabel1)
    Q_PROPERTY(bool ShowLabel2 READ ShowLabel2 WRITE SetShowLabel2)
    Q_PROPERTY(TiFont Label1Font READ Label1Font WRITE SetLabel1Font)
    Q_PROPERTY(TiFont Label2Font READ Label2Font WRITE SetLabel2Font)
    Q_PROPERTY(TiEnums::TiAlignmentHorizontal Label1AlignHorizontal READ Label1AlignHorizontal WRITE SetLabel1AlignHorizontal)
    Q_PROPERTY(TiEnums::TiAlignmentHorizontal Label2AlignHorizontal READ Label2AlignHorizontal WRITE SetLabel2AlignHorizontal)
    Q_PROPERTY(TiEnums::TiAlignmentVertical Label1AlignVertical READ Label1AlignVertical WRITE SetLabel1AlignVertical)
    Q_PROPERTY(TiEnums::TiAlignmentVertical Label2AlignVertical READ Label2AlignVertical WRITE SetLabel2AlignVertical)
    Q_PROPERTY(int Label1OffsetX READ Label1OffsetX WRITE SetLabel1OffsetX)
    Q_PROPERTY(int Label1OffsetY READ Label1OffsetY WRITE SetLabel1OffsetY)
    Q_PROPERTY(int Label2OffsetX READ Label2OffsetX WRITE SetLabel2OffsetX)
    Q_PROPERTY(int Label2OffsetY READ Label2OffsetY WRITE SetLabel2OffsetY)
    Q_PROPERTY(TiScaleEnums::TiLabelAlignment TickLabelAlignment READ TickLabelAlignment WRITE SetTickLabelAlignment)
    Q_PROPERTY(TiAngularGaugeEnums::TiPanelFaceStyle PanelFaceStyle READ PanelFaceStyle WRITE SetPanelFaceStyle)
    Q_PROPERTY(int PanelFaceOuterColor READ PanelFaceOuterColor WRITE SetPanelFaceOuterColor)
    Q_PROPERTY(int PanelFaceInnerColor READ PanelFaceInnerColor WRITE SetPanelFaceInnerColor)
    Q_PROPERTY(int PanelFaceSize READ PanelFaceSize WRITE SetPanelFaceSize)

public:
    explicit TiAngularGauge(QWidget* parent = nullptr);

    int ArcStartDegrees() const { return m_arcStartDegrees; }
    void SetArcStartDegrees(int value) { SetProperty(value, m_arcStartDegrees, irtBackGround); }
    int ArcRangeDegrees() const { return m_arcRangeDegrees; }
    void SetArcRangeDegrees(int value);
    int ArcRadius() const { return m_arcRadius; }
    void SetArcRadius(int value) { SetProperty(value, m_arcRadius, irtBackGround); }
    bool ReverseScale() const { return m_reverseScale; }
    void SetReverseScale(bool value) { SetProperty(value, m_reverseScale, irtBackGround); }
    bool AutoCenter() const { return m_autoCenter; }
    void SetAutoCenter(bool value) { SetProperty(value, m_autoCenter, irtBackGround); }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { SetProperty(value, m_autoSize, irtBackGround); }
    int OuterMargin() const { return m_outerMargin; }
    void SetOuterMargin(int value) { SetProperty(value, m_outerMargin, irtBackGround); }
    bool ShowInnerArcRadius() const { return m_showInnerArcRadius; }
    void SetShowInnerArcRadius(bool value) { SetProperty(value, m_showInnerArcRadius, irtBackGround); }
    bool ShowOuterArcRadius() const { return m_showOuterArcRadius; }
    void SetShowOuterArcRadius(bool value) { SetProperty(value, m_showOuterArcRadius, irtBackGround); }
    bool ShowHub() const { return m_showHub; }
    void SetShowHub(bool value) { SetProperty(value, m_showHub, irtBackGround); }
    int HubSize() const { return m_hubSize; }
    void SetHubSize(int value) { SetProperty(value, m_hubSize, irtBackGround); }
    TColor HubColor() const { return m_hubColor; }
    void SetHubColor(TColor value) { SetProperty(value, m_hubColor, irtBackGround); }

    // Pointer 0.
    TiAngularGaugePointerStyle PointerStyle() const;
    void SetPointerStyle(TiAngularGaugePointerStyle value);
    int PointerSize() const;
    void SetPointerSize(int value);
    int PointerMargin() const;
    void SetPointerMargin(int value);
    TColor PointerColor() const;
    void SetPointerColor(TColor value);
    int PointersMargin(int index) const;
    void SetPointersMargin(int index, int value);
    TiAngularGaugePointerStyle PointersStyle(int index) const;
    void SetPointersStyle(int index, TiAngularGaugePointerStyle value);

    TiAngularGaugePointerStyle MinMaxPointerStyle() const { return m_minMaxPointerStyle; }
    void SetMinMaxPointerStyle(TiAngularGaugePointerStyle value);

    QString Label1Text() const { return m_label1.text; }
    void SetLabel1Text(const QString& value) { SetProperty(value, m_label1.text, irtBackGround); }
    QString Label2Text() const { return m_label2.text; }
    void SetLabel2Text(const QString& value) { SetProperty(value, m_label2.text, irtBackGround); }
    bool ShowLabel1() const { return m_label1.show; }
    void SetShowLabel1(bool value) { SetProperty(value, m_label1.show, irtBackGround); }
    bool ShowLabel2() const { return m_label2.show; }
    void SetShowLabel2(bool value) { SetProperty(value, m_label2.show, irtBackGround); }
    TiFont Label1Font() const { return m_label1.font; }
    void SetLabel1Font(const TiFont& value) { SetProperty(value, m_label1.font, irtBackGround); }
    TiFont Label2Font() const { return m_label2.font; }
    void SetLabel2Font(const TiFont& value) { SetProperty(value, m_label2.font, irtBackGround); }
    TiAlignmentHorizontal Label1AlignHorizontal() const { return m_label1.alignHorizontal; }
    void SetLabel1AlignHorizontal(TiAlignmentHorizontal value);
    TiAlignmentHorizontal Label2AlignHorizontal() const { return m_label2.alignHorizontal; }
    void SetLabel2AlignHorizontal(TiAlignmentHorizontal value);
    TiAlignmentVertical Label1AlignVertical() const { return m_label1.alignVertical; }
    void SetLabel1AlignVertical(TiAlignmentVertical value);
    TiAlignmentVertical Label2AlignVertical() const { return m_label2.alignVertical; }
    void SetLabel2AlignVertical(TiAlignmentVertical value);
    int Label1OffsetX() const { return m_label1.offsetX; }
    void SetLabel1OffsetX(int value) { SetProperty(value, m_label1.offsetX, irtBackGround); }
    int Label1OffsetY() const { return m_label1.offsetY; }
    void SetLabel1OffsetY(int value) { SetProperty(value, m_label1.offsetY, irtBackGround); }
    int Label2OffsetX() const { return m_label2.offsetX; }
    void SetLabel2OffsetX(int value) { SetProperty(value, m_label2.offsetX, irtBackGround); }
    int Label2OffsetY() const { return m_label2.offsetY; }
    void SetLabel2OffsetY(int value) { SetProperty(value, m_label2.offsetY, irtBackGround); }

    TiLabelAlignment TickLabelAlignment() const { return m_tickLabelAlignment; }
    void SetTickLabelAlignment(TiLabelAlignment value);
    TiPanelFaceStyle PanelFaceStyle() const { return m_panelFaceStyle; }
    void SetPanelFaceStyle(TiPanelFaceStyle value);
    TColor PanelFaceOuterColor() const { return m_panelFaceOuterColor; }
    void SetPanelFaceOuterColor(TColor value) { SetProperty(value, m_panelFaceOuterColor, irtBackGround); }
    TColor PanelFaceInnerColor() const { return m_panelFaceInnerColor; }
    void SetPanelFaceInnerColor(TColor value) { SetProperty(value, m_panelFaceInnerColor, irtBackGround); }
    int PanelFaceSize() const { return m_panelFaceSize; }
    void SetPanelFaceSize(int value) { SetProperty(value, m_panelFaceSize, irtBackGround); }

    // Geometry, as the last paint used it or as it would be now.
    double PositionToDegrees(double value) const;
    double GetLabelValue(int index) const;
    QString GetLabelText(int index);
    TiRect GetLabelRect(TiCanvas& canvas, int index, QPoint center);
    QPoint GetCenterPoint(TiCanvas& canvas) override;
    // Centre used by the last paint (mouse hit-tests use it).
    QPoint LastCenter() const { return m_layout.center; }
    // Shape of pointer `index` as last drawn.
    QRegion PointerRegion(int index) const;

protected:
    void iPaintTo(TiCanvas& canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    struct FreeLabel {
        QString text;
        bool show = false;
        TiFont font;
        TiAlignmentHorizontal alignHorizontal = iahCenter;
        TiAlignmentVertical alignVertical = iavCenter;
        int offsetX = 0;
        int offsetY = 0;
    };
    enum class Drag { None, Min, Max };

    // The dial's layout for the current properties and size, with the tick
    // labels measured in TickLabelFont on canvas.
    TiAngularGaugeMath::GaugeLayout computeLayout(TiCanvas& canvas);

    void drawStatic(TiCanvas& canvas);
    void drawFace(TiCanvas& canvas);
    void drawSections(TiCanvas& canvas);
    void drawArcSegment(TiCanvas& canvas, double from, double to, double r1, double r2, TColor color);
    void drawArcLines(TiCanvas& canvas);
    void drawTicksAndLabels(TiCanvas& canvas);
    void drawFreeLabel(TiCanvas& canvas, const FreeLabel& label);
    TiAngularGaugeMath::PointerShape drawIndicator(TiCanvas& canvas, double position,
                                                   TiAngularGaugePointerStyle style, int margin,
                                                   int size, TColor color, bool drawScaleSide);
    void drawMarkers(TiCanvas& canvas);

    int m_arcStartDegrees = 180;
    int m_arcRangeDegrees = 90;
    int m_arcRadius = 60;
    bool m_reverseScale = false;
    bool m_autoCenter = true;
    bool m_autoSize = false;
    int m_outerMargin = 5;
    bool m_showInnerArcRadius = false;
    bool m_showOuterArcRadius = false;
    bool m_showHub = true;
    int m_hubSize = 14;
    TColor m_hubColor = clBlack;
    TiAngularGaugePointerStyle m_minMaxPointerStyle = iagpsArrowLine;
    FreeLabel m_label1;
    FreeLabel m_label2;
    TiLabelAlignment m_tickLabelAlignment = ilaCenter;
    TiPanelFaceStyle m_panelFaceStyle = ipfsNone;
    TColor m_panelFaceOuterColor = clBlack;
    TColor m_panelFaceInnerColor = clWhite;
    int m_panelFaceSize = 15;

    // Worked out at the start of each paint.
    TiAngularGaugeMath::GaugeLayout m_layout;
    std::vector<QRegion> m_pointerRegions;
    QRegion m_minRegion;
    QRegion m_maxRegion;
    Drag m_drag = Drag::None;
    double m_dragDegrees = 0;
};
