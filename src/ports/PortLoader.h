// Loading one row of the port table into a PortRecord.
#pragma once

#include "PortRecord.h"

#include <QString>

#include <functional>

namespace ondrel {

class PortTable;

// Receives the messages of the loading step ("Problème conversion fuseau").
using LoaderMessage = std::function<void(const QString&)>;

// Copies the table's current record into port, deriving the constituents the table does not
// store. Values that cannot be read keep their previous content (see the .cpp for which).
void Chargement(const PortTable& table, PortRecord& port, const LoaderMessage& message);

// The country number of a zone code: the last three decimal digits of a code above 100.
int CountryOfZone(qint64 zoneCode);

} // namespace ondrel
