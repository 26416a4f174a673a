#include "ports/PortSelectionRules.h"

#include "ports/DbfNumbers.h"

#include "ports/CountryNames.h"
#include "ports/PortLoader.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ondrel {

namespace {

// Degrees and minutes of a position: finite, and no more than a full turn, or unreadable.
std::optional<double> ReadNumber(const QString& text) {
    double value = 0;
    if (!ParseNumber(text, QLatin1Char('.'), value) || std::fabs(value) > 360) return std::nullopt;
    return value;
}

QString WithoutLeadingBlanks(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

} // namespace

double DegreesOfText(const QString& text, const PositionMessage& message) {
    if (text.isEmpty()) return 0;
    const QString trimmed = WithoutLeadingBlanks(text);
    const qsizetype space = trimmed.indexOf(u' ');
    double degrees = 0;
    if (const auto d = ReadNumber(space < 0 ? trimmed : trimmed.left(space)))
        degrees = *d;
    else if (message)
        message(QStringLiteral("Problème conversion des degrés. Saisipor ligne 264"));

    const QString rest = space < 0 ? QString() : WithoutLeadingBlanks(trimmed.mid(space + 1));
    const qsizetype restSpace = rest.indexOf(u' ');
    double minutes = 0;
    if (const auto m = restSpace < 0 ? std::nullopt : ReadNumber(rest.left(restSpace)))
        minutes = *m;
    else if (message)
        message(QStringLiteral("Problème conversion des minutes. Sasipor ligne 274"));

    double value = degrees + minutes / 60.0;
    const QChar hemisphere = rest.isEmpty() ? QChar() : rest.back();
    if (hemisphere == u'S' || hemisphere == u'E') value = -value;
    return value;
}

bool IsExactPosition(bool latitude, const QString& text) {
    const int degreeDigits = latitude ? 2 : 3;
    if (text.size() != degreeDigits + 5) return false;
    for (int i = 0; i < degreeDigits + 5; ++i) {
        const QChar ch = text[i];
        const bool digit = ch >= u'0' && ch <= u'9';
        if (i == degreeDigits || i == degreeDigits + 3) {
            if (ch != u' ') return false;
        } else if (i == degreeDigits + 4) {
            if (latitude ? (ch != u'N' && ch != u'S') : (ch != u'E' && ch != u'W')) return false;
        } else if (!digit) {
            return false;
        }
    }
    const int degrees = text.left(degreeDigits).toInt();
    const int minutes = text.mid(degreeDigits + 1, 2).toInt();
    return minutes < 60 && degrees * 60 + minutes <= (latitude ? 90 : 180) * 60;
}

QPointF MapPosition(double latitude, double longitudeWest) {
    return {-0.98055 * longitudeWest + 162.7722, -1.13796963 * latitude + 116.07287};
}

QRect MarkerRect(QPointF p) {
    // Far outside the map (or nowhere) the marker is not drawn; keep the arithmetic in range.
    constexpr double kFar = 100000;
    if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return {};
    p = QPointF(std::clamp(p.x(), -kFar, kFar), std::clamp(p.y(), -kFar, kFar));
    const int left = static_cast<int>(std::trunc(p.x() - 3));
    const int top = static_cast<int>(std::trunc(p.y() - 3));
    const int right = static_cast<int>(std::trunc(p.x() + 3));
    const int bottom = static_cast<int>(std::trunc(p.y() + 3));
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool CountryFilterAccepts(qint64 zoneCode, std::span<const bool> countrySelected) {
    if (zoneCode <= 100) return true;
    const int country = CountryOfZone(zoneCode);
    if (country == 0) return true;
    if (country < 0 || static_cast<std::size_t>(country) >= countrySelected.size()) return false;
    return countrySelected[static_cast<std::size_t>(country)];
}

QString CountryLine(qint64 zoneCode, Language language) {
    if (zoneCode <= 100) return {};
    const QString name = CountryName(CountryOfZone(zoneCode), language);
    if (name.isEmpty()) return {};
    return QStringLiteral("(") + name + QStringLiteral(")");
}

} // namespace ondrel
