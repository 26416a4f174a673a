// ondrel-cli currents: the tidal streams of a current station, day after day.
#include "cli/Commands.h"
#include "cli/Output.h"
#include "engine/Currents.h"
#include "engine/Julian.h"
#include "ports/CurrentStations.h"
#include "ports/PortTable.h"
#include "texts/DateTimeJulian.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>
#include <cstdio>

namespace ondrel::cli {

namespace {

// One knot, a nautical mile an hour, in metres per second.
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600;

struct EventWords {
    TextPair slackToFlood{"étale, début du flot", "slack, flood begins"};
    TextPair slackToEbb{"étale, début du jusant", "slack, ebb begins"};
    TextPair maxFlood{"flot max", "max flood"};
    TextPair maxEbb{"jusant max", "max ebb"};
    TextPair minFlood{"flot min", "min flood"};
    TextPair minEbb{"jusant min", "min ebb"};
    TextPair knots{"nd", "kn"};
    TextPair metresPerSecond{"m/s", "m/s"};
    TextPair flood{"flot", "flood"};
    TextPair ebb{"jusant", "ebb"};
    TextPair unknown{"station de courant inconnue : ", "no current station named "};
};
const EventWords kWords;

std::string Words(const CurrentEvent& e, Language l) {
    switch (e.kind) {
    case CurrentEventKind::Slack:
        return (e.toFlood ? kWords.slackToFlood : kWords.slackToEbb).In(l);
    case CurrentEventKind::MaxFlood:
        return kWords.maxFlood.In(l);
    case CurrentEventKind::MaxEbb:
        return kWords.maxEbb.In(l);
    case CurrentEventKind::MinFlood:
        return kWords.minFlood.In(l);
    case CurrentEventKind::MinEbb:
        return kWords.minEbb.In(l);
    }
    return {};
}

// The offset from UT, in seconds, that the time reference gives at an instant: the station's
// standard time (0) or legal time, or a fixed offset.
int OffsetSeconds(TimeReference reference, const QTimeZone& zone, const QDateTime& ut) {
    if (reference.isPortLegal()) return zone.isValid() ? zone.offsetFromUtc(ut) : 0;
    if (reference.isPortLocal()) return zone.isValid() ? zone.standardTimeOffset(ut) : 0;
    return reference.hoursAheadOfUt() * 3600;
}

std::string Fixed(double value, int decimals, Language l) {
    std::string text = QString::number(value, 'f', decimals).toStdString();
    if (l == Language::French)
        for (char& c : text)
            if (c == '.') c = ',';
    return text;
}

} // namespace

int Currents(PortTable& table, const Options& o) {
    if (o.positional.size() != 1) throw UsageError{"currents takes one station name or id"};
    CheckTableRange(o);
    CurrentStations stations;
    if (!stations.open(CurrentsToReadFor(table.fileName())))
        throw TableError(stations.error().toStdString());
    const CurrentStation* station = stations.find(o.positional.front());
    if (!station)
        throw UsageError{kWords.unknown.In(o.language) + o.positional.front().toStdString()};
    const double start = JulianDay(o.from.year(), o.from.month(), o.from.day());
    const double end = JulianDay(o.to.year(), o.to.month(), o.to.day()) + 1;
    // The span in UT that covers the asked days in any time reference (within ±14 h).
    const double from = start - 1, to = end + 1;
    std::vector<CurrentEvent> events;
    if (station->stream) {
        events = CurrentEvents(*station->stream, from, to);
    } else {
        const CurrentStation* reference = stations.find(station->reference);
        if (!reference || !reference->stream)
            throw TableError(station->id.toStdString() + ": its reference " +
                             station->reference.toStdString() + " has no data");
        events = SubordinateCurrentEvents(CurrentEvents(*reference->stream, from - 1, to + 1),
                                          station->offsets, from, to);
    }
    const QTimeZone zone(station->timeZone.toUtf8());
    const TimeReference reference(o.ref);
    // Each event on its clock; only those of the asked days are kept.
    struct Shown {
        CurrentEvent event;
        QDateTime ut, clock;
    };
    std::vector<Shown> shown;
    for (const CurrentEvent& e : events) {
        const QDateTime ut = UtcDateTimeOf(e.time);
        const QDateTime clock = ut.addSecs(OffsetSeconds(reference, zone, ut));
        const QDate day = clock.date();
        if (day >= o.from && day <= o.to) shown.push_back({e, ut, clock});
    }
    const auto direction = [](const std::optional<double>& d) {
        return d ? JsonNumber(*d) : std::string("null");
    };
    if (o.json) {
        std::string out = "{\"station\": " + JsonString(station->name.toStdString()) +
                          ", \"id\": " + JsonString(station->id.toStdString()) +
                          ", \"flood_direction\": " + direction(station->floodDirection) +
                          ", \"ebb_direction\": " + direction(station->ebbDirection) +
                          ", \"events\": [";
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const CurrentEvent& e = shown[i].event;
            out += std::string(i ? ", " : "") +
                   "{\"kind\": " + JsonString(std::string(CurrentEventName(e.kind))) +
                   ", \"time\": " + JsonString(shown[i].ut.toString(Qt::ISODate).toStdString()) +
                   ", \"speed_kn\": " + JsonNumber(std::round(e.speed * 1000) / 1000) + "}";
        }
        Print(out + "]}\n");
        return 0;
    }
    const double factor = o.metresPerSecond ? kMetresPerSecondPerKnot : 1;
    if (o.csv) {
        PrintLine(o.metresPerSecond ? "time,kind,speed_ms" : "time,kind,speed_kn");
        for (const Shown& s : shown)
            PrintLine(s.ut.toString(Qt::ISODate).toStdString() + "," +
                      std::string(CurrentEventName(s.event.kind)) + "," +
                      Fixed(s.event.speed * factor, 2, Language::English));
        return 0;
    }
    // The station, and the directions its speeds are given along.
    std::string head = station->name.toStdString() + " (" + station->id.toStdString() + ")";
    const auto degrees = [](const std::optional<double>& d) {
        return QStringLiteral("%1°").arg(std::lround(*d), 3, 10, QLatin1Char('0')).toStdString();
    };
    if (station->floodDirection && station->ebbDirection)
        head += std::string(": ") + kWords.flood.In(o.language) + " " +
                degrees(station->floodDirection) + ", " + kWords.ebb.In(o.language) + " " +
                degrees(station->ebbDirection);
    PrintLine(head);
    QDate day;
    for (const Shown& s : shown) {
        if (s.clock.date() != day) {
            day = s.clock.date();
            PrintLine(day.toString(Qt::ISODate).toStdString());
        }
        const CurrentEvent& e = s.event;
        std::string line = "  " + s.clock.toString(QStringLiteral("HH:mm")).toStdString() + "  " +
                           Words(e, o.language);
        if (e.kind != CurrentEventKind::Slack) {
            const std::optional<double>& d =
                e.speed > 0 ? station->floodDirection : station->ebbDirection;
            line += "  " + Fixed(std::fabs(e.speed) * factor, 2, o.language) + " " +
                    (o.metresPerSecond ? kWords.metresPerSecond : kWords.knots).In(o.language);
            if (d) line += "  " + degrees(d);
        }
        PrintLine(line);
    }
    return 0;
}

int CurrentStationList(PortTable& table, const Options& o) {
    CurrentStations stations;
    if (!stations.open(CurrentsToReadFor(table.fileName())))
        throw TableError(stations.error().toStdString());
    const QString prefix = o.positional.value(0);
    for (const CurrentStation& s : stations.stations()) {
        if (!s.name.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const QString kind = s.stream ? QStringLiteral("reference")
                                      : QStringLiteral("subordinate of %1").arg(s.reference);
        PrintLine(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                      .arg(s.name, s.id)
                      .arg(s.latitude, 0, 'f', 4)
                      .arg(s.longitude, 0, 'f', 4)
                      .arg(kind)
                      .toStdString());
    }
    return 0;
}

} // namespace ondrel::cli
