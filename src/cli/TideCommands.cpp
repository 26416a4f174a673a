// The tide commands: the day's report, the curve, the tide table, the present instant.
#include "cli/Commands.h"

#include "cli/Output.h"
#include "engine/Curve.h"
#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "engine/Report.h"
#include "engine/Secondary.h"
#include "engine/TidePosition.h"
#include "ports/PortTable.h"
#include "texts/DateTimeJulian.h"
#include "texts/TideNow.h"
#include "texts/TideTableCalendar.h"
#include "texts/TideTableText.h"

#include <QDateTime>
#include <QLocale>

#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace ondrel::cli {

namespace {

// With the legal time only (the other outputs stay as they were): the offset a time is read in,
// in hours ahead of UT, and the zone.
std::string JsonOffset(const TideContext& ctx, double offsetHours) {
    return ctx.timeReference().isPortLegal() ? ", \"offset\": " + JsonNumber(offsetHours)
                                             : std::string();
}
std::string JsonZone(const TideContext& ctx) {
    if (!ctx.timeReference().isPortLegal()) return {};
    return ", \"zone\": " +
           (ctx.legalZone() ? JsonString(ctx.legalZone()->name()) : std::string("null"));
}

// The day's events as JSON objects, comma-separated; an empty slot is left out.
std::string JsonEvents(const DayEvents& events, const std::vector<double>& offsetHours,
                       const TideContext& ctx) {
    std::string out;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].empty()) continue;
        if (!out.empty()) out += ", ";
        out += "{\"slot\": " + std::to_string(i + 1) + ", \"time\": " + JsonNumber(events[i].time) +
               ", \"height\": " + JsonNumber(events[i].height) + JsonOffset(ctx, offsetHours[i]) +
               "}";
    }
    return out;
}

} // namespace

int Day(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const TideContext ctx = ContextFor(table, port, o);
    const double day = SelectedDayOf(o);
    const Model model = ModelFor(table, port, o);
    CoefficientMemo memo;
    const ClockDayEvents clock =
        DayTideEventsOnClock(memo, ctx, TideSource(port, model.harmonics), day);
    const DayEvents& events = clock.events;
    const CoefficientPair coefficients = DayCoefficients(ctx, day);
    const std::vector<std::string> lines = DayReportLines(events, o.unit, o.language);
    const std::string morning = MorningCoefficientLabel(coefficients.morning, o.language);
    const std::string evening = EveningCoefficientLabel(coefficients.evening, o.language);
    if (!o.json) {
        for (const std::string& line : lines)
            PrintLine(line);
        PrintLine(morning);
        PrintLine(evening);
        return 0;
    }
    std::string out = "{\"port\": " + JsonString(port.name) + ", \"day\": " + JsonNumber(day) +
                      ", \"events\": [" + JsonEvents(events, clock.offsetHours, ctx);
    out += "]" + JsonZone(ctx) + ", \"coefficients\": [" + std::to_string(coefficients.morning) +
           ", " + std::to_string(coefficients.evening) + "], \"lines\": [";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? ", " : "") + JsonString(lines[i]);
    out += "], \"labels\": [" + JsonString(morning) + ", " + JsonString(evening) + "]" +
           JsonModel(o, model) + "}\n";
    Print(out);
    return 0;
}

