// The command line of ondrel-cli: its options read into one value, and its usage text.
#pragma once

#include "engine/FullHarmonic.h"
#include "engine/Language.h"
#include "engine/TableFilter.h"

#include <QChar>
#include <QDate>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace ondrel::cli {

inline constexpr int kBadArguments = 2;
inline constexpr int kTableFailure = 1;
inline constexpr int kLinesLogged = 3;

// What --help prints.
extern const char* const kUsage;

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
    bool currents = false;        // ports: the current stations instead
    bool metresPerSecond = false; // currents: speeds in m/s rather than knots (text and CSV)
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
    QStringList arguments;                // as given, the program's name aside
};

// Bad arguments: the message says which and why (exit 2).
struct UsageError {
    std::string message;
};

// Reads the arguments (the first is the program's name): the command, its positional arguments
// and every option, checked in the order they were given. Throws UsageError naming the first
// argument at fault.
Options ParseArguments(const QStringList& args);

// Checks that the output options given suit the command (--csv for table, --png for curve...).
void CheckOutputsOf(const Options& o);

} // namespace ondrel::cli
