// Julian dates of Qt's dates and times, to the whole second.
#pragma once

#include "engine/Julian.h"

#include <QDateTime>

#include <cmath>

namespace ondrel {

inline double JulianDayOf(const QDateTime& dateTime) {
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    return JulianDayOf(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

// The calendar date of the day that contains the Julian date t.
inline QDate CalendarDateOf(double t) {
    const CalendarDate c = CalendarOfJulianDay(t);
    return QDate(c.year, c.month, static_cast<int>(std::floor(c.day)));
}

} // namespace ondrel
