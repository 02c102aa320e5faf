#include "velorin-chart/ChartOptions.h"

#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "app/ZoneTable.h"
#include "astro/DecimalDigits.h"
#include "velorin-chart/TextOutput.h"

namespace velorin_chart {

const char* const UsageText =
    "usage: velorin-chart --name TEXT --date YYYY-MM-DD --time H:MM --zone N\n"
    "                     --lat D:M{N|S} --lon D:M{E|W} [--dst]\n"
    "                     --city TEXT --state TEXT --country TEXT [--format text|json|chart]\n"
    "       velorin-chart --open FILE.vrc [--format ...]   birth data from a chart file\n"
    "  and with either: [--save FILE.vrc] [--export FILE.txt] [--image FILE.jpg]\n"
    "       [--varga 1|2|3|7|9|10|12] the divisional chart --format chart draws and text lists\n"
    "       [--style south|north]     the square of --format chart\n"
    "       [--check]                 the chart beside the sky at the birth instant\n"
    "       [--sky]                   the chart made from the sky's positions at the true birth\n"
    "                                  instant instead of the chart's own rules (says so)\n"
    "       [--node mean|true]        with --sky, Rahu and Ketu on the mean or the true node\n"
    "       [--dasha-year 365.25|365.2425|365.25636|360]  the days of a dasha year\n"
    "       [--sections vargas,dasha,check|none]  the JSON's optional parts (default: vargas,dasha\n"
    "                                  and check with --check)\n"
    "       --lat and --lon also take decimal degrees (28.6139, -77.2090: south and west negative)\n"
    "       velorin-chart --place TEXT --date ... --time ... [--name ...]   the place from the atlas\n"
    "                                  (\"Pune\", \"London, England\"): coordinates, city, state, country,\n"
    "                                  zone and daylight saving for that date and time; options\n"
    "                                  given by hand override what it fills in\n"
    "       [--tz Area/City]           the zone and daylight saving alone, from the time-zone\n"
    "                                  history (with --lat and --lon)\n"
    "       velorin-chart --place TEXT --place-list --date ... --time ...   the places that match\n"
    "       velorin-chart --batch FILE|- [--jobs N] [--check]   one birth a line as a JSON object of the\n"
    "                                  long option names, one JSON chart a line out\n"
    "       velorin-chart --zones      list the time zones (N is the position; a zone's\n"
    "                                  abbreviation such as IST also names it)\n"
    "       velorin-chart --help | -h     this text\n"
    "       velorin-chart --version | -V  the program's version\n"
    "With no birth data it prints an example chart.\n";

namespace {

const std::set<std::string> ValueOptions = {"--name",   "--date",   "--time",   "--zone", "--lat",
                                            "--lon",    "--city",   "--state",  "--country", "--format",
                                            "--open",   "--save",   "--export", "--image", "--batch", "--jobs", "--varga", "--style",
                                            "--dasha-year", "--place", "--tz", "--sections", "--node"};
const std::set<std::string> BirthOptions = {"--name", "--date",  "--time",    "--zone", "--lat", "--lon",
                                            "--city", "--state", "--country", "--dst",  "--place", "--tz", "--place-list"};
const std::set<std::string> FlagOptions = {"--dst", "--zones", "--help", "--version", "--check", "--place-list", "--sky"};

// Short spellings of the flags every command-line tool knows.
const std::map<std::string, std::string> ShortOptions = {{"-h", "--help"}, {"-V", "--version"}};

// The zone given as its list position or as the abbreviation of exactly one row.
std::optional<int> zonePosition(const std::string& text, std::string& problem) {
    if (const auto position = astro::ParseDigits(text, 1, 2); position && *position < app::ZoneCount) return position;
    std::vector<int> matches;
    for (int k = 0; k < app::ZoneCount; ++k) {
        if (app::ZoneAbbreviation(app::ZoneTable[static_cast<std::size_t>(k)]) == text) matches.push_back(k);
    }
    if (matches.size() == 1) return matches[0];
    if (matches.empty()) {
        problem = "expected a zone position 0..70 or a zone's abbreviation such as IST (see --zones), got '" + ShownOnTerminal(text) + "'";
    } else {
        problem = "'" + ShownOnTerminal(text) + "' names several zones:";
        for (int k : matches) {
            problem += " " + std::to_string(k) + " (" + std::string(app::ZoneTable[static_cast<std::size_t>(k)].name) + ")";
        }
        problem += "; give the position";
    }
    return std::nullopt;
}

// "--opt: why", the option as the terminal may show it (an unknown one is the user's text).
std::string usageError(const std::string& option, const std::string& why) { return ShownOnTerminal(option) + ": " + why; }

// Decimal degrees ("28.6139", "-77.2090", "-77") up to `most`, rounded to
// the nearest minute: negative is south or west.
bool parseDecimalCoordinate(const std::string& value, int most, std::string& degrees, std::string& minutes,
                            bool& isPositive, bool& isNegative) {
    const bool negative = !value.empty() && value.front() == '-';
    const std::string number = negative || (!value.empty() && value.front() == '+') ? value.substr(1) : value;
    const std::size_t point = number.find('.');
    const std::string whole = number.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : number.substr(point + 1);
    if (whole.empty() || whole.size() > 3 || !app::DigitsBoxAcceptsText(whole) || fraction.size() > 9 ||
        !app::DigitsBoxAcceptsText(fraction) || (point != std::string::npos && fraction.empty())) {
        return false;
    }
    // Whole minutes from the digits themselves, so that nothing depends on binary rounding.
    long long scale = 1, fractionValue = 0;
    for (const char digit : fraction) {
        scale *= 10;
        fractionValue = fractionValue * 10 + (digit - '0');
    }
    const long long totalMinutes = std::stoll(whole) * 60 + (fractionValue * 60 * 2 + scale) / (2 * scale);
    if (totalMinutes > static_cast<long long>(most) * 60) return false;
    degrees = std::to_string(totalMinutes / 60);
    minutes = std::to_string(totalMinutes % 60);
    isPositive = !negative || totalMinutes == 0;
    isNegative = !isPositive;
    return true;
}

// "D:M" with an optional direction letter; degrees and minutes of up to three
// digits each may be empty (the input checks report that). Without a colon,
// decimal degrees up to `most`.
bool parseCoordinate(const std::string& value, char positive, char negative, int most, std::string& degrees,
                     std::string& minutes, bool& isPositive, bool& isNegative) {
    const std::size_t colon = value.find(':');
    if (colon == std::string::npos) return parseDecimalCoordinate(value, most, degrees, minutes, isPositive, isNegative);
    std::string rest = value.substr(colon + 1);
    isPositive = isNegative = false;
    if (!rest.empty() && (rest.back() == positive || rest.back() == negative)) {
        (rest.back() == positive ? isPositive : isNegative) = true;
        rest.pop_back();
    }
    degrees = value.substr(0, colon);
    minutes = rest;
    return degrees.size() <= 3 && minutes.size() <= 3 && app::DigitsBoxAcceptsText(degrees) &&
           app::DigitsBoxAcceptsText(minutes);
}

}  // namespace

std::vector<std::string> KnownOptions() {
    std::vector<std::string> options(ValueOptions.begin(), ValueOptions.end());
    options.insert(options.end(), FlagOptions.begin(), FlagOptions.end());
    return options;
}

app::BirthFormValues ExampleBirth() {
    app::BirthFormValues form;
    form.txtName = "Example Chart";
    form.cboDate = 15 - 1;
    form.cboMonth = 5 - 1;
    form.cboYear = 1990 - app::FirstListYear;
    form.cboHour = 10;
    form.cboMinute = 30;
    form.cboTimeZone = app::ZonePositionOf("IST");
    form.txtLatDeg = "28";
    form.txtLatMin = "36";
    form.txtLonDeg = "77";
    form.txtLonMin = "12";
    form.txtCity = "New Delhi";
    form.txtState = "Delhi";
    form.txtCountry = "India";
    return form;
}

namespace {

// What the arguments give: the value of each value option, the flags set.
struct GivenOptions {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool has(const std::string& option) const { return values.count(option) > 0 || flags.count(option) > 0; }
    const std::string* value(const std::string& option) const {
        const auto it = values.find(option);
        return it == values.end() ? nullptr : &it->second;
    }
};

// A usage error ("--opt: why"), or nothing when all is well.
using Problem = std::optional<std::string>;

Problem collectOptions(const std::vector<std::string>& args, GivenOptions& given) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        if (const auto shortOption = ShortOptions.find(option); shortOption != ShortOptions.end()) {
            option = shortOption->second;
        }
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = option.find('='); option.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = option.substr(eq + 1);
            option.resize(eq);
        }
        if (ValueOptions.count(option)) {
            if (given.values.count(option)) return usageError(option, "given more than once");
            if (inlineValue) {
                given.values[option] = *inlineValue;
            } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                // A following option is never taken as the value: "--city --dst"
                // lacks its city ("--city=--odd" gives a value that begins so).
                given.values[option] = args[++i];
            } else {
                return usageError(option, "needs a value");
            }
        } else if (FlagOptions.count(option)) {
            if (inlineValue) return usageError(option, "takes no value");
            if (given.flags.count(option)) return usageError(option, "given more than once");
            given.flags.insert(option);
        } else {
            return usageError(option, "unknown option");
        }
    }
    return std::nullopt;
}

