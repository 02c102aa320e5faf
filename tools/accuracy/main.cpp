// accuracy: how far charts lie from the sky. Computes random births of
// 1901-2050 as the entry form takes them, sets each beside the sky with the
// same check as velorin-chart --check, and prints Markdown tables: the chart
// minus the sky by body and period (mean and largest), and the share of
// charts with a body in another sign or nakshatra.
//
//   accuracy [--births N] [--seed S] [--any-zone | --atlas]
//
// The births: a uniform date and minute, a place between 60 degrees south
// and north, the zone of the table nearest the place's meridian on the
// place's side of Greenwich (so that the chart's two time bases agree; with
// --any-zone, any of the table's zones), and daylight saving one time in five.
// With --atlas: a place of the atlas and a uniform moment, the form filled
// from the atlas as the find-coordinates window and --place fill it (the
// zone row and daylight saving of the zone's history, or the birth in
// universal time); it prints how often the Ascendant lies in another sign
// than the sky's and the largest Ascendant and Moon differences.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/ChartCalculation.h"
#include "app/ZoneTable.h"
#include "astro/PlanetPositions.h"
#include "sky/ChartCheck.h"
#ifdef VELORIN_WITH_ATLAS
#include "atlas/FormFill.h"
#include "atlas/SystemAtlas.h"
#endif

