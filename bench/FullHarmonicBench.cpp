// Costs of the two prediction models on a real port (BREST of the shipped table, 50 constituents
// in harmonics.bin): a day's events, a year of days, and loading one port's harmonic data.
#include "engine/Curve.h"
#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "ports/HarmonicsFile.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace ondrel;

const QString kTable = QStringLiteral(ONDREL_DATA_DIR "/ports.dbf");

const PortRecord& Brest() {
    static const PortRecord port = [] {
        PortTable table;
        table.setReadOnly(true);
        table.open(kTable);
        table.selectTag(QStringLiteral("Nom"));
        if (!table.findKey(QStringLiteral("BREST"))) std::abort();
        PortRecord p;
        Chargement(table, p, [](const QString&) {});
        return p;
    }();
    return port;
}

std::shared_ptr<const HarmonicConstants> Constants(const PortRecord& port) {
    HarmonicsFile file;
    if (!file.open(HarmonicsPathFor(kTable))) std::abort();
    auto constants = file.constantsFor(port);
    if (!constants) std::abort();
    return constants;
}

void DayEventsOf(benchmark::State& state, bool full) {
    const PortRecord& port = Brest();
    const TideSource source(port, full ? Constants(port) : nullptr);
    const TideContext ctx(TimeReference(0), port.timeZone);
    CoefficientMemo memo;
    double day = JulianDay(2026, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DayTideEvents(memo, ctx, source, day));
        day += 1;
    }
    state.SetLabel(full ? std::to_string(source.harmonics->terms.size()) + " constituents"
                        : "21 constituents");
}
void BM_DayEventsTableModel(benchmark::State& state) {
    DayEventsOf(state, false);
}
void BM_DayEventsFullModel(benchmark::State& state) {
    DayEventsOf(state, true);
}
BENCHMARK(BM_DayEventsTableModel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DayEventsFullModel)->Unit(benchmark::kMicrosecond);

// A month's curve of the real port, as `ondrel-cli curve --span month` samples it.
void BM_MonthCurveBrest(benchmark::State& state) {
    const PortRecord& port = Brest();
    const TideSource source(port, nullptr);
    for (auto _ : state) {
        const TideContext ctx(TimeReference(0), port.timeZone);
        SecondaryDayCache cache;
        benchmark::DoNotOptimize(SpanCurve(ctx, cache, source, JulianDay(2026, 12, 7), 31, 1));
    }
}
BENCHMARK(BM_MonthCurveBrest)->Unit(benchmark::kMillisecond);

// Opening harmonics.bin and reading one port's constants, as a port is chosen.
void BM_LoadOnePortsHarmonics(benchmark::State& state) {
    const PortRecord& port = Brest();
    for (auto _ : state) {
        HarmonicsFile file;
        file.open(HarmonicsPathFor(kTable));
        benchmark::DoNotOptimize(file.constantsFor(port));
    }
}
BENCHMARK(BM_LoadOnePortsHarmonics)->Unit(benchmark::kMicrosecond);

} // namespace
