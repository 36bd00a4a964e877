#pragma once

#include "widgets/TiCustomComponent.h"

#include <QList>

// One user-defined limit of a position widget.
struct TiPositionLimit {
    double UpperValue = 0;
    double LowerValue = 0;
    int PointerSize = 0;
    int PointerMargin = 0;
    bool DrawScaleSide = false;
    TColor UpperPointerColor = clBlack;
    TColor LowerPointerColor = clBlack;
    bool ShowUpperPointer = true;
    bool ShowLowerPointer = true;
};

// A widget that shows one number between two bounds: clamping, the running
// minimum and maximum, limits and the change events.
class TiPositionComponent : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(double PositionMin READ PositionMin WRITE SetPositionMin)
    Q_PROPERTY(double PositionMax READ PositionMax WRITE SetPositionMax)
    Q_PROPERTY(double PositionPercent READ PositionPercent WRITE SetPositionPercent)
    Q_PROPERTY(double CurrentMin READ CurrentMin WRITE SetCurrentMin)
    Q_PROPERTY(double CurrentMax READ CurrentMax WRITE SetCurrentMax)
    Q_PROPERTY(bool MinMaxFixed READ MinMaxFixed WRITE SetMinMaxFixed)
    Q_PROPERTY(bool ShowMinPointer READ ShowMinPointer WRITE SetShowMinPointer)
    Q_PROPERTY(bool ShowMaxPointer READ ShowMaxPointer WRITE SetShowMaxPointer)
    Q_PROPERTY(int MinMaxPointerSize READ MinMaxPointerSize WRITE SetMinMaxPointerSize)
    Q_PROPERTY(int MinMaxPointerMargin READ MinMaxPointerMargin WRITE SetMinMaxPointerMargin)
    Q_PROPERTY(int MinPointerColor READ MinPointerColor WRITE SetMinPointerColor)
    Q_PROPERTY(int MaxPointerColor READ MaxPointerColor WRITE SetMaxPointerColor)
    Q_PROPERTY(bool MinMaxUserCanMove READ MinMaxUserCanMove WRITE SetMinMaxUserCanMove)
    // Stored entry read back after the published ones: straight into the field.
    Q_PROPERTY(double PositionMax_2 READ PositionMax WRITE SetPositionMax_2)

