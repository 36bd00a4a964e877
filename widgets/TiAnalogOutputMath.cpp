#include "widgets/TiAnalogOutputMath.h"

#include <array>
#include <charconv>
#include <cmath>

namespace TiAnalogOutputMath {

QString readoutText(double value, int precision, const QString& unitsText)
{
    // Far more decimals than a double carries only pads the field.
    constexpr int kMaxPrecision = 30;
    // to_chars formats as printf does in the C locale: exact binary ties
    // round to even and -0 keeps its sign (QString::number does neither),
    // and the separator is always '.', whatever the user's locale.
    std::array<char, 400> buffer{};
    const std::to_chars_result result = precision >= 0
        ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                        precision > kMaxPrecision ? kMaxPrecision : precision)
        : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 6);
    const QString number = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
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

QString numberText(const QString& text, const QString& unitsText)
{
    QString number = text;
    const QString units = unitsText.trimmed();
    if (!units.isEmpty())
        number.remove(units, Qt::CaseInsensitive);
    return number.trimmed();
}

bool parseEditedText(const QString& text, const QString& unitsText, double* value)
{
    bool ok = false;
    const double v = numberText(text, unitsText).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

} // namespace TiAnalogOutputMath
