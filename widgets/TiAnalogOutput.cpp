#include "widgets/TiAnalogOutput.h"

#include "widgets/TiAnalogOutputMath.h"
#include "widgets/TiError.h"

TiAnalogOutput::TiAnalogOutput(QWidget* parent) : TiEditCustom(parent)
{
    SetAlignment(taCenter);
    TiFont f = Font();
    f.SetBold(true);
    SetFont(f);
    RefreshText();
    m_committedText = Text();
}

QString TiAnalogOutput::ValueText() const
{
    return TiAnalogOutputMath::readoutText(m_value, m_precision, m_unitsText);
}

void TiAnalogOutput::RefreshText() { SetDisplayText(ValueText()); }

double TiAnalogOutput::Clamp(double value) const
{
    if (Loading())
        return value;
    return TiAnalogOutputMath::clampValue(value, m_valueMin, m_valueMax);
}

void TiAnalogOutput::SetValue(double value) { ChangeValue(value, true); }
void TiAnalogOutput::SetValueNoEvent(double value) { ChangeValue(value, false); }

void TiAnalogOutput::ChangeValue(double value, bool fireEvent)
{
    value = Clamp(value);
    if (value == m_value) {
        RefreshText();
        return;
    }
    bool canChange = true;
    if (UserGenerated())
        emit OnBeforeUserChange(m_value, value, canChange);
    emit OnBeforeChange(m_value, value, canChange);
    if (!canChange || !RequestEdit(QStringLiteral("Value")))
        return;
    value = Clamp(value);
    m_value = value;
    m_committedText = ValueText();
    RefreshText();
    if (!Loading()) {
        PropertyChanged(QStringLiteral("Value"));
        if (fireEvent)
            emit OnChange();
        if (UserGenerated())
            emit OnChangeUser();
    }
    RefreshText();
}

void TiAnalogOutput::SetPrecision(int value)
{
    if (value == m_precision)
        return;
    m_precision = value;
    RefreshText();
    m_committedText = Text();
}

void TiAnalogOutput::SetUnitsText(const QString& value)
{
    const QString units = TiAnalogOutputMath::normalizedUnits(value);
    if (units == m_unitsText)
        return;
    m_unitsText = units;
    RefreshText();
    m_committedText = Text();
}

void TiAnalogOutput::SetValueMin(double value)
{
    if (value == m_valueMin)
        return;
    m_valueMin = value;
    SetValue(m_value);
}

void TiAnalogOutput::SetValueMax(double value)
{
    if (value == m_valueMax)
        return;
    m_valueMax = value;
    SetValue(m_value);
}

void TiAnalogOutput::SetFilterStyle(TiFilterInputStyle value)
{
    m_filterStyle = value;
}

void TiAnalogOutput::SetUndoOnError(bool value) { m_undoOnError = value; }
void TiAnalogOutput::SetBeepOnError(bool value) { m_beepOnError = value; }

void TiAnalogOutput::CompleteChange()
{
    if (Text() != m_committedText) {
        double v = 0;
        if (!TiAnalogOutputMath::parseEditedText(Text(), m_unitsText, &v)) {
            // Worded like the console's own conversion errors; the text
            // quoted is what was read as the number.
            if (!m_undoOnError)
                throw TiError(QStringLiteral("'%1' is not a valid floating point value.")
                                  .arg(TiAnalogOutputMath::numberText(Text(), m_unitsText)));
            if (m_beepOnError)
                Beep();
            // The old value stays; its text comes back.
            RefreshText();
        } else {
            SetValue(v);
            m_committedText = ValueText();
            RefreshText();
        }
    }
    SelectAll();
}

void TiAnalogOutput::SelectAll()
{
    // The number part only: the units are not edited.
    const int units = Text().endsWith(m_unitsText) ? m_unitsText.size() : 0;
    SetSelection(0, Text().size() - units);
}

bool TiAnalogOutput::AllowKey(QChar key)
{
    if (m_filterStyle == ifisNone)
        return true;
    const QChar separator = QString::asprintf("%1.1f", 0.0).at(1);
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    const bool ok = digit || key == QLatin1Char('-') || (key == separator && m_precision != 0)
        || (!m_unitsText.isEmpty() && m_unitsText.contains(key, Qt::CaseInsensitive));
    if (!ok && m_beepOnError)
        Beep();
    return ok;
}
