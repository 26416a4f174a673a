// The fuzz target of the .add reader: the input is imported as an .add file into a copy of the
// shipped world table (zone codes with countries; the decimal separator is a comma when the first
// byte is odd). The import must end normally, and the table must then be whole: every record it
// held unchanged, exactly the ports reported as added after them, each with a name that finds it
// and every column readable.
#include "ports/PortColumns.h"
#include "ports/PortImport.h"
#include "ports/PortTable.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <set>

using namespace ondrel;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

[[noreturn]] void Fault(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "%s %s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QByteArray shipped = ReadAll(QStringLiteral(ONDREL_DATA_DIR "/ports.dbf"));
    static const QByteArray tags = ReadAll(QStringLiteral(ONDREL_DATA_DIR "/ports.tags"));
    if (shipped.isEmpty() || tags.isEmpty()) Fault("the shipped table cannot be read");
    QTemporaryDir dir;
    if (!dir.isValid()) return 0;
    const QString path = dir.filePath(QStringLiteral("ports.dbf"));
    for (const auto& [file, bytes] :
         {std::pair{path, &shipped}, std::pair{PortTable::tagFilePath(path), &tags}}) {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size()) return 0;
    }

    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    PortTable table;
    table.open(path);
    const int before = table.visibleCount();
    const ImportSettings settings{TableHasCountryCodes(table),
                                  size > 0 && (data[0] & 1) ? QLatin1Char(',') : QLatin1Char('.')};
    const ImportReport report = ImportPortsFromData(table, input, settings);
    if (report.failure != ImportReport::Failure::None)
        Fault("import failed:", report.failureDetail);
    table.close();

    // The records the table held, byte for byte (the header's record count aside).
    const QByteArray after = ReadAll(path);
    if (after.size() < shipped.size() ||
        after.mid(8, shipped.size() - 9) != shipped.mid(8, shipped.size() - 9))
        Fault("a record the table held was changed");

    PortTable reopened;
    reopened.open(path);
    if (reopened.visibleCount() != before + report.added.size())
        Fault("ports on disk and ports reported added differ");
    std::set<QString> added(report.added.begin(), report.added.end());
    if (added.size() != std::size_t(report.added.size())) Fault("a port was added twice");
    for (const QString& name : added) {
        if (!reopened.findKey(name) || reopened.text(PortColumn::NOM) != name)
            Fault("an added port cannot be found:", name);
        for (const PortColumn c : PortColumnsFromTo(PortColumn::NUM, PortColumn::TBMME)) {
            try {
                (void)reopened.text(c);
                if (SpecOf(c).type != ColumnSpec::Text) (void)reopened.real(c);
            } catch (const TableError& e) {
                Fault("a column of an added port cannot be read:", QString::fromUtf8(e.what()));
            }
        }
    }
    return 0;
}
