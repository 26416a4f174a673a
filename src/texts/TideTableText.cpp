#include "texts/TideTableText.h"

#include "texts/DateTimeJulian.h"

#include "engine/Julian.h"
#include "engine/Report.h"
#include "texts/TableTexts.h"

#include <cmath>

namespace ondrel {

namespace {

constexpr TableTexts kTexts;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The month names of the table: September, November and December shortened.
QString MonthName(const DateNames& names, int month) {
    // The table's short names, capitalized as the language writes its months.
    const bool capital = names.longMonth(month).at(0).isUpper();
    const auto abbreviated = [capital](const char* text) {
        QString name = QString::fromLatin1(text);
        if (capital) name[0] = name[0].toUpper();
        return name;
    };
    switch (month) {
    case 9:
        return abbreviated("sept.");
    case 11:
        return abbreviated("nov.");
    case 12:
        return abbreviated("dec.");
    default:
        return names.longMonth(month);
    }
}

QDate DateOf(double t) {
    return CalendarDateOf(t);
}

} // namespace

QString TideTableColumns(Language language) {
    return Text(kTexts.columns.In(language));
}

QStringList TideTableFieldTexts(Language language) {
    const DateNames names = DateNames::Of(language);
    QStringList texts = TideTableColumns(language).split(QLatin1Char('\t'));
    for (const QString& day : names.shortDays)
        texts << day + QLatin1Char('.');
    for (int month = 1; month <= 12; ++month)
        texts << MonthName(names, month);
    for (const TextPair& kind : {kTexts.highWater, kTexts.lowWater})
        texts << Text(kind.In(language)).remove(QLatin1Char('\t'));
    texts << QStringLiteral("00:00") << QStringLiteral("-000,00") << QStringLiteral("000")
          << QString(5, QLatin1Char(' ')) << QStringLiteral("00");
    return texts;
}

QString TimeReferenceLine(TimeReference reference, double timeZone, Language language,
                          const QString& decimalSeparator) {
    switch (reference.code()) {
    case 0: {
        QString zone = QString::number(timeZone, 'g', 15);
        zone.replace(QLatin1Char('.'), decimalSeparator);
        return Text(kTexts.localTime.In(language)) + zone;
    }
    case 1:
        return Text(kTexts.winterTime.In(language));
    case 2:
        return Text(kTexts.summerTime.In(language));
    default:
        return Text(kTexts.otherTime.In(language)) + QString::number(reference.code() - 100);
    }
}

QString OffsetText(double offsetHours) {
    const long long minutes = std::llround(offsetHours * 60);
    const long long magnitude = minutes < 0 ? -minutes : minutes;
    QString text = QStringLiteral("UT") + (minutes < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
                   QString::number(magnitude / 60);
    if (magnitude % 60) text += QStringLiteral(":%1").arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return text;
}

QDateTime UtcOfEventText(const TideEvent& event, double offsetHours) {
    const CalendarDate c = CalendarOfJulianDay(event.instant());
    const QTime time = QTime::fromString(QString::fromStdString(FormatEventTime(event.time)),
                                         QStringLiteral("hh:mm"));
    return QDateTime(QDate(c.year, c.month, static_cast<int>(std::floor(c.day))), time, Qt::UTC)
        .addSecs(-std::llround(offsetHours * 3600));
}

QString LegalTimeReferenceLine(const TideContext& context, double date, Language language,
                               const QString& decimalSeparator) {
    const LegalTimeZone* zone = context.legalZone();
    if (!zone) {
        QString standard = QString::number(context.currentTimeZone(), 'g', 15);
        standard.replace(QLatin1Char('.'), decimalSeparator);
        return Text(kTexts.noLegalTime.In(language)) + standard;
    }
    // The offsets in force over the year: standard time and summer time.
    const CalendarDate c = CalendarOfJulianDay(date);
    const double yearStart = JulianDay(c.year, 1, 1);
    double lowest = zone->offsetHoursAt(yearStart);
    double highest = lowest;
    for (int week = 1; week <= 53; ++week) {
        const double offset = zone->offsetHoursAt(yearStart + 7.0 * week);
        lowest = std::fmin(lowest, offset);
        highest = std::fmax(highest, offset);
    }
    QString offsets = OffsetText(lowest);
    if (highest != lowest)
        offsets += QStringLiteral(", ") + OffsetText(highest) + Text(kTexts.inSummer.In(language));
    return Text(kTexts.legalTime.In(language)) + QString::fromStdString(zone->name()) +
           QStringLiteral(" (") + offsets + QLatin1Char(')');
}

QStringList DayBlock(const QDate& date, const FilteredDay& day, CoefficientPair coefficients,
                     HeightUnit unit, Language language) {
    if (!day.written()) return {};
    const DateNames names = DateNames::Of(language);
    QStringList block{names.shortDays[date.dayOfWeek() % 7] + QLatin1Char('.'),
                      QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')),
                      MonthName(names, date.month()), QString(5, QLatin1Char(' '))};
    while (block.size() < static_cast<qsizetype>(day.events.size()))
        block << QString(5, QLatin1Char(' '));
    const long double factor = UnitFactor(unit);
    for (std::size_t i = 0; i < day.events.size(); ++i) {
        const TideEvent& e = day.events[i];
        if (e.empty()) continue;
        block[static_cast<int>(i)] +=
            Text((e.time > 0 ? kTexts.highWater : kTexts.lowWater).In(language)) +
            Text(FormatEventTime(e.time)) + QLatin1Char('\t') +
            Text(FormatHeight(static_cast<double>(factor * e.height)));
    }
    const auto place = [](QString& line, int coefficient) {
        line += (line.size() <= 10 ? QStringLiteral("\t\t\t\t") : QStringLiteral("\t")) +
                QString::number(coefficient);
    };
    if (day.morning) place(block[0], coefficients.morning);
    if (day.evening)
        place(block[static_cast<qsizetype>(MorningEventCount(day.events.size()))],
              coefficients.evening);
    block << kTableSeparator;
    return block;
}

QString PageTimeReferenceLine(const TideTableRequest& request) {
    const TideContext& context = request.context;
    const TimeReference reference = context.timeReference();
    QString line;
    if (reference.isPortLegal())
        line = LegalTimeReferenceLine(context, request.start, request.language,
                                      request.decimalSeparator);
    else if (reference.isPortLocal())
        line = Text(kTexts.pageLocalTime.In(request.language)) + OffsetText(request.port.timeZone);
    else if (reference.code() == 1 || reference.code() == 2) // winter and summer time
        line = TimeReferenceLine(reference, request.port.timeZone, request.language,
                                 request.decimalSeparator);
    else
        line = Text(kTexts.pageOtherTime.In(request.language)) +
               OffsetText(static_cast<double>(context.offsetHours()));
    return line.replace(QStringLiteral("UT-"), QStringLiteral("UT\u2212"));
}

QString PageHeightsLine(const TideTableRequest& request) {
    const Language l = request.language;
    const QString model =
        request.harmonics ? Text(kTexts.pageFullModel.In(l)).arg(request.harmonics->terms.size())
                          : Text(kTexts.pageTableModel.In(l));
    return Text((request.unit == HeightUnit::Feet ? kTexts.pageFeet : kTexts.pageMetres).In(l)) +
           model;
}

QStringList TideTableHead(const TideTableRequest& request) {
    return {QLatin1Char('\t') + Text(request.port.name), QString(), kTableSeparator,
            TideTableColumns(request.language), kTableSeparator};
}

QStringList TideTableFoot(const TideTableRequest& request) {
    if (request.context.timeReference().isPortLegal())
        return {kTableSeparator,
                LegalTimeReferenceLine(request.context, request.start, request.language,
                                       request.decimalSeparator),
                kTableSeparator};
    return {kTableSeparator,
            TimeReferenceLine(request.context.timeReference(), request.port.timeZone,
                              request.language, request.decimalSeparator),
            kTableSeparator};
}

void ForEachTideTableDay(const TideTableRequest& request,
                         const std::function<void(const TideTableDay&, const QStringList&)>& onDay,
                         const std::function<void(int percent)>& progress) {
    const long double span = static_cast<long double>(request.end) - request.start;
    const long long n = static_cast<long long>(std::trunc(span));
    CoefficientMemo memo;
    for (long long k = 0; k <= n; ++k) {
        if (n > 0 && progress) progress(static_cast<int>(std::trunc(100.0L * k / n)));
        const double t = request.start + static_cast<double>(k);
        const ClockDayEvents events = DayTideEventsOnClock(
            memo, request.context, TideSource(request.port, request.harmonics), t);
        const CoefficientPair coefficients = memo.coefficients(request.context, t);
        const TideTableDay day{DateOf(t),
                               coefficients,
                               ApplyFilter(request.filter, events.events, coefficients),
                               events.offsetHours,
                               {}};
        onDay(day, DayBlock(day.date, day.day, coefficients, request.unit, request.language));
    }
}

TideTable ComputeTideTable(const TideTableRequest& request,
                           const std::function<void(int percent)>& progress) {
    TideTable table;
    table.lines = TideTableHead(request);
    ForEachTideTableDay(
        request,
        [&table](const TideTableDay& day, const QStringList& block) {
            table.lines << block;
            table.days.push_back(day);
        },
        progress);
    table.lines << TideTableFoot(request);
    return table;
}

namespace {

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString TideTableCsvHeader(Language language, bool utc) {
    QString header = Text(kTexts.csvHeader.In(language));
    if (utc) header.insert(header.size() - 2, Text(kTexts.csvUtc.In(language)));
    return header;
}

QString TideTableCsvRows(const TideTableDay& day, const PortRecord& port, HeightUnit unit,
                         Language language, bool utc) {
    QString out;
    const QString name = CsvField(Text(port.name));
    const long double factor = UnitFactor(unit);
    for (std::size_t i = 0; i < day.day.events.size(); ++i) {
        const TideEvent& e = day.day.events[i];
        if (e.empty()) continue;
        const bool high = e.isHighWater();
        const QString kind = Text((high ? kTexts.csvHigh : kTexts.csvLow).In(language));
        const int coefficient = i < MorningEventCount(day.day.events.size())
                                    ? day.coefficients.morning
                                    : day.coefficients.evening;
        out += DateOf(e.instant()).toString(Qt::ISODate) + QLatin1Char(',') +
               Text(FormatEventTime(e.time)) + QLatin1Char(',') + kind + QLatin1Char(',') +
               QString::number(static_cast<double>(factor * e.height), 'f', 2) + QLatin1Char(',') +
               QString::number(coefficient) + QLatin1Char(',') + name;
        if (utc)
            out +=
                QLatin1Char(',') +
                UtcOfEventText(e, day.offsetHours[i]).toString(QStringLiteral("yyyy-MM-ddTHH:mm")) +
                QStringLiteral("Z,") + OffsetText(day.offsetHours[i]);
        out += QStringLiteral("\r\n");
    }
    return out;
}

QString TideTableCsv(const TideTable& table, const PortRecord& port, HeightUnit unit,
                     Language language) {
    QString out = TideTableCsvHeader(language);
    for (const TideTableDay& day : table.days)
        out += TideTableCsvRows(day, port, unit, language);
    return out;
}

} // namespace ondrel
