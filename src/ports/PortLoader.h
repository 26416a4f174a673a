// Loading one row of the port table into a PortRecord.
#pragma once

#include "engine/PortRecord.h"

#include <QString>

#include <functional>

namespace ondrel {

class PortTable;

// The constituents the table stores, in column order (A_SA ... A_MS4, G_SA ... G_MS4).
inline constexpr int kStoredConstituents[] = {kSa, kQ1, kO1, kK1, kN2, kM2, kS2, kMN4, kM4, kMS4};
// The largest time zone a port may have, in hours either side of UT.
inline constexpr double kMaxTimeZone = 14;

// Receives the messages of the loading step ("Problème conversion fuseau").
using LoaderMessage = std::function<void(const QString&)>;

// Copies the table's current record into port, deriving the constituents the table does not
// store. A time zone that does not read as a number of hours within ±14 keeps its previous value
// with the message "Problème conversion fuseau"; an unreadable ZONE keeps its previous value
// silently. Any other number that cannot be read or lies outside its column's plausible range
// (mean level ±50 m, amplitudes 0..20 m, phases 0..360°, height corrections ±20 m or a factor
// 90 + f up to 100, time corrections ±24 h) throws TableError naming the file, the port and the
// column, and port is left unchanged.
void Chargement(const PortTable& table, PortRecord& port, const LoaderMessage& message);

// Whether the table's current record reads whole, as an export must: what Chargement refuses, and
// a time zone that is not a number of hours within ±14 too; throws TableError naming the column.
void CheckRecord(const PortTable& table);

// The country number of a zone code: the last three decimal digits of a code above 100.
int CountryOfZone(qint64 zoneCode);

} // namespace ondrel
