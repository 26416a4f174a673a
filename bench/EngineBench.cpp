// Costs of the engine's hot paths: a day's events, a year of days as a tide table computes them,
// and a month curve.
#include "engine/Curve.h"
#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "engine/Secondary.h"
#include "texts/TideTableText.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ondrel;

PortRecord BenchPort(bool secondary) {
    PortRecord p;
    p.name = secondary ? "SECONDAIRE" : "PRINCIPAL";
    p.meanLevel = 420;
    const int order[10] = {kSa, kQ1, kO1, kK1, kN2, kM2, kS2, kMN4, kM4, kMS4};
    const double amp[10] = {60, 20, 70, 80, 420, 2050, 750, 10, 50, 30};
    const double phase[10] = {250, 310, 330, 75, 80, 100, 140, 50, 100, 150};
    for (int i = 0; i < 10; ++i) {
        p.amplitude[order[i]] = amp[i];
        p.phase[order[i]] = phase[i];
    }
    DeriveConstituents(p);
    if (secondary) p.corrections = {0, 0.45, 0.3, -0.2, -0.35, 91.05, 91.02, 0.15, 0.1};
    return p;
}

void DayEventsOf(benchmark::State& state, bool secondary) {
    const PortRecord port = BenchPort(secondary);
    TideContext ctx(TimeReference(0), 1);
    double day = JulianDay(2026, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DayTideEvents(ctx, port, day));
        day += 1;
    }
}
void BM_DayTideEventsStandard(benchmark::State& state) {
    DayEventsOf(state, false);
}
void BM_DayTideEventsSecondary(benchmark::State& state) {
    DayEventsOf(state, true);
}
BENCHMARK(BM_DayTideEventsStandard);
BENCHMARK(BM_DayTideEventsSecondary);

// A year of a tide table: the events and the coefficients of every day.
void BM_YearOfDaysSecondary(benchmark::State& state) {
    const PortRecord port = BenchPort(true);
    for (auto _ : state) {
        TideContext ctx(TimeReference(0), 1); // a fresh context: nothing computed beforehand
        const double first = JulianDay(2026, 1, 1);
        for (int d = 0; d < 365; ++d) {
            benchmark::DoNotOptimize(DayTideEvents(ctx, port, first + d));
            benchmark::DoNotOptimize(DayCoefficients(ctx, first + d));
        }
    }
    state.SetLabel("365 days");
}
BENCHMARK(BM_YearOfDaysSecondary)->Unit(benchmark::kMillisecond);

// The same year by the scan that evaluates the whole sum at every instant, for comparison.
void BM_YearOfDaysSecondaryLiteral(benchmark::State& state) {
    const PortRecord port = BenchPort(true);
    for (auto _ : state) {
        TideContext ctx(TimeReference(0), 1);
        const double first = JulianDay(2026, 1, 1);
        for (int d = 0; d < 365; ++d) {
            benchmark::DoNotOptimize(DayTideEventsLiteral(ctx, port, first + d));
            benchmark::DoNotOptimize(DayCoefficientsLiteral(ctx, first + d));
        }
    }
    state.SetLabel("365 days");
}
BENCHMARK(BM_YearOfDaysSecondaryLiteral)->Unit(benchmark::kMillisecond);

// A year's tide table of a secondary port with its lines, as the window and ondrel-cli make it.
void BM_YearTideTableSecondary(benchmark::State& state) {
    TideTableRequest request;
    request.port = BenchPort(true);
    request.context = TideContext(TimeReference(0), 1);
    request.start = JulianDay(2026, 1, 1);
    request.end = JulianDay(2026, 12, 31) + 0.5;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeTideTable(request));
    state.SetLabel("2026");
}
BENCHMARK(BM_YearTideTableSecondary)->Unit(benchmark::kMillisecond);

void MonthCurveOf(benchmark::State& state, bool secondary) {
    const PortRecord port = BenchPort(secondary);
    for (auto _ : state) {
        TideContext ctx(TimeReference(0), 1);
        SecondaryDayCache cache;
        benchmark::DoNotOptimize(SpanCurve(ctx, cache, port, JulianDay(2026, 1, 1), 31, 1));
    }
}
void BM_MonthCurveSecondary(benchmark::State& state) {
    MonthCurveOf(state, true);
}
void BM_MonthCurveStandard(benchmark::State& state) {
    MonthCurveOf(state, false);
}
BENCHMARK(BM_MonthCurveSecondary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthCurveStandard)->Unit(benchmark::kMillisecond);

void BM_DayCurveSecondary(benchmark::State& state) {
    const PortRecord port = BenchPort(true);
    for (auto _ : state) {
        TideContext ctx(TimeReference(0), 1);
        SecondaryDayCache cache;
        const double day = JulianDay(2026, 1, 1);
        cache.prepare(ctx, port, day);
        benchmark::DoNotOptimize(DayCurve(ctx, cache, port, day, day + 1, 1));
    }
}
BENCHMARK(BM_DayCurveSecondary)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
