#include "atlas/ZoneChoice.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/BirthForm.h"
#include "app/ZoneTable.h"
#include "astro/BirthData.h"
#include "astro/DecimalDigits.h"
#include "astro/PlanetPositions.h"
#include "astro/TimeScales.h"

namespace atlas {

namespace {

constexpr int FirstYear = 1901;
constexpr int LastYear = 2050;

astro::BirthData birthData(const LocalBirth& birth, int zonePosition, bool daylightSaving) {
    const app::ZoneRow& zone = app::ZoneTable[static_cast<std::size_t>(zonePosition)];
    const astro::CivilParts local = astro::PartsOf(birth.clock());
    astro::BirthData b;
    b.BirthYear = static_cast<std::int16_t>(astro::YearOf(local.date));
    b.BirthMonth = static_cast<std::int16_t>(astro::MonthOf(local.date));
    b.BirthDay = static_cast<std::int16_t>(astro::DayOf(local.date));
    b.BirthHour = static_cast<std::int16_t>(local.time.hours().count());
    b.BirthMinute = static_cast<std::int16_t>(local.time.minutes().count());
    b.ZoneHoursAbs = static_cast<std::int16_t>(std::abs(zone.hours));
    b.ZoneMinutesAbs = static_cast<std::int16_t>(std::abs(zone.minutes));
    b.ZoneHoursSigned = zone.hours;
    b.ZoneMinutesSigned = zone.minutes;
    b.LonDegrees = static_cast<std::int16_t>(birth.lonDegrees);
    b.LonMinutes = static_cast<std::int16_t>(birth.lonMinutes);
    b.IsEast = birth.east;
    b.IsDaylightSaving = daylightSaving;
    return b;
}

// "15 May 1990 24:30": a date and a clock time of that day, as written.
std::string dateTimeText(const std::chrono::year_month_day& date, std::chrono::minutes time) {
    return std::to_string(astro::DayOf(date)) + " " +
           std::string(app::MonthNames[static_cast<std::size_t>(astro::MonthOf(date) - 1)]) + " " +
           std::to_string(astro::YearOf(date)) + " " +
           astro::ClockText(static_cast<int>(time.count() / 60), static_cast<int>(time.count() % 60));
}

std::string dateTimeText(astro::LocalMinute clock) {
    const astro::CivilParts parts = astro::PartsOf(clock);
    return dateTimeText(parts.date, parts.time.hours() + parts.time.minutes());
}

}  // namespace

bool IsRightChoice(const LocalBirth& birth, int offsetSeconds, int zonePosition, bool daylightSaving) {
    if (offsetSeconds % 60 != 0) return false;
    const astro::BirthData b = birthData(birth, zonePosition, daylightSaving);
    // The angles' universal time is hours of the local date, below 0 or beyond 24 on another day.
    const double trueHours = b.BirthHour + b.BirthMinute / 60.0 - offsetSeconds / 3600.0;
    if (std::fabs(modVedicEphemeris::UniversalTimeRule(b).utHours - trueHours) > 1e-9) return false;
    const std::chrono::minutes offset{offsetSeconds / 60};
    return modVedicPlanetPosition::TrueUniversalTime(b).time_since_epoch() == birth.clock().time_since_epoch() - offset;
}

ZoneChoice ChooseZone(const LocalBirth& birth, const ZoneFacts& facts) {
    struct Candidate {
        int position;
        bool daylightSaving;
    };
    std::vector<Candidate> right;
    for (bool dst : {false, true}) {
        for (int k = 0; k < app::ZoneCount; ++k) {
            if (IsRightChoice(birth, facts.offsetSeconds, k, dst)) right.push_back({k, dst});
        }
    }
    const auto sizeSeconds = [](int position) {
        const app::ZoneRow& zone = app::ZoneTable[static_cast<std::size_t>(position)];
        return -(zone.hours * 3600 + zone.minutes * 60);  // east positive, like the offset
    };
    const int standardSeconds = facts.offsetSeconds - (facts.daylightSaving ? 3600 : 0);
    // A row named for a standard time ("Eastern European Time") before one
    // named for some country's summer or war time ("British Double Summer
    // Time"), where both are right: the same instant, a plainer label.
    const auto standardName = [](int position) {
        const std::string_view name = app::ZoneTable[static_cast<std::size_t>(position)].name;
        return name.find("Daylight") == std::string_view::npos && name.find("Summer") == std::string_view::npos &&
               name.find("War") == std::string_view::npos;
    };
    const auto pick = [&](auto&& wanted) -> const Candidate* {
        for (const bool standardOnly : {true, false}) {
            for (const Candidate& c : right) {
                if ((!standardOnly || standardName(c.position)) && wanted(c)) return &c;
            }
        }
        return nullptr;
    };
    const Candidate* chosen = pick([&](const Candidate& c) {
        return app::ZoneAbbreviation(app::ZoneTable[static_cast<std::size_t>(c.position)]) == facts.abbreviation;
    });
    if (!chosen) {
        chosen = pick([&](const Candidate& c) {
            return c.daylightSaving == facts.daylightSaving && sizeSeconds(c.position) == standardSeconds;
        });
    }
    if (!chosen && !right.empty()) chosen = &right.front();

    ZoneChoice choice;
    if (chosen) {
        choice.zonePosition = chosen->position;
        choice.daylightSaving = chosen->daylightSaving;
        choice.clock = birth.clock();
        return choice;
    }
    choice.universalTimeConversion = true;
    choice.zonePosition = app::ZonePositionOf("UT");
    using namespace std::chrono;
    const local_seconds universal = birth.clock() - seconds{facts.offsetSeconds};
    const local_time<minutes> rounded = floor<minutes>(universal + seconds{30});  // half a minute rounded up
    choice.roundedSeconds = static_cast<int>(std::llabs((rounded - universal).count()));
    choice.clock = rounded;
    const int year = astro::YearOf(astro::PartsOf(rounded).date);
    if (year < FirstYear || year > LastYear) {
        choice.problem = "in universal time the birth falls on " + dateTimeText(choice.clock) +
                         ", outside the years 1901-2050 the chart takes";
    }
    return choice;
}

astro::LocalMinute LocalClockOfConversion(astro::LocalMinute universalClock, int offsetSeconds) {
    using namespace std::chrono;
    // The conversion takes floor(local - offset + 30 s); the local minute it came from is the first at or after
    // universal + offset - 30 s.
    return ceil<minutes>(universalClock + seconds{offsetSeconds} - seconds{30});
}

std::string ZoneRowText(int zonePosition, bool daylightSaving) {
    // A position outside the list is named by its number alone.
    const std::string_view name =
        zonePosition >= 0 && zonePosition < app::ZoneCount ? app::ZoneTable[static_cast<std::size_t>(zonePosition)].name : "";
    return "zone " + std::to_string(zonePosition) + (name.empty() ? "" : " ") + std::string(name.substr(0, name.find(','))) +
           (daylightSaving ? ", daylight saving" : ", no daylight saving");
}

std::string OffsetText(int offsetSeconds) {
    const int magnitude = std::abs(offsetSeconds);
    std::string text = (offsetSeconds < 0 ? "-" : "+") + std::to_string(magnitude / 3600) + ":" +
                       astro::TwoDigits(magnitude / 60 % 60);
    if (magnitude % 60 != 0) text += ":" + astro::TwoDigits(magnitude % 60);
    return text;
}

std::string GivenZoneSentence(const LocalBirth& birth, const ZoneFacts& facts, int zonePosition, bool daylightSaving) {
    return OffsetText(facts.offsetSeconds) + (facts.daylightSaving ? " with daylight saving" : "") + " on " +
           dateTimeText(birth.date, birth.time) + ": " + ZoneRowText(zonePosition, daylightSaving) + ", as given";
}

std::string ChoiceSentence(const LocalBirth& birth, const ZoneFacts& facts, const ZoneChoice& choice) {
    std::string sentence = OffsetText(facts.offsetSeconds) + (facts.daylightSaving ? " with daylight saving" : "") +
                           " on " + dateTimeText(birth.date, birth.time) + ": ";
    if (!choice.universalTimeConversion) {
        return sentence + ZoneRowText(choice.zonePosition, choice.daylightSaving);
    }
    sentence += ZoneRowText(choice.zonePosition, false) + ", birth converted to " +
                dateTimeText(choice.clock) + " UT";
    if (choice.roundedSeconds != 0) sentence += " (" + std::to_string(choice.roundedSeconds) + " s rounded away)";
    sentence += "; no zone of the list gives this offset at a place ";
    // A longitude of 0:00 counts as west, as the chart takes it.
    sentence += birth.east && (birth.lonDegrees != 0 || birth.lonMinutes != 0) ? "east" : "west";
    sentence += " of Greenwich";
    return sentence;
}

}  // namespace atlas