namespace {

// The table's lines, printed as they come: as text, one a line, or as the members of a JSON
// array, the separator carried from one call to the next.
class TableLinePrinter {
public:
    explicit TableLinePrinter(bool json) : json_(json) {}
    void print(const QStringList& lines) {
        std::string out;
        for (const QString& line : lines) {
            out += json_ ? separator_ + JsonString(line.toStdString()) : line.toStdString() + "\n";
            separator_ = ", ";
        }
        Print(out);
    }

private:
    bool json_;
    std::string separator_;
};

// The tide table of --from to --to, both at 0 h, as the tide-table window asks for it.
TideTableRequest TableRequest(const PortTable& table, const PortRecord& port, const Options& o) {
    TideTableRequest request;
    request.port = port;
    request.context = ContextFor(table, port, o);
    request.start = JulianDay(o.from.year(), o.from.month(), o.from.day());
    request.end = JulianDay(o.to.year(), o.to.month(), o.to.day()) + 0.5;
    request.unit = o.unit;
    request.language = o.language;
    request.decimalSeparator = QLocale::system().decimalPoint();
    request.filter = o.filter;
    return request;
}

// The writers below print each day as soon as it is computed: a range of any length needs the
// memory of one day.
int PrintTableCsv(const TideTableRequest& request, const Options& o) {
    const bool utc = request.context.followsLegalTime();
    Print(TideTableCsvHeader(o.language, utc).toStdString());
    ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList&) {
        Print(TideTableCsvRows(day, request.port, o.unit, o.language, utc).toStdString());
    });
    return 0;
}

int PrintTableIcs(const TideTableRequest& request, const Options& o) {
    const QDateTime stamp = QDateTime::currentDateTimeUtc();
    Print(TideTableIcsHead().toStdString());
    ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList&) {
        Print(TideTableIcsDay(day, request.port, request.context, o.unit, o.language, stamp)
                  .toStdString());
    });
    Print(TideTableIcsTail().toStdString());
    return 0;
}

int PrintTableText(const TideTableRequest& request) {
    TableLinePrinter lines(false);
    lines.print(TideTableHead(request));
    ForEachTideTableDay(request,
                        [&](const TideTableDay&, const QStringList& block) { lines.print(block); });
    lines.print(TideTableFoot(request));
    return 0;
}

// One day of the table as a JSON object, after a comma unless it is the first.
std::string TableDayJson(const TideTableDay& day, const TideContext& ctx, bool first) {
    const auto flag = [](bool b) { return std::string(b ? "true" : "false"); };
    return std::string(first ? "" : ", ") + "{\"date\": \"" +
           day.date.toString(Qt::ISODate).toStdString() + "\", \"events\": [" +
           JsonEvents(day.day.events, day.offsetHours, ctx) + "], \"coefficients\": [" +
           std::to_string(day.coefficients.morning) + ", " +
           std::to_string(day.coefficients.evening) + "], \"morning\": " + flag(day.day.morning) +
           ", \"evening\": " + flag(day.day.evening) + ", \"written\": " + flag(day.day.written()) +
           "}";
}

// The lines come before the days in the JSON object: the days wait in a temporary file.
int PrintTableJson(const TideTableRequest& request, const Options& o, const Model& model) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> days(std::tmpfile(), &std::fclose);
    if (!days) throw std::runtime_error("no temporary file for the days of the table");
    Print("{\"port\": " + JsonString(request.port.name) + ", \"lines\": [");
    TableLinePrinter lines(true);
    lines.print(TideTableHead(request));
    bool firstDay = true;
    ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList& block) {
        lines.print(block);
        const std::string out = TableDayJson(day, request.context, firstDay);
        firstDay = false;
        if (std::fwrite(out.data(), 1, out.size(), days.get()) != out.size())
            throw std::runtime_error("the temporary file of the table's days cannot be written");
    });
    lines.print(TideTableFoot(request));
    Print("], \"days\": [");
    std::rewind(days.get());
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, days.get())) > 0;)
        std::fwrite(buffer, 1, n, stdout);
    Print("]" + JsonZone(request.context) + JsonModel(o, model) + "}\n");
    return 0;
}

} // namespace

