// The current stations (tidal streams) shipped beside the port table in currents.json: reference
// stations with the harmonic constants of their speed along the flood axis, and subordinate
// stations derived from a reference by offsets. US and Canadian waters (NOAA, CHS).
#pragma once

#include "engine/Currents.h"

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
    QString timeZone;                                   // IANA
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

// The file to read for a table: currents.json beside it, or the shipped one.
QString CurrentsToReadFor(const QString& tablePath);

} // namespace ondrel
