#include "engine/Julian.h"

#include <cmath>
#include <string>

namespace ondrel {

namespace {
long double Int(long double x) {
    return std::trunc(x);
}
long double Frac(long double x) {
    return x - std::trunc(x);
}
} // namespace

double JulianDay(int year, int month, double day) {
    const bool gregorian =
        year > 1582 || (year == 1582 && month > 10) || (year == 1582 && month == 10 && day > 15);
    long double y = year;
    long double m = month;
    if (month == 1 || month == 2) {
        y -= 1;
        m += 12;
    }
    long double b = 0;
    if (gregorian) {
        const long double a = Int(y / 100);
        b = 2 - a + Int(a / 4);
    }
    const long double c = y >= 0 ? Int(365.25L * y) : Int(365.25L * y - 0.75L);
    return static_cast<double>(b + c + Int(30.6001L * (m + 1)) + day + 1720994.5L);
}

CalendarDate CalendarOfJulianDay(double jd) {
    const long double i = Int(jd + 0.5L);
    const long double f = Frac(jd + 0.5L);
    long double b = i;
    if (i > 2299160) {
        const long double a = Int((i - 1867216.25L) / 36524.25L);
        b = i + 1 + a - Int(a / 4);
    }
    const long double c = b + 1524;
    const long double d = Int((c - 122.1L) / 365.25L);
    const long double e = Int(365.25L * d);
    const long double g = Int((c - e) / 30.6001L);
    CalendarDate out;
    out.day = static_cast<double>(c - e + f - Int(30.6001L * g));
    out.month = static_cast<int>(g < 13.5L ? g - 1 : g - 13);
    out.year = static_cast<int>(out.month > 2.5 ? d - 4716 : d - 4715);
    return out;
}

int DayOfYear(double jd) {
    const CalendarDate date = CalendarOfJulianDay(jd);
    return static_cast<int>(-std::ceil(static_cast<long double>(JulianDay(date.year, 1, 0)) - jd));
}

std::optional<double> JulianDayOfText(std::string_view text) {
    // Characters 1-2 day, 4-5 month, 7-10 year, 12-13 hours, 15-16 minutes, 18-19 seconds.
    auto field = [&](std::size_t pos, std::size_t len) -> std::optional<int> {
        if (text.size() < pos + len) return std::nullopt;
        int value = 0;
        for (std::size_t i = pos; i < pos + len; ++i) {
            const char ch = text[i];
            if (ch < '0' || ch > '9') return std::nullopt;
            value = value * 10 + (ch - '0');
        }
        return value;
    };
    const auto day = field(0, 2), month = field(3, 2), year = field(6, 4);
    const auto hours = field(11, 2), minutes = field(14, 2), seconds = field(17, 2);
    if (!day || !month || !year || !hours || !minutes || !seconds) return std::nullopt;
    return JulianDayOf(*year, *month, *day, *hours, *minutes, *seconds);
}

double JulianDayOf(int year, int month, int day, int hours, int minutes, int seconds) {
    const long double fraction = (hours + minutes / 60.0L + seconds / 3600.0L) / 24.0L;
    return static_cast<double>(JulianDay(year, month, day) + fraction);
}

double DayStart(double t) {
    return static_cast<double>(Int(t + 0.5L) - 0.5L);
}

} // namespace ondrel
