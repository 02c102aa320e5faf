#include "atlas/ZoneHistory.h"

#include <absl/time/civil_time.h>
#include <absl/time/time.h>

#include "app/BirthForm.h"
#include "astro/DecimalDigits.h"
#include "atlas/ZoneChoice.h"

namespace atlas {

namespace {

std::string clockText(const absl::CivilSecond& t) {
    return astro::ClockText(t.hour(), t.minute());
}

std::string dateText(const absl::CivilSecond& t) {
    return std::to_string(t.day()) + " " + std::string(app::MonthNames[static_cast<std::size_t>(t.month() - 1)]) + " " + std::to_string(t.year());
}

}  // namespace

ZoneLookup ZoneAt(std::string_view zoneName, astro::LocalMinute clock) {
    ZoneLookup lookup;
    absl::TimeZone zone;
    // The zone files are read with their footer: the rule of the years after
    // the last change they list (daylight saving past 2037).
    // Names only ("Asia/Kolkata"): no path of the user's own is read as a zone file.
    const bool name = !zoneName.empty() && zoneName.front() != '/' && zoneName.find("..") == std::string_view::npos;
    if (!name || !absl::LoadTimeZone(std::string(zoneName), &zone)) {
        lookup.problem = "'" + std::string(zoneName) +
                         "' is not a time zone of the system's time-zone database, or its file cannot be read";
        return lookup;
    }
    const astro::CivilParts parts = astro::PartsOf(clock);
    const absl::CivilSecond local(astro::YearOf(parts.date), astro::MonthOf(parts.date), astro::DayOf(parts.date),
                                  parts.time.hours().count(), parts.time.minutes().count(), 0);
    const absl::TimeZone::TimeInfo info = zone.At(local);
    if (info.kind == absl::TimeZone::TimeInfo::SKIPPED) {
        const absl::CivilSecond before = zone.At(info.trans - absl::Seconds(1)).cs + 1;
        const absl::CivilSecond after = zone.At(info.trans).cs;
        const absl::CivilDay asked(local);
        if (absl::CivilDay(before) == asked && absl::CivilDay(after) == asked) {
            lookup.problem = clockText(local) + " did not happen in " + std::string(zoneName) +
                             " that day: the clocks went from " + clockText(before) + " to " + clockText(after);
        } else {
            lookup.problem = clockText(local) + " on " + dateText(local) + " did not happen in " + std::string(zoneName) +
                             ": the clocks went from " + dateText(before) + " " + clockText(before) + " to " +
                             dateText(after) + " " + clockText(after);
        }
        return lookup;
    }
    lookup.repeated = info.kind == absl::TimeZone::TimeInfo::REPEATED;
    // A time shown twice: the first, before the clocks went back.
    const absl::TimeZone::CivilInfo in = zone.At(info.pre);
    lookup.facts.offsetSeconds = in.offset;
    lookup.facts.daylightSaving = in.is_dst;
    lookup.facts.abbreviation = in.zone_abbr;
    return lookup;
}

}  // namespace atlas
