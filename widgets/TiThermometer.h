#pragma once

#include "widgets/TiScaleComponent.h"
#include "widgets/TiThermometerMath.h"
#include "widgets/TiThermometerTypes.h"

// A liquid thermometer: a tube with a bulb (or a plain bar) filled up to the
// position beside a straight scale, with optional min/max and limit markers.
class TiThermometer : public TiScaleComponent {
    Q_OBJECT
    Q_PROPERTY(TiThermometerEnums::TiThermometerIndicatorStyle IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle)
    Q_PROPERTY(int IndicatorWidth READ IndicatorWidth WRITE SetIndicatorWidth)
    Q_PROPERTY(int IndicatorBulbSize READ IndicatorBulbSize WRITE SetIndicatorBulbSize)
    Q_PROPERTY(int IndicatorColor READ IndicatorColor WRITE SetIndicatorColor)
    Q_PROPERTY(int IndicatorBackGroundColor READ IndicatorBackGroundColor WRITE SetIndicatorBackGroundColor)
    Q_PROPERTY(TiThermometerEnums::TiPointerFillReferenceStyle IndicatorFillReferenceStyle READ IndicatorFillReferenceStyle WRITE SetIndicatorFillReferenceStyle)
    Q_PROPERTY(double IndicatorFillReferenceValue READ IndicatorFillReferenceValue WRITE SetIndicatorFillReferenceValue)
    Q_PROPERTY(TiEnums::TiOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(TiEnums::TiOrientationSide OrientationTickMarks READ OrientationTickMarks WRITE SetOrientationTickMarks)
    Q_PROPERTY(int EndsMargin READ EndsMargin WRITE SetEndsMargin)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(bool ReverseScale READ ReverseScale WRITE SetReverseScale)

public:
    explicit TiThermometer(QWidget* parent = nullptr);

    TiThermometerIndicatorStyle IndicatorStyle() const { return m_indicatorStyle; }
    void SetIndicatorStyle(TiThermometerIndicatorStyle value);
    int IndicatorWidth() const { return m_indicatorWidth; }
    void SetIndicatorWidth(int value);
    int IndicatorBulbSize() const { return m_indicatorBulbSize; }
    void SetIndicatorBulbSize(int value);
    TColor IndicatorColor() const { return m_indicatorColor; }
    void SetIndicatorColor(TColor value);
    TColor IndicatorBackGroundColor() const { return m_indicatorBackGroundColor; }
    void SetIndicatorBackGroundColor(TColor value);
    TiPointerFillReferenceStyle IndicatorFillReferenceStyle() const { return m_fillReferenceStyle; }
    void SetIndicatorFillReferenceStyle(TiPointerFillReferenceStyle value);
    double IndicatorFillReferenceValue() const { return m_fillReferenceValue; }
    void SetIndicatorFillReferenceValue(double value);
    TiOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TiOrientation value);
    TiOrientationSide OrientationTickMarks() const { return m_orientationTickMarks; }
    void SetOrientationTickMarks(TiOrientationSide value);
    int EndsMargin() const { return m_endsMargin; }
    void SetEndsMargin(int value);
    bool AutoCenter() const { return m_autoCenter; }
    void SetAutoCenter(bool value);
    bool ReverseScale() const { return m_reverseScale; }
    void SetReverseScale(bool value);

    QPoint GetCenterPoint(TiCanvas& canvas) override;
    // Tube of the current size and settings.
    TiThermometerMath::Tube TubeRect();
    // Pixel of value v along the tube.
    int GetPositionPixels(double value);
    // Top of the liquid (bulb style) or the filled span of a bar, as the
    // next paint draws it: pixel of the position and pixel of the reference.
    int LiquidPixel();
    int ReferencePixel();

protected:
    void iPaintTo(TiCanvas& canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Vertical() const { return m_orientation == ioVertical; }
    bool Reversed() const { return m_reverseScale && m_indicatorStyle != itisBulb; }
    TiThermometerMath::Style MathStyle() const;
    TiThermometerMath::Tube TubeFor(QPoint centre) const;
    int PixelOn(const TiThermometerMath::Tube& t, double value) const;
    int MarkerExtent() const;
    void DrawScale(TiCanvas& canvas, const TiThermometerMath::Tube& t, QPoint centre);
    double FillReference() const;
    void DrawBulbGlass(TiCanvas& canvas, const TiThermometerMath::Tube& t, QPoint centre);
    void DrawBulbLiquid(TiCanvas& canvas, const TiThermometerMath::Tube& t);
    void DrawBarGlass(TiCanvas& canvas, const TiThermometerMath::Tube& t);
    void DrawBarLiquid(TiCanvas& canvas, const TiThermometerMath::Tube& t);
    TiRect DrawMarker(TiCanvas& canvas, const TiThermometerMath::Tube& t, double value, int size, int margin,
                      TColor color, bool scaleSide);
    double DragTravel() const;
    QPoint ScratchCentre();

    TiThermometerIndicatorStyle m_indicatorStyle = itisBulb;
    int m_indicatorWidth = 2;
    int m_indicatorBulbSize = 6;
    TColor m_indicatorColor = clRed;
    TColor m_indicatorBackGroundColor = clMaroon;
    TiPointerFillReferenceStyle m_fillReferenceStyle = ipfrsMin;
    double m_fillReferenceValue = 0;
    TiOrientation m_orientation = ioVertical;
    TiOrientationSide m_orientationTickMarks = iosBottomRight;
    int m_endsMargin = 10;
    bool m_autoCenter = true;
    bool m_reverseScale = false;

    TiRect m_minMarkerRect;
    TiRect m_maxMarkerRect;
    enum class Drag { None, Min, Max } m_drag = Drag::None;
    QPoint m_dragStart;
    double m_dragStartValue = 0;
};
