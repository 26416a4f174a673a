// Texts of the water-height curve: the title and foot lines, the time-reference suffix, and the
// label formats of the two axes and of the readouts.
#pragma once

#include "engine/Extremes.h"
#include "engine/PortRecord.h"
#include "engine/Report.h"
#include "engine/TideContext.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace ondrel {

// Which curve the window shows: the bottom axis labels follow it.
enum class CurveView { Day, Span };

// Title lines. With the elements, the port name is followed by its position:
// "LE HAVRE (49:29N - 000:07E)"; the second line is the date text.
QStringList CurveTitleLines(const PortRecord& port, const QString& dateText, bool elements);

// The events line of the foot: "- BM:05h04/01,33 - PM:10h36/08,16 -" (" HW:"/" LW:" in
// English). Empty slots are skipped.
QString FootEventsLine(const DayEvents& events, Language language, long double unitFactor);

// " - UT + : 1", " - UT +1", " - UT +2" or " - UT + 5" after the coefficients. The local-time
// form writes the port's time zone as a plain real with the given decimal separator; the legal
// time without its zone falls back to it (CurveFootLines writes the zone's offset and name).
QString TimeReferenceSuffix(TimeReference timeReference, double timeZone,
                            const QString& decimalSeparator);

// "Coefs : 88/89 - UT +1".
QString FootCoefficientsLine(const CoefficientPair& coefficients, TimeReference timeReference,
                             double timeZone, const QString& decimalSeparator);

// Both foot lines of a day, or none without the elements; the events in the source's model.
QStringList CurveFootLines(const TideContext& ctx, const TideSource& source, double selectedDay,
                           Language language, long double unitFactor, TimeReference timeReference,
                           const QString& decimalSeparator, bool elements);

// Bottom-axis label of a date-time value (days since 30 December 1899): "hh:mm" for the day
// view, "dd MMM" for the week and month views (short month names of the locale, which the
// language switch leaves as they are). The value is read as a wall-clock time of the program's
// time reference, never shifted by the system's time zone.
QString AxisTimeLabel(double dateTime, CurveView view, const QLocale& locale = QLocale::system());
// The wall-clock date-time of a date-time value, seconds rounded.
QDateTime DateTimeOfValue(double dateTime);

// Left-axis label, "#,##0.##": group separators, at least one integer digit, at most two
// decimals, with the given separators.
QString FormatAxisHeight(double value, QChar decimalSeparator = QLatin1Char('.'),
                         QChar groupSeparator = QLatin1Char(','));

// The cross-hair's height readout: general format with three significant digits ("8.16").
QString FormatReadoutHeight(double value, QChar decimalSeparator = QLatin1Char('.'));

} // namespace ondrel