// The files, the format and the drawing asked for.
Problem outputOptions(const GivenOptions& given, ChartOptions& opts) {
    for (const auto& [option, target] : {std::pair{"--open", &opts.openPath}, std::pair{"--save", &opts.savePath},
                                         std::pair{"--export", &opts.exportPath}, std::pair{"--image", &opts.imagePath}}) {
        if (const std::string* file = given.value(option)) {
            if (file->empty()) return usageError(option, "needs a file name");
            *target = *file;
        }
    }
    if (const std::string* format = given.value("--format")) {
        opts.formatGiven = true;
        if (*format == "text") opts.format = OutputFormat::Text;
        else if (*format == "json") opts.format = OutputFormat::Json;
        else if (*format == "chart") opts.format = OutputFormat::Chart;
        else return usageError("--format", "must be text, json or chart");
    }
    if (const std::string* varga = given.value("--varga")) {
        const auto division = astro::ParseDigits(*varga, 1, 2);
        const std::set<int> known = {1, 2, 3, 7, 9, 10, 12};
        if (!division || !known.count(*division)) return usageError("--varga", "must be 1, 2, 3, 7, 9, 10 or 12");
        opts.varga = *division;
    }
    if (const std::string* year = given.value("--dasha-year")) {
        const std::pair<const char*, double> lengths[] = {
            {"365.25", 365.25}, {"365.2425", 365.2425}, {"365.25636", 365.25636}, {"360", 360.0}};
        bool known = false;
        for (const auto& [text, days] : lengths) {
            if (*year == text) {
                opts.dashaYear = days;
                known = true;
            }
        }
        if (!known) return usageError("--dasha-year", "must be 365.25, 365.2425, 365.25636 or 360");
    }
    if (const std::string* style = given.value("--style")) {
        if (*style != "north" && *style != "south") return usageError("--style", "must be north or south");
        opts.northStyle = *style == "north";
    }
    bool sectionsCheck = false;
    if (const std::string* sections = given.value("--sections")) {
        opts.vargas = opts.dasha = false;
        opts.sectionsText = *sections;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = sections->find(',', start);
            const std::string part = sections->substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (part == "vargas") opts.vargas = true;
            else if (part == "dasha") opts.dasha = true;
            else if (part == "check") sectionsCheck = true;
            else if (part != "none" || *sections != "none") {
                return usageError("--sections", "expected a list of vargas, dasha and check, or none, got '" +
                                                    ShownOnTerminal(*sections) + "'");
            }
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        if (given.flags.count("--check") && !sectionsCheck) {
            return usageError("--check", "--sections leaves the check out; add check to it");
        }
    }
    if (given.flags.count("--sky")) {
#ifdef VELORIN_WITH_CHECK
        opts.sky = true;
#else
        return usageError("--sky", "is not available in this build (it needs the ERFA library)");
#endif
    }
    if (const std::string* node = given.value("--node")) {
        if (*node != "mean" && *node != "true") return usageError("--node", "must be mean or true");
        if (!opts.sky) return usageError("--node", "goes with --sky (the chart's own node is its rule's)");
        opts.trueNode = *node == "true";
    }
    if (given.flags.count("--check") || sectionsCheck) {
#ifdef VELORIN_WITH_CHECK
        opts.check = true;
#else
        return usageError(given.flags.count("--check") ? "--check" : "--sections",
                          "the check is not available in this build (it needs the ERFA library)");
#endif
    }
    return std::nullopt;
}

