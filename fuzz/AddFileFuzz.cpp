// The fuzz target of the .add reader: the input is imported as an .add file into a small table
// (one port, zone codes with countries; the decimal separator is a comma when the first byte is
// odd). The import must end normally, and a fresh table object must then see exactly the ports
// it reported as added.
#include "PortColumns.h"
#include "PortImport.h"
#include "PortTable.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace ondrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTemporaryDir dir;
    if (!dir.isValid()) return 0;
    const QString path = dir.filePath(QStringLiteral("ports.dbf"));
    PortTable::create(path, StandardPortColumns());
    PortTable::writeStandardTags(path);
    {
        PortTable table;
        table.open(path);
        table.insert();
        table.setText(PortColumn::NOM, QStringLiteral("Brest"));
        table.setInteger(PortColumn::ZONE, 1001);
        table.post();
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    PortTable table;
    table.open(path);
    const ImportSettings settings{TableHasCountryCodes(table),
                                  size > 0 && (data[0] & 1) ? QLatin1Char(',') : QLatin1Char('.')};
    const ImportReport report = ImportPortsFromData(table, bytes, settings);
    if (report.failure != ImportReport::Failure::None) {
        std::fprintf(stderr, "import failed: %s\n", qPrintable(report.failureDetail));
        std::abort();
    }
    PortTable reopened;
    reopened.open(path);
    if (reopened.visibleCount() != 1 + report.added.size()) {
        std::fprintf(stderr, "%d ports on disk, %lld reported added\n", reopened.visibleCount(),
                     static_cast<long long>(report.added.size()));
        std::abort();
    }
    return 0;
}
