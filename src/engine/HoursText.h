// "HH:MM" texts of the curve hours and their fractions of a day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondrel {

// Hours in characters 1-2, minutes in 4-5: (minutes / 60 + hours) / 24. Nothing when either
// cannot be read. "06:00" gives 0.25, "24:00" gives 1.
std::optional<double> HmsToReal(std::string_view text);
// The fraction of a day as "HH:MM", the minutes rounded to the nearest whole minute.
std::string RealToHms(double fraction);

} // namespace ondrel
