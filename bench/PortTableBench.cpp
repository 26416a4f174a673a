// Costs of the port table engine at the size of the shipped world table.
#include "ports/PortColumns.h"
#include "ports/PortTable.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace ondrel;

// A 6,100-row table in a temporary folder, names in scrambled order, a quarter secondary.
struct BigTable {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("ports.dbf"));
    BigTable() {
        PortTable::create(path, StandardPortColumns());
        PortTable::writeStandardTags(path);
        PortTable table;
        table.open(path);
        PortTable::WriteLock lock(table); // one lock for every row
        for (int i = 0; i < 6100; ++i) {
            const int n = (i * 7919) % 6100;
            table.insert();
            table.setInteger(PortColumn::NUM, i);
            table.setText(PortColumn::NOM,
                          (n % 3 ? QString() : QStringLiteral("É")) +
                              QStringLiteral("PORT %1").arg(n, 4, 10, QLatin1Char('0')));
            table.setInteger(PortColumn::ZONE, (n % 10 + 1) * 1000 + n % 114);
            table.setText(PortColumn::PORT_REF, n % 4 ? QString() : QStringLiteral("PORT 0001"));
            table.post();
        }
    }
};

BigTable& Shared() {
    static BigTable table;
    return table;
}

void BM_OpenWorldSizeTable(benchmark::State& state) {
    const QString path = Shared().path;
    for (auto _ : state) {
        PortTable table;
        table.setReadOnly(true);
        table.open(path);
        benchmark::DoNotOptimize(table.visibleCount());
    }
}
BENCHMARK(BM_OpenWorldSizeTable)->Unit(benchmark::kMillisecond);

// The shipped table, already in name order: opened and a port found, as each ondrel-cli command
// does.
void BM_OpenShippedTableAndFindAPort(benchmark::State& state) {
    for (auto _ : state) {
        PortTable table;
        table.setReadOnly(true);
        table.open(QStringLiteral(ONDREL_DATA_DIR "/ports.dbf"));
        benchmark::DoNotOptimize(table.findByName(QStringLiteral("BREST")));
    }
}
BENCHMARK(BM_OpenShippedTableAndFindAPort)->Unit(benchmark::kMillisecond);

// What the port window does on each keystroke: a new range on the name tag.
void BM_NarrowByTypedPrefix(benchmark::State& state) {
    PortTable table;
    table.setReadOnly(true);
    table.open(Shared().path);
    const QStringList prefixes{QStringLiteral("P"), QStringLiteral("PO"), QStringLiteral("PORT 3"),
                               QStringLiteral("E"), QString()};
    int i = 0;
    for (auto _ : state) {
        table.setRange(prefixes[i++ % prefixes.size()], QStringLiteral("ZZZZZ"));
        benchmark::DoNotOptimize(table.visibleCount());
    }
}
BENCHMARK(BM_NarrowByTypedPrefix)->Unit(benchmark::kMicrosecond);

} // namespace
