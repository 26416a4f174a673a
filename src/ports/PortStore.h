// Storing a secondary port made by the wizard: the reverse of loading a row (PortLoader) for the
// columns a secondary port has of its own.
#pragma once

#include "engine/PortRecord.h"

#include <QString>

namespace ondrel {

class PortTable;

// With modifiedName empty, adds port as a new secondary port of standardName: its name, position
// and the eight corrections of port, the mean level, constants, time zone and zone of standard.
// Otherwise rewrites the secondary port named modifiedName (its name, position and corrections
// only) and answers false, changing nothing, when no secondary port has that name any more. The
// table's tag, range and filter are as before afterwards, the stored port current when visible.
// Throws TableError when a value cannot be stored or written; nothing is then stored.
bool StoreSecondaryPort(PortTable& table, const PortRecord& port, const PortRecord& standard,
                        const QString& standardName, const QString& modifiedName = {});

} // namespace ondrel
