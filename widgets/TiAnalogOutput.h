#pragma once

#include "widgets/TiEditCustom.h"

// A numeric read-out: the value with a fixed number of decimals followed by
// its units; it may be edited when enabled.
class TiAnalogOutput : public TiEditCustom {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(QString UnitsText READ UnitsText WRITE SetUnitsText)
    Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin)
    Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
    Q_PROPERTY(TiLabelEnums::TiFilterInputStyle FilterStyle READ FilterStyle WRITE SetFilterStyle)
    Q_PROPERTY(bool UndoOnError READ UndoOnError WRITE SetUndoOnError)
    Q_PROPERTY(bool BeepOnError READ BeepOnError WRITE SetBeepOnError)

public:
    explicit TiAnalogOutput(QWidget* parent = nullptr);

    double Value() const { return m_value; }
    void SetValue(double value);
    void SetValueNoEvent(double value);
    int Precision() const { return m_precision; }
    void SetPrecision(int value);
    QString UnitsText() const { return m_unitsText; }
    void SetUnitsText(const QString& value);
    double ValueMin() const { return m_valueMin; }
    void SetValueMin(double value);
    double ValueMax() const { return m_valueMax; }
    void SetValueMax(double value);
    TiFilterInputStyle FilterStyle() const { return m_filterStyle; }
    void SetFilterStyle(TiFilterInputStyle value);
    bool UndoOnError() const { return m_undoOnError; }
    void SetUndoOnError(bool value);
    bool BeepOnError() const { return m_beepOnError; }
    void SetBeepOnError(bool value);

    // Text of the value as last accepted.
    QString CommittedText() const { return m_committedText; }

    void SelectAll() override;

signals:
    void OnChangeUser();
    // Asked before the value changes; the handler may alter newValue or refuse.
    void OnBeforeChange(double OldValue, double& NewValue, bool& CanChange);
    void OnBeforeUserChange(double OldValue, double& NewValue, bool& CanChange);

protected:
    void CompleteChange() override;
    bool AllowKey(QChar key) override;

private:
    void ChangeValue(double value, bool fireEvent);
    double Clamp(double value) const;
    QString ValueText() const;
    void RefreshText();

    double m_value = 0;
    int m_precision = 1;
    QString m_unitsText;
    double m_valueMin = 0;
    double m_valueMax = 0;
    TiFilterInputStyle m_filterStyle = ifisAuto;
    bool m_undoOnError = true;
    bool m_beepOnError = false;
    QString m_committedText;
};
