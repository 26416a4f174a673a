// Julian dates of Qt's dates and times, to the whole second.
#pragma once

#include "Julian.h"

#include <QDateTime>

namespace ondrel {

inline double JulianDayOf(const QDateTime& dateTime) {
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    return JulianDayOf(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

} // namespace ondrel
