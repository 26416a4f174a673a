#include "rules/DateSteps.h"

#include <algorithm>

namespace ondrel {

QDate StepMonth(const QDate& date, int delta) {
    if (!date.isValid()) return date;
    const int day = std::min(date.day(), 28);
    int month = date.month() + delta;
    int year = date.year();
    while (month < 1) {
        month += 12;
        --year;
    }
    while (month > 12) {
        month -= 12;
        ++year;
    }
    if (year == 0) year = delta < 0 ? -1 : 1; // the proleptic calendar has no year 0
    return QDate(year, month, day);
}

QDate StepYear(const QDate& date, int delta) {
    if (!date.isValid()) return date;
    int year = date.year() + delta;
    if (year == 0) year = delta < 0 ? -1 : 1;
    int day = date.day();
    if (date.month() == 2 && day == 29 && !QDate::isLeapYear(year)) day = 28;
    return QDate(year, date.month(), day);
}

} // namespace ondrel
