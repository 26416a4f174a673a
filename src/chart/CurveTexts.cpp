#include "chart/CurveTexts.h"

#include "chart/FootTexts.h"
#include "engine/Julian.h"
#include "texts/Bilingual.h"
#include "texts/TideTableText.h"

#include <cmath>

namespace ondrel {

namespace {

const FootTexts kTexts;

} // namespace

QStringList CurveTitleLines(const PortRecord& port, const QString& dateText, bool elements) {
    const QString name = QString::fromStdString(port.name);
    if (!elements) return {name, dateText};
    return {name + QStringLiteral(" (") + QString::fromStdString(port.latitude) +
                QStringLiteral(" - ") + QString::fromStdString(port.longitude) +
                QStringLiteral(")"),
            dateText};
}

QString FootEventsLine(const DayEvents& events, Language language, long double unitFactor) {
    QString line = QStringLiteral("-");
    for (const TideEvent& e : events) {
        if (e.empty()) continue;
        const bool high = e.time > 0;
        line += (high ? kTexts.high : kTexts.low).in(language);
        line += QString::fromStdString(FormatEventTimeH(e.time)) + QLatin1Char('/') +
                QString::fromStdString(FormatHeight(static_cast<double>(e.height * unitFactor))) +
                QStringLiteral(" -");
    }
    return line;
}

QString TimeReferenceSuffix(TimeReference timeReference, double timeZone,
                            const QString& decimalSeparator) {
    switch (timeReference.code()) {
    case 0:
    case TimeReference::kLegalCode: { // without the zone, the port's standard time
        QString zone = QString::number(timeZone, 'g', 15);
        if (!decimalSeparator.isEmpty()) zone.replace(QLatin1Char('.'), decimalSeparator);
        return QStringLiteral(" - UT + : ") + zone;
    }
    case 1:
        return QStringLiteral(" - UT +1");
    case 2:
        return QStringLiteral(" - UT +2");
    default:
        return QStringLiteral(" - UT + ") + QString::number(timeReference.hoursAheadOfUt());
    }
}

QString FootCoefficientsLine(const CoefficientPair& coefficients, TimeReference timeReference,
                             double timeZone, const QString& decimalSeparator) {
    return QStringLiteral("Coefs : ") + QString::number(coefficients.morning) + QLatin1Char('/') +
           QString::number(coefficients.evening) +
           TimeReferenceSuffix(timeReference, timeZone, decimalSeparator);
}

QStringList CurveFootLines(const TideContext& ctx, const TideSource& source, double selectedDay,
                           Language language, long double unitFactor, TimeReference timeReference,
                           const QString& decimalSeparator, bool elements) {
    if (!elements) return {};
    const CoefficientPair c = DayCoefficients(ctx, selectedDay);
    QString coefficients =
        FootCoefficientsLine(c, timeReference, source.port.timeZone, decimalSeparator);
    if (const LegalTimeZone* zone = ctx.legalZone(); zone && timeReference.isPortLegal()) {
        // The offset in force at the day's noon, and the zone: " - UT+2 Europe/Paris".
        const double noon = selectedDay + 0.5 - zone->offsetHoursAt(selectedDay) / 24;
        coefficients =
            QStringLiteral("Coefs : %1/%2 - %3 %4")
                .arg(c.morning)
                .arg(c.evening)
                .arg(OffsetText(zone->offsetHoursAt(noon)), QString::fromStdString(zone->name()));
    }
    return {FootEventsLine(DayTideEvents(ctx, source, selectedDay), language, unitFactor),
            coefficients};
}

QDateTime DateTimeOfValue(double dateTime) {
    const double days = std::floor(dateTime);
    const auto seconds = static_cast<int>(std::llround((dateTime - days) * 86400.0));
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
    return QDateTime(date, QTime(0, 0), Qt::UTC).addSecs(seconds);
}

QString AxisTimeLabel(double dateTime, CurveView view, const QLocale& locale) {
    const QDateTime dt = DateTimeOfValue(dateTime);
    if (view == CurveView::Day) return dt.toString(QStringLiteral("hh:mm"));
    return QStringLiteral("%1 %2")
        .arg(dt.date().day(), 2, 10, QLatin1Char('0'))
        .arg(locale.monthName(dt.date().month(), QLocale::ShortFormat));
}

QString FormatAxisHeight(double value, QChar decimalSeparator, QChar groupSeparator) {
    const long long hundredths = std::llround(std::fabs(value) * 100.0);
    const QString whole = QString::number(hundredths / 100);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += groupSeparator;
        grouped += whole[i];
    }
    QString text = (value < 0 && hundredths != 0 ? QStringLiteral("-") : QString()) + grouped;
    const long long fraction = hundredths % 100;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
        if (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
        text += decimalSeparator + digits;
    }
    return text;
}

QString FormatReadoutHeight(double value, QChar decimalSeparator) {
    QString text = QString::number(value, 'g', 3);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

} // namespace ondrel
