#include "HourText.h"

#include <cmath>

namespace ondrel {

namespace {

struct HourParts {
    QString hours;
    QString minutes;
};

HourParts Split(const QString& text) {
    // The edit mask shows blanks as '_'; they count as nothing.
    QString clean = text;
    clean.replace(u'_', u' ');
    const qsizetype colon = clean.indexOf(u':');
    if (colon < 0) return {clean.left(2).trimmed(), clean.mid(3, 2).trimmed()};
    return {clean.left(colon).trimmed(), clean.mid(colon + 1).trimmed()};
}

bool AllDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace

std::optional<double> HmsToReal(const QString& text) {
    const HourParts parts = Split(text);
    if (!AllDigits(parts.hours) || !AllDigits(parts.minutes)) return std::nullopt;
    const long double hours = parts.hours.toInt();
    const long double minutes = parts.minutes.toInt();
    return static_cast<double>((minutes / 60.0L + hours) / 24.0L);
}

std::optional<QString> RealToHms(double fraction) {
    if (!std::isfinite(fraction) || fraction < 0 || fraction > 1000) return std::nullopt;
    const long long count = std::llround(static_cast<long double>(fraction) * 1440.0L);
    const long long hours = count / 60;
    const long long minutes = count % 60;
    return QStringLiteral("%1:%2")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'));
}

bool IsValidTimeOfDay(const QString& text) {
    const HourParts parts = Split(text);
    if (!AllDigits(parts.hours) || parts.hours.size() > 2) return false;
    if (!AllDigits(parts.minutes) || parts.minutes.size() != 2) return false;
    return parts.hours.toInt() <= 23 && parts.minutes.toInt() <= 59;
}

} // namespace ondrel
