// ondrel-cli: the command-line companion. The same engine and port table as the desktop program,
// for people without a display, for scripts, and to check the engine. It needs QtCore only: the
// chart pictures of `curve --png` are drawn by ondrel-cli-png, installed beside it.
#include "Curve.h"
#include "DateNames.h"
#include "Ephemerides.h"
#include "EphemerisTexts.h"
#include "Extremes.h"
#include "HarmonicsFile.h"
#include "HoursText.h"
#include "Julian.h"
#include "PortImport.h"
#include "PortLoader.h"
#include "PortSelectionRules.h"
#include "PortTable.h"
#include "Report.h"
#include "Secondary.h"
#include "TableLocation.h"
#include "TidePosition.h"
#include "TideTableCalendar.h"
#include "TideTableText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QProcess>
#include <QSize>
#include <QStringList>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace ondrel;

constexpr int kBadArguments = 2;
constexpr int kTableFailure = 1;
constexpr int kLinesLogged = 3;
const char* const kUsage =
    "Usage: ondrel-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  ports [PREFIX]   the port names from PREFIX on, with position, time zone and kind\n"
    "  day PORT         the day's high and low waters and coefficients\n"
    "  curve PORT       the samples of the water-height curve, one \"x y\" line per point\n"
    "  sun PORT         sunrise and sunset with their azimuths, the moon's age and phase\n"
    "  now PORT         where the port stands in its tide cycle at this instant: the\n"
    "                   notification icon's index (hours from high water) and name\n"
    "  table PORT       the tide table of --from to --to (both included), its lines as\n"
    "                   the tide-table window shows them, one per line\n"
    "  import FILE      adds the ports of an .add file to the table (skips the names it\n"
    "                   has; unreadable lines go to bug.txt beside the table, exit 3)\n"
    "  export PORT...   the ports as .add records, for import into another table\n"
    "\n"
    "Options:\n"
    "  --table PATH       the port table (default: ports.dbf here, else the user's copy)\n"
    "  --ref CODE         time reference: 0 local time of the port, 1 UT+1, 2 UT+2,\n"
    "                     100+n UT+n (default 0)\n"
    "  --unit m|ft        height unit (default m)\n"
    "  --lang fr|en       language of the texts (default fr)\n"
    "  --date YYYY-MM-DD  the day (default today), from 1700-01-01 to 2200-12-31\n"
    "  --json             one JSON object instead of text (day, curve, sun, now, table,\n"
    "                     import)\n"
    "  --span day|week|month          curve span (default day)\n"
    "  --start HH:MM --end HH:MM      hours of the day curve (default 00:00 and 24:00)\n"
    "  --png FILE         curve: draw the chart into an image file instead (PNG, or the\n"
    "                     format the name ends with)\n"
    "  --size WxH         size of that image in pixels (default 800x600)\n"
    "  --from YYYY-MM-DD --to YYYY-MM-DD   table: the first and last days (default today)\n"
    "  --coef-min N --coef-max N           table: only the half-days whose coefficient\n"
    "                                      lies within these bounds (default 0 and 130)\n"
    "  --hw-from HH:MM --hw-to HH:MM       table: only the high waters within these hours\n"
    "  --lw-from HH:MM --lw-to HH:MM       table: only the low waters within these hours\n"
    "  --no-hw, --no-lw                    table: no high waters, no low waters\n"
    "  --csv              table: one row per event for a spreadsheet (RFC 4180) instead\n"
    "  --ics              table: one calendar event per tide (iCalendar, RFC 5545) instead\n"
    "  --pdf FILE         table: the month pages, one month a page, as a PDF file instead\n"
    "  --paper a4|letter  the paper of those pages (default a4)\n"
    "  --model table|full day, curve, table, now: the table's 21 constituents (default) or\n"
    "                     the port's full harmonic constants (harmonics.bin beside the\n"
    "                     table); a port without them keeps the table model, said on\n"
    "                     standard error. With --model, --json gives the model used, and\n"
    "                     ports adds a column: full, or table for the ports without them\n"
    "  --decimal-separator , or .          import, export: the separator of the reals in\n"
    "                                      the .add file (default the system's)\n"
    "  -h, --help         these lines\n"
    "\n"
    "Exit status: 0 success; 1 the table cannot be opened or written, the port's row is\n"
    "damaged or the command failed; 2 bad arguments or an unknown or ambiguous port name;\n"
    "3 import: some lines could not be read (see bug.txt).\n"
    "\n"
    "A port is named by its exact name or an unambiguous prefix, in any case.\n";

