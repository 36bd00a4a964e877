#pragma once

#include "widgets/TiCustomComponent.h"

// A row of digit wheels like a mechanical counter; the fraction of the value
// turns the rightmost wheel (and those left of turning 9s) towards the next digit.
class TiOdometer : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(int DigitsCount READ DigitsCount WRITE SetDigitsCount)
    Q_PROPERTY(int DigitWidth READ DigitWidth WRITE SetDigitWidth)
    Q_PROPERTY(bool ShowTenths READ ShowTenths WRITE SetShowTenths)
    Q_PROPERTY(int TenthsDigitCount READ TenthsDigitCount WRITE SetTenthsDigitCount)
    Q_PROPERTY(bool ShowDecimalPoint READ ShowDecimalPoint WRITE SetShowDecimalPoint)
    Q_PROPERTY(TiFont DigitFont READ DigitFont WRITE SetDigitFont)
    Q_PROPERTY(TiFont TenthsFont READ TenthsFont WRITE SetTenthsFont)
    Q_PROPERTY(int DigitBackGroundColor READ DigitBackGroundColor WRITE SetDigitBackGroundColor)
    Q_PROPERTY(int TenthsBackGroundColor READ TenthsBackGroundColor WRITE SetTenthsBackGroundColor)
    Q_PROPERTY(bool DigitBorderShow READ DigitBorderShow WRITE SetDigitBorderShow)
    Q_PROPERTY(int DigitBorderColor READ DigitBorderColor WRITE SetDigitBorderColor)
    Q_PROPERTY(int BorderMargin READ BorderMargin WRITE SetBorderMargin)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)

public:
    explicit TiOdometer(QWidget* parent = nullptr);

    double Value() const { return m_value; }
    void SetValue(double value);
    void SetValueNoEvent(double value);
    int DigitsCount() const { return m_digitsCount; }
    void SetDigitsCount(int value);
    int DigitWidth() const { return m_digitWidth; }
    void SetDigitWidth(int value);
    bool ShowTenths() const { return m_showTenths; }
    void SetShowTenths(bool value);
    int TenthsDigitCount() const { return m_tenthsDigitCount; }
    void SetTenthsDigitCount(int value);
    bool ShowDecimalPoint() const { return m_showDecimalPoint; }
    void SetShowDecimalPoint(bool value);
    TiFont DigitFont() const { return m_digitFont; }
    void SetDigitFont(const TiFont& value);
    TiFont TenthsFont() const { return m_tenthsFont; }
    void SetTenthsFont(const TiFont& value);
    TColor DigitBackGroundColor() const { return m_digitBackGroundColor; }
    void SetDigitBackGroundColor(TColor value);
    TColor TenthsBackGroundColor() const { return m_tenthsBackGroundColor; }
    void SetTenthsBackGroundColor(TColor value);
    bool DigitBorderShow() const { return m_digitBorderShow; }
    void SetDigitBorderShow(bool value);
    TColor DigitBorderColor() const { return m_digitBorderColor; }
    void SetDigitBorderColor(TColor value);
    int BorderMargin() const { return m_borderMargin; }
    void SetBorderMargin(int value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);

    // The digits the cells show, most significant first.
    QString ShownDigits() const;

    void Loaded() override;

signals:
    void OnChange();

protected:
    void iPaintTo(TiCanvas& canvas) override;

private:
    void ChangeValue(double value, bool fireEvent);
    void ApplyAutoSize();
    int DecimalCells() const;

    double m_value = 0;
    int m_digitsCount = 5;
    int m_digitWidth = 15;
    bool m_showTenths = true;
    int m_tenthsDigitCount = 1;
    bool m_showDecimalPoint = false;
    TiFont m_digitFont;
    TiFont m_tenthsFont;
    TColor m_digitBackGroundColor = clBlack;
    TColor m_tenthsBackGroundColor = clTeal;
    bool m_digitBorderShow = true;
    TColor m_digitBorderColor = clWhite;
    int m_borderMargin = 2;
    bool m_autoSize = true;
};
