// ondrel-cli currents: the tidal streams of a current station, day after day.
#include "cli/Commands.h"
#include "cli/Output.h"
#include "engine/Currents.h"
#include "engine/Julian.h"
#include "ports/CurrentStations.h"
#include "ports/PortTable.h"
#include "texts/DateTimeJulian.h"
#include "texts/StreamTexts.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>
#include <cstdio>

namespace ondrel::cli {

namespace {

const TextPair kUnknownStation{"station de courant inconnue : ", "no current station named "};

} // namespace

int Currents(PortTable& table, const Options& o) {
    if (o.positional.size() != 1) throw UsageError{"currents takes one station name or id"};
    CheckTableRange(o);
    CurrentStations stations;
    if (!stations.open(CurrentsToReadFor(table.fileName())))
        throw TableError(stations.error().toStdString());
    const CurrentStation* station = stations.find(o.positional.front());
    if (!station)
        throw UsageError{kUnknownStation.In(o.language) + o.positional.front().toStdString()};
    QString problem;
    const std::optional<StationStream> stream = StreamOfStation(stations, *station, &problem);
    if (!stream) throw TableError(problem.toStdString());
    const double start = JulianDay(o.from.year(), o.from.month(), o.from.day());
    const double end = JulianDay(o.to.year(), o.to.month(), o.to.day()) + 1;
    // The span in UT that covers the asked days in any time reference (within ±14 h).
    const std::vector<ClockedCurrentEvent> shown =
        EventsOnClock(stream->events(start - 1, end + 1), TimeReference(o.ref),
                      QTimeZone(station->timeZone.toUtf8()), o.from, o.to);
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
    const SpeedUnit unit = o.metresPerSecond ? SpeedUnit::MetresPerSecond : SpeedUnit::Knots;
    if (o.csv) {
        PrintLine(o.metresPerSecond ? "time,kind,speed_ms" : "time,kind,speed_kn");
        const double factor = o.metresPerSecond ? kMetresPerSecondPerKnot : 1;
        for (const ClockedCurrentEvent& s : shown)
            PrintLine(s.ut.toString(Qt::ISODate).toStdString() + "," +
                      std::string(CurrentEventName(s.event.kind)) + "," +
                      QString::number(s.event.speed * factor, 'f', 2).toStdString());
        return 0;
    }
    // The station, and the directions its speeds are given along.
    PrintLine((station->name + QStringLiteral(" (") + station->id + QLatin1Char(')') +
               DirectionsText(station->floodDirection, station->ebbDirection, o.language))
                  .toStdString());
    QDate day;
    for (const ClockedCurrentEvent& s : shown) {
        if (s.clock.date() != day) {
            day = s.clock.date();
            PrintLine(day.toString(Qt::ISODate).toStdString());
        }
        PrintLine("  " + CurrentEventLine(s, station->floodDirection, station->ebbDirection, unit,
                                          o.language)
                             .toStdString());
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
