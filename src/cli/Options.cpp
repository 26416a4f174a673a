#include "cli/Options.h"

#include "engine/HoursText.h"
#include "engine/Julian.h"
#include "engine/TimeReference.h"

#include <QCommandLineParser>
#include <QHash>

#include <utility>

namespace ondrel::cli {

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
    "  ports --currents [PREFIX]   the current stations instead: name, id, position,\n"
    "                   reference or subordinate of which\n"
    "  currents STATION the tidal streams of a current station (its name or id, such as\n"
    "                   noaa/ACT1616) from --from to --to: slack water, the strongest\n"
    "                   flood and ebb, the weakest of a stream that does not turn; in\n"
    "                   the time reference (0: the station's standard time), knots;\n"
    "                   --json and --csv give the instants in UT. US and Canadian waters\n"
    "\n"
    "Options:\n"
    "  --table PATH       the port table (default: ports.dbf here, else the user's copy)\n"
    "  --ref CODE         time reference: 0 local time of the port, 1 UT+1, 2 UT+2,\n"
    "                     100+n UT+n, legal the port's legal time, summer time\n"
    "                     included (--json then gives each time's offset; default 0)\n"
    "  --unit m|ft        height unit (default m)\n"
    "  --lang fr|en       language of the texts (default fr)\n"
    "  --speed kn|ms      currents: speeds in knots or metres per second (default kn;\n"
    "                     --json always gives knots)\n"
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

namespace {

// Each option: whether it takes a value, and how it is applied to the options read so far. The
// values are checked in the order the options were given.
using ApplyOption = void (*)(Options&, const QString& name, const QString& value);
struct OptionRule {
    const char* name;
    bool takesValue;
    ApplyOption apply;
};

[[noreturn]] void Refuse(const QString& name, const std::string& what) {
    throw UsageError{"--" + name.toStdString() + " " + what};
}

QString NonEmpty(const QString& name, const QString& v, const char* what) {
    if (v.isEmpty()) Refuse(name, std::string("takes ") + what + ", not an empty text");
    return v;
}

// One of the words of choices, refused with what otherwise.
template <typename T, std::size_t N>
T Choice(const QString& name, const QString& v, const std::pair<const char*, T> (&choices)[N],
         const char* what) {
    for (const auto& [word, value] : choices)
        if (v == QLatin1String(word)) return value;
    Refuse(name, std::string("takes ") + what);
}

// "HH:MM" from 00:00 to 24:00, in hours.
std::optional<double> HoursOf(const QString& text) {
    const QStringList hm = text.split(QLatin1Char(':'));
    if (text.size() != 5 || hm.size() != 2) return std::nullopt;
    bool okH = false, okM = false;
    const int h = hm[0].toInt(&okH), m = hm[1].toInt(&okM);
    if (!okH || !okM || h < 0 || m < 0 || m > 59 || h * 60 + m > 24 * 60) return std::nullopt;
    return h + m / 60.0;
}

// YYYY-MM-DD, the year with a sign for the years before 0 (refused later, as out of range):
// read digit by digit, which spares a command the whole of Qt's date-format parser.
QDate IsoDate(QStringView v) {
    const bool negative = v.startsWith(u'-');
    if (negative) v = v.sliced(1);
    if (v.size() != 10 || v[4] != u'-' || v[7] != u'-') return {};
    int fields[3] = {0, 0, 0};
    const int starts[] = {0, 5, 8}, ends[] = {4, 7, 10};
    for (int f = 0; f < 3; ++f)
        for (int i = starts[f]; i < ends[f]; ++i) {
            if (v[i] < u'0' || v[i] > u'9') return {};
            fields[f] = fields[f] * 10 + (v[i].unicode() - u'0');
        }
    return QDate(negative ? -fields[0] : fields[0], fields[1], fields[2]);
}

// A date option's value: YYYY-MM-DD within the years the program predicts.
QDate DateOption(const QString& name, const QString& v) {
    const QDate d = IsoDate(v);
    const std::string option = "--" + name.toStdString();
    if (!d.isValid()) throw UsageError{option + " takes a date written YYYY-MM-DD"};
    if (d.year() < kFirstYear || d.year() > kLastYear)
        throw UsageError{option + " takes a date from " + std::to_string(kFirstYear) +
                         "-01-01 to " + std::to_string(kLastYear) +
                         "-12-31, the years the predictions hold for"};
    return d;
}

// "HH:MM" of the day curve, as a fraction of the day.
double DayFraction(const QString& name, const QString& v) {
    // Minutes past 59 are refused, not carried into the hour.
    const auto fraction = HmsToReal(v.toStdString());
    if (v.size() != 5 || !fraction || !HoursOf(v)) Refuse(name, "takes a time written HH:MM");
    return *fraction;
}

int WholeNumber(const QString& name, const QString& v) {
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok) Refuse(name, "takes a whole number");
    return n;
}

double Hours(const QString& name, const QString& v) {
    const auto hours = HoursOf(v);
    if (!hours) Refuse(name, "takes a time written HH:MM");
    return *hours;
}

const OptionRule kOptions[] = {
    {"table", true,
     [](Options& o, const QString& n, const QString& v) {
         o.table = NonEmpty(n, v, "the path of a port table");
     }},
    {"ref", true,
     [](Options& o, const QString& n, const QString& v) {
         bool ok = false;
         o.ref = v == QLatin1String("legal") ? TimeReference::kLegalCode : v.toInt(&ok);
         if (v == QLatin1String("legal")) ok = true;
         if (!ok || !TimeReference(o.ref).isValid())
             Refuse(n, "takes 0, 1, 2, 100+n with n from -12 to 12, or legal");
     }},
    {"unit", true,
     [](Options& o, const QString& n, const QString& v) {
         static constexpr std::pair<const char*, HeightUnit> units[] = {{"m", HeightUnit::Metres},
                                                                        {"ft", HeightUnit::Feet}};
         o.unit = Choice(n, v, units, "m or ft");
     }},
    {"speed", true,
     [](Options& o, const QString& n, const QString& v) {
         static constexpr std::pair<const char*, bool> units[] = {{"kn", false}, {"ms", true}};
         o.metresPerSecond = Choice(n, v, units, "kn or ms");
     }},
    {"lang", true,
     [](Options& o, const QString& n, const QString& v) {
         static constexpr std::pair<const char*, Language> languages[] = {
             {"fr", Language::French}, {"en", Language::English}};
         o.language = Choice(n, v, languages, "fr or en");
     }},
    {"date", true,
     [](Options& o, const QString& n, const QString& v) { o.date = DateOption(n, v); }},
    {"from", true,
     [](Options& o, const QString& n, const QString& v) { o.from = DateOption(n, v); }},
    {"to", true, [](Options& o, const QString& n, const QString& v) { o.to = DateOption(n, v); }},
    {"span", true,
     [](Options& o, const QString& n, const QString& v) {
         static constexpr std::pair<const char*, int> spans[] = {
             {"day", 1}, {"week", 7}, {"month", 31}};
         o.spanDays = Choice(n, v, spans, "day, week or month");
     }},
    {"start", true,
     [](Options& o, const QString& n, const QString& v) { o.start = DayFraction(n, v); }},
    {"end", true,
     [](Options& o, const QString& n, const QString& v) { o.end = DayFraction(n, v); }},
    {"png", true,
     [](Options& o, const QString& n, const QString& v) {
         o.png = NonEmpty(n, v, "the name of the image file");
     }},
    {"size", true,
     [](Options& o, const QString& n, const QString& v) {
         const QStringList wh = v.split(QLatin1Char('x'));
         bool okW = false, okH = false;
         if (wh.size() == 2) o.size = QSize(wh[0].toInt(&okW), wh[1].toInt(&okH));
         if (!okW || !okH || o.size.width() < 100 || o.size.height() < 100 ||
             o.size.width() > 10000 || o.size.height() > 10000)
             Refuse(n, "takes WxH, each from 100 to 10000 pixels");
     }},
    {"coef-min", true,
     [](Options& o, const QString& n, const QString& v) {
         o.filter.coefficientMin = WholeNumber(n, v);
     }},
    {"coef-max", true,
     [](Options& o, const QString& n, const QString& v) {
         o.filter.coefficientMax = WholeNumber(n, v);
     }},
    {"hw-from", true,
     [](Options& o, const QString& n, const QString& v) { o.filter.highWaterFrom = Hours(n, v); }},
    {"hw-to", true,
     [](Options& o, const QString& n, const QString& v) { o.filter.highWaterTo = Hours(n, v); }},
    {"lw-from", true,
     [](Options& o, const QString& n, const QString& v) { o.filter.lowWaterFrom = Hours(n, v); }},
    {"lw-to", true,
     [](Options& o, const QString& n, const QString& v) { o.filter.lowWaterTo = Hours(n, v); }},
    {"decimal-separator", true,
     [](Options& o, const QString& n, const QString& v) {
         if (v != QLatin1String(",") && v != QLatin1String(".")) Refuse(n, "takes , or .");
         o.decimalSeparator = v.front();
     }},
    {"pdf", true,
     [](Options& o, const QString& n, const QString& v) {
         o.pdf = NonEmpty(n, v, "the name of the PDF file");
     }},
    {"paper", true,
     [](Options& o, const QString& n, const QString& v) {
         static constexpr std::pair<const char*, bool> papers[] = {{"a4", false}, {"letter", true}};
         o.letter = Choice(n, v, papers, "a4 or letter");
     }},
    {"model", true,
     [](Options& o, const QString& n, const QString& v) {
         static constexpr std::pair<const char*, PredictionModel> models[] = {
             {"table", PredictionModel::Table}, {"full", PredictionModel::Full}};
         o.model = Choice(n, v, models, "table or full");
     }},
    {"json", false, [](Options& o, const QString&, const QString&) { o.json = true; }},
    {"csv", false, [](Options& o, const QString&, const QString&) { o.csv = true; }},
    {"currents", false, [](Options& o, const QString&, const QString&) { o.currents = true; }},
    {"ics", false, [](Options& o, const QString&, const QString&) { o.ics = true; }},
    {"no-hw", false,
     [](Options& o, const QString&, const QString&) { o.filter.noHighWater = true; }},
    {"no-lw", false,
     [](Options& o, const QString&, const QString&) { o.filter.noLowWater = true; }},
    {"help", false,
     [](Options& o, const QString&, const QString&) { o.command = QStringLiteral("help"); }},
};

bool Parse(QCommandLineParser& parser, const QStringList& words) {
    for (const OptionRule& rule : kOptions) {
        const QString name = QString::fromLatin1(rule.name);
        if (rule.takesValue)
            parser.addOption(QCommandLineOption(name, {}, QStringLiteral("value")));
        else if (name != QLatin1String("help"))
            parser.addOption(QCommandLineOption(name));
    }
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    return parser.parse(QStringList{QString()} + words); // the first is the program's name
}

void Apply(Options& o, const QString& name, const QString& value) {
    for (const OptionRule& rule : kOptions)
        if (name == QLatin1String(rule.name)) return rule.apply(o, name, value);
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

} // namespace

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
    o.arguments = args.mid(1);
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

void CheckOutputsOf(const Options& o) {
    const bool csvOutput =
        o.command == QLatin1String("table") || o.command == QLatin1String("currents");
    if (((o.ics || !o.pdf.isEmpty()) && o.command != QLatin1String("table")) ||
        (o.csv && !csvOutput))
        throw UsageError{
            "--csv, --ics and --pdf are outputs of table only (--csv of currents too)"};
    if (o.currents && o.command != QLatin1String("ports"))
        throw UsageError{"--currents is an option of ports only"};
    if (!o.png.isEmpty() && o.command != QLatin1String("curve"))
        throw UsageError{"--png is an output of curve only"};
}

} // namespace ondrel::cli