struct Options {
    QString command;
    QStringList positional;
    QString table;
    int ref = 0;
    HeightUnit unit = HeightUnit::Metres;
    Language language = Language::French;
    QDate date = QDate::currentDate();
    bool json = false;
    QChar decimalSeparator;
    bool csv = false;
    bool ics = false;
    int spanDays = 1;
    double start = 0;
    double end = 1;
    QString png;
    QSize size{800, 600};
    QString pdf;
    bool letter = false;
    QDate from = QDate::currentDate();
    QDate to = QDate::currentDate();
    TideTableFilter filter;
    std::optional<PredictionModel> model; // --model, when given
};

struct UsageError {
    std::string message;
};

void Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
}
void PrintLine(const std::string& text) {
    std::printf("%s\n", text.c_str());
}

// The value with 17 significant digits, as printf's %.17g writes it (to_chars is specified to
// give the same text, without printf's cost).
std::string Real17(double value) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17).ptr;
    return std::string(buffer, end);
}

// JSON has no nan or infinity: such a value stops the command rather than give invalid JSON.
std::string JsonNumber(double value) {
    if (!std::isfinite(value))
        throw std::runtime_error("a computed value is " + Real17(value) +
                                 ", which JSON cannot carry; nothing written");
    return Real17(value);
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (ch < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", ch);
                out += buffer;
            } else {
                out += static_cast<char>(ch);
            }
        }
    }
    return out + "\"";
}

const char* const kValuedOptions[] = {"table",
                                      "ref",
                                      "unit",
                                      "lang",
                                      "date",
                                      "span",
                                      "start",
                                      "end",
                                      "png",
                                      "size",
                                      "from",
                                      "to",
                                      "coef-min",
                                      "coef-max",
                                      "hw-from",
                                      "hw-to",
                                      "lw-from",
                                      "lw-to",
                                      "decimal-separator",
                                      "pdf",
                                      "paper",
                                      "model"};
const char* const kFlags[] = {"json", "csv", "ics", "no-hw", "no-lw"};

// "HH:MM" from 00:00 to 24:00, in hours.
std::optional<double> HoursOf(const QString& text) {
    const QStringList hm = text.split(QLatin1Char(':'));
    if (text.size() != 5 || hm.size() != 2) return std::nullopt;
    bool okH = false, okM = false;
    const int h = hm[0].toInt(&okH), m = hm[1].toInt(&okM);
    if (!okH || !okM || h < 0 || m < 0 || m > 59 || h * 60 + m > 24 * 60) return std::nullopt;
    return h + m / 60.0;
}

// A date option's value: YYYY-MM-DD within the years the program predicts.
QDate DateOption(const QString& name, const QString& v) {
    const QDate d = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
    const std::string option = "--" + name.toStdString();
    if (!d.isValid()) throw UsageError{option + " takes a date written YYYY-MM-DD"};
    if (d.year() < kFirstYear || d.year() > kLastYear)
        throw UsageError{option + " takes a date from " + std::to_string(kFirstYear) +
                         "-01-01 to " + std::to_string(kLastYear) +
                         "-12-31, the years the predictions hold for"};
    return d;
}

bool Parse(QCommandLineParser& parser, const QStringList& words) {
    for (const char* name : kValuedOptions)
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("value")));
    for (const char* name : kFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    return parser.parse(QStringList{QString()} + words); // the first is the program's name
}

