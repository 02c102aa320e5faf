#include "charttext/DerivedText.h"

#include <sstream>

#include "app/DivisionalCharts.h"
#include "app/ZoneTable.h"
#include "charttext/SquareCharts.h"
#include "charttext/TextLayout.h"

namespace charttext {

std::string FormatDerivedText(const app::ChartRecord& r, int varga, double yearDays) {
    const double moon = r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)];
    std::ostringstream out;
    out << "\nMoon's pada: " << app::MoonPada(moon) << '\n';
    if (varga != 1) {
        const std::array<int, astro::BodyCount> signs = app::DivisionalSigns(varga, r);
        out << '\n' << VargaName(varga) << '\n';
        for (std::size_t b = 0; b < signs.size(); ++b) {
            const int sign = signs[b];
            out << PadRight(r.bodies.PlanetNameEnglish[b], 11)
                << (sign >= 0 ? std::string(app::SignAbbrev[static_cast<std::size_t>(sign)]) : std::string("-")) << '\n';
        }
    }
    out << "\nVimshottari dasha     from         to\n";
    const app::DashaInstant birth = app::DashaInstantOf(r);
    const auto date = [&birth](double julianDay) { return app::DashaCivilDate(julianDay, birth); };
    for (const app::DashaPeriod& maha : app::VimshottariDashas(moon, birth.julianDay, yearDays)) {
        out << PadRight(maha.Lord, 22) << date(maha.StartJD) << "   " << date(maha.EndJD) << '\n';
        for (const app::DashaPeriod& antar : maha.Antardasha) {
            out << "  " << PadRight(maha.Lord + " / " + antar.Lord, 20) << date(antar.StartJD) << "   "
                << date(antar.EndJD) << '\n';
        }
    }
    return out.str();
}

}  // namespace charttext
