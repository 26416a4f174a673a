// Julian dates of Qt's dates and times, to the whole second.
#pragma once

#include "engine/Julian.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

namespace ondrel {

inline double JulianDayOf(const QDateTime& dateTime) {
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    return JulianDayOf(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

// The instant of the Julian date t (UT), to the second, as a date and time in UTC.
inline QDateTime UtcDateTimeOf(double t) {
    constexpr double kUnixEpoch = 2440587.5;
    return QDateTime::fromSecsSinceEpoch(std::llround((t - kUnixEpoch) * 86400), QTimeZone::utc());
}

// The calendar date of the day that contains the Julian date t.
inline QDate CalendarDateOf(double t) {
    const CalendarDate c = CalendarOfJulianDay(t);
    return QDate(c.year, c.month, static_cast<int>(std::floor(c.day)));
}

} // namespace ondrel
