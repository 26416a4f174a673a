// The columns a dBase file must have to be read as the port table.
#pragma once

#include "ports/DbfFile.h"

#include <QString>

#include <vector>

namespace ondrel {

// At least the 37 columns of a port table, text where the program reads text and numbers where
// it reads numbers (FUSEAU and ZONE, read through conversions of their text, may be text too),
// and NOM, ZONE and PORT_REF named so. Throws TableError starting with path.
void CheckPortColumns(const std::vector<DbfField>& fields, const QString& path);

} // namespace ondrel