// --batch and --jobs: nothing else but --format json goes with them.
Problem batchOptions(const GivenOptions& given, ChartOptions& opts) {
    if (const std::string* jobs = given.value("--jobs")) {
        const auto count = astro::ParseDigits(*jobs, 1, 3);
        if (!count || *count < 1) return usageError("--jobs", "expected a number of threads 1..999");
        if (!given.values.count("--batch")) return usageError("--jobs", "goes with --batch");
        opts.jobs = static_cast<unsigned>(*count);
    }
    const std::string* batch = given.value("--batch");
    if (!batch) return std::nullopt;
    if (batch->empty()) return usageError("--batch", "needs a file name, or - for standard input");
    for (const auto& [option, value] : given.values) {
        if (option != "--batch" && option != "--jobs" && option != "--sections" && !(option == "--format" && value == "json")) {
            return usageError("--batch", "takes its births from its lines; " + option + " cannot go with it");
        }
    }
    for (const char* flag : {"--dst", "--zones", "--sky", "--place-list"}) {
        if (given.flags.count(flag)) {
            return usageError("--batch", std::string("takes its births from its lines; ") + flag + " cannot go with it");
        }
    }
    opts.command = Command::Batch;
    opts.batchPath = *batch;
    return std::nullopt;
}

Problem dateOption(const std::string& date, app::BirthFormValues& form) {
    const auto year =
        date.size() == 10 && date[4] == '-' && date[7] == '-' ? astro::ParseDigits(date.substr(0, 4), 4, 4) : std::nullopt;
    const auto month = year ? astro::ParseDigits(date.substr(5, 2), 2, 2) : std::nullopt;
    const auto day = month ? astro::ParseDigits(date.substr(8, 2), 2, 2) : std::nullopt;
    if (!day) return usageError("--date", "expected YYYY-MM-DD, got '" + ShownOnTerminal(date) + "'");
    if (*year < app::FirstListYear || *year >= app::FirstListYear + app::YearListSize) {
        return usageError("--date", "the year must lie between 1901 and 2050");
    }
    if (*month < 1 || *month > 12) return usageError("--date", "the month must lie between 01 and 12");
    if (*day < 1 || *day > 31) return usageError("--date", "the day must lie between 01 and 31");
    form.cboYear = *year - app::FirstListYear;
    form.cboMonth = *month - 1;
    form.cboDate = *day - 1;
    return std::nullopt;
}

