#include "velorin-chart/MonthNames.h"

#include <cstdlib>
#include <ctime>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "astro/Utf8Text.h"

namespace velorin_chart {

app::MonthNameTable UserMonthNames() {
    app::MonthNameTable names = app::EnglishMonthNames();
    // The time locale's name as the C library looks it up; the C locale (and
    // its UTF-8 form) names the months in English, with nothing to load.
    std::string name;
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            name = value;
            break;
        }
    }
    if (name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return names;
    try {
        // The user's time category only: numbers stay in the classic format.
        const std::locale user(std::locale::classic(), name.c_str(), std::locale::time);
        const auto& writer = std::use_facet<std::time_put<char>>(user);
        app::MonthNameTable local;
        for (std::size_t month = 0; month < local.size(); ++month) {
            std::tm date{};
            date.tm_year = 100;
            date.tm_mon = static_cast<int>(month);
            date.tm_mday = 1;
            std::ostringstream out;
            out.imbue(user);
            // %OB: the name as it stands on its own, not inflected by a day.
            writer.put(std::ostreambuf_iterator<char>(out), out, ' ', &date, 'B', 'O');
            local[month] = out.str();
            if (local[month].empty() || !astro::IsValidUtf8(local[month])) return names;
        }
        names = local;
    } catch (const std::runtime_error&) {
        // A locale the system does not have: English names.
    }
    return names;
}

}  // namespace velorin_chart
