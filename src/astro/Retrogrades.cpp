#include "astro/Retrogrades.h"

#include <algorithm>

#include "astro/DecimalDigits.h"

namespace modRetrogrades {

namespace {

#include "astro/retrograde_stations.inc"

constexpr std::optional<StationRecord> parse(std::string_view record) {
    int fields[5] = {};
    std::size_t pos = 0;
    for (int& field : fields) {
        const std::size_t comma = record.find(',', pos);
        if (comma == std::string_view::npos) return std::nullopt;
        const std::optional<int> value = astro::ParseDigits(record.substr(pos, comma - pos), 1, 4);
        if (!value) return std::nullopt;
        field = *value;
        pos = comma + 1;
    }
    if (pos != record.size()) return std::nullopt;
    return StationRecord{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

// A retrograde period as the day numbers of its two station dates.
struct PeriodDays {
    long long retrograde = 0;
    long long direct = 0;
};

// Days since 1 January 1970 of a Gregorian date.
constexpr long long dayNumber(int y, int m, int d) {
    using namespace std::chrono;
    return sys_days{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}}.time_since_epoch().count();
}

template <std::size_t N>
constexpr std::array<PeriodDays, N - 1> periodDays(const std::array<std::string_view, N>& starts,
                                                   const std::array<std::string_view, N>& ends) {
    std::array<PeriodDays, N - 1> periods{};
    for (std::size_t k = 0; k + 1 < N; ++k) {
        const StationRecord start = parse(starts[k]).value();  // a malformed record does not compile
        const StationRecord end = parse(ends[k]).value();
        periods[k] = {dayNumber(start.year, start.month, start.day), dayNumber(end.year, end.month, end.day)};
    }
    return periods;
}

constexpr auto MercuryPeriods = periodDays(MercuryRetroStart, MercuryRetroEnd);
constexpr auto VenusPeriods = periodDays(VenusRetroStart, VenusRetroEnd);
constexpr auto MarsPeriods = periodDays(MarsRetroStart, MarsRetroEnd);
constexpr auto JupiterPeriods = periodDays(JupiterRetroStart, JupiterRetroEnd);
constexpr auto SaturnPeriods = periodDays(SaturnRetroStart, SaturnRetroEnd);

template <std::size_t N>
constexpr bool inTimeOrder(const std::array<PeriodDays, N>& periods) {
    for (std::size_t k = 0; k < N; ++k) {
        if (periods[k].retrograde >= periods[k].direct) return false;
        if (k + 1 < N && periods[k].direct >= periods[k + 1].retrograde) return false;
    }
    return true;
}
// The search below relies on this order: each period ends on a day before the
// next one begins.
static_assert(inTimeOrder(MercuryPeriods) && inTimeOrder(VenusPeriods) && inTimeOrder(MarsPeriods) &&
              inTimeOrder(JupiterPeriods) && inTimeOrder(SaturnPeriods));

std::span<const PeriodDays> periodsOf(std::string_view planetName) {
    if (planetName == "Mercury") return MercuryPeriods;
    if (planetName == "Venus") return VenusPeriods;
    if (planetName == "Mars") return MarsPeriods;
    if (planetName == "Jupiter") return JupiterPeriods;
    if (planetName == "Saturn") return SaturnPeriods;
    return {};
}

}  // namespace

std::optional<StationRecord> ParseStationRecord(std::string_view record) { return parse(record); }

StationTables StationTablesOf(std::string_view planetName) {
    if (planetName == "Mercury") return {MercuryRetroStart, MercuryRetroEnd};
    if (planetName == "Venus") return {VenusRetroStart, VenusRetroEnd};
    if (planetName == "Mars") return {MarsRetroStart, MarsRetroEnd};
    if (planetName == "Jupiter") return {JupiterRetroStart, JupiterRetroEnd};
    if (planetName == "Saturn") return {SaturnRetroStart, SaturnRetroEnd};
    return {};
}

std::chrono::year_month_day RetrogradeLookupDate(const astro::BirthData& birth) {
    using namespace std::chrono;
    const sys_days entered{year{birth.BirthYear} / month{static_cast<unsigned>(birth.BirthMonth)} /
                           day{static_cast<unsigned>(birth.BirthDay)}};
    return year_month_day{entered + days{birth.BirthHour >= 24 ? 1 : 0}};
}

bool IsRetrograde(const std::chrono::year_month_day& birthDate, std::string_view planetName) {
    const std::span<const PeriodDays> periods = periodsOf(planetName);
    const long long birth = std::chrono::sys_days{birthDate}.time_since_epoch().count();
    // The last period whose retrograde station lies on a day before the birth;
    // the periods before it ended on or before that day.
    const auto after = std::partition_point(periods.begin(), periods.end(),
                                            [birth](const PeriodDays& p) { return p.retrograde < birth; });
    if (after == periods.begin()) return false;
    return birth < std::prev(after)->direct;
}

void MarkRetrogrades(const astro::BirthData& birth, std::array<bool, 5>& retroFlags,
                     std::array<std::string, astro::BodyCount>& planetNameSanskrit) {
    const std::chrono::year_month_day date = RetrogradeLookupDate(birth);
    for (std::size_t i = 0; i < RetroPlanetNames.size(); ++i) retroFlags[i] = IsRetrograde(date, RetroPlanetNames[i]);
    for (std::size_t i = 0; i < retroFlags.size(); ++i) {
        if (retroFlags[i]) planetNameSanskrit[astro::BodyIndex(astro::RetrogradeBodies[i])] += RetrogradeMark;
    }
}

}  // namespace modRetrogrades
