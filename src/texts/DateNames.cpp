#include "texts/DateNames.h"

namespace ondrel {

DateNames DateNames::French() {
    return {{"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"},
            {"Di", "Lu", "Ma", "Me", "Je", "Ve", "Sa"},
            {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "septembre",
             "octobre", "novembre", "décembre"}};
}

DateNames DateNames::English() {
    return {{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
            {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
            {"January", "February", "March", "April", "May", "June", "July", "August", "September",
             "October", "November", "December"}};
}

QString FormatLongDate(const QDate& date, const DateNames& names) {
    return QStringLiteral("%1, %2 %3 %4")
        .arg(names.longDay(date))
        .arg(date.day())
        .arg(names.longMonth(date.month()))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace ondrel
