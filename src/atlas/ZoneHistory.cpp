#include "atlas/ZoneHistory.h"

#include <date/tz.h>

#include <chrono>
#include <exception>

namespace atlas {

namespace {

std::string clockText(const date::local_seconds& t) {
    const date::local_days day = date::floor<date::days>(t);
    const date::year_month_day ymd(day);
    const date::hh_mm_ss<std::chrono::seconds> time(t - day);
    const int minute = static_cast<int>(time.minutes().count());
    return std::to_string(time.hours().count()) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute);
}

}  // namespace

ZoneLookup ZoneAt(std::string_view zoneName, int year, int month, int day, int hour, int minute) {
    ZoneLookup lookup;
    try {
        (void)date::get_tzdb();
    } catch (const std::exception& e) {
        lookup.problem = std::string("the system's time-zone database could not be read: ") + e.what();
        return lookup;
    }
    const date::time_zone* zone = nullptr;
    try {
        zone = date::locate_zone(zoneName);
    } catch (const std::exception&) {
        lookup.problem = "'" + std::string(zoneName) + "' is not a time zone of the system's time-zone database";
        return lookup;
    }
    const date::local_seconds local = date::local_days{date::year{year} / month / day} + std::chrono::hours{hour} +
                                      std::chrono::minutes{minute};
    date::local_info info;
    try {
        info = zone->get_info(local);
    } catch (const std::exception& e) {
        lookup.problem = std::string("the time-zone database could not be read: ") + e.what();
        return lookup;
    }
    if (info.result == date::local_info::nonexistent) {
        const date::local_seconds change = date::local_seconds{info.second.begin.time_since_epoch()} + info.first.offset;
        lookup.problem = clockText(local) + " did not happen in " + std::string(zoneName) + " that day: the clocks went from " +
                         clockText(change) + " to " + clockText(change + (info.second.offset - info.first.offset));
        return lookup;
    }
    lookup.repeated = info.result == date::local_info::ambiguous;
    const date::sys_info& in = info.first;
    lookup.facts.offsetSeconds = static_cast<int>(in.offset.count());
    lookup.facts.daylightSaving = in.save != std::chrono::minutes{0};
    lookup.facts.abbreviation = in.abbrev;
    return lookup;
}

}  // namespace atlas
