#include "widgets/TiAnalogOutputMath.h"

#include <cmath>

namespace TiAnalogOutputMath {

QString readoutText(double value, int precision, const QString& unitsText)
{
    // Far more decimals than a double carries only pads the field.
    constexpr int kMaxPrecision = 30;
    const QString number = precision >= 0
        ? QString::number(value, 'f', precision > kMaxPrecision ? kMaxPrecision : precision)
        : QString::number(value, 'g', 6);
    return number.trimmed() + unitsText;
}

double clampValue(double value, double valueMin, double valueMax)
{
    if (valueMax == 0 && valueMin == 0)
        return value;
    if (value > valueMax)
        value = valueMax;
    if (value < valueMin)
        value = valueMin;
    return value;
}

QString normalizedUnits(const QString& unitsText)
{
    return unitsText.trimmed().isEmpty() ? QString() : unitsText;
}

bool parseEditedText(const QString& text, const QString& unitsText, double* value)
{
    QString number = text;
    const QString units = unitsText.trimmed();
    if (!units.isEmpty())
        number.remove(units, Qt::CaseInsensitive);
    bool ok = false;
    const double v = number.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

} // namespace TiAnalogOutputMath