// Applies one option and its value; the values are checked in the order they were given.
void Apply(Options& o, const QString& name, const QString& v) {
    if (name == QLatin1String("table")) {
        if (v.isEmpty())
            throw UsageError{"--table takes the path of a port table, not an empty text"};
        o.table = v;
    } else if (name == QLatin1String("ref")) {
        bool ok = false;
        o.ref = v.toInt(&ok);
        if (!ok || !TimeReference(o.ref).isValid())
            throw UsageError{"--ref takes 0, 1, 2 or 100+n with n from -12 to 12"};
    } else if (name == QLatin1String("unit")) {
        if (v == QLatin1String("m"))
            o.unit = HeightUnit::Metres;
        else if (v == QLatin1String("ft"))
            o.unit = HeightUnit::Feet;
        else
            throw UsageError{"--unit takes m or ft"};
    } else if (name == QLatin1String("lang")) {
        if (v == QLatin1String("fr"))
            o.language = Language::French;
        else if (v == QLatin1String("en"))
            o.language = Language::English;
        else
            throw UsageError{"--lang takes fr or en"};
    } else if (name == QLatin1String("date")) {
        o.date = DateOption(name, v);
    } else if (name == QLatin1String("json")) {
        o.json = true;
    } else if (name == QLatin1String("from") || name == QLatin1String("to")) {
        (name == QLatin1String("from") ? o.from : o.to) = DateOption(name, v);
    } else if (name == QLatin1String("coef-min") || name == QLatin1String("coef-max")) {
        bool ok = false;
        const int c = v.toInt(&ok);
        if (!ok) throw UsageError{"--" + name.toStdString() + " takes a whole number"};
        (name == QLatin1String("coef-min") ? o.filter.coefficientMin : o.filter.coefficientMax) = c;
    } else if (name.endsWith(QLatin1String("-from")) || name.endsWith(QLatin1String("-to"))) {
        const auto hours = HoursOf(v);
        if (!hours) throw UsageError{"--" + name.toStdString() + " takes a time written HH:MM"};
        TideTableFilter& f = o.filter;
        if (name == QLatin1String("hw-from")) f.highWaterFrom = *hours;
        if (name == QLatin1String("hw-to")) f.highWaterTo = *hours;
        if (name == QLatin1String("lw-from")) f.lowWaterFrom = *hours;
        if (name == QLatin1String("lw-to")) f.lowWaterTo = *hours;
    } else if (name == QLatin1String("csv")) {
        o.csv = true;
    } else if (name == QLatin1String("ics")) {
        o.ics = true;
    } else if (name == QLatin1String("no-hw")) {
        o.filter.noHighWater = true;
    } else if (name == QLatin1String("no-lw")) {
        o.filter.noLowWater = true;
    } else if (name == QLatin1String("span")) {
        if (v == QLatin1String("day"))
            o.spanDays = 1;
        else if (v == QLatin1String("week"))
            o.spanDays = 7;
        else if (v == QLatin1String("month"))
            o.spanDays = 31;
        else
            throw UsageError{"--span takes day, week or month"};
    } else if (name == QLatin1String("start") || name == QLatin1String("end")) {
        const auto fraction = HmsToReal(v.toStdString());
        if (v.size() != 5 || !fraction)
            throw UsageError{"--" + name.toStdString() + " takes a time written HH:MM"};
        (name == QLatin1String("start") ? o.start : o.end) = *fraction;
    } else if (name == QLatin1String("png")) {
        if (v.isEmpty())
            throw UsageError{"--png takes the name of the image file, not an empty text"};
        o.png = v;
    } else if (name == QLatin1String("pdf")) {
        if (v.isEmpty())
            throw UsageError{"--pdf takes the name of the PDF file, not an empty text"};
        o.pdf = v;
    } else if (name == QLatin1String("paper")) {
        if (v != QLatin1String("a4") && v != QLatin1String("letter"))
            throw UsageError{"--paper takes a4 or letter"};
        o.letter = v == QLatin1String("letter");
    } else if (name == QLatin1String("size")) {
        const QStringList wh = v.split(QLatin1Char('x'));
        bool okW = false, okH = false;
        if (wh.size() == 2) o.size = QSize(wh[0].toInt(&okW), wh[1].toInt(&okH));
        if (!okW || !okH || o.size.width() < 100 || o.size.height() < 100 ||
            o.size.width() > 10000 || o.size.height() > 10000)
            throw UsageError{"--size takes WxH, each from 100 to 10000 pixels"};
    } else if (name == QLatin1String("decimal-separator")) {
        if (v != QLatin1String(",") && v != QLatin1String("."))
            throw UsageError{"--decimal-separator takes , or ."};
        o.decimalSeparator = v.front();
    } else if (name == QLatin1String("model")) {
        if (v == QLatin1String("table"))
            o.model = PredictionModel::Table;
        else if (v == QLatin1String("full"))
            o.model = PredictionModel::Full;
        else
            throw UsageError{"--model takes table or full"};
    } else if (name == QLatin1String("help")) {
        o.command = QStringLiteral("help");
    }
}

// The options `parser` found, applied in the order they were given.
void ApplyAll(Options& o, const QCommandLineParser& parser, const QHash<QString, QString>& words) {
    QHash<QString, qsizetype> seen;
    for (QString name : parser.optionNames()) {
        if (name == QLatin1String("h")) name = QStringLiteral("help");
        const QStringList values = parser.values(name);
        const qsizetype n = seen[name]++;
        Apply(o, name, n < values.size() ? words.value(values[n], values[n]) : QString());
    }
}

