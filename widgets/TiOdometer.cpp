#include "widgets/TiOdometer.h"

#include "widgets/TiOdometerMath.h"

#include <cmath>

TiOdometer::TiOdometer(QWidget* parent) : TiCustomComponent(parent)
{
    m_digitFont.Color = clWhite;
    m_digitFont.SetBold(true);
    m_tenthsFont = m_digitFont;
    resize(81, 23);
}

void TiOdometer::SetValue(double value) { ChangeValue(value, true); }
void TiOdometer::SetValueNoEvent(double value) { ChangeValue(value, false); }

void TiOdometer::ChangeValue(double value, bool fireEvent)
{
    // A counter has no negative readings, and NaN would never compare equal.
    if (value < 0 || std::isnan(value))
        value = 0;
    if (value == m_value || !RequestEdit(QStringLiteral("Value")))
        return;
    m_value = value;
    BackGroundChange();
    PropertyChanged(QStringLiteral("Value"));
    if (fireEvent && !Loading())
        emit OnChange();
}

void TiOdometer::SetDigitsCount(int value)
{
    if (value <= 0)
        value = 1;
    if (SetProperty(value, m_digitsCount, irtBackGround))
        ApplyAutoSize();
}

void TiOdometer::SetDigitWidth(int value)
{
    if (SetProperty(value, m_digitWidth, irtBackGround))
        ApplyAutoSize();
}

void TiOdometer::SetShowTenths(bool value)
{
    if (SetProperty(value, m_showTenths, irtBackGround))
        ApplyAutoSize();
}

void TiOdometer::SetTenthsDigitCount(int value) { SetProperty(value, m_tenthsDigitCount, irtBackGround); }
void TiOdometer::SetShowDecimalPoint(bool value) { SetProperty(value, m_showDecimalPoint, irtBackGround); }
void TiOdometer::SetDigitFont(const TiFont& value) { SetProperty(value, m_digitFont, irtBackGround); }
void TiOdometer::SetTenthsFont(const TiFont& value) { SetProperty(value, m_tenthsFont, irtBackGround); }
void TiOdometer::SetDigitBackGroundColor(TColor value) { SetProperty(value, m_digitBackGroundColor, irtBackGround); }
void TiOdometer::SetTenthsBackGroundColor(TColor value) { SetProperty(value, m_tenthsBackGroundColor, irtBackGround); }
void TiOdometer::SetDigitBorderShow(bool value) { SetProperty(value, m_digitBorderShow, irtBackGround); }
void TiOdometer::SetDigitBorderColor(TColor value) { SetProperty(value, m_digitBorderColor, irtBackGround); }

void TiOdometer::SetBorderMargin(int value)
{
    if (SetProperty(value, m_borderMargin, irtBackGround))
        ApplyAutoSize();
}

void TiOdometer::SetAutoSize(bool value)
{
    if (SetProperty(value, m_autoSize, irtBackGround))
        ApplyAutoSize();
}

void TiOdometer::Loaded()
{
    TiCustomComponent::Loaded();
    ApplyAutoSize();
}

void TiOdometer::ApplyAutoSize()
{
    if (!m_autoSize || Loading())
        return;
    SetWidth(TiOdometerMath::autoWidth(m_digitWidth, m_digitsCount, m_borderMargin));
}

int TiOdometer::DecimalCells() const
{
    return m_showTenths ? std::max(0, m_tenthsDigitCount) : 0;
}

QString TiOdometer::ShownDigits() const
{
    return TiOdometerMath::wheels(m_value, m_digitsCount, DecimalCells()).digits;
}

void TiOdometer::iPaintTo(TiCanvas& canvas)
{
    DrawBackGround(canvas, BackGroundColor());

    const int decimals = DecimalCells();
    const TiOdometerMath::Wheels wheels = TiOdometerMath::wheels(m_value, m_digitsCount, decimals);
    int x = Width() - m_borderMargin;
    bool rolling = true;
    canvas.Font = m_digitFont;
    const int h = canvas.TextHeight(QStringLiteral("0"));
    const int roll = TiOdometerMath::rollOffset(h, wheels.fraction);

    for (int i = 1; i <= m_digitsCount; ++i) {
        const TiRect cell{x - m_digitWidth, 0, x, Height()};
        const bool decimalCell = m_showTenths && i <= m_tenthsDigitCount;
        const TColor fill = decimalCell ? m_tenthsBackGroundColor : m_digitBackGroundColor;
        canvas.Font = decimalCell ? m_tenthsFont : m_digitFont;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = fill;
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = fill;
        canvas.Rectangle(cell);

        const QChar d = wheels.digits.at(wheels.digits.size() - i);
        int e = (cell.Top + cell.Bottom) / 2;
        if (rolling)
            e -= roll;
        canvas.Brush.Style = bsClear;
        const int cx = (cell.Left + cell.Right) / 2;
        const auto writeCentred = [&](QChar c, int centreY) {
            const QString s(c);
            canvas.TextOut(cx - canvas.TextWidth(s) / 2, centreY - canvas.TextHeight(s) / 2, s);
        };
        writeCentred(d, e);
        writeCentred(TiOdometerMath::previousDigit(d), e - h);
        writeCentred(TiOdometerMath::nextDigit(d), e + h);

        if (m_digitBorderShow) {
            canvas.Brush.Style = bsClear;
            canvas.Pen.Style = psSolid;
            canvas.Pen.Color = m_digitBorderColor;
            canvas.Rectangle(cell);
        }
        if (d != QLatin1Char('9'))
            rolling = false;
        x -= m_digitWidth;
    }

    if (m_showDecimalPoint && m_showTenths && m_tenthsDigitCount > 0) {
        canvas.Font = m_digitFont;
        canvas.Brush.Style = bsClear;
        const QString dot = QStringLiteral(".");
        const int px = Width() - m_borderMargin - m_digitWidth * m_tenthsDigitCount;
        canvas.TextOut(px - canvas.TextWidth(dot) / 2, Height() / 2 - canvas.TextHeight(dot) / 2, dot);
    }
    if (!Transparent())
        DrawBorder(canvas);
}
