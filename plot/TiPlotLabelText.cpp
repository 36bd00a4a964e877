#include "plot/TiPlotLabelText.h"

#include "widgets/TiGeometry.h"
#include "widgets/TiScaleMath.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace TiPlotLabelText {

namespace {

const QDate kEpoch(1899, 12, 30);

QString prefixLetter(int k, bool* known)
{
    *known = true;
    switch (k) {
    case 0: return QString();
    case 3: return QStringLiteral("K");
    case 6: return QStringLiteral("M");
    case 9: return QStringLiteral("G");
    case 12: return QStringLiteral("T");
    case 15: return QStringLiteral("P");
    case 18: return QStringLiteral("E");
    case 21: return QStringLiteral("Z");
    case 24: return QStringLiteral("Y");
    case -3: return QStringLiteral("m");
    case -6: return QString(QChar(0x00B5));
    case -9: return QStringLiteral("n");
    case -12: return QStringLiteral("p");
    case -15: return QStringLiteral("f");
    case -18: return QStringLiteral("a");
    case -21: return QStringLiteral("z");
    case -24: return QStringLiteral("y");
    default: *known = false; return QString();
    }
}

// Digits with "," between groups of three.
QString groupThousands(const QString& fixed)
{
    int start = fixed.startsWith(QLatin1Char('-')) ? 1 : 0;
    int dot = fixed.indexOf(QLatin1Char('.'));
    if (dot < 0)
        dot = fixed.size();
    QString out = fixed;
    for (int i = dot - 3; i > start; i -= 3)
        out.insert(i, QLatin1Char(','));
    return out;
}

QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

int decimalPlaces(int precision, TiPrecisionStyle style, double reference)
{
    if (style == ipsFixedDecimalPoints)
        return std::max(0, precision);
    if (precision <= 0)
        return 0;
    const double a = std::fabs(reference);
    if (!std::isfinite(a))
        return precision;
    // A zero reference counts as a value below 1 with no digits before the point.
    int d = a == 0 ? 0 : precision - (static_cast<int>(std::trunc(std::log10(a))) + 1);
    if (a < 1)
        d += 1;
    return std::clamp(d, 0, 300);
}

QString fixedText(double value, int decimals) { return TiScaleMath::tickLabelText(value, std::clamp(decimals, 0, 300)); }

double encodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const double days = double(kEpoch.daysTo(QDate(year, month, day)));
    return days + (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / 86400000.0;
}

QString formatDateTime(double value, const QString& format)
{
    const double whole = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - whole) * 86400000.0);
    qint64 dayCount = static_cast<qint64>(whole);
    if (ms >= 86400000) {
        ms -= 86400000;
        dayCount += value < 0 ? -1 : 1;
    }
    const QDate date = kEpoch.addDays(dayCount);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms));
    static const std::array<const char*, 12> longMonths = {"January", "February", "March", "April", "May", "June",
                                                           "July", "August", "September", "October", "November",
                                                           "December"};
    static const std::array<const char*, 7> longDays = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                                        "Friday", "Saturday", "Sunday"};
    QString out;
    bool afterHour = false;
    const bool twelveHour = format.contains(QLatin1String("am/pm"), Qt::CaseInsensitive)
        || format.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
    int i = 0;
    const int n = format.size();
    auto run = [&](QChar c) {
        int k = 0;
        while (i + k < n && format[i + k].toLower() == c)
            ++k;
        return k;
    };
    while (i < n) {
        const QChar c = format[i];
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = format.indexOf(c, i + 1);
            const int stop = end < 0 ? n : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            i += 5;
            continue;
        }
        if (format.mid(i, 4).compare(QLatin1String("ampm"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 4;
            continue;
        }
        if (lc == QLatin1Char('y')) {
            const int k = run(lc);
            out += k <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year());
            i += k;
            afterHour = false;
        } else if (lc == QLatin1Char('m')) {
            const int k = run(lc);
            if (afterHour && k <= 2)
                out += k == 2 ? twoDigits(time.minute()) : QString::number(time.minute());
            else if (k == 1)
                out += QString::number(date.month());
            else if (k == 2)
                out += twoDigits(date.month());
            else if (k == 3)
                out += QString::fromLatin1(longMonths[date.month() - 1]).left(3);
            else
                out += QString::fromLatin1(longMonths[date.month() - 1]);
            i += k;
            afterHour = false;
        } else if (lc == QLatin1Char('d')) {
            const int k = run(lc);
            if (k == 1)
                out += QString::number(date.day());
            else if (k == 2)
                out += twoDigits(date.day());
            else if (k == 3)
                out += QString::fromLatin1(longDays[date.dayOfWeek() - 1]).left(3);
            else
                out += QString::fromLatin1(longDays[date.dayOfWeek() - 1]);
            i += k;
            afterHour = false;
        } else if (lc == QLatin1Char('h')) {
            const int k = run(lc);
            int h = time.hour();
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += k >= 2 ? twoDigits(h) : QString::number(h);
            i += k;
            afterHour = true;
        } else if (lc == QLatin1Char('n')) {
            const int k = run(lc);
            out += k >= 2 ? twoDigits(time.minute()) : QString::number(time.minute());
            i += k;
            afterHour = false;
        } else if (lc == QLatin1Char('s')) {
            const int k = run(lc);
            out += k >= 2 ? twoDigits(time.second()) : QString::number(time.second());
            i += k;
            afterHour = false;
        } else if (lc == QLatin1Char('z')) {
            const int k = run(lc);
            out += k >= 3 ? QStringLiteral("%1").arg(time.msec(), 3, 10, QLatin1Char('0')) : QString::number(time.msec());
            i += k;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString text(double value, const TiPlotLabelFormat& format, double span, TiPlotScaleType scaleType)
{
    if (!std::isfinite(value))
        return QStringLiteral("Error");
    switch (format.Style) {
    case iptfValue:
        if (scaleType == ipstLog10) {
            if (value <= 0)
                return QStringLiteral("Unknown");
            return fixedText(value, std::max(0, -static_cast<int>(std::trunc(std::log10(value) - 0.5))));
        }
        return fixedText(value, decimalPlaces(format.Precision, format.PrecisionStyle, span)).trimmed();
    case iptfExponent: {
        const int n = std::clamp(format.PrecisionStyle == ipsSignificantDigits ? format.Precision
                                                                                 : format.Precision + 1,
                                 0, 300);
        std::array<char, 400> buf {};
        std::snprintf(buf.data(), buf.size(), "%.*e", n, value);
        return QString::fromLatin1(buf.data());
    }
    case iptfPrefix: {
        const int k = value == 0 ? 0 : 3 * static_cast<int>(std::trunc(std::log10(std::fabs(value)) / 3));
        bool known = false;
        const QString letter = prefixLetter(k, &known);
        if (!known)
            return QStringLiteral("Unknown");
        const double scaled = value / std::pow(10.0, k);
        return fixedText(scaled, decimalPlaces(format.Precision, format.PrecisionStyle, scaled)) + letter;
    }
    case iptfDateTime: {
        if (std::fabs(value) > 2958465.0) // past 31 December 9999
            return QStringLiteral("Error");
        const QString& f = format.DateTimeFormat;
        if (!f.isEmpty() && f[0].toLower() == QLatin1Char('j'))
            return (QString::number(static_cast<qint64>(std::trunc(value))) + QLatin1Char(' ')
                    + formatDateTime(value, f.mid(1)))
                .trimmed();
        return formatDateTime(value, f).trimmed();
    }
    case iptfPrice32nds: {
        const double g = value + 1.0 / 512;
        const double whole = std::trunc(g);
        const int t = tiRound((g - whole) * 1024);
        return fixedText(whole, 0) + QLatin1Char('.') + twoDigits(t / 32) + QString::number((t % 32) / 4);
    }
    case iptfThousands:
        return groupThousands(fixedText(value, decimalPlaces(format.Precision, format.PrecisionStyle, span)))
            .trimmed();
    }
    return QStringLiteral("Unknown");
}

double widestLabelValue(double min, double span) { return span + std::trunc(min / span) * span; }

BandResult requiredWidth(const BandInput& in)
{
    int title = 0;
    if (in.TitleVisible)
        title = tiRound(in.TitleHeight * in.TitleMargin + (in.TitleRotated ? in.TitleWidth : in.TitleHeight));
    const int ticks = in.ScaleLinesShow ? std::max(std::max(in.MajorLength, 0), in.MinorLength) : 0;
    int gap = 0;
    int across = 0;
    if (in.LabelsVisible) {
        gap = tiRound(in.HeightA * in.LabelsMargin);
        across = in.Across;
    }
    BandResult r;
    r.TitleOffset = ticks + in.InnerMargin + gap + across;
    r.RequiredWidth = in.InnerMargin + in.OuterMargin + ticks + gap + across + title;
    return r;
}

int labelsAcross(bool horizontal, TiRotationAngle rotation, int widestLabel, int labelHeight)
{
    const bool upright = rotation == ira000 || rotation == ira180;
    if (horizontal)
        return upright ? labelHeight : widestLabel;
    return upright ? widestLabel : labelHeight;
}

int requiredLengthGuard(bool labelsVisible, bool horizontal, TiRotationAngle rotation, int heightXYZ,
                        int widestLabel)
{
    if (!labelsVisible)
        return 0;
    const bool upright = rotation == ira000 || rotation == ira180;
    if (horizontal)
        return upright ? widestLabel / 2 : heightXYZ / 2;
    return upright ? heightXYZ / 2 : widestLabel / 2;
}

int requiredLabelLength(int widthOf0, double minLength, int widestMeasured)
{
    return std::max(tiRound(widthOf0 * minLength), widestMeasured);
}

} // namespace TiPlotLabelText
