// "HH:MM" texts of the curve hours and their fractions of a day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondrel {

// Hours before the colon, minutes after it (without a colon: characters 1-2 and 4-5); blanks and
// the '_' of an edit mask around the digits count as nothing. (minutes / 60 + hours) / 24, or
// nothing when either number cannot be read. "06:00" gives 0.25, "24:00" gives 1.
std::optional<double> HmsToReal(std::string_view text);
// The fraction of a day as "HH:MM", minutes rounded to the nearest; nothing for a value that is
// not a finite, non-negative number of a sensible size.
std::optional<std::string> RealToHms(double fraction);
// A time of day: hours 0 to 23 (one or two digits), a colon, minutes 00 to 59 (two digits).
bool IsValidTimeOfDay(std::string_view text);

} // namespace ondrel
