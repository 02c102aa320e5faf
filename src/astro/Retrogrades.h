// Retrograde marks from dated station tables: for Mercury, Venus, Mars, Jupiter
// and Saturn, the moments at which the planet turned retrograde and direct
// again, 1900..2050 (Jupiter's last period ends in April 2051).
//
// A planet counts as retrograde when the birth date lies strictly after the
// calendar day of its retrograde station and strictly before the calendar day
// of its direct station. Only dates take part: the local civil date as entered,
// with no time zone or daylight saving applied.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "astro/BirthData.h"
#include "astro/Body.h"
#include <chrono>

namespace modRetrogrades {

// The planets' names, in the order of astro::RetrogradeBodies.
inline constexpr std::array<std::string_view, 5> RetroPlanetNames = {"Mercury", "Venus", "Mars", "Jupiter",
                                                                     "Saturn"};
inline constexpr std::string_view RetrogradeMark = " (R) ";

// A station record "month,day,year,hour,minute," (each field followed by a comma).
struct StationRecord {
    int month = 0, day = 0, year = 0, hour = 0, minute = 0;
};
std::optional<StationRecord> ParseStationRecord(std::string_view record);

// The two parallel tables of a planet: n retrograde stations and the n direct
// stations that end them, each followed by one empty entry.
struct StationTables {
    std::span<const std::string_view> RetroStart;
    std::span<const std::string_view> RetroEnd;
};
// The tables of "Mercury" .. "Saturn"; empty spans for any other name.
StationTables StationTablesOf(std::string_view planetName);

// The birth date the look-up uses: the date as entered, where an hour of 24
// is 0:mm of the next day.
std::chrono::year_month_day RetrogradeLookupDate(const astro::BirthData& birth);

// Whether the planet was retrograde on the date (false for a date outside the
// tables and for an unknown name).
bool IsRetrograde(const std::chrono::year_month_day& birthDate, std::string_view planetName);

// MarkRetrogrades: the retrograde pass.
//   Given:   the birth data (the local civil date as entered).
//   Fills:   one flag per planet of RetrogradeBodies (Mercury .. Saturn), and
//            " (R) " appended once to the Sanskrit name of each flagged planet;
//            the names must be the plain ones the position-text pass wrote.
void MarkRetrogrades(const astro::BirthData& birth, std::array<bool, 5>& retroFlags,
                     std::array<std::string, astro::BodyCount>& planetNameSanskrit);

}  // namespace modRetrogrades
