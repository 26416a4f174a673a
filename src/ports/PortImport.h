// Import of ports from an .add file, and the export that writes one.
//
// An .add file is plain text, lines ending in CR LF, cp1252 (or UTF-8 when the whole file reads
// as UTF-8). Each port is a record of 37 lines, one per column of the port table in column order,
// with the time zone and the eight corrections written with the user's decimal separator.
// Reading stops at the end of the file or at the first Ctrl-Z; only the first 50 characters of a
// line are read.
#pragma once

#include "engine/Language.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <functional>

namespace ondrel {

class PortTable;

inline constexpr int kAddRecordLines = 37;
inline constexpr int kAddValueLength = 50;

struct ImportSettings {
    // Whether the table carries country numbers in its zone codes: a code of 1000 or less then
    // becomes code × 1000; otherwise a code above 1000 loses its country (code / 1000).
    bool hasCountryCodes = false;
    // The separator of the reals of the file (time zone and corrections).
    QChar decimalSeparator = QLatin1Char('.');
    // Language of the list lines ("… is already in the database").
    Language language = Language::French;
};

struct ImportReport {
    // Why the import did not run (AddFile, LogFile, Busy: nothing imported) or stopped (Table: a
    // write failed; the ports in `added` are stored, nothing after them); None when it ran.
    enum class Failure { None, AddFile, LogFile, Busy, Table };
    Failure failure = Failure::None;
    QString failureDetail; // the system's words, with the file's path

    QStringList added;   // names as stored
    QStringList skipped; // names already in the table
    QStringList list;    // the list window's lines, in order
    QStringList log;     // the lines written to the log
    // The records not stored because they could not be read whole, each problem naming its line,
    // the port and the field ("line 7, port BROKEN PORT, LATITUDE: ..."); and their names.
    QStringList problems;
    QStringList refused;
    int lastCountry = 0; // country of the last imported code above 1000 (tables with countries)

    bool clean() const { return failure == Failure::None && log.isEmpty() && problems.isEmpty(); }
};

// Receives each line of the list as soon as it is known (the list window grows with it).
using ImportListLine = std::function<void(const QString& line)>;

// Imports the ports of addFile into table (open, writable), holding its write lock throughout:
// nothing is imported, and the log is not touched, while another writer holds it. The log is
// emptied first and takes one line per value that cannot be read or stored. Nothing is imported
// when addFile cannot be read or logFile cannot be written. Every port is posted (written through
// to the file) before the next is read; a port whose name is already in the table (as names
// compare in the tag "Nom") is skipped. A port that could not be used or found once stored is
// logged and not added: a name that is blank, holds a control character or a character the
// table's code page lacks, or a latitude, longitude or time zone out of range. The table is left
// on the tag "Nom", without range or filter.
ImportReport ImportPorts(PortTable& table, const QString& addFile, const QString& logFile,
                         const ImportSettings& settings, const ImportListLine& onLine = {});

// The same from the bytes of a file, with the log lines only returned (no log file).
ImportReport ImportPortsFromData(PortTable& table, const QByteArray& data,
                                 const ImportSettings& settings, const ImportListLine& onLine = {});

// The zone code stored for the code v of an .add file.
qint64 ImportedZone(qint64 v, bool hasCountryCodes);

// Whether a table carries country numbers: its first record by name has a zone code above 100.
bool TableHasCountryCodes(PortTable& table);

// The current record of table as one .add record (37 lines, CR LF, UTF-8), reals written with
// decimalSeparator. A blank correction or reserve is written 0; a record that does not read whole
// (CheckRecord) throws TableError. A zone code without a country (a multiple of
// 1000) is written as the zone alone, so that an import reads back the same code.
QByteArray ExportRecord(const PortTable& table, QChar decimalSeparator);

} // namespace ondrel