Options ParseArguments(const QStringList& args) {
    // ondrel-cli reads a word with one dash as a command or port name, and "--", "--h" and
    // "--name=value" as unknown options; they are handed to the parser as stand-ins read that way.
    QStringList words;
    QHash<QString, QString> original; // stand-in -> word
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString standIn = QChar(0xE000) + QString::number(i);
        const bool longOption = a.startsWith(QLatin1String("--"));
        QString word = a;
        if (longOption &&
            (a.size() == 2 || a.contains(QLatin1Char('=')) || a == QLatin1String("--h")))
            word = QLatin1String("--") + standIn;
        else if (!longOption && a.startsWith(QLatin1Char('-')) && a.size() > 1 &&
                 a != QLatin1String("-h"))
            word = standIn;
        original.insert(word, a);
        words << word;
    }
    Options o;
    QCommandLineParser parser;
    if (!Parse(parser, words)) {
        // An unknown option, or a missing value at the end: the first word the parser cannot
        // read, after the options before it have been checked.
        qsizetype bad = 1;
        for (; bad < words.size(); ++bad) {
            QCommandLineParser prefix;
            if (!Parse(prefix, words.first(bad)) && !prefix.unknownOptionNames().isEmpty()) break;
        }
        QCommandLineParser before;
        Parse(before, words.first(bad - 1));
        ApplyAll(o, before, original);
        const std::string word = original.value(words[bad - 1]).toStdString();
        throw UsageError{parser.unknownOptionNames().isEmpty() ? word + " needs a value"
                                                               : "unknown option " + word};
    }
    ApplyAll(o, parser, original);
    if (o.command.isEmpty()) {
        QStringList positional = parser.positionalArguments();
        while (!positional.isEmpty() && positional.front().isEmpty())
            positional.pop_front();
        if (!positional.isEmpty()) o.command = original.value(positional.takeFirst());
        for (const QString& p : positional)
            o.positional << original.value(p, p);
    }
    if (!(o.start < 1.0 && o.end <= 1.0 && o.start < o.end))
        throw UsageError{"--start must come before --end, within the day"};
    if (int(o.json) + int(o.csv) + int(o.ics) + int(!o.png.isEmpty()) + int(!o.pdf.isEmpty()) > 1)
        throw UsageError{"--json, --csv, --ics, --pdf and --png each choose the output: give one"};
    return o;
}

// Opens the table named by --table, or the one the desktop program would use.
void OpenTable(PortTable& table, const Options& o) {
    QString path = o.table;
    if (path.isEmpty()) {
        const TableLocation where = LocatePortTable(QDir::currentPath());
        if (where.path.isEmpty()) throw TableError(where.error.toStdString());
        path = where.path;
    }
    table.setReadOnly(o.command != QLatin1String("import"));
    table.open(path);
}

void FindPort(PortTable& table, const QString& name);
int DrawTablePages(const Options& o, const TideTableRequest& request);