// The tide table from --from to --to, both at 0 h, as the tide-table window computes it.
int Table(PortTable& table, const Options& o) {
    CheckTableRange(o);
    const PortRecord port = LoadPort(table, o);
    TideTableRequest request = TableRequest(table, port, o);
    const Model model = ModelFor(table, port, o);
    request.harmonics = model.harmonics;
    if (!o.pdf.isEmpty()) return DrawTablePages(o, request);
    if (o.csv) return PrintTableCsv(request, o);
    if (o.ics) return PrintTableIcs(request, o);
    if (!o.json) return PrintTableText(request);
    return PrintTableJson(request, o, model);
}

int Curve(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const TideContext legal = ContextFor(table, port, o);
    SecondaryDayCache cache;
    const double day = SelectedDayOf(o);
    const long double factor = UnitFactor(o.unit);
    const Model model = ModelFor(table, port, o);
    const TideSource source(port, model.harmonics);
    std::vector<CurvePoint> points;
    // With the legal time, the samples run in the frame of the first instant's offset.
    const double clockStart =
        o.spanDays == 1 ? static_cast<double>(day + static_cast<long double>(o.start)) : day;
    const double clockEnd = static_cast<double>(day + static_cast<long double>(o.end));
    const CurveFrame frame = CurveFrameOf(legal, clockStart, clockEnd);
    const TideContext& ctx = frame.context;
    if (o.spanDays == 1) {
        cache.prepare(ctx, source, frame.start); // as the day report does before drawing its curve
        points = DayCurve(ctx, cache, source, frame.start, frame.end, factor);
    } else {
        points = SpanCurve(ctx, cache, source, frame.start, o.spanDays, factor);
    }
    // With the legal time, x runs over the hours that really pass, in the frame of the first
    // instant's offset, as the curve window draws it; the picture's time labels read the legal
    // clock.
    std::function<double(double)> clock;
    if (legal.followsLegalTime())
        clock = [zone = legal.sharedLegalZone(), offset = frame.frameOffset](double x) {
            return ClockOfFrameTime(*zone, offset, x + kDateTimeOrigin) - kDateTimeOrigin;
        };
    if (!o.png.isEmpty()) return DrawPicture(o, port, points, clock);
    if (!o.json) {
        std::string out;
        out.reserve(points.size() * 44);
        for (const CurvePoint& p : points)
            out += Real17(p.x) + " " + Real17(p.y) + "\n";
        Print(out);
        return 0;
    }
    std::string out = "{\"points\": [";
    for (std::size_t i = 0; i < points.size(); ++i)
        out += (i ? ", [" : "[") + JsonNumber(points[i].x) + ", " + JsonNumber(points[i].y) + "]";
    Print(out + "]" + JsonModel(o, model) + "}\n");
    return 0;
}

// The notification icon of the port for the computer's present instant: today's events in the
// port's local time, compared with the clock read as it is.
int Now(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const TideContext ctx = ContextFor(table, port, o);
    const QDateTime clock = QDateTime::currentDateTime();
    const QDate today = clock.date();
    const Model model = ModelFor(table, port, o);
    const TideNow position = TidePositionAt(ctx, TideSource(port, model.harmonics), clock,
                                            JulianDay(today.year(), today.month(), today.day()));
    const double now = position.now;
    const std::optional<int> index = position.position
                                         ? std::optional<int>(TidePositionHours(*position.position))
                                         : std::nullopt;
    const std::string name = TideIconName(index);
    const std::string indexText = index ? std::to_string(*index) : std::string("none");
    if (!o.json) {
        PrintLine(indexText + " " + name);
        return 0;
    }
    Print("{\"port\": " + JsonString(port.name) + ", \"now\": " + JsonNumber(now) +
          ", \"index\": " + (index ? indexText : std::string("null")) +
          ", \"icon\": " + JsonString(name) + JsonModel(o, model) + "}\n");
    return 0;
}

void CheckTableRange(const Options& o) {
    if (o.to < o.from) {
        const TextPair message{"La date de fin doit être postérieure à la date de début !",
                               "The end date must be later than the start date!"};
        throw UsageError{message.In(o.language)};
    }
}

} // namespace ondrel::cli