public:
    explicit TiPositionComponent(QWidget* parent = nullptr);

    virtual double GetPosition() const { return m_position; }
    virtual void SetPosition(double value);
    // SetPosition without OnPositionChange for this one call.
    void SetPositionNoEvent(double value);
    double PositionMin() const { return m_positionMin; }
    double PositionMax() const { return m_positionMax; }
    virtual void SetPositionMin(double value);
    virtual void SetPositionMax(double value);
    void SetPositionMinMax(double min, double max);
    void SetPositionMax_2(double value) { m_positionMax = value; }

    double PositionPercent() const { return ValuePercent(GetPosition()); }
    void SetPositionPercent(double percent);
    // 1 above PositionMax, the share of the span between the bounds, else 0.
    double ValuePercent(double value) const;

    double CurrentMin() const { return m_currentMin; }
    double CurrentMax() const { return m_currentMax; }
    void SetCurrentMin(double value);
    void SetCurrentMax(double value);
    // Both markers to the current position.
    void ResetMinMax();
    bool MinMaxFixed() const { return m_minMaxFixed; }
    void SetMinMaxFixed(bool value);
    bool ShowMinPointer() const { return m_showMinPointer; }
    void SetShowMinPointer(bool value);
    bool ShowMaxPointer() const { return m_showMaxPointer; }
    void SetShowMaxPointer(bool value);
    int MinMaxPointerSize() const { return m_minMaxPointerSize; }
    void SetMinMaxPointerSize(int value);
    int MinMaxPointerMargin() const { return m_minMaxPointerMargin; }
    void SetMinMaxPointerMargin(int value);
    TColor MinPointerColor() const { return m_minPointerColor; }
    void SetMinPointerColor(TColor value);
    TColor MaxPointerColor() const { return m_maxPointerColor; }
    void SetMaxPointerColor(TColor value);
    bool MinMaxUserCanMove() const { return m_minMaxUserCanMove; }
    void SetMinMaxUserCanMove(bool value);

    // Fires OnPositionChangeFinished once after one or more changes.
    void DoPositionChangeFinished();

    // Limits; an index outside 0..count-1 raises "Limit Index out of bounds".
    int AddLimit(int pointerSize, int pointerMargin, bool drawScaleSide, double upperValue, double lowerValue,
                 TColor upperPointerColor, TColor lowerPointerColor);
    void RemoveLimit(int index);
    void RemoveAllLimits();
    int GetLimitCount() const { return static_cast<int>(m_limits.size()); }
    const TiPositionLimit& Limit(int index) const;
    double GetLimitUpperValue(int index) const { return Limit(index).UpperValue; }
    double GetLimitLowerValue(int index) const { return Limit(index).LowerValue; }
    TColor GetLimitUpperPointerColor(int index) const { return Limit(index).UpperPointerColor; }
    TColor GetLimitLowerPointerColor(int index) const { return Limit(index).LowerPointerColor; }
    int GetLimitPointerMargin(int index) const { return Limit(index).PointerMargin; }
    int GetLimitPointerSize(int index) const { return Limit(index).PointerSize; }
    bool GetLimitShowUpperPointer(int index) const { return Limit(index).ShowUpperPointer; }
    bool GetLimitShowLowerPointer(int index) const { return Limit(index).ShowLowerPointer; }
    bool GetLimitDrawScaleSide(int index) const { return Limit(index).DrawScaleSide; }
    void SetLimitUpperValue(int index, double value);
    void SetLimitLowerValue(int index, double value);
    void SetLimitUpperPointerColor(int index, TColor value);
    void SetLimitLowerPointerColor(int index, TColor value);
    void SetLimitPointerMargin(int index, int value);
    void SetLimitPointerSize(int index, int value);
    void SetLimitShowUpperPointer(int index, bool value);
    void SetLimitShowLowerPointer(int index, bool value);
    void SetLimitDrawScaleSide(int index, bool value);

signals:
    void OnPositionChange();
    void OnPositionChangeFinished();
    void OnCurrentMinChange();
    void OnCurrentMaxChange();
    void OnPositionOverMax();
    void OnPositionUnderMin();
    void OnPositionOverLimit(int LimitIndex);
    void OnPositionUnderLimit(int LimitIndex);

protected:
    // Called on every position change.
    virtual void iPositionChanged() {}
    // Brings positions inside new bounds; the base moves the position to the
    // nearer bound through SetPosition, so the events fire.
    virtual void DoPointerBounds();

    // Clamp into [PositionMin, PositionMax]: the maximum first, then the minimum.
    double ClampToBounds(double value) const;
    // Steps 6 and 7 of a position change: markers follow, over/under fire.
    void TrackMinMax(double value);
    // Limit events for a value, in limit order.
    void CheckLimits(double value);
    void FirePositionChange();
    void StorePosition(double value) { m_position = value; }
    void MarkChangedSinceFinished() { m_changedSinceFinished = true; }

private:
    TiPositionLimit& LimitRef(int index);

    double m_position = 0;
    double m_positionMin = 0;
    double m_positionMax = 100;
    double m_currentMin = 0;
    double m_currentMax = 0;
    bool m_minMaxFixed = false;
    bool m_showMinPointer = false;
    bool m_showMaxPointer = false;
    int m_minMaxPointerSize = 8;
    int m_minMaxPointerMargin = 0;
    TColor m_minPointerColor = clYellow;
    TColor m_maxPointerColor = clAqua;
    bool m_minMaxUserCanMove = false;
    bool m_changedSinceFinished = false;
    bool m_suppressPositionEvent = false;
    QList<TiPositionLimit> m_limits;
};
