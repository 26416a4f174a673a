// The commands on the table itself (ports, import, export) and the finding of a port that every
// command shares.
#include "cli/Commands.h"

#include "cli/Output.h"
#include "engine/Julian.h"
#include "ports/HarmonicsFile.h"
#include "ports/PortImport.h"
#include "ports/PortLoader.h"
#include "ports/PortSelectionRules.h"
#include "ports/PortTable.h"
#include "ports/PortTimeZone.h"
#include "ports/TableLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QThread>

#include <cstdio>

namespace ondrel::cli {

namespace {

QChar DecimalSeparatorOf(const Options& o) {
    if (!o.decimalSeparator.isNull()) return o.decimalSeparator;
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

} // namespace

// Opens the table named by --table, or the one the desktop program would use.
void OpenTable(PortTable& table, const Options& o) {
    QString path = o.table;
    if (path.isEmpty()) {
        const TableLocation where = LocatePortTable(QDir::currentPath());
        if (where.path.isEmpty()) throw TableError(where.error.toStdString());
        path = where.path;
    }
    table.setReadOnly(o.command != QLatin1String("import"));
    // A table met half-way through another Ondrel's write (its header read before or after the
    // record it counts) reads whole a moment later.
    for (int attempt = 1;; ++attempt) {
        try {
            table.open(path);
            return;
        } catch (const TableError& e) {
            const std::string what = e.what();
            const bool midWrite = what.find("damaged header") != std::string::npos ||
                                  what.find("truncated") != std::string::npos;
            if (attempt == 5 || !midWrite) throw;
            QThread::msleep(100);
        }
    }
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
    // The records not stored, each problem with its line, port and field.
    for (const QString& problem : report.problems)
        std::fprintf(stderr, "ondrel-cli: %s: %s\n", o.positional.front().toStdString().c_str(),
                     problem.toStdString().c_str());
    if (o.json) {
        const auto array = [](const QStringList& list) {
            std::string out = "[";
            for (qsizetype i = 0; i < list.size(); ++i)
                out += (i ? ", " : "") + JsonString(list[i].toStdString());
            return out + "]";
        };
        Print("{\"added\": " + array(report.added) + ", \"skipped\": " + array(report.skipped) +
              ", \"refused\": " + array(report.refused) + ", \"log\": " + array(report.log) +
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
    return report.log.isEmpty() && report.problems.isEmpty() ? 0 : kLinesLogged;
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
    if (!problem.isEmpty()) CheckRecord(table); // names the column and its text
    if (!problem.isEmpty())
        throw TableError(QStringLiteral("%1: port \"%2\": %3")
                             .arg(table.fileName(), QString::fromStdString(port.name), problem)
                             .toStdString());
    return port;
}

TideContext ContextFor(const PortTable& table, const PortRecord& port, const Options& o) {
    const TimeReference reference(o.ref);
    if (!reference.isPortLegal()) return TideContext(reference, port.timeZone);
    HarmonicsFile file;
    file.open(HarmonicsToReadFor(table.fileName())); // without it, only the country rules apply
    QString why;
    auto zone = LegalZoneOf(ZoneOfRow(table, file), o.language, &why);
    if (!zone)
        std::fprintf(stderr, "ondrel-cli: %s: %s\n", port.name.c_str(), why.toStdString().c_str());
    return TideContext(reference, port.timeZone, std::move(zone));
}

Model ModelFor(const PortTable& table, const PortRecord& port, const Options& o) {
    if (o.model != PredictionModel::Full) return {};
    HarmonicsFile file;
    QString why;
    std::shared_ptr<const HarmonicConstants> constants;
    if (file.open(HarmonicsToReadFor(table.fileName())))
        constants = file.constantsFor(port, &why);
    else
        why = file.error();
    if (!constants) std::fprintf(stderr, "ondrel-cli: %s\n", why.toStdString().c_str());
    return {constants};
}

std::string JsonModel(const Options& o, const Model& m) {
    return o.model ? ", \"model\": " + JsonString(m.name()) : std::string();
}

double SelectedDayOf(const Options& o) {
    return JulianDay(o.date.year(), o.date.month(), o.date.day());
}

int Ports(PortTable& table, const Options& o) {
    if (o.positional.size() > 1) throw UsageError{"ports takes at most one prefix"};
    if (o.currents) return CurrentStationList(table, o);
    table.selectTag(PortTag::Name);
    table.setFiltered(false);
    table.setRange(o.positional.value(0), kNameRangeEnd);
    HarmonicsFile harmonics;
    if (o.model && !harmonics.open(HarmonicsToReadFor(table.fileName())))
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

} // namespace ondrel::cli
