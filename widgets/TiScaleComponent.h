#pragma once

#include "widgets/TiPositionComponent.h"
#include "widgets/TiScaleObject.h"
#include "widgets/TiScaleTypes.h"

#include <QString>

// A position widget with a labelled scale: publishes the tick and label
// settings held by its TiScaleObject and runs the auto-scaler, which either
// moves the bounds to round values or picks round label values inside them.
class TiScaleComponent : public TiPositionComponent {
    Q_OBJECT
    Q_PROPERTY(bool ShowTicksMajor READ ShowTicksMajor WRITE SetShowTicksMajor)
    Q_PROPERTY(bool ShowTicksMinor READ ShowTicksMinor WRITE SetShowTicksMinor)
    Q_PROPERTY(bool ShowTickLabels READ ShowTickLabels WRITE SetShowTickLabels)
    Q_PROPERTY(bool ShowTicksMajorFirstLast READ ShowTicksMajorFirstLast WRITE SetShowTicksMajorFirstLast)
    Q_PROPERTY(int TickMajorCount READ TickMajorCount WRITE SetTickMajorCount)
    Q_PROPERTY(int TickMajorLength READ TickMajorLength WRITE SetTickMajorLength)
    Q_PROPERTY(int TickMajorColor READ TickMajorColor WRITE SetTickMajorColor)
    Q_PROPERTY(TiEnums::TiBevelStyle TickMajorStyle READ TickMajorStyle WRITE SetTickMajorStyle)
    Q_PROPERTY(int TickMinorCount READ TickMinorCount WRITE SetTickMinorCount)
    Q_PROPERTY(int TickMinorLength READ TickMinorLength WRITE SetTickMinorLength)
    Q_PROPERTY(int TickMinorColor READ TickMinorColor WRITE SetTickMinorColor)
    Q_PROPERTY(TiEnums::TiBevelStyle TickMinorStyle READ TickMinorStyle WRITE SetTickMinorStyle)
    Q_PROPERTY(TiScaleEnums::TiTickMinorAlignment TickMinorAlignment READ TickMinorAlignment WRITE SetTickMinorAlignment)
    Q_PROPERTY(int TickMargin READ TickMargin WRITE SetTickMargin)
    Q_PROPERTY(int TickLabelMargin READ TickLabelMargin WRITE SetTickLabelMargin)
    Q_PROPERTY(TiFont TickLabelFont READ TickLabelFont WRITE SetTickLabelFont)
    Q_PROPERTY(int TickLabelPrecision READ TickLabelPrecision WRITE SetTickLabelPrecision)
    Q_PROPERTY(TiScaleEnums::TiPrecisionStyle PrecisionStyle READ PrecisionStyle WRITE SetPrecisionStyle)
    Q_PROPERTY(bool AutoScaleEnabled READ AutoScaleEnabled WRITE SetAutoScaleEnabled)
    Q_PROPERTY(TiScaleEnums::TiAutoScaleStyle AutoScaleStyle READ AutoScaleStyle WRITE SetAutoScaleStyle)
    Q_PROPERTY(int AutoScaleDesiredTicks READ AutoScaleDesiredTicks WRITE SetAutoScaleDesiredTicks)
    Q_PROPERTY(int AutoScaleMaxTicks READ AutoScaleMaxTicks WRITE SetAutoScaleMaxTicks)

public:
    explicit TiScaleComponent(QWidget* parent = nullptr);

    TiScaleObject& Scale() { return m_scale; }
    const TiScaleObject& Scale() const { return m_scale; }

