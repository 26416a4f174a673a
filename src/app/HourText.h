// Hours of the day as "HH:MM" texts and as fractions of a day.
#pragma once

#include <QString>

#include <optional>

namespace ondrel {

// "06:00" -> 0.25, "24:00" -> 1.0: hours before the colon, minutes after it. Nothing when either
// number cannot be read.
std::optional<double> HmsToReal(const QString& text);
// 0.25 -> "06:00": minutes rounded to the nearest, hours and minutes on two digits. Nothing for a
// value that is not a finite, non-negative number.
std::optional<QString> RealToHms(double fraction);
// A time of day: hours 0 to 23, a colon, two minute digits 00 to 59 (a blank first hour digit is
// allowed, as the edit mask leaves it).
bool IsValidTimeOfDay(const QString& text);

} // namespace ondrel
