// Importing the whole shipped table, exported to an .add file, into an empty table.
#include "ports/PortColumns.h"
#include "ports/PortImport.h"
#include "ports/PortTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace ondrel;

QByteArray ShippedTableAsAddFile() {
    PortTable table;
    table.setReadOnly(true);
    table.open(QStringLiteral(ONDREL_DATA_DIR "/ports.dbf"));
    QByteArray file;
    for (table.first(); !table.atEnd(); table.next())
        file += ExportRecord(table, QLatin1Char(','));
    return file;
}

void BM_ImportShippedTable(benchmark::State& state) {
    const QByteArray file = ShippedTableAsAddFile();
    QTemporaryDir dir;
    const QString add = dir.filePath(QStringLiteral("world.add"));
    QFile f(add);
    f.open(QIODevice::WriteOnly);
    f.write(file);
    f.close();
    qsizetype added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = dir.filePath(QStringLiteral("ports.dbf"));
        QFile::remove(path);
        PortTable::create(path, StandardPortColumns());
        PortTable::writeStandardTags(path);
        PortTable table;
        table.open(path);
        state.ResumeTiming();
        const ImportReport report = ImportPorts(table, add, dir.filePath(QStringLiteral("bug.txt")),
                                                {false, QLatin1Char(',')});
        added = report.added.size();
        benchmark::DoNotOptimize(added);
    }
    state.counters["ports"] = static_cast<double>(added);
}
BENCHMARK(BM_ImportShippedTable)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
