#include "texts/StreamTexts.h"

#include "texts/Bilingual.h"
#include "texts/DateTimeJulian.h"

#include <cmath>

namespace ondrel {

namespace {

struct StreamWords {
    Bilingual slackToFlood{"étale, début du flot", "slack, flood begins"};
    Bilingual slackToEbb{"étale, début du jusant", "slack, ebb begins"};
    Bilingual maxFlood{"flot max", "max flood"};
    Bilingual maxEbb{"jusant max", "max ebb"};
    Bilingual minFlood{"flot min", "min flood"};
    Bilingual minEbb{"jusant min", "min ebb"};
    Bilingual knots{"nd", "kn"};
    Bilingual flood{"flot", "flood"};
    Bilingual ebb{"jusant", "ebb"};
    // The month pages' words.
    Bilingual slack{"Étale", "Slack"};
    Bilingual floodWord{"Flot", "Flood"};
    Bilingual ebbWord{"Jusant", "Ebb"};
    Bilingual minFloodWord{"Flot min", "Min flood"};
    Bilingual minEbbWord{"Jusant min", "Min ebb"};
};
const StreamWords kWords;

} // namespace

int StationOffsetSeconds(TimeReference reference, const QTimeZone& zone, const QDateTime& ut) {
    if (reference.isPortLegal()) return zone.isValid() ? zone.offsetFromUtc(ut) : 0;
    if (reference.isPortLocal()) return zone.isValid() ? zone.standardTimeOffset(ut) : 0;
    return reference.hoursAheadOfUt() * 3600;
}

std::vector<ClockedCurrentEvent> EventsOnClock(const std::vector<CurrentEvent>& events,
                                               TimeReference reference, const QTimeZone& zone,
                                               QDate from, QDate to) {
    std::vector<ClockedCurrentEvent> shown;
    for (const CurrentEvent& e : events) {
        const QDateTime ut = UtcDateTimeOf(e.time);
        const QDateTime clock = ut.addSecs(StationOffsetSeconds(reference, zone, ut));
        if (clock.date() >= from && clock.date() <= to) shown.push_back({e, ut, clock});
    }
    return shown;
}

QString CurrentEventWords(const CurrentEvent& e, Language l) {
    switch (e.kind) {
    case CurrentEventKind::Slack:
        return (e.toFlood ? kWords.slackToFlood : kWords.slackToEbb).in(l);
    case CurrentEventKind::MaxFlood:
        return kWords.maxFlood.in(l);
    case CurrentEventKind::MaxEbb:
        return kWords.maxEbb.in(l);
    case CurrentEventKind::MinFlood:
        return kWords.minFlood.in(l);
    case CurrentEventKind::MinEbb:
        return kWords.minEbb.in(l);
    }
    return {};
}

QString SpeedUnitText(SpeedUnit unit, Language l) {
    return unit == SpeedUnit::MetresPerSecond ? QStringLiteral("m/s") : kWords.knots.in(l);
}

QString SpeedValueText(double knots, SpeedUnit unit, Language l) {
    const double value =
        std::fabs(knots) * (unit == SpeedUnit::MetresPerSecond ? kMetresPerSecondPerKnot : 1);
    QString text = QString::number(value, 'f', 2);
    if (l == Language::French) text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString SpeedText(double knots, SpeedUnit unit, Language l) {
    return SpeedValueText(knots, unit, l) + QLatin1Char(' ') + SpeedUnitText(unit, l);
}

QString DirectionText(double degrees) {
    return QStringLiteral("%1°").arg(std::lround(degrees), 3, 10, QLatin1Char('0'));
}

QString CurrentEventLine(const ClockedCurrentEvent& clocked, std::optional<double> floodDirection,
                         std::optional<double> ebbDirection, SpeedUnit unit, Language l) {
    const CurrentEvent& e = clocked.event;
    QString line = clocked.clock.toString(QStringLiteral("HH:mm")) + QStringLiteral("  ") +
                   CurrentEventWords(e, l);
    if (e.kind == CurrentEventKind::Slack) return line;
    line += QStringLiteral("  ") + SpeedText(e.speed, unit, l);
    const std::optional<double>& direction = e.speed > 0 ? floodDirection : ebbDirection;
    if (direction) line += QStringLiteral("  ") + DirectionText(*direction);
    return line;
}

QString DirectionsText(std::optional<double> floodDirection, std::optional<double> ebbDirection,
                       Language l) {
    if (!floodDirection || !ebbDirection) return {};
    return QStringLiteral(": ") + kWords.flood.in(l) + QLatin1Char(' ') +
           DirectionText(*floodDirection) + QStringLiteral(", ") + kWords.ebb.in(l) +
           QLatin1Char(' ') + DirectionText(*ebbDirection);
}

QStringList StreamTableFieldTexts(Language l) {
    QStringList texts{QStringLiteral("00:00"), QStringLiteral("000°"),
                      SpeedText(99.99, SpeedUnit::Knots, l),
                      SpeedText(99.99, SpeedUnit::MetresPerSecond, l)};
    for (const Bilingual& words : {kWords.slackToFlood, kWords.slackToEbb, kWords.maxFlood,
                                   kWords.maxEbb, kWords.minFlood, kWords.minEbb})
        texts << words.in(l);
    return texts;
}

TideTable StreamTable(const std::vector<ClockedCurrentEvent>& events, const StreamTableRequest& r) {
    const Language l = r.language;
    const DateNames names = DateNames::Of(l);
    TideTable table;
    table.lines << r.station << kTableSeparator;
    auto next = events.begin();
    for (QDate day = r.from; day.isValid() && day <= r.to; day = day.addDays(1)) {
        TideTableDay page;
        page.date = day;
        table.lines << FormatLongDate(day, names);
        for (; next != events.end() && next->clock.date() <= day; ++next) {
            if (next->clock.date() < day) continue;
            const CurrentEvent& e = next->event;
            const QString time = next->clock.toString(QStringLiteral("HH:mm"));
            QString line = time + QLatin1Char('\t') + CurrentEventWords(e, l);
            StreamPageEntry entry{kWords.slack.in(l), time, QString()};
            if (e.kind != CurrentEventKind::Slack) {
                line += QLatin1Char('\t') + SpeedText(e.speed, r.unit, l);
                const std::optional<double>& d = e.speed > 0 ? r.floodDirection : r.ebbDirection;
                if (d) line += QLatin1Char('\t') + DirectionText(*d);
                const Bilingual& word = e.kind == CurrentEventKind::MaxFlood   ? kWords.floodWord
                                        : e.kind == CurrentEventKind::MaxEbb   ? kWords.ebbWord
                                        : e.kind == CurrentEventKind::MinFlood ? kWords.minFloodWord
                                                                               : kWords.minEbbWord;
                entry.kind = word.in(l);
                entry.speed = SpeedValueText(e.speed, r.unit, l);
            }
            table.lines << line;
            page.stream.push_back(entry);
        }
        table.lines << kTableSeparator;
        table.days.push_back(std::move(page));
    }
    table.lines << r.timeReference;
    return table;
}

QString StreamTableCsv(const std::vector<ClockedCurrentEvent>& events, const QString& station,
                       SpeedUnit unit) {
    const bool ms = unit == SpeedUnit::MetresPerSecond;
    QString csv = ms ? QStringLiteral("time,kind,speed_ms,station\r\n")
                     : QStringLiteral("time,kind,speed_kn,station\r\n");
    QString quoted = station;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    for (const ClockedCurrentEvent& e : events)
        csv += e.ut.toString(Qt::ISODate) + QLatin1Char(',') +
               QString::fromLatin1(CurrentEventName(e.event.kind).data()) + QLatin1Char(',') +
               QString::number(e.event.speed * (ms ? kMetresPerSecondPerKnot : 1), 'f', 2) +
               QStringLiteral(",\"") + quoted + QStringLiteral("\"\r\n");
    return csv;
}

} // namespace ondrel
