#include "app/DivisionalCharts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include <chrono>

#include "astro/DecimalDigits.h"
#include "astro/PlanetPositions.h"
#include "astro/TimeScales.h"

namespace app {

namespace {

int modulo12(int value) { return ((value % 12) + 12) % 12; }

// floor(v) of a v well inside the int range, without the library's call (a
// batch line takes about a hundred of these).
int floorOf(double v) {
    const int truncated = static_cast<int>(v);
    return v < truncated ? truncated - 1 : truncated;
}

// The part 0..parts-1 of a sign that x degrees within it fall in.
int partOf(double x, double partDegrees, int parts) {
    const int p = floorOf(x / partDegrees);
    return std::clamp(p, 0, parts - 1);
}

}  // namespace

int DivisionalSign(int division, double longitude) {
    if (!std::isfinite(longitude)) return -1;
    double l = longitude >= 0 && longitude < 360 ? longitude : std::fmod(longitude, 360.0);
    if (l < 0) l += 360;
    const int s = std::min(floorOf(l / 30), 11);
    const double x = l - 30 * s;
    const bool odd = s % 2 == 0;  // Aries (0) is the first, odd, sign
    switch (division) {
        case 1: return s;
        case 2: return odd ? (x < 15 ? 4 : 3) : (x < 15 ? 3 : 4);
        case 3: return modulo12(s + 4 * partOf(x, 10, 3));
        case 7: return modulo12((odd ? s : s + 6) + partOf(x, 30.0 / 7, 7));
        case 9: {
            const int quality = s % 3;  // 0 movable, 1 fixed, 2 dual
            const int start = quality == 0 ? s : quality == 1 ? s + 8 : s + 4;
            return modulo12(start + partOf(x, 10.0 / 3, 9));
        }
        case 10: return modulo12((odd ? s : s + 8) + partOf(x, 3, 10));
        case 12: return modulo12(s + partOf(x, 2.5, 12));
        default: return -1;
    }
}

std::array<int, astro::BodyCount> DivisionalSigns(int division, const ChartRecord& record) {
    std::array<int, astro::BodyCount> signs{};
    for (std::size_t b = 0; b < signs.size(); ++b) signs[b] = DivisionalSign(division, record.bodies.SiderealLongitude[b]);
    return signs;
}

VimshottariSpans VimshottariPeriods(double moonLongitude, double birthJulianDay, double yearDays) {
    // One division gives both the nakshatra and how much of it has run, so
    // that they always agree: a Moon exactly at a nakshatra's start (40,
    // 80, ... 253.333... degrees) is at the start of that nakshatra, whose
    // lord's period then runs whole. Multiplying by 3 before dividing by 40
    // keeps those starts exact.
    const double position = moonLongitude * 3 / 40;
    const double whole = std::floor(position);
    const int nakshatra = std::clamp(static_cast<int>(whole), 0, 26);
    const double elapsed = std::clamp(position - nakshatra, 0.0, 1.0);
    VimshottariSpans spans;
    double fullStart = 0;
    for (std::size_t k = 0; k < 9; ++k) {
        const std::size_t lord = (static_cast<std::size_t>(nakshatra) + k) % 9;
        const double days = DashaLords[lord].years * yearDays;
        DashaSpan& maha = spans.maha[k];
        maha.lord = lord;
        if (k == 0) {
            fullStart = birthJulianDay - elapsed * days;
            maha.StartJD = birthJulianDay;
        } else {
            maha.StartJD = spans.maha[k - 1].EndJD;
            fullStart = maha.StartJD;
        }
        maha.EndJD = fullStart + days;
        double subStart = fullStart;
        for (std::size_t j = 0; j < 9; ++j) {
            const std::size_t sub = (lord + j) % 9;
            DashaSpan& antar = spans.antar[k][j];
            antar.lord = sub;
            antar.StartJD = subStart;
            antar.EndJD = j == 8 ? maha.EndJD : subStart + days * DashaLords[sub].years / 120.0;
            subStart = antar.EndJD;
        }
    }
    return spans;
}

std::vector<DashaPeriod> VimshottariDashas(double moonLongitude, double birthJulianDay, double yearDays) {
    const VimshottariSpans spans = VimshottariPeriods(moonLongitude, birthJulianDay, yearDays);
    const auto period = [](const DashaSpan& span) {
        DashaPeriod made;
        made.Lord = DashaLords[span.lord].name;
        made.StartJD = span.StartJD;
        made.EndJD = span.EndJD;
        return made;
    };
    std::vector<DashaPeriod> dashas;
    dashas.reserve(9);
    for (std::size_t k = 0; k < 9; ++k) {
        DashaPeriod maha = period(spans.maha[k]);
        maha.Antardasha.reserve(9);
        for (const DashaSpan& antar : spans.antar[k]) maha.Antardasha.push_back(period(antar));
        dashas.push_back(std::move(maha));
    }
    return dashas;
}

std::vector<DashaPeriod> SubPeriods(const DashaPeriod& period) {
    std::size_t first = 0;
    while (first < DashaLords.size() && period.Lord != DashaLords[first].name) ++first;
    std::vector<DashaPeriod> parts;
    if (first == DashaLords.size()) return parts;
    const double length = period.EndJD - period.StartJD;
    double start = period.StartJD;
    for (std::size_t k = 0; k < DashaLords.size(); ++k) {
        const DashaLord& lord = DashaLords[(first + k) % DashaLords.size()];
        DashaPeriod part;
        part.Lord = lord.name;
        part.StartJD = start;
        part.EndJD = k + 1 == DashaLords.size() ? period.EndJD : start + length * lord.years / 120.0;
        start = part.EndJD;
        parts.push_back(std::move(part));
    }
    return parts;
}

DashaBalance BalanceAtBirth(const DashaPeriod& first, double birthJulianDay, double yearDays) {
    DashaBalance balance;
    balance.Lord = first.Lord;
    const double left = std::max(0.0, first.EndJD - birthJulianDay);
    const auto wholeDays = static_cast<long long>(std::llround(left));
    const double monthDays = yearDays / 12;
    balance.years = static_cast<int>(std::floor(static_cast<double>(wholeDays) / yearDays));
    double rest = static_cast<double>(wholeDays) - balance.years * yearDays;
    balance.months = static_cast<int>(std::floor(rest / monthDays));
    rest -= balance.months * monthDays;
    balance.days = static_cast<int>(std::floor(rest + 1e-9));
    return balance;
}

DashaInstant ChartDashaInstant(const astro::BirthData& birth) {
    // The local date's day number and the universal time of the angles and
    // the Moon. (The planets' instant differs when the zone lies on the
    // other side of Greenwich.)
    const double dayNumber = modVedicEphemeris::JulianDayFromDate(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    const double utHours = modVedicEphemeris::UniversalTimeRule(birth).utHours;
    const double localHours = birth.BirthHour + birth.BirthMinute / 60.0;
    return {dayNumber - 0.5 + utHours / 24, (localHours - utHours) / 24};
}

DashaInstant TrueDashaInstant(const astro::BirthData& b) {
    const astro::CivilParts ut = astro::PartsOf(modVedicPlanetPosition::TrueUniversalTime(b));
    const double julianDay =
        modVedicEphemeris::JulianDayFromDate(astro::MonthOf(ut.date), astro::DayOf(ut.date), astro::YearOf(ut.date)) -
        0.5 + (static_cast<double>(ut.time.hours().count()) + static_cast<double>(ut.time.minutes().count()) / 60.0) / 24;
    const double localDay = modVedicEphemeris::JulianDayFromDate(b.BirthMonth, b.BirthDay, b.BirthYear) - 0.5 +
                            (b.BirthHour + b.BirthMinute / 60.0) / 24;
    return {julianDay, localDay - julianDay};
}

DashaInstant DashaInstantOf(const ChartRecord& record) {
    return record.SkyPositions ? TrueDashaInstant(record.birth) : ChartDashaInstant(record.birth);
}

char* WriteCalendarDate(double julianDay, char* at) {
    const auto text = [&at](std::string_view written) {
        std::memcpy(at, written.data(), written.size());
        return at + written.size();
    };
    // Julian day 2440587.5 began 1 January 1970 at midnight UT.
    const double sinceEpoch = julianDay - 2440587.5;
    // About 30,000 years either way: the calendar's years reach 32,767.
    if (!(std::fabs(sinceEpoch) < 1.1e7)) return text("no date");
    auto dayCount = static_cast<long long>(sinceEpoch);  // toward zero, then down
    if (static_cast<double>(dayCount) > sinceEpoch) --dayCount;
    const std::chrono::year_month_day civil{std::chrono::sys_days{std::chrono::days{dayCount}}};
    const struct {
        int year, month, day;
    } date{static_cast<int>(civil.year()), static_cast<int>(static_cast<unsigned>(civil.month())),
           static_cast<int>(static_cast<unsigned>(civil.day()))};
    if (date.year < 0 || date.year > 9999) {
        char written[CalendarDateRoom];
        const int size = std::snprintf(written, sizeof written, "%04d-%02d-%02d", date.year, date.month, date.day);
        return text(std::string_view(written, static_cast<std::size_t>(std::clamp(size, 0, CalendarDateRoom - 1))));
    }
    // Written two digits at a time: a batch writes about a hundred of these a chart.
    astro::WriteTwoDigits(at, date.year / 100);
    astro::WriteTwoDigits(at + 2, date.year % 100);
    at[4] = '-';
    astro::WriteTwoDigits(at + 5, date.month);
    at[7] = '-';
    astro::WriteTwoDigits(at + 8, date.day);
    return at + 10;
}

std::string CalendarDateOfJulianDay(double julianDay) {
    char text[CalendarDateRoom];
    return std::string(text, WriteCalendarDate(julianDay, text));
}

int MoonPada(double moonLongitude) {
    const int quarter = static_cast<int>(std::floor(moonLongitude / (10.0 / 3)));
    return ((quarter % 4) + 4) % 4 + 1;
}

char* WriteDashaCivilDate(double julianDay, const DashaInstant& birth, char* at) {
    return WriteCalendarDate(julianDay + birth.clockOffsetDays, at);
}

std::string DashaCivilDate(double julianDay, const DashaInstant& birth) {
    char text[CalendarDateRoom];
    return std::string(text, WriteDashaCivilDate(julianDay, birth, text));
}

}  // namespace app
