// The tide table of a range of days as the tide-table window shows it and ondrel-cli prints it:
// a header, a block of tab-separated lines per day that passes the filter (one line per event, four
// at least, and a separator), and the time reference at the end.
#pragma once

#include "engine/Extremes.h"
#include "engine/PortRecord.h"
#include "engine/TableFilter.h"
#include "engine/TideContext.h"
#include "texts/DateNames.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <array>

#include <functional>
#include <memory>
#include <vector>

namespace ondrel {

inline const QString kTableSeparator = QString(70, QLatin1Char('-'));

struct TideTableRequest {
    PortRecord port;
    // The full model's constants for the port (FullHarmonic.h); none: the table model.
    std::shared_ptr<const HarmonicConstants> harmonics;
    TideContext context;
    // Julian dates: the first day's instant, and the last day's plus half a day.
    double start = 0;
    double end = 0;
    HeightUnit unit = HeightUnit::Metres;
    Language language = Language::French;
    QString decimalSeparator = QStringLiteral(",");
    TideTableFilter filter;
};

// An event of a current station's day as the month pages print it: its kind in a word, its time
// on the clock, its speed in the unit (empty at slack).
struct StreamPageEntry {
    QString kind;
    QString time;
    QString speed;
};

// One day of the range, after the filter.
struct TideTableDay {
    QDate date;
    CoefficientPair coefficients;
    FilteredDay day;
    // Hours ahead of UT of each event's time: the time reference's, or with the legal time the
    // offset in force at the event.
    std::vector<double> offsetHours;
    // A current station's day: its events instead of tides (day and coefficients then empty).
    std::vector<StreamPageEntry> stream;
};

struct TideTable {
    QStringList lines;
    std::vector<TideTableDay> days; // every day of the range, written or not
};

// The column header line.
QString TideTableColumns(Language language);
// Every text of a fixed set that a field of the lines may hold in language, the separator and the
// port's name aside: the column heads, the day and month names as the table writes them, the
// kinds of event, and the widest time, height and coefficient. A tab stop wider than the widest of
// them keeps every column in place.
QStringList TideTableFieldTexts(Language language);
// The line naming the time reference the table's times are counted in.
QString TimeReferenceLine(TimeReference reference, double timeZone, Language language,
                          const QString& decimalSeparator);
// With the legal time, the line naming the zone and its offsets over the year of `date` (a Julian
// date): "Heure légale Europe/Paris (UT+1, UT+2 en été)"; without a zone, the port's standard time
// and the words saying so.
QString LegalTimeReferenceLine(const TideContext& context, double date, Language language,
                               const QString& decimalSeparator);
// "UT+1", "UT+5:30", "UT-3:30": an offset in hours as the legal-time texts write it.
QString OffsetText(double offsetHours);
// The instant in UT of an event as the table writes it (the date and hh:mm of its time), read in
// an offset of offsetHours ahead of UT.
QDateTime UtcOfEventText(const TideEvent& event, double offsetHours);
// The lines of one day: one per event, four at least, then the separator; nothing when no half
// remains.
QStringList DayBlock(const QDate& date, const FilteredDay& day, CoefficientPair coefficients,
                     HeightUnit unit, Language language);

// The month pages' foot: the time reference, its offsets written "UT+1", "UT+5:30", "UT−9"; and
// the heights' unit, datum and model.
QString PageTimeReferenceLine(const TideTableRequest& request);
QString PageHeightsLine(const TideTableRequest& request);

// The lines before the days (port name, column header) and after them (time reference).
QStringList TideTableHead(const TideTableRequest& request);
QStringList TideTableFoot(const TideTableRequest& request);

// Computes the days of the range one after the other, each handed to onDay with its block of
// lines as soon as it is known, so that a long range needs no more memory than a day.
// progress, when given, receives 0..100 once per day of a range of more than one day.
void ForEachTideTableDay(const TideTableRequest& request,
                         const std::function<void(const TideTableDay&, const QStringList&)>& onDay,
                         const std::function<void(int percent)>& progress = {});

// The whole table, kept in memory.
TideTable ComputeTideTable(const TideTableRequest& request,
                           const std::function<void(int percent)>& progress = {});

// The table for a spreadsheet (RFC 4180, CRLF line ends): a header row, then one row per event
// that passed the filter: date and time of day of its instant, kind (HW/LW, PM/BM in French),
// height in the unit with a decimal point, the coefficient of its half, port name.
QString TideTableCsv(const TideTable& table, const PortRecord& port, HeightUnit unit,
                     Language language);
// The same in pieces: the header row, and the rows of one day.
// With utc (the legal time), each row ends with the event's instant in UT, ISO 8601
// ("2026-03-29T01:04Z"), and its offset ("UT+2").
QString TideTableCsvHeader(Language language, bool utc = false);
QString TideTableCsvRows(const TideTableDay& day, const PortRecord& port, HeightUnit unit,
                         Language language, bool utc = false);

} // namespace ondrel
