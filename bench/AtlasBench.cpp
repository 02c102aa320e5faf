// The atlas: one look-up of a place as a batch line makes it, a batch line
// with a place against the same line with coordinates, and the look-up
// window's search while the user types.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "app/ChartCalculation.h"
#include "atlas/SystemAtlas.h"
#include "velorin-chart/Batch.h"

namespace {

const atlas::SystemAtlas& Atlas() {
    static const atlas::SystemAtlas data(VELORIN_BENCH_ATLAS);
    return data;
}

constexpr std::array<const char*, 8> Texts = {
    "Pune", "Bombay", "New York, NY", "London, UK", "Kolkata, West Bengal, India", "Sao Paulo", "Leningrad", "Sydney, NSW"};

// The place found and its zone's offset at the birth.
void PlaceLookup(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const atlas::PlaceSearch found = Atlas().FindPlaces(Texts[i++ % Texts.size()]);
        const atlas::Place& place = found.matches.front();
        benchmark::DoNotOptimize(Atlas().ZoneAtLocal(place.timeZone, astro::LocalMinuteOf(1990, 5, 15, 10, 30)));
    }
}
BENCHMARK(PlaceLookup);

constexpr const char* LineWithPlace =
    R"({"name": "Ravi", "date": "1990-05-15", "time": "10:30", "place": "New Delhi, Delhi, India"})";
constexpr const char* LineWithCoordinates =
    R"({"name": "Ravi", "date": "1990-05-15", "time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E", )"
    R"("city": "New Delhi", "state": "Delhi", "country": "India"})";

void BatchLineOf(benchmark::State& state, const char* line) {
    velorin_chart::LineSettings settings;
    settings.atlas = &Atlas();
    app::ChartSession scratch;
    std::string text;
    for (auto _ : state) {
        text.clear();
        velorin_chart::WriteChartLineOfBatchLine(text, line, 1, settings, scratch);
        benchmark::DoNotOptimize(text.data());
    }
}
void BatchLineWithPlace(benchmark::State& state) { BatchLineOf(state, LineWithPlace); }
void BatchLineWithCoordinates(benchmark::State& state) { BatchLineOf(state, LineWithCoordinates); }
BENCHMARK(BatchLineWithPlace);
BENCHMARK(BatchLineWithCoordinates);

// The look-up window's list for what has been typed so far (up to 50 rows).
void PlaceSearchKeystroke(benchmark::State& state) {
    constexpr std::array<const char*, 8> typed = {"L", "Lo", "Lon", "Lond", "S", "Sa", "San", "San J"};
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(Atlas().PlacesStartingWith(typed[i++ % typed.size()], 50));
}
BENCHMARK(PlaceSearchKeystroke);

}  // namespace