namespace {

struct Periods {
    static constexpr int Count = 3;
    static constexpr std::array<const char*, Count> Names = {"1901-1950", "1951-2000", "2001-2050"};
    static int of(int year) { return year <= 1950 ? 0 : year <= 2000 ? 1 : 2; }
};

struct Tally {
    double signedSum = 0;
    double absoluteSum = 0;
    double largest = 0;
    long count = 0;
    void add(double value) {
        signedSum += value;
        absoluteSum += std::fabs(value);
        largest = std::fmax(largest, std::fabs(value));
        ++count;
    }
};

// The zone position whose offset from Greenwich lies nearest the place's
// meridian, on the place's side.
int zoneFor(double eastLongitude) {
    int best = -1;
    double bestGap = 1e9;
    for (int z = 0; z < app::ZoneCount; ++z) {
        const app::ZoneRow& row = app::ZoneTable[static_cast<std::size_t>(z)];
        const double eastHours = -(row.hours + row.minutes / 60.0);
        if ((eastHours > 0) != (eastLongitude > 0) || eastHours == 0) continue;
        const double gap = std::fabs(eastHours - eastLongitude / 15);
        if (gap < bestGap) bestGap = gap, best = z;
    }
    return best;
}

// A form with a uniform date of 1901-2050 and minute of the day.
app::BirthFormValues randomMoment(std::mt19937_64& random) {
    std::uniform_int_distribution<int> year(app::FirstListYear, 2050), month(1, 12), hour(0, 23), minute(0, 59);
    app::BirthFormValues form;
    form.txtName = "Random";
    form.cboYear = year(random) - app::FirstListYear;
    form.cboMonth = month(random) - 1;
    const int monthLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    form.cboDate = std::uniform_int_distribution<int>(0, monthLength[form.cboMonth] - 1)(random);
    form.cboHour = hour(random);
    form.cboMinute = minute(random);
    return form;
}

app::BirthFormValues randomBirth(std::mt19937_64& random, bool anyZone) {
    std::uniform_real_distribution<double> latitude(-60, 60), longitude(-179.9, 179.9);
    std::bernoulli_distribution daylight(0.2);
    app::BirthFormValues form = randomMoment(random);
    double lat = latitude(random), lon = longitude(random);
    if (std::fabs(lon) < 1) lon = lon < 0 ? -1 : 1;  // a zone on either side of Greenwich
    form.cboTimeZone = anyZone ? std::uniform_int_distribution<int>(0, app::ZoneCount - 1)(random) : zoneFor(lon);
    form.chkDST = daylight(random);
    const auto degrees = [](double value, std::string& whole, std::string& minutes) {
        const int arcminutes = static_cast<int>(std::fabs(value) * 60);
        whole = std::to_string(arcminutes / 60);
        minutes = std::to_string(arcminutes % 60);
    };
    degrees(lat, form.txtLatDeg, form.txtLatMin);
    degrees(lon, form.txtLonDeg, form.txtLonMin);
    form.optLatNorth = lat >= 0;
    form.optLatSouth = lat < 0;
    form.optLongEast = lon > 0;
    form.optLongWest = lon < 0;
    form.txtCity = form.txtState = form.txtCountry = "Random";
    return form;
}

// A whole decimal number, or nothing ("5x", "", "-1" for an unsigned one).
template <typename Number>
std::optional<Number> numberOf(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

#ifdef VELORIN_WITH_ATLAS
// Births at the atlas's places, their inputs from the atlas.
int atlasRun(long births, unsigned long long seed) {
    const atlas::SystemAtlas data;
    std::mt19937_64 random(seed);
    std::vector<atlas::Place> places;
    data.places().ForEachPlace([&](const atlas::Place& place) { places.push_back(place); });
    if (places.empty()) {
        std::fprintf(stderr, "accuracy: --atlas: %s\n", data.places().problem().c_str());
        return 2;
    }
    std::uniform_int_distribution<std::size_t> placeIndex(0, places.size() - 1);
    long charts = 0, skipped = 0, converted = 0, ascendantSign = 0, below60 = 0;
    double largestAscendant = 0, largestAscendantBelow60 = 0, largestMoon = 0;
    for (long n = 0; n < births; ++n) {
        const atlas::Place& place = places[placeIndex(random)];
        app::BirthFormValues form = randomMoment(random);
        const atlas::FormFill fill = atlas::FillFormFromPlace(form, place, data);
        if (!fill.problem.empty()) {
            ++skipped;  // a time the clocks skipped, or a conversion out of 1901-2050
            continue;
        }
        if (form.txtCity.empty()) form.txtCity = "Random";  // a name of other letters only
        if (form.txtState.empty()) form.txtState = "Random";
        if (form.txtCountry.empty()) form.txtCountry = "Random";
        app::ChartSession session;
        if (!app::RunCalculation(form, session).accepted()) {
            ++skipped;
            continue;
        }
        ++charts;
        converted += fill.converted;
        const sky::ChartCheck check = sky::CheckChart(session.record);
        const sky::BodyCheck& ascendant = check.bodies[astro::BodyIndex(astro::Body::Ascendant)];
        const double ascendantGap = std::fabs(*ascendant.differenceArcmin);
        ascendantSign += ascendant.signDiffers;
        largestAscendant = std::fmax(largestAscendant, ascendantGap);
        if (std::fabs(place.latitude) < 60) {
            ++below60;
            largestAscendantBelow60 = std::fmax(largestAscendantBelow60, ascendantGap);
        }
        largestMoon = std::fmax(largestMoon, std::fabs(*check.bodies[astro::BodyIndex(astro::Body::Moon)].differenceArcmin));
    }
    std::printf("%ld random births at atlas places (seed %llu), the zone from the atlas; %ld charts, %ld of them "
                "converted to universal time; %ld skipped (a time the clocks skipped, or out of 1901-2050).\n\n",
                births, seed, charts, converted, skipped);
    std::printf("| | charts | share or largest |\n|---|---|---|\n");
    std::printf("| the Ascendant in another sign than the sky's | %ld | %.2f%% |\n", charts,
                charts ? 100.0 * static_cast<double>(ascendantSign) / static_cast<double>(charts) : 0.0);
    std::printf("| largest Ascendant difference, places below 60 degrees of latitude | %ld | %.2f' |\n", below60,
                largestAscendantBelow60);
    std::printf("| largest Ascendant difference, all places | %ld | %.2f' |\n", charts, largestAscendant);
    std::printf("| largest Moon difference | %ld | %.2f' |\n", charts, largestMoon);
    return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    long births = 10000;
    unsigned long long seed = 1;
    bool anyZone = false, atlasPlaces = false, usage = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--any-zone") anyZone = true;
        else if (option == "--atlas") atlasPlaces = true;
        else if (option == "--births" && i + 1 < argc) {
            const std::optional<long> n = numberOf<long>(argv[++i]);
            usage = usage || !n;
            births = n.value_or(0);
        } else if (option == "--seed" && i + 1 < argc) {
            const std::optional<unsigned long long> s = numberOf<unsigned long long>(argv[++i]);
            usage = usage || !s;
            seed = s.value_or(0);
        } else {
            usage = true;
        }
    }
    if (usage || births < 1 || (anyZone && atlasPlaces)) {
        std::fprintf(stderr, "usage: accuracy [--births N] [--seed S] [--any-zone | --atlas]\n");
        return 2;
    }
    if (atlasPlaces) {
#ifdef VELORIN_WITH_ATLAS
        return atlasRun(births, seed);
#else
        std::fprintf(stderr, "accuracy: --atlas: this build has no atlas\n");
        return 2;
#endif
    }

    std::mt19937_64 random(seed);
    std::array<std::array<Tally, Periods::Count>, astro::BodyCount> tallies{};
    std::array<long, Periods::Count> charts{}, grahaSign{}, grahaNakshatra{}, ascendantSign{}, moonNakshatra{};
    long refused = 0;
    for (long n = 0; n < births; ++n) {
        const app::BirthFormValues form = randomBirth(random, anyZone);
        app::ChartSession session;
        if (!app::RunCalculation(form, session).accepted()) {
            ++refused;
            continue;
        }
        const sky::ChartCheck check = sky::CheckChart(session.record);
        const int period = Periods::of(session.record.birth.BirthYear);
        ++charts[static_cast<std::size_t>(period)];
        bool anySign = false, anyNakshatra = false;
        for (std::size_t b = 0; b < astro::BodyCount; ++b) {
            const sky::BodyCheck& body = check.bodies[b];
            tallies[b][static_cast<std::size_t>(period)].add(*body.differenceArcmin);
            if (b < astro::PlacedBodyCount) {
                anySign = anySign || body.signDiffers;
                anyNakshatra = anyNakshatra || body.nakshatraDiffers;
            }
        }
        const auto p = static_cast<std::size_t>(period);
        grahaSign[p] += anySign;
        grahaNakshatra[p] += anyNakshatra;
        ascendantSign[p] += check.bodies[astro::BodyIndex(astro::Body::Ascendant)].signDiffers;
        moonNakshatra[p] += check.bodies[astro::BodyIndex(astro::Body::Moon)].nakshatraDiffers;
    }

    std::printf("%ld random births (seed %llu, %s), %ld refused by the form's checks.\n\n", births, seed,
                anyZone ? "any zone" : "zones on the place's side of Greenwich", refused);
    std::printf("Chart minus sky, minutes of arc: mean (signed) / mean of the size / largest size\n\n| Body |");
    for (const char* name : Periods::Names) std::printf(" %s |", name);
    std::printf("\n|---|");
    for (int p = 0; p < Periods::Count; ++p) std::printf("---|");
    std::printf("\n");
    for (std::size_t b = 0; b < astro::BodyCount; ++b) {
        std::printf("| %s |", std::string(modVedicPlanetPosition::EnglishBodyNames[b]).c_str());
        for (const Tally& tally : tallies[b]) {
            if (tally.count == 0) {
                std::printf(" - |");
                continue;
            }
            const double count = static_cast<double>(tally.count);
            std::printf(" %+.1f / %.1f / %.1f |", tally.signedSum / count, tally.absoluteSum / count, tally.largest);
        }
        std::printf("\n");
    }
    const auto share = [&](const char* what, const std::array<long, Periods::Count>& counts) {
        std::printf("| %s |", what);
        long all = 0, total = 0;
        for (std::size_t p = 0; p < counts.size(); ++p) {
            all += counts[p];
            total += charts[p];
            std::printf(" %.1f%% |", charts[p] ? 100.0 * static_cast<double>(counts[p]) / static_cast<double>(charts[p]) : 0.0);
        }
        std::printf(" %.1f%% |\n", total ? 100.0 * static_cast<double>(all) / static_cast<double>(total) : 0.0);
    };
    std::printf("\nCharts with a body elsewhere than in the sky\n\n| |");
    for (const char* name : Periods::Names) std::printf(" %s |", name);
    std::printf(" all |\n|---|---|---|---|---|\n");
    share("a graha (Sun .. Ketu) in another sign", grahaSign);
    share("a graha in another nakshatra", grahaNakshatra);
    share("the Ascendant in another sign", ascendantSign);
    share("the Moon in another nakshatra", moonNakshatra);
    return 0;
}