    bool ShowTicksMajor() const { return m_scale.ShowTicksMajor(); }
    void SetShowTicksMajor(bool value) { m_scale.SetShowTicksMajor(value); }
    bool ShowTicksMinor() const { return m_scale.ShowTicksMinor(); }
    void SetShowTicksMinor(bool value) { m_scale.SetShowTicksMinor(value); }
    bool ShowTickLabels() const { return m_scale.ShowTickLabels(); }
    void SetShowTickLabels(bool value) { m_scale.SetShowTickLabels(value); }
    bool ShowTicksMajorFirstLast() const { return m_scale.ShowTicksMajorFirstLast(); }
    void SetShowTicksMajorFirstLast(bool value) { m_scale.SetShowTicksMajorFirstLast(value); }
    int TickMajorCount() const { return m_scale.TickMajorCount(); }
    void SetTickMajorCount(int value) { m_scale.SetTickMajorCount(value); }
    int TickMajorLength() const { return m_scale.TickMajorLength(); }
    void SetTickMajorLength(int value) { m_scale.SetTickMajorLength(value); }
    TColor TickMajorColor() const { return m_scale.TickMajorColor(); }
    void SetTickMajorColor(TColor value) { m_scale.SetTickMajorColor(value); }
    TiBevelStyle TickMajorStyle() const { return m_scale.TickMajorStyle(); }
    void SetTickMajorStyle(TiBevelStyle value) { m_scale.SetTickMajorStyle(value); }
    int TickMinorCount() const { return m_scale.TickMinorCount(); }
    void SetTickMinorCount(int value) { m_scale.SetTickMinorCount(value); }
    int TickMinorLength() const { return m_scale.TickMinorLength(); }
    void SetTickMinorLength(int value) { m_scale.SetTickMinorLength(value); }
    TColor TickMinorColor() const { return m_scale.TickMinorColor(); }
    void SetTickMinorColor(TColor value) { m_scale.SetTickMinorColor(value); }
    TiBevelStyle TickMinorStyle() const { return m_scale.TickMinorStyle(); }
    void SetTickMinorStyle(TiBevelStyle value) { m_scale.SetTickMinorStyle(value); }
    TiTickMinorAlignment TickMinorAlignment() const { return m_scale.TickMinorAlignment(); }
    void SetTickMinorAlignment(TiTickMinorAlignment value) { m_scale.SetTickMinorAlignment(value); }
    int TickMargin() const { return m_scale.TickMargin(); }
    void SetTickMargin(int value) { m_scale.SetTickMargin(value); }
    int TickLabelMargin() const { return m_scale.TickLabelMargin(); }
    void SetTickLabelMargin(int value) { m_scale.SetTickLabelMargin(value); }
    TiFont TickLabelFont() const { return m_scale.TickLabelFont(); }
    void SetTickLabelFont(const TiFont& value) { m_scale.SetTickLabelFont(value); }
    int TickLabelPrecision() const { return m_scale.TickLabelPrecision(); }
    void SetTickLabelPrecision(int value) { m_scale.SetTickLabelPrecision(value); }
    TiPrecisionStyle PrecisionStyle() const { return m_scale.PrecisionStyle(); }
    void SetPrecisionStyle(TiPrecisionStyle value) { m_scale.SetPrecisionStyle(value); }

    bool AutoScaleEnabled() const { return m_autoScaleEnabled; }
    void SetAutoScaleEnabled(bool value);
    TiAutoScaleStyle AutoScaleStyle() const { return m_autoScaleStyle; }
    void SetAutoScaleStyle(TiAutoScaleStyle value);
    int AutoScaleDesiredTicks() const { return m_autoScaleDesiredTicks; }
    void SetAutoScaleDesiredTicks(int value);
    int AutoScaleMaxTicks() const { return m_autoScaleMaxTicks; }
    void SetAutoScaleMaxTicks(int value);

    // First and last label value chosen by the fixed auto-scaler.
    double LabelMin() const { return m_labelMin; }
    double LabelMax() const { return m_labelMax; }
    // True when the labels run over LabelMin..LabelMax rather than the bounds.
    bool UsesLabelRange() const { return m_autoScaleEnabled && m_autoScaleStyle == iassFixedMinMax; }
    double LabelStart() const { return UsesLabelRange() ? m_labelMin : PositionMin(); }
    double LabelEnd() const { return UsesLabelRange() ? m_labelMax : PositionMax(); }

    // Hands the bounds and the label range to the scale object before it
    // draws a straight scale (the drawing widget adds the pixel geometry).
    void UpdateScaleRange();

    virtual int GetDecimalPoints() const;
    // Text of label `index` showing `value`, after OnCustomizeTickLabel.
    QString GetTickLabelText(int index, double value);

    // Runs the auto-scaler on the given bounds (nothing while loading or
    // with auto-scaling off).
    void DoAutoScale(double min, double max);

    void SetPositionMin(double value) override;
    void SetPositionMax(double value) override;
    void Loaded() override;

signals:
    void OnCustomizeTickLabel(int Index, QString& DisplayText);

private:
    void autoScaleNow();

    TiScaleObject m_scale;
    bool m_autoScaleEnabled = false;
    TiAutoScaleStyle m_autoScaleStyle = iassAutoMinMax;
    int m_autoScaleDesiredTicks = 5;
    int m_autoScaleMaxTicks = 6;
    double m_labelMin = 0;
    double m_labelMax = 0;
};
