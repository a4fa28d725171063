// Speed of the payoff schedule and its number texts.
#include "calc/numbertext.h"
#include "calc/payoff.h"

#include <benchmark/benchmark.h>

namespace {

void runSchedule(benchmark::State &state, const calc::PayoffInputs &inputs)
{
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        const auto summary = calc::CalculatePayoff(inputs, calc::AbsoluteMinimumPayment,
                                                   [&](const calc::ScheduleRow &row) {
                                                       benchmark::DoNotOptimize(row);
                                                       ++rows;
                                                   });
        benchmark::DoNotOptimize(summary);
    }
    state.counters["rows"] = rows;
    state.SetItemsProcessed(state.iterations() * rows);
}

void Defaults(benchmark::State &state)
{
    runSchedule(state, calc::PayoffInputs{});
}

void ZeroRateFloor(benchmark::State &state)
{
    calc::PayoffInputs in;
    in.Balance = calc::Decimal(50000);
    in.APR = calc::Decimal(0);
    in.MinPmtPct = calc::Decimal(0, 1);
    runSchedule(state, in);
}

void HighRate(benchmark::State &state)
{
    calc::PayoffInputs in;
    in.Balance = calc::Decimal(50000);
    in.APR = calc::Decimal(36);
    in.MinPmtPct = calc::Decimal(32, 1);
    runSchedule(state, in);
}

void SummaryTexts(benchmark::State &state)
{
    const auto summary = calc::CalculatePayoff(calc::PayoffInputs{}, calc::AbsoluteMinimumPayment, {});
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    for (auto _ : state)
        benchmark::DoNotOptimize(calc::MakeSummaryTexts(summary, locale));
}

void GridCellText(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const calc::Decimal value = calc::Decimal::fromCents(207833);
    for (auto _ : state)
        benchmark::DoNotOptimize(calc::FormatPattern(value, u"#,###,##0.00", locale));
}

} // namespace

BENCHMARK(Defaults)->Name("CalculatePayoff/Defaults");
BENCHMARK(ZeroRateFloor)->Name("CalculatePayoff/ZeroRateFloor");
BENCHMARK(HighRate)->Name("CalculatePayoff/HighRate");
BENCHMARK(SummaryTexts)->Name("MakeSummaryTexts/Defaults");
BENCHMARK(GridCellText)->Name("FormatPattern/GridCell");
