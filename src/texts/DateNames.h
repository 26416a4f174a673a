// The day and month names the program formats dates with, in each language (the program's own
// names, not the system's), and the long date format built from them.
#pragma once

#include "engine/Report.h"

#include <QDate>
#include <QString>

#include <array>

namespace ondrel {

// Index 0 is Sunday for the days, January for the months.
struct DateNames {
    std::array<QString, 7> longDays;
    std::array<QString, 7> shortDays;
    std::array<QString, 12> longMonths;

    static DateNames French();
    static DateNames English();
    static DateNames Of(Language language) {
        return language == Language::English ? English() : French();
    }

    const QString& longDay(const QDate& date) const { return longDays[date.dayOfWeek() % 7]; }
    const QString& longMonth(int month) const { return longMonths[(month + 11) % 12]; }
};

// "dddd, d mmmm yyyy": "Mercredi, 18 septembre 1998".
QString FormatLongDate(const QDate& date, const DateNames& names);

} // namespace ondrel
