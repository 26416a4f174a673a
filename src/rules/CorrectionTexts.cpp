#include "rules/CorrectionTexts.h"

#include <cmath>

namespace ondrel {

namespace {

std::optional<double> ReadNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    for (const QChar c : t)
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') && c != QLatin1Char('.'))
            return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok) return std::nullopt;
    return v;
}

} // namespace

std::optional<double> TimeCorrectionOfText(const QString& text) {
    const auto hours = ReadNumber(text.left(3));
    const auto minutes = ReadNumber(text.mid(3, 2));
    if (!hours || !minutes) return std::nullopt;
    return text.startsWith(QLatin1Char('-')) ? *hours - *minutes / 60 : *hours + *minutes / 60;
}

QString TimeCorrectionText(double hours) {
    const double a = std::fabs(hours);
    const double whole = std::trunc(a);
    // A minute read from the box comes back a hair below its value (0.35 h is 20.999… min).
    const int minutes = static_cast<int>(std::trunc((a - whole) * 60 + 1e-9));
    return (hours < 0 ? QStringLiteral("-") : QString()) +
           QString::number(static_cast<qint64>(whole)) + QStringLiteral("h") +
           (minutes < 10 ? QStringLiteral("0") : QString()) + QString::number(minutes) +
           QStringLiteral("mn");
}

QString TimeCorrectionEditText(double hours) {
    const double a = std::fabs(hours);
    const double whole = std::trunc(a);
    const long minutes = std::lround((a - whole) * 60);
    return (hours >= 0 ? QStringLiteral("+") : QStringLiteral("-")) +
           QString::number(static_cast<qint64>(whole)) + QLatin1Char(' ') +
           QStringLiteral("%1").arg(minutes, 2, 10, QLatin1Char('0'));
}

QString HeightCorrectionEditText(double metres, QChar decimalSeparator) {
    QString text = QString::number(metres, 'f', 2);
    text.replace(QLatin1Char('.'), decimalSeparator);
    if (metres >= 0 && text.size() < 5) text.prepend(QLatin1Char('+'));
    return text;
}

std::optional<double> HeightCorrectionOfText(const QString& text, QChar decimalSeparator) {
    QString t = text.trimmed();
    if (t.contains(QLatin1Char('.')) && decimalSeparator != QLatin1Char('.')) return std::nullopt;
    t.replace(decimalSeparator, QLatin1Char('.'));
    return ReadNumber(t);
}

QString HeightCorrectionSummary(double metres, QChar decimalSeparator) {
    QString text = QString::number(metres, 'g', 10);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text + QStringLiteral(" m");
}

} // namespace ondrel
