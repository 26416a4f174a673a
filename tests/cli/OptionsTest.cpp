// ondrel-cli's command line read in-process: what each option sets, and the first argument at
// fault named in the message.
#include "cli/Options.h"

#include <gtest/gtest.h>

#include <functional>

namespace ondrel::cli {
namespace {

Options Read(QStringList words) {
    return ParseArguments(QStringList{QStringLiteral("ondrel-cli")} + words);
}

std::string Refusal(const QStringList& words) {
    try {
        CheckOutputsOf(Read(words));
    } catch (const UsageError& e) {
        return e.message;
    }
    return "(accepted)";
}

TEST(CliOptions, EachOptionSetsItsValue) {
    struct Case {
        QStringList words;
        std::function<bool(const Options&)> holds;
        const char* what;
    };
    const Case cases[] = {
        {{"day", "BR", "--ref", "105", "--unit", "ft", "--lang", "en"},
         [](const Options& o) {
             return o.command == "day" && o.positional == QStringList{"BR"} && o.ref == 105 &&
                    o.unit == HeightUnit::Feet && o.language == Language::English;
         },
         "command, port, reference, unit, language"},
        {{"sun", "X", "--ref", "legal"},
         [](const Options& o) { return o.ref == 200; },
         "the legal time"},
        {{"curve", "X", "--span", "week", "--start", "06:00", "--end", "18:30"},
         [](const Options& o) {
             return o.spanDays == 7 && o.start == 0.25 && std::abs(o.end - 18.5 / 24) < 1e-12;
         },
         "span and hours"},
        {{"table", "X", "--from", "2026-01-01", "--to", "2026-12-31", "--coef-min", "90",
          "--hw-from", "08:00", "--no-lw", "--csv"},
         [](const Options& o) {
             return o.from == QDate(2026, 1, 1) && o.to == QDate(2026, 12, 31) &&
                    o.filter.coefficientMin == 90 && o.filter.highWaterFrom == 8 &&
                    o.filter.noLowWater && o.csv;
         },
         "table range and filter"},
        {{"table", "X", "--pdf", "a.pdf", "--paper", "letter", "--model", "full"},
         [](const Options& o) {
             return o.pdf == "a.pdf" && o.letter && o.model == PredictionModel::Full;
         },
         "pages and model"},
        {{"import", "a.add", "--decimal-separator", ","},
         [](const Options& o) { return o.decimalSeparator == u','; },
         "separator"},
        {{"-h"}, [](const Options& o) { return o.command == "help"; }, "help"},
        {{"day", "-h1"},
         [](const Options& o) { return o.positional == QStringList{"-h1"}; },
         "a word with one dash is a name"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.holds(Read(c.words))) << c.what;
}

TEST(CliOptions, TheFirstFaultIsNamed) {
    const struct {
        QStringList words;
        const char* message;
    } cases[] = {
        {{"day", "X", "--unit", "cm", "--frob"}, "--unit takes m or ft"},
        {{"day", "X", "--frob", "--unit", "cm"}, "unknown option --frob"},
        {{"day", "X", "--lang"}, "--lang needs a value"},
        {{"day", "X", "--ref", "7"}, "--ref takes 0, 1, 2, 100+n with n from -12 to 12, or legal"},
        {{"day", "X", "--ref", "legale"}, "--ref takes 0, 1, 2, 100+n"},
        {{"day", "X", "--date", "1699-12-31"}, "--date takes a date from 1700-01-01"},
        {{"day", "X", "--size", "50x50"}, "--size takes WxH"},
        {{"day", "X", "--paper", "a3"}, "--paper takes a4 or letter"},
        {{"day", "X", "--model", "best"}, "--model takes table or full"},
        {{"day", "X", "--table", ""}, "--table takes the path of a port table"},
        {{"curve", "X", "--start", "18:00", "--end", "06:00"}, "--start must come before --end"},
        {{"table", "X", "--csv", "--ics"}, "each choose the output"},
        {{"day", "X", "--pdf", "a.pdf"}, "--csv, --ics and --pdf are outputs of table only"},
        {{"table", "X", "--png", "a.png"}, "--png is an output of curve only"},
    };
    for (const auto& c : cases)
        EXPECT_NE(Refusal(c.words).find(c.message), std::string::npos)
            << c.words.join(' ').toStdString() << ": " << Refusal(c.words);
}

} // namespace
} // namespace ondrel::cli
