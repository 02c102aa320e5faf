// The panchanga of a birth with its four end instants and the day's sunrise
// and sunset; its target is at most 50 times WholeCalculation.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/ChartCalculation.h"
#include "sky/Panchanga.h"
#include "support/Forms.h"

namespace {

void PanchangaOfABirth(benchmark::State& state) {
    app::ChartSession session;
    app::RunCalculation(testdata::referenceForm(), session);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sky::PanchangaOf(session.record, sky::PanchangaPositions::Sky));
    }
}
BENCHMARK(PanchangaOfABirth);

// Births spread over 1901-2050 and the year, so that the ends take every path.
void PanchangaAcrossYears(benchmark::State& state) {
    app::BirthFormValues form = testdata::referenceForm();
    std::vector<app::ChartRecord> records;
    for (int step = 0; step < 64; ++step) {
        form.cboYear = (step * 37) % app::YearListSize;
        form.cboMonth = step % 12;
        form.cboDate = (step * 5) % 28;
        form.cboHour = (step * 7) % 24;
        app::ChartSession session;
        app::RunCalculation(form, session);
        records.push_back(session.record);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sky::PanchangaOf(records[next++ % records.size()], sky::PanchangaPositions::Sky));
    }
}
BENCHMARK(PanchangaAcrossYears);

// From the chart's own Sun and Moon (sunrise and sunset still from the sky).
void PanchangaFromTheChartsPositions(benchmark::State& state) {
    app::ChartSession session;
    app::RunCalculation(testdata::referenceForm(), session);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sky::PanchangaOf(session.record, sky::PanchangaPositions::Chart));
    }
}
BENCHMARK(PanchangaFromTheChartsPositions);

}  // namespace
