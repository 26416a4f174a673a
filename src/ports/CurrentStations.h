// The current stations (tidal streams) shipped beside the port table in currents.json: reference
// stations with the harmonic constants of their speed along the flood axis, and subordinate
// stations derived from a reference by offsets. US and Canadian waters (NOAA, CHS).
#pragma once

#include "engine/Currents.h"
#include "engine/PortRecord.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace ondrel {

inline const QString kCurrentsFileName = QStringLiteral("currents.json");

struct CurrentStation {
    QString id;   // the database's ("noaa/ACT1616")
    QString name; // as the database spells it
    double latitude = 0, longitude = 0;
    QString timeZone; // IANA
    // The country number of the countries window: 6 (Canada) for a station on a Canadian
    // clock, else 5 (USA).
    int country = 5;
    std::optional<double> floodDirection, ebbDirection; // degrees true
    // A reference station: its constants (knots; the mean flow as their offset).
    std::shared_ptr<const HarmonicConstants> stream;
    // A subordinate station: its reference's id and its offsets.
    QString reference;
    CurrentOffsets offsets;
};

class CurrentStations {
public:
    // Reads the file; false, with error() naming it, when it is missing or cannot be read.
    bool open(const QString& path);
    QString error() const { return error_; }
    const std::vector<CurrentStation>& stations() const { return stations_; }
    // The station of this id, or of this name (any case); several stations of one name: the
    // first. Null when none.
    const CurrentStation* find(const QString& nameOrId) const;

private:
    std::vector<CurrentStation> stations_;
    QString error_;
};

// What gives a station's stream: its own constants, or its reference's constants and its offsets.
struct StationStream {
    CurrentStation station;
    // The constants the events come from: the station's own, or its reference's.
    std::shared_ptr<const HarmonicConstants> constants;

    // The events from `from` to `to` (Julian dates, UT), in time order.
    std::vector<CurrentEvent> events(double from, double to) const;
    // The speed (knots) at `count` evenly spaced instants from `from` to `to`, both included.
    std::vector<double> speeds(double from, double to, int count) const;
};

// The stream of a station; none, with the reason in problem, when it is a subordinate station
// whose reference is missing or has no data.
std::optional<StationStream> StreamOfStation(const CurrentStations& stations,
                                             const CurrentStation& station, QString* problem);

// The station as a place, for what needs only a place (the sun, the time zone): its name, its
// position written as the port table writes positions ("41 33 N", "069 59 W") and its standard
// time's hours east of UT. No constants: nothing predicts a tide from it.
PortRecord PlaceOfStation(const CurrentStation& station);

// The file to read for a table: currents.json beside it, or the shipped one.
QString CurrentsToReadFor(const QString& tablePath);

} // namespace ondrel
