// The names of the countries numbered 1 to 114 by the zone codes of the port table.
#pragma once

#include "engine/Language.h"

#include <QString>

namespace ondrel {

inline constexpr int kCountryNameCount = 114;

// French or English name of country 1 to 114; empty for any other number.
QString CountryName(int number, Language language);

} // namespace ondrel
