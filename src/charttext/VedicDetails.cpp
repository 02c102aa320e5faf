#include "charttext/VedicDetails.h"

#ifdef VELORIN_CHARTTEXT_SKY
#include "sky/Panchanga.h"
#endif

#include <sstream>

#include "app/ChartCalculation.h"
#include "app/ChartTextExport.h"
#include "astro/MoonChart.h"
#include "astro/PositionText.h"
#include "charttext/SquareCharts.h"
#include "charttext/TextLayout.h"

namespace charttext {

namespace {

BodyDetail detailOf(const app::ChartRecord& r, std::size_t body, std::string name) {
    BodyDetail row;
    row.name = std::move(name);
    const double longitude = r.bodies.SiderealLongitude[body];
    // The long position text, as the chart's texts write it: its degrees and its sign.
    const std::string text = modVedicPlanetPosition::FormatSignPosition(longitude);
    const std::size_t signAt = text.size() >= 4 ? text.size() - 3 : text.size();
    const std::string abbrev = text.substr(signAt);
    row.degrees = text.substr(0, signAt > 0 ? signAt - 1 : 0);
    const std::size_t sign = modVedicPlanetPosition::SignAbbrevString.find(abbrev);
    row.sign = abbrev.size() == 3 && sign != std::string_view::npos && sign % 3 == 0
                   ? std::string(modVedicEphemeris::RashiNames[sign / 3]) + " (" + abbrev + ")"
                   : abbrev;
    if (longitude >= 0 && longitude < 360) {
        const int nakshatra = modVedicEphemeris::NakshatraIndex(longitude);
        row.nakshatra = std::string(modVedicEphemeris::NakshatraNames[static_cast<std::size_t>(nakshatra)]);
        row.lord = app::DashaLords[static_cast<std::size_t>(nakshatra) % app::DashaLords.size()].name;
        row.pada = app::MoonPada(longitude);
    }
    row.retrograde = IsMarkedRetrograde(r, body);
    return row;
}

int indexOn(const std::vector<app::DashaPeriod>& periods, double julianDay) {
    for (std::size_t k = 0; k < periods.size(); ++k) {
        if (julianDay >= periods[k].StartJD && julianDay < periods[k].EndJD) return static_cast<int>(k);
    }
    return -1;
}

}  // namespace

RunningPeriods RunningOn(const std::vector<app::DashaPeriod>& dashas, double julianDay) {
    RunningPeriods running;
    running.maha = indexOn(dashas, julianDay);
    if (running.maha < 0) return running;
    const app::DashaPeriod& maha = dashas[static_cast<std::size_t>(running.maha)];
    running.antar = indexOn(maha.Antardasha, julianDay);
    if (running.antar < 0) return running;
    running.pratyantar = indexOn(app::SubPeriods(maha.Antardasha[static_cast<std::size_t>(running.antar)]), julianDay);
    return running;
}

VedicDetails MakeVedicDetails(const app::ChartRecord& r, double todayJulianDay, double yearDays, bool withPanchanga) {
    VedicDetails details;
#ifdef VELORIN_CHARTTEXT_SKY
    if (withPanchanga) details.panchanga = sky::PanchangaLines(sky::PanchangaOf(r, sky::PanchangaPositions::Sky));
#else
    (void)withPanchanga;
#endif
    details.positions = r.SkyPositions ? app::SkyPositionsLine(r) : "Positions: the chart's own rules";
    details.rows.push_back(detailOf(r, astro::BodyIndex(astro::Body::Ascendant), "Lagna / Asc"));
    for (std::size_t b = 0; b < astro::PlacedBodyCount; ++b) {
        details.rows.push_back(detailOf(r, b, std::string(app::BodyRowCaptions[b])));
    }
    const double moon = r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)];
    details.padaCount = r.captions.PadaCaption;
    details.moonPada = app::MoonPada(moon);
    details.birth = app::DashaInstantOf(r);
    details.dashas = app::VimshottariDashas(moon, details.birth.julianDay, yearDays);
    if (!details.dashas.empty()) {
        details.balance = app::BalanceAtBirth(details.dashas.front(), details.birth.julianDay, yearDays);
    }
    details.today = RunningOn(details.dashas, todayJulianDay);
    if (details.today.antar >= 0) {
        details.pratyantardashas = app::SubPeriods(details.dashas[static_cast<std::size_t>(details.today.maha)]
                                                       .Antardasha[static_cast<std::size_t>(details.today.antar)]);
    }
    return details;
}

std::string PeriodDate(const VedicDetails& details, double julianDay) {
    return app::DashaCivilDate(julianDay, details.birth);
}

std::string BalanceText(const app::DashaBalance& balance) {
    const auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    return balance.Lord + " " + count(balance.years, "year", "years") + " " + count(balance.months, "month", "months") +
           " " + count(balance.days, "day", "days");
}

std::string FormatVedicDetails(const VedicDetails& details, bool withPratyantar) {
    std::ostringstream out;
    out << details.positions << "\n\n";
    out << PadRight("", 19) << PadRight("Sign", 17) << PadRight("Degrees", 13) << PadRight("Nakshatra", 19)
        << PadRight("Pada", 6) << "Lord\n";
    for (const BodyDetail& row : details.rows) {
        out << PadRight(row.name + (row.retrograde ? " (R)" : ""), 19) << PadRight(row.sign, 17)
            << PadRight(row.degrees, 13) << PadRight(row.nakshatra, 19) << PadRight(std::to_string(row.pada), 6)
            << row.lord << '\n';
    }
    out << "\nPada " << details.padaCount << "    Moon's own pada " << details.moonPada << '\n' << PadaSentence << '\n';
    out << "\nVimshottari dasha (* runs today)\n";
    out << "Balance at birth: " << BalanceText(details.balance) << '\n';
    const auto line = [&](const std::string& indent, const std::string& name, double start, double end, bool now) {
        out << (now ? '*' : ' ') << ' ' << PadRight(indent + name, 32) << PeriodDate(details, start) << "   "
            << PeriodDate(details, end) << '\n';
    };
    for (std::size_t m = 0; m < details.dashas.size(); ++m) {
        const app::DashaPeriod& maha = details.dashas[m];
        const bool mahaNow = static_cast<int>(m) == details.today.maha;
        line("", maha.Lord, maha.StartJD, maha.EndJD, mahaNow);
        for (std::size_t a = 0; a < maha.Antardasha.size(); ++a) {
            const app::DashaPeriod& antar = maha.Antardasha[a];
            const bool antarNow = mahaNow && static_cast<int>(a) == details.today.antar;
            line("  ", maha.Lord + " / " + antar.Lord, antar.StartJD, antar.EndJD, antarNow);
            if (!antarNow || !withPratyantar) continue;
            for (std::size_t p = 0; p < details.pratyantardashas.size(); ++p) {
                const app::DashaPeriod& part = details.pratyantardashas[p];
                line("    ", maha.Lord + " / " + antar.Lord + " / " + part.Lord, part.StartJD, part.EndJD,
                     static_cast<int>(p) == details.today.pratyantar);
            }
        }
    }
    if (!details.panchanga.empty()) {
        out << '\n';
        for (const std::string& panchangaLine : details.panchanga) out << panchangaLine << '\n';
    }
    return out.str();
}

}  // namespace charttext