Problem timeOption(const std::string& time, app::BirthFormValues& form) {
    const std::size_t colon = time.find(':');
    const auto hour = colon != std::string::npos ? astro::ParseDigits(time.substr(0, colon), 1, 2) : std::nullopt;
    const auto minute = hour ? astro::ParseDigits(time.substr(colon + 1), 1, 2) : std::nullopt;
    if (!minute) return usageError("--time", "expected H:MM, got '" + ShownOnTerminal(time) + "'");
    if (*hour > 24 || *minute > 59) return usageError("--time", "the hour must be 0..24 and the minute 0..59");
    form.cboHour = *hour;
    form.cboMinute = *minute;
    return std::nullopt;
}

// The birth data options, into the entry form as the form would hold them.
Problem birthOptions(const GivenOptions& given, app::BirthFormValues& form) {
    // The date, time and zone lists always show a value on the form; here they
    // must be given, so that nothing is guessed.
    // The atlas gives the zone (and with --place the coordinates) instead.
    const bool atlasZone = given.has("--place") || given.has("--tz");
    for (const char* required : {"--date", "--time", "--zone"}) {
        if (!given.values.count(required) && !(atlasZone && std::string_view(required) == "--zone")) {
            return usageError(required, "is required");
        }
    }
    if (Problem problem = dateOption(*given.value("--date"), form)) return problem;
    if (Problem problem = timeOption(*given.value("--time"), form)) return problem;
    if (const std::string* zoneText = given.value("--zone")) {
        std::string zoneProblem;
        const auto zone = zonePosition(*zoneText, zoneProblem);
        if (!zone) return usageError("--zone", zoneProblem);
        form.cboTimeZone = *zone;
    }
    if (const std::string* lat = given.value("--lat")) {
        if (!parseCoordinate(*lat, 'N', 'S', 90, form.txtLatDeg, form.txtLatMin, form.optLatNorth, form.optLatSouth)) {
            return usageError("--lat", "expected D:M followed by N or S, or decimal degrees up to 90 (south negative), got '" +
                                           ShownOnTerminal(*lat) + "'");
        }
    }
    if (const std::string* lon = given.value("--lon")) {
        if (!parseCoordinate(*lon, 'E', 'W', 180, form.txtLonDeg, form.txtLonMin, form.optLongEast, form.optLongWest)) {
            return usageError("--lon", "expected D:M followed by E or W, or decimal degrees up to 180 (west negative), got '" +
                                           ShownOnTerminal(*lon) + "'");
        }
    }
    // The texts the entry form would take: UTF-8, no control character, not too long.
    const std::pair<const char*, std::string*> texts[] = {
        {"--name", &form.txtName}, {"--city", &form.txtCity}, {"--state", &form.txtState}, {"--country", &form.txtCountry}};
    for (const auto& [option, box] : texts) {
        const std::string* text = given.value(option);
        if (!text) continue;
        if (auto problem = app::TextFieldProblem(*text)) return usageError(option, *problem);
    }
    for (const auto& [option, box] : texts) {
        const std::string* text = given.value(option);
        *box = text ? *text : std::string();
    }
    form.chkDST = given.flags.count("--dst") > 0;
    return std::nullopt;
}