QChar DecimalSeparatorOf(const Options& o) {
    if (!o.decimalSeparator.isNull()) return o.decimalSeparator;
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

// The same import as the desktop program's, the log beside the table.
int Import(PortTable& table, const Options& o) {
    if (o.positional.size() != 1) throw UsageError{"import takes one .add file"};
    const QString log =
        QFileInfo(table.fileName()).absoluteDir().filePath(QStringLiteral("bug.txt"));
    const ImportSettings settings{TableHasCountryCodes(table), DecimalSeparatorOf(o), o.language};
    const ImportReport report = ImportPorts(table, o.positional.front(), log, settings);
    // A write that failed stops the import: the ports stored before it are still listed.
    if (report.failure != ImportReport::Failure::None &&
        report.failure != ImportReport::Failure::Table) {
        std::fprintf(stderr, "ondrel-cli: %s\n", report.failureDetail.toStdString().c_str());
        return kTableFailure;
    }
    if (o.json) {
        const auto array = [](const QStringList& list) {
            std::string out = "[";
            for (qsizetype i = 0; i < list.size(); ++i)
                out += (i ? ", " : "") + JsonString(list[i].toStdString());
            return out + "]";
        };
        Print("{\"added\": " + array(report.added) + ", \"skipped\": " + array(report.skipped) +
              ", \"log\": " + array(report.log) +
              ", \"logFile\": " + JsonString(log.toStdString()) + "}\n");
    } else {
        for (const QString& name : report.added)
            PrintLine("added\t" + name.toStdString());
        for (const QString& name : report.skipped)
            PrintLine("skipped\t" + name.toStdString());
        for (const QString& line : report.log)
            PrintLine("log\t" + line.toStdString());
        if (!report.log.isEmpty()) PrintLine("log file\t" + log.toStdString());
    }
    if (report.failure != ImportReport::Failure::None) {
        std::fprintf(stderr, "ondrel-cli: %s\n", report.failureDetail.toStdString().c_str());
        return kTableFailure;
    }
    return report.log.isEmpty() ? 0 : kLinesLogged;
}

int Export(PortTable& table, const Options& o) {
    if (o.positional.isEmpty()) throw UsageError{"export takes one or more port names"};
    QByteArray file;
    for (const QString& name : o.positional) {
        FindPort(table, name);
        file += ExportRecord(table, DecimalSeparatorOf(o));
    }
    std::fwrite(file.constData(), 1, static_cast<size_t>(file.size()), stdout);
    return 0;
}

// The port named by its exact name or an unambiguous prefix; a usage error otherwise.
void FindPort(PortTable& table, const QString& name) {
    if (table.findByName(name)) return;
    const QString key = NameKey(name);
    table.goNearest(name);
    std::vector<QString> candidates;
    while (!table.atEnd()) {
        const QString candidate = table.text(PortColumn::NOM);
        const QString candidateKey = NameKey(candidate);
        if (!candidateKey.startsWith(key)) break;
        candidates.push_back(candidate);
        table.next();
    }
    if (candidates.size() == 1 && table.findByName(candidates.front())) return;
    if (candidates.empty()) throw UsageError{"no port named " + name.toStdString()};
    std::string message = "several ports start with " + name.toStdString() + ":";
    for (std::size_t i = 0; i < candidates.size() && i < 20; ++i)
        message += "\n  " + candidates[i].toStdString();
    if (candidates.size() > 20) message += "\n  ...";
    throw UsageError{message};
}

PortRecord LoadPort(PortTable& table, const Options& o) {
    if (o.positional.size() != 1)
        throw UsageError{o.command.toStdString() + " takes one port name"};
    FindPort(table, o.positional.front());
    PortRecord port;
    // A value of the row that cannot be read would give times in some other zone: no result.
    QString problem;
    Chargement(table, port, [&problem](const QString& message) {
        if (problem.isEmpty()) problem = message;
    });
    if (!problem.isEmpty())
        throw TableError(QStringLiteral("%1: port \"%2\": %3")
                             .arg(table.fileName(), QString::fromStdString(port.name), problem)
                             .toStdString());
    return port;
}

// The full model's constants for the port when --model full asks for them; none, with the reason
// on standard error, when the port has none.
struct Model {
    std::shared_ptr<const HarmonicConstants> harmonics;
    std::string name() const { return harmonics ? "full" : "table"; }
};

Model ModelFor(const PortTable& table, const PortRecord& port, const Options& o) {
    if (o.model != PredictionModel::Full) return {};
    HarmonicsFile file;
    QString why;
    std::shared_ptr<const HarmonicConstants> constants;
    if (file.open(HarmonicsPathFor(table.fileName())))
        constants = file.constantsFor(port, &why);
    else
        why = file.error();
    if (!constants) std::fprintf(stderr, "ondrel-cli: %s\n", why.toStdString().c_str());
    return {constants};
}

// The JSON member naming the model, when --model was given.
std::string JsonModel(const Options& o, const Model& m) {
    return o.model ? ", \"model\": " + JsonString(m.name()) : std::string();
}

double SelectedDayOf(const Options& o) {
    return JulianDay(o.date.year(), o.date.month(), o.date.day());
}

int Ports(PortTable& table, const Options& o) {
    if (o.positional.size() > 1) throw UsageError{"ports takes at most one prefix"};
    table.selectTag(PortTag::Name);
    table.setFiltered(false);
    table.setRange(o.positional.value(0), kNameRangeEnd);
    HarmonicsFile harmonics;
    if (o.model && !harmonics.open(HarmonicsPathFor(table.fileName())))
        std::fprintf(stderr, "ondrel-cli: %s\n", harmonics.error().toStdString().c_str());
    for (table.first(); !table.atEnd(); table.next()) {
        const QString ref = table.text(PortColumn::PORT_REF).trimmed();
        const QString kind =
            ref.isEmpty() ? QStringLiteral("standard") : QStringLiteral("secondary of %1").arg(ref);
        const QString line =
            QStringLiteral("%1\t%2\t%3\t%4\t%5")
                .arg(table.text(PortColumn::NOM), table.text(PortColumn::LATITUDE),
                     table.text(PortColumn::LONGITUDE), table.text(PortColumn::FUSEAU), kind);
        if (!o.model) {
            PrintLine(line.toStdString());
            continue;
        }
        // The model --model full would use: the row must still hold what the data were made for.
        bool full = false;
        try {
            PortRecord port;
            Chargement(table, port, [](const QString&) {});
            full = harmonics.constantsFor(port) != nullptr;
        } catch (const TableError&) {
        }
        PrintLine(line.toStdString() + (full ? "\tfull" : "\ttable"));
    }
    return 0;
}

int Day(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const TideContext ctx(TimeReference(o.ref), port.timeZone);
    const double day = SelectedDayOf(o);
    const Model model = ModelFor(table, port, o);
    const DayEvents events = model.harmonics
                                 ? DayTideEvents(ctx, TideSource(port, model.harmonics), day)
                                 : DayTideEvents(ctx, port, day);
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
    std::string out =
        "{\"port\": " + JsonString(port.name) + ", \"day\": " + JsonNumber(day) + ", \"events\": [";
    bool firstEvent = true;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].empty()) continue;
        if (!firstEvent) out += ", ";
        firstEvent = false;
        out += "{\"slot\": " + std::to_string(i + 1) + ", \"time\": " + JsonNumber(events[i].time) +
               ", \"height\": " + JsonNumber(events[i].height) + "}";
    }
    out += "], \"coefficients\": [" + std::to_string(coefficients.morning) + ", " +
           std::to_string(coefficients.evening) + "], \"lines\": [";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? ", " : "") + JsonString(lines[i]);
    out += "], \"labels\": [" + JsonString(morning) + ", " + JsonString(evening) + "]" +
           JsonModel(o, model) + "}\n";
    Print(out);
    return 0;
}

