// One batch line and its parts, on one thread: the whole line (parse, check,
// calculate, format), the JSON alone, and the line with the check against the sky.
#include <benchmark/benchmark.h>

#include <string>

#include "app/ChartCalculation.h"
#include "support/Forms.h"
#include "velorin-chart/Batch.h"
#include "velorin-chart/ChartJson.h"

namespace {

constexpr const char* ReferenceLine =
    R"({"name": "Ravi", "date": "1990-05-15", "time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E", )"
    R"("city": "New Delhi", "state": "Delhi", "country": "India"})";

// Each thread of a batch computes its lines in one session's room and writes
// them where the lines of the block before were, as here.
void BatchLine(benchmark::State& state) {
    app::ChartSession scratch;
    std::string text;
    for (auto _ : state) {
        velorin_chart::WriteChartLineOfBatchLine(text, ReferenceLine, 1, {}, scratch);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BatchLine);

// The line without the optional parts (--sections none).
void BatchLineChartOnly(benchmark::State& state) {
    velorin_chart::LineSettings settings;
    settings.sections = "none";
    app::ChartSession scratch;
    std::string text;
    for (auto _ : state) {
        velorin_chart::WriteChartLineOfBatchLine(text, ReferenceLine, 1, settings, scratch);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BatchLineChartOnly);

void ChartJsonLine(benchmark::State& state) {
    app::ChartSession session;
    app::RunCalculation(testdata::referenceForm(), session);
    for (auto _ : state) {
        benchmark::DoNotOptimize(velorin_chart::FormatJson(session, velorin_chart::JsonLayout::OneLine, {1, {}, {}}));
    }
}
BENCHMARK(ChartJsonLine);

#ifdef VELORIN_WITH_CHECK
void BatchLineWithCheck(benchmark::State& state) {
    app::ChartSession scratch;
    for (auto _ : state) {
        benchmark::DoNotOptimize(velorin_chart::ChartLineOfBatchLine(ReferenceLine, 1, {true, nullptr, {}}, scratch));
    }
}
BENCHMARK(BatchLineWithCheck);

// A line of the chart made from the sky's positions ("sky": true).
void BatchLineSky(benchmark::State& state) {
    const std::string line = std::string(ReferenceLine).insert(1, R"("sky": true, )");
    app::ChartSession scratch;
    for (auto _ : state) benchmark::DoNotOptimize(velorin_chart::ChartLineOfBatchLine(line, 1, {}, scratch));
}
BENCHMARK(BatchLineSky);
#endif

}  // namespace
