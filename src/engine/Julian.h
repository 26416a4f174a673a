// Julian dates: the instants of the program are Julian dates whose fraction .5 is midnight.
#pragma once

#include <optional>
#include <string_view>

namespace ondrel {

// Days between the Julian date and the date-time value used for display (30 December 1899).
inline constexpr double kDateTimeOrigin = 2415018.5;

// The years the program predicts: its astronomical arguments hold over them, and every command
// and window refuses dates outside.
inline constexpr int kFirstYear = 1700;
inline constexpr int kLastYear = 2200;

struct CalendarDate {
    double day = 0; // with the fraction of the day
    int month = 0;
    int year = 0;
};

// Julian date at 0 h of the calendar date; a fractional day is added as a fraction of a day.
// Dates up to 15 October 1582 are read in the Julian calendar, later ones in the Gregorian.
double JulianDay(int year, int month, double day);
CalendarDate CalendarOfJulianDay(double jd);
int DayOfYear(double jd);
// "dd mm yyyy hh:mm:ss" -> Julian date; nothing when a field is not a number.
std::optional<double> JulianDayOfText(std::string_view text);
// The Julian date of a calendar date and time of day (whole seconds).
double JulianDayOf(int year, int month, int day, int hours, int minutes, int seconds);

// Start (0 h) of the day that contains t: Int(t + 0.5) - 0.5.
double DayStart(double t);

} // namespace ondrel