// The tide table from --from to --to, both at 0 h, as the tide-table window computes it.
int Table(PortTable& table, const Options& o) {
    if (o.to < o.from) {
        const TextPair message{"La date de fin doit être postérieure à la date de début !",
                               "The end date must be older than the begin date !"};
        throw UsageError{message.In(o.language)};
    }
    const PortRecord port = LoadPort(table, o);
    TideTableRequest request;
    request.port = port;
    request.context = TideContext(TimeReference(o.ref), port.timeZone);
    request.start = JulianDay(o.from.year(), o.from.month(), o.from.day());
    request.end = JulianDay(o.to.year(), o.to.month(), o.to.day()) + 0.5;
    request.unit = o.unit;
    request.language = o.language;
    request.decimalSeparator = QLocale::system().decimalPoint();
    request.filter = o.filter;
    const Model model = ModelFor(table, port, o);
    request.harmonics = model.harmonics;
    if (!o.pdf.isEmpty()) return DrawTablePages(o, request);
    // Each day is written as soon as it is computed: a range of any length needs the memory of
    // one day.
    if (o.csv) {
        Print(TideTableCsvHeader(o.language).toStdString());
        ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList&) {
            Print(TideTableCsvRows(day, port, o.unit, o.language).toStdString());
        });
        return 0;
    }
    if (o.ics) {
        const QDateTime stamp = QDateTime::currentDateTimeUtc();
        Print(TideTableIcsHead().toStdString());
        ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList&) {
            Print(TideTableIcsDay(day, port, request.context, o.unit, o.language, stamp)
                      .toStdString());
        });
        Print(TideTableIcsTail().toStdString());
        return 0;
    }
    const auto printLines = [](const QStringList& lines, std::string& separator, bool json) {
        std::string out;
        for (const QString& line : lines) {
            out += json ? separator + JsonString(line.toStdString()) : line.toStdString() + "\n";
            separator = ", ";
        }
        Print(out);
    };
    std::string separator;
    if (!o.json) {
        printLines(TideTableHead(request), separator, false);
        ForEachTideTableDay(request, [&](const TideTableDay&, const QStringList& block) {
            printLines(block, separator, false);
        });
        printLines(TideTableFoot(request), separator, false);
        return 0;
    }
    // The lines come before the days in the JSON object: the days wait in a temporary file.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> days(std::tmpfile(), &std::fclose);
    if (!days) throw std::runtime_error("no temporary file for the days of the table");
    Print("{\"port\": " + JsonString(port.name) + ", \"lines\": [");
    printLines(TideTableHead(request), separator, true);
    const auto flag = [](bool b) { return std::string(b ? "true" : "false"); };
    bool firstDay = true;
    ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList& block) {
        printLines(block, separator, true);
        std::string out = std::string(firstDay ? "" : ", ") + "{\"date\": \"" +
                          day.date.toString(Qt::ISODate).toStdString() + "\", \"events\": [";
        firstDay = false;
        bool first = true;
        for (std::size_t i = 0; i < day.day.events.size(); ++i) {
            const TideEvent& e = day.day.events[i];
            if (e.empty()) continue;
            out += std::string(first ? "" : ", ") + "{\"slot\": " + std::to_string(i + 1) +
                   ", \"time\": " + JsonNumber(e.time) + ", \"height\": " + JsonNumber(e.height) +
                   "}";
            first = false;
        }
        out += "], \"coefficients\": [" + std::to_string(day.coefficients.morning) + ", " +
               std::to_string(day.coefficients.evening) +
               "], \"morning\": " + flag(day.day.morning) +
               ", \"evening\": " + flag(day.day.evening) +
               ", \"written\": " + flag(day.day.written()) + "}";
        if (std::fwrite(out.data(), 1, out.size(), days.get()) != out.size())
            throw std::runtime_error("the temporary file of the table's days cannot be written");
    });
    printLines(TideTableFoot(request), separator, true);
    Print("], \"days\": [");
    std::rewind(days.get());
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, days.get())) > 0;)
        std::fwrite(buffer, 1, n, stdout);
    Print("]" + JsonModel(o, model) + "}\n");
    return 0;
}

