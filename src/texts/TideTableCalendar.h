// The tide table's events as an iCalendar file (RFC 5545), for a calendar program: one event
// per high or low water that passed the filter, at its instant in UT.
#pragma once

#include "texts/TideTableText.h"

#include <QByteArray>
#include <QDateTime>

namespace ondrel {

// Each VEVENT has a UID made of the day, the slot and the port (the same at every export of that
// tide), DTSTART in UT (the table's time of day moved back by the time reference's offset),
// DTSTAMP `stamp`, and a SUMMARY such as "HW 8.16 m (coef 88) — BREST". Lines end with CRLF
// and are folded at 75 octets.
QByteArray TideTableIcs(const TideTable& table, const PortRecord& port, const TideContext& context,
                        HeightUnit unit, Language language, const QDateTime& stamp);

// The same in pieces, for a table written day by day: the calendar's first lines, the events of
// one day, and the calendar's last line.
QByteArray TideTableIcsHead();
QByteArray TideTableIcsDay(const TideTableDay& day, const PortRecord& port,
                           const TideContext& context, HeightUnit unit, Language language,
                           const QDateTime& stamp);
QByteArray TideTableIcsTail();

} // namespace ondrel
