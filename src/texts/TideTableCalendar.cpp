#include "texts/TideTableCalendar.h"

#include "engine/Julian.h"
#include "engine/Report.h"

#include <libical/ical.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace ondrel {

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

icaltimetype UtcTime(const QDateTime& t) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(t.toSecsSinceEpoch()), 0,
                                         icaltimezone_get_utc_timezone());
}

// Letters and digits of the port's name, for the UID.
QString Slug(const std::string& name) {
    QString slug;
    for (const QChar ch : QString::fromStdString(name))
        slug += ch.isLetterOrNumber() && ch.unicode() < 128 ? ch : QLatin1Char('-');
    return slug;
}

} // namespace

namespace {

QByteArray Serialized(icalcomponent* component) {
    char* text = icalcomponent_as_ical_string_r(component);
    const QByteArray out(text);
    std::free(text);
    return out;
}

const QByteArray kCalendarEnd = QByteArrayLiteral("END:VCALENDAR\r\n");

} // namespace

QByteArray TideTableIcsHead() {
    std::unique_ptr<icalcomponent, ComponentDeleter> calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Ondrel//Tide table//EN"));
    QByteArray text = Serialized(calendar.get());
    text.chop(kCalendarEnd.size()); // the calendar without events, less its end
    return text;
}

QByteArray TideTableIcsTail() {
    return kCalendarEnd;
}

QByteArray TideTableIcsDay(const TideTableDay& day, const PortRecord& port,
                           const TideContext& context, HeightUnit unit, Language language,
                           const QDateTime& stamp) {
    const bool english = language == Language::English;
    const long double factor = UnitFactor(unit);
    const QString name = QString::fromStdString(port.name);
    QByteArray out;
    for (std::size_t i = 0; i < day.day.events.size(); ++i) {
        const TideEvent& e = day.day.events[i];
        if (e.empty()) continue;
        // The instant's date and the table's hh:mm, in the offset of the time reference (with
        // the legal time, the one in force at the event), then in UT.
        const QDateTime start = UtcOfEventText(e, day.offsetHours[i]);
        const bool high = e.isHighWater();
        const int coefficient = i < MorningEventCount(day.day.events.size())
                                    ? day.coefficients.morning
                                    : day.coefficients.evening;
        QString height = QString::number(static_cast<double>(factor * e.height), 'f', 2);
        if (!english) height.replace(QLatin1Char('.'), QLatin1Char(','));
        const QString summary =
            QStringLiteral("%1 %2 %3 (coef %4) — %5")
                .arg(high ? (english ? "HW" : "PM") : (english ? "LW" : "BM"))
                .arg(height, unit == HeightUnit::Feet ? QStringLiteral("ft") : QStringLiteral("m"))
                .arg(coefficient)
                .arg(name);
        const QString uid = QStringLiteral("%1-%2-%3@ondrel")
                                .arg(day.date.toString(QStringLiteral("yyyyMMdd")))
                                .arg(i + 1)
                                .arg(Slug(port.name));
        std::unique_ptr<icalcomponent, ComponentDeleter> event(icalcomponent_new_vevent());
        icalcomponent_add_property(event.get(), icalproperty_new_uid(uid.toUtf8().constData()));
        icalcomponent_add_property(event.get(), icalproperty_new_dtstamp(UtcTime(stamp)));
        icalcomponent_add_property(event.get(), icalproperty_new_dtstart(UtcTime(start)));
        icalcomponent_add_property(event.get(),
                                   icalproperty_new_summary(summary.toUtf8().constData()));
        icalcomponent_add_property(event.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        if (context.followsLegalTime()) {
            // The time as the port's clocks show it, beside the instant in UT.
            const QString local = QStringLiteral("%1 %2 (%3)")
                                      .arg(QString::fromStdString(FormatEventTime(e.time)),
                                           QString::fromStdString(context.legalZone()->name()),
                                           OffsetText(day.offsetHours[i]));
            icalcomponent_add_property(event.get(),
                                       icalproperty_new_description(local.toUtf8().constData()));
        }
        out += Serialized(event.get());
    }
    return out;
}

QByteArray TideTableIcs(const TideTable& table, const PortRecord& port, const TideContext& context,
                        HeightUnit unit, Language language, const QDateTime& stamp) {
    QByteArray out = TideTableIcsHead();
    for (const TideTableDay& day : table.days)
        out += TideTableIcsDay(day, port, context, unit, language, stamp);
    return out + TideTableIcsTail();
}

} // namespace ondrel