// ondrel-cli-png, installed beside ondrel-cli, draws the chart into the --png file: the points
// go to its standard input, its messages to our standard error, and its exit code is ours.
// Runs ondrel-cli-png with arguments, input on its standard input; its exit code is ours.
int RunPictureProgram(const QStringList& arguments, const std::string& input) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ondrel-cli-png"));
    if (!QFileInfo(program).isExecutable())
        throw UsageError{"this ondrel-cli was built without its picture program (--png, --pdf)"};
    QProcess drawer;
    drawer.setProcessChannelMode(QProcess::ForwardedChannels);
    drawer.start(program, arguments);
    drawer.write(input.data(), static_cast<qint64>(input.size()));
    drawer.closeWriteChannel();
    if (!drawer.waitForFinished(-1) || drawer.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error(program.toStdString() + ": " + drawer.errorString().toStdString());
    return drawer.exitCode();
}

int DrawPicture(const Options& o, const PortRecord& port, const std::vector<CurvePoint>& points) {
    const bool english = o.language == Language::English;
    // The date as the main window writes it, with the program's own day and month names.
    const QString date = FormatLongDate(o.date, DateNames::Of(o.language));
    std::string samples;
    for (const CurvePoint& p : points)
        samples += Real17(p.x) + " " + Real17(p.y) + "\n";
    return RunPictureProgram({o.png,
                              QStringLiteral("%1x%2").arg(o.size.width()).arg(o.size.height()),
                              o.spanDays == 1 ? QStringLiteral("day") : QStringLiteral("span"),
                              english ? QStringLiteral("en") : QStringLiteral("fr"),
                              QString::fromStdString(port.name), date},
                             samples);
}

// The tide table's month pages as a PDF, drawn by the picture program from the days' values.
int DrawTablePages(const Options& o, const TideTableRequest& request) {
    std::string days;
    ForEachTideTableDay(request, [&](const TideTableDay& day, const QStringList&) {
        days += day.date.toString(Qt::ISODate).toStdString() + (day.day.morning ? " 1" : " 0") +
                (day.day.evening ? " 1 " : " 0 ") + std::to_string(day.coefficients.morning) + " " +
                std::to_string(day.coefficients.evening);
        for (const TideEvent& e : day.day.events)
            days += e.empty() ? std::string(" - -") : " " + Real17(e.time) + " " + Real17(e.height);
        days += "\n";
    });
    const PortRecord& port = request.port;
    return RunPictureProgram(
        {QStringLiteral("--table-pdf"), o.pdf,
         o.letter ? QStringLiteral("letter") : QStringLiteral("a4"),
         o.language == Language::English ? QStringLiteral("en") : QStringLiteral("fr"),
         o.unit == HeightUnit::Feet ? QStringLiteral("ft") : QStringLiteral("m"),
         QStringLiteral("9"), QString::fromStdString(port.name),
         QString::fromStdString(port.latitude) + QStringLiteral("   ") +
             QString::fromStdString(port.longitude),
         TideTableFoot(request).value(1)},
        days);
}

int Curve(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const TideContext ctx(TimeReference(o.ref), port.timeZone);
    SecondaryDayCache cache;
    const double day = SelectedDayOf(o);
    const long double factor = UnitFactor(o.unit);
    const Model model = ModelFor(table, port, o);
    const TideSource source(port, model.harmonics);
    std::vector<CurvePoint> points;
    if (o.spanDays == 1) {
        const double start = static_cast<double>(day + static_cast<long double>(o.start));
        const double end = static_cast<double>(day + static_cast<long double>(o.end));
        cache.prepare(ctx, source, start); // as the day report does before drawing its curve
        points = DayCurve(ctx, cache, source, start, end, factor);
    } else {
        points = SpanCurve(ctx, cache, source, day, o.spanDays, factor);
    }
    if (!o.png.isEmpty()) return DrawPicture(o, port, points);
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

// The sun and the moon of the day, as the ephemerides window shows them.
int Sun(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const auto report = [](const QString& message) {
        std::fprintf(stderr, "%s\n", message.toStdString().c_str());
    };
    const double latitude = DegreesOfText(QString::fromStdString(port.latitude), report);
    const double longitude = DegreesOfText(QString::fromStdString(port.longitude), report);
    const double date = SelectedDayOf(o);
    const astro::SunEphemeris sun = astro::SunriseSunset(longitude, latitude, date);
    const astro::Moon moon = astro::MoonAt(date);
    const TideContext ctx(TimeReference(o.ref), port.timeZone);
    const astro::EphemerisTexts texts = astro::EphemerisTextsOf(
        sun, moon, static_cast<double>(ctx.offsetHours()), TimeReference(o.ref), o.language);
    std::vector<std::string> lines;
    for (const std::string* text : {&texts.sunrise, &texts.sunset, &texts.sunriseAzimuth,
                                    &texts.sunsetAzimuth, &texts.moonAge})
        if (!text->empty()) lines.push_back(*text);
    if (texts.moonPhase) lines.push_back(*texts.moonPhase);
    if (!o.json) {
        for (const std::string& line : lines)
            PrintLine(line);
        return 0;
    }
    // A day without sunrise or without sunset has no time nor azimuth for it.
    const auto time = [](const std::optional<astro::SunEvent>& event) {
        return event ? JsonNumber(event->ut) : std::string("null");
    };
    const auto azimuth = [](const std::optional<astro::SunEvent>& event) {
        return event ? JsonNumber(event->azimuth) : std::string("null");
    };
    std::string out =
        "{\"port\": " + JsonString(port.name) + ", \"date\": " + JsonNumber(date) +
        ", \"sunrise\": " + time(sun.sunrise) + ", \"sunset\": " + time(sun.sunset) +
        ", \"sunrise_azimuth\": " + azimuth(sun.sunrise) +
        ", \"sunset_azimuth\": " + azimuth(sun.sunset) + ", \"moon_age\": " + JsonNumber(moon.age) +
        ", \"phase\": " + (texts.moonPhase ? JsonString(*texts.moonPhase) : std::string("null")) +
        ", \"lines\": [";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? ", " : "") + JsonString(lines[i]);
    Print(out + "]}\n");
    return 0;
}

