// The texts of tidal streams, shared by the main window's report, the stream table, its month
// pages and `ondrel-cli currents`: each event on the station's clock of the chosen time reference,
// its words, its speed in knots or metres per second and its direction.
#pragma once

#include "engine/Currents.h"
#include "engine/Language.h"
#include "engine/TimeReference.h"
#include "texts/DateNames.h"
#include "texts/TideTableText.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>
#include <vector>

namespace ondrel {

// One knot, a nautical mile an hour, in metres per second.
inline constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600;

// An event, its instant in UT and on the clock of the time reference.
struct ClockedCurrentEvent {
    CurrentEvent event;
    QDateTime ut;
    QDateTime clock;
};

// The offset from UT in seconds that a time reference gives at an instant at a station: its
// zone's standard time (the local time), its legal time, or a fixed offset.
int StationOffsetSeconds(TimeReference reference, const QTimeZone& zone, const QDateTime& ut);

// The events whose day on the reference's clock lies from `from` to `to` (both included), placed
// on that clock. events: the station's, over a span wider than those days by a day either side.
std::vector<ClockedCurrentEvent> EventsOnClock(const std::vector<CurrentEvent>& events,
                                               TimeReference reference, const QTimeZone& zone,
                                               QDate from, QDate to);

// "étale, début du flot", "flot max", "jusant min"...
QString CurrentEventWords(const CurrentEvent& event, Language language);
// "1,87", "0.96": a speed, without its sign, in the unit.
QString SpeedValueText(double knots, SpeedUnit unit, Language language);
// "1,87 nd", "0.96 m/s": the same with its unit.
QString SpeedText(double knots, SpeedUnit unit, Language language);
// "nd", "kn" or "m/s".
QString SpeedUnitText(SpeedUnit unit, Language language);
// "037°".
QString DirectionText(double degrees);
// "10:57  flot max  1,87 nd  037°": an event as the report and the tables write it (a slack
// without speed nor direction).
QString CurrentEventLine(const ClockedCurrentEvent& event, std::optional<double> floodDirection,
                         std::optional<double> ebbDirection, SpeedUnit unit, Language language);
// ": flot 037°, jusant 217°", or nothing when the station gives no directions.
QString DirectionsText(std::optional<double> floodDirection, std::optional<double> ebbDirection,
                       Language language);

// A current station's table over days, as the tide-table window shows, saves and prints it: its
// lines (the station, then for each day its date and one tab-separated line per event, then the
// time reference) and its days for the month pages.
struct StreamTableRequest {
    QString station; // "Name (id): flot 037°, jusant 217°"
    QDate from, to;
    SpeedUnit unit = SpeedUnit::Knots;
    Language language = Language::French;
    QString timeReference; // the line naming it
    std::optional<double> floodDirection, ebbDirection;
};
// Every text a field of the stream table's lines may hold in language, the station's line aside:
// the kinds of event, the widest time, speed and direction. A tab stop wider than the widest keeps
// every column in place.
QStringList StreamTableFieldTexts(Language language);
TideTable StreamTable(const std::vector<ClockedCurrentEvent>& events,
                      const StreamTableRequest& request);
// The table for a spreadsheet (RFC 4180, CRLF): time in UT (ISO 8601), kind, signed speed in the
// unit with a decimal point, station.
QString StreamTableCsv(const std::vector<ClockedCurrentEvent>& events, const QString& station,
                       SpeedUnit unit);

} // namespace ondrel