// --place, --tz and --place-list, and which birth options the user gave.
Problem atlasOptions(const GivenOptions& given, ChartOptions& opts) {
    const std::string* place = given.value("--place");
    const std::string* zone = given.value("--tz");
    if (!place && !zone) {
        if (given.has("--place-list")) return usageError("--place-list", "goes with --place");
        return std::nullopt;
    }
    for (const std::string& option : BirthOptions) {
        if (given.has(option)) opts.givenByHand.insert(option);
    }
#ifndef VELORIN_ATLAS_BUILT
    return usageError(place ? "--place" : "--tz", "is not available in this build (it needs the atlas: the geonames and tz libraries)");
#else
    if (place) {
        if (auto problem = app::TextFieldProblem(*place)) return usageError("--place", *problem);
        opts.placeQuery = *place;
    }
    if (zone) {
        for (const char c : *zone) {
            const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                 c == '/' || c == '_' || c == '-' || c == '+';
            if (!allowed) return usageError("--tz", "expected a time zone such as Asia/Kolkata, got '" + ShownOnTerminal(*zone) + "'");
        }
        if (zone->empty() || zone->size() > 64) return usageError("--tz", "expected a time zone such as Asia/Kolkata");
        opts.timeZoneName = *zone;
        if (!place && !given.has("--lon")) return usageError("--tz", "needs --lon (or --place): the zone row depends on the side of Greenwich");
    }
    opts.placeList = given.has("--place-list");
    if (opts.placeList) {
        if (!place) return usageError("--place-list", "goes with --place");
        opts.command = Command::PlaceList;
    }
    return std::nullopt;
#endif
}

}  // namespace

ParseResult ParseChartOptions(const std::vector<std::string>& args) {
    ParseResult result;
    const auto refused = [](const Problem& problem) { return ParseResult{{}, *problem}; };
    GivenOptions given;
    if (Problem problem = collectOptions(args, given)) return refused(problem);
    ChartOptions& opts = result.options;
    if (Problem problem = outputOptions(given, opts)) return refused(problem);
    if (given.flags.count("--help")) {
        opts.command = Command::Help;
        return result;
    }
    if (given.flags.count("--version")) {
        opts.command = Command::Version;
        return result;
    }
    if (Problem problem = batchOptions(given, opts)) return refused(problem);
    if (opts.command == Command::Batch) return result;
    if (given.flags.count("--zones")) {
        opts.command = Command::Zones;
        return result;
    }

    bool anyBirthOption = false;
    for (const std::string& option : BirthOptions) anyBirthOption = anyBirthOption || given.has(option);
    if (!opts.openPath.empty()) {
        if (anyBirthOption) return refused(usageError("--open", "cannot be combined with birth data options"));
        opts.command = Command::Chart;
        return result;  // the form is filled from the file
    }
    if (!anyBirthOption) {
        // The example is shown only when nothing at all is asked for: files
        // are written of a birth the user gave.
        for (const char* file : {"--save", "--export", "--image"}) {
            if (given.values.count(file)) return refused(usageError(file, "needs birth data options or --open"));
        }
        opts.command = Command::Example;
        opts.form = ExampleBirth();
        return result;
    }
    opts.command = Command::Chart;
    if (Problem problem = atlasOptions(given, opts)) return refused(problem);
    if (Problem problem = birthOptions(given, opts.form)) return refused(problem);
    return result;
}

}  // namespace velorin_chart