// The notification icon of the port for the computer's present instant: today's events in the
// port's local time, compared with the clock read as it is.
int Now(PortTable& table, const Options& o) {
    const PortRecord port = LoadPort(table, o);
    const TideContext ctx(TimeReference(o.ref), port.timeZone);
    const QDateTime clock = QDateTime::currentDateTime();
    const QDate today = clock.date();
    const double day = JulianDay(today.year(), today.month(), today.day());
    const double now = day + clock.time().msecsSinceStartOfDay() / 86400000.0;
    const Model model = ModelFor(table, port, o);
    const TideSource source(port, model.harmonics);
    const std::optional<int> index =
        TidePositionIndex([&](int days) { return DayTideEvents(ctx, source, day + days); }, now);
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

int Run(PortTable& table, const Options& o) {
    if (o.command == QLatin1String("ports")) return Ports(table, o);
    if (o.command == QLatin1String("day")) return Day(table, o);
    if (o.command == QLatin1String("sun")) return Sun(table, o);
    if (o.command == QLatin1String("now")) return Now(table, o);
    if (o.command == QLatin1String("import")) return Import(table, o);
    if (o.command == QLatin1String("export")) return Export(table, o);
    if (o.command == QLatin1String("table")) return Table(table, o);
    return Curve(table, o);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ondrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Ondrel"));
    try {
        const Options o = ParseArguments(QCoreApplication::arguments());
        if (o.command.isEmpty() || o.command == QLatin1String("help")) {
            Print(kUsage);
            return o.command.isEmpty() ? kBadArguments : 0;
        }
        if (o.command != QLatin1String("ports") && o.command != QLatin1String("day") &&
            o.command != QLatin1String("curve") && o.command != QLatin1String("sun") &&
            o.command != QLatin1String("now") && o.command != QLatin1String("import") &&
            o.command != QLatin1String("export") && o.command != QLatin1String("table"))
            throw UsageError{"unknown command " + o.command.toStdString() + " (try --help)"};
        if ((o.csv || o.ics || !o.pdf.isEmpty()) && o.command != QLatin1String("table"))
            throw UsageError{"--csv, --ics and --pdf are outputs of table only"};
        if (!o.png.isEmpty() && o.command != QLatin1String("curve"))
            throw UsageError{"--png is an output of curve only"};
        PortTable table;
        try {
            OpenTable(table, o);
        } catch (const TableError& e) {
            std::fprintf(stderr, "ondrel-cli: %s\n", e.what());
            return kTableFailure;
        }
        const int code = Run(table, o);
        // Output that could not be written (a full disk behind a redirection) is a failure.
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fprintf(stderr, "ondrel-cli: the output cannot be written: %s\n",
                         std::strerror(errno));
            return kTableFailure;
        }
        return code;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "ondrel-cli: %s\n", e.message.c_str());
        return kBadArguments;
    } catch (const TableError& e) {
        std::fprintf(stderr, "ondrel-cli: %s\n", e.what());
        return kTableFailure;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ondrel-cli: %s\n", e.what());
        return kTableFailure;
    } catch (...) {
        std::fprintf(stderr, "ondrel-cli: stopped by an error of unknown kind\n");
        return kTableFailure;
    }
}
