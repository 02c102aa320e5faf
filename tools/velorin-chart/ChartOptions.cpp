#include "velorin-chart/ChartOptions.h"

#include <algorithm>
#include <array>
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
    "  and with either: [--save FILE.vrc] [--export FILE.txt] [--image FILE.jpg] [--pdf FILE.pdf]\n"
    "       [--varga 1|2|3|7|9|10|12] the divisional chart --format chart and --image draw and text lists\n"
    "       [--style south|north]     the square of --format chart and --image\n"
    "       --pdf writes the chart window, the Vedic details and the Navamsa square (never over a file)\n"
    "       [--check]                 the chart beside the sky at the birth instant\n"
    "       [--sky]                   the chart made from the sky's positions at the true birth\n"
    "                                  instant instead of the chart's own rules (says so)\n"
    "       [--node mean|true]        with --sky, Rahu and Ketu on the mean or the true node\n"
    "       [--panchanga]             the birth's tithi, vara, nakshatra, yoga and karana with the\n"
    "                                  instants they end, sunrise and sunset (from the sky's positions)\n"
    "       [--panchanga-positions sky|chart]  with --panchanga, the chart's own Sun and Moon instead\n"
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
    "       [--batch-input csv|jsonl]  CSV with a header row of option names (the default for a .csv file)\n"
    "       [--format csv]             a summary table a spreadsheet opens, a row a line, instead of JSON\n"
    "       velorin-chart --zones      list the time zones (N is the position; a zone's\n"
    "                                  abbreviation such as IST also names it)\n"
    "       velorin-chart --help | -h     this text\n"
    "       velorin-chart --version | -V  the program's version\n"
    "With no birth data it prints an example chart.\n";

namespace {

// Every option: its spelling, whether it takes a value, and whether it is a
// birth data option. Kept in the order of the spellings, which is the order
// problems with several options are reported in.
struct OptionSpec {
    std::string_view name;
    bool takesValue;
    bool birth;
};
constexpr std::array<OptionSpec, 34> Options = {{
    {"--batch", true, false},   {"--batch-input", true, false}, {"--check", false, false},    {"--city", true, true},      {"--country", true, true},
    {"--dasha-year", true, false}, {"--date", true, true},    {"--dst", false, true},      {"--export", true, false},
    {"--format", true, false},  {"--help", false, false},     {"--image", true, false},    {"--jobs", true, false},
    {"--lat", true, true},      {"--lon", true, true},        {"--name", true, true},      {"--node", true, false},
    {"--open", true, false},    {"--panchanga", false, false}, {"--panchanga-positions", true, false}, {"--pdf", true, false},
    {"--place", true, true},      {"--place-list", false, true}, {"--save", true, false},
    {"--sections", true, false}, {"--sky", false, false},     {"--state", true, true},     {"--style", true, false},
    {"--time", true, true},     {"--tz", true, true},         {"--varga", true, false},    {"--version", false, false},
    {"--zone", true, true},     {"--zones", false, false},
}};
static_assert([] {
    for (std::size_t i = 1; i < Options.size(); ++i) {
        if (!(Options[i - 1].name < Options[i].name)) return false;
    }
    return true;
}());

}  // namespace

bool IsOptionKey(std::string_view key) {
    return std::any_of(Options.begin(), Options.end(), [&](const OptionSpec& o) { return o.name.substr(2) == key; });
}

namespace {

// The position of an option in the table; an unknown spelling does not compile.
consteval std::size_t Id(std::string_view name) {
    for (std::size_t i = 0; i < Options.size(); ++i) {
        if (Options[i].name == name) return i;
    }
    throw "not an option";
}

// The position of a spelling given on the command line, or none.
std::optional<std::size_t> optionId(std::string_view name) {
    for (std::size_t i = 0; i < Options.size(); ++i) {
        if (Options[i].name == name) return i;
    }
    return std::nullopt;
}

// Short spellings of the flags every command-line tool knows.
std::string_view longSpelling(std::string_view option) {
    if (option == "-h") return "--help";
    if (option == "-V") return "--version";
    return option;
}

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
    std::vector<std::string> options;
    for (const OptionSpec& option : Options) options.emplace_back(option.name);
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

// What the arguments give: the value of each value option, the flags set;
// an option is named by its place in the table (Id("--name")).
struct GivenOptions {
    std::array<std::optional<std::string>, Options.size()> values;
    std::array<bool, Options.size()> flags{};

    bool has(std::size_t option) const { return values[option].has_value() || flags[option]; }
    bool flag(std::size_t option) const { return flags[option]; }
    const std::string* value(std::size_t option) const {
        return values[option] ? &*values[option] : nullptr;
    }
};

// A usage error ("--opt: why"), or nothing when all is well.
using Problem = std::optional<std::string>;

Problem collectOptions(const std::vector<std::string>& args, GivenOptions& given) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view option = longSpelling(args[i]);
        std::optional<std::string_view> inlineValue;
        if (const std::size_t eq = option.find('='); option.rfind("--", 0) == 0 && eq != std::string_view::npos) {
            inlineValue = option.substr(eq + 1);
            option = option.substr(0, eq);
        }
        const std::optional<std::size_t> id = optionId(option);
        if (!id) return usageError(std::string(option), "unknown option");
        if (Options[*id].takesValue) {
            if (given.values[*id]) return usageError(std::string(option), "given more than once");
            if (inlineValue) {
                given.values[*id] = std::string(*inlineValue);
            } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                // A following option is never taken as the value: "--city --dst"
                // lacks its city ("--city=--odd" gives a value that begins so).
                given.values[*id] = args[++i];
            } else {
                return usageError(std::string(option), "needs a value");
            }
        } else {
            if (inlineValue) return usageError(std::string(option), "takes no value");
            if (given.flags[*id]) return usageError(std::string(option), "given more than once");
            given.flags[*id] = true;
        }
    }
    return std::nullopt;
}

// The files, the format and the drawing asked for.
Problem outputOptions(const GivenOptions& given, ChartOptions& opts) {
    for (const auto& [option, target] : {std::pair{Id("--open"), &opts.openPath}, std::pair{Id("--save"), &opts.savePath},
                                         std::pair{Id("--export"), &opts.exportPath}, std::pair{Id("--image"), &opts.imagePath},
                                         std::pair{Id("--pdf"), &opts.pdfPath}}) {
        if (const std::string* file = given.value(option)) {
            if (file->empty()) return usageError(std::string(Options[option].name), "needs a file name");
            *target = *file;
        }
    }
    if (const std::string* format = given.value(Id("--format"))) {
        opts.formatGiven = true;
        if (*format == "text") opts.format = OutputFormat::Text;
        else if (*format == "json") opts.format = OutputFormat::Json;
        else if (*format == "chart") opts.format = OutputFormat::Chart;
        else if (*format == "csv" && given.value(Id("--batch"))) opts.format = OutputFormat::Csv;
        else if (*format == "csv") return usageError("--format", "csv is a batch's summary table: it goes with --batch");
        else return usageError("--format", "must be text, json or chart (or csv with --batch)");
    }
    if (const std::string* varga = given.value(Id("--varga"))) {
        const auto division = astro::ParseDigits(*varga, 1, 2);
        constexpr std::array known = {1, 2, 3, 7, 9, 10, 12};
        if (!division || std::find(known.begin(), known.end(), *division) == known.end()) return usageError("--varga", "must be 1, 2, 3, 7, 9, 10 or 12");
        opts.varga = *division;
    }
    if (const std::string* year = given.value(Id("--dasha-year"))) {
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
    if (const std::string* style = given.value(Id("--style"))) {
        if (*style != "north" && *style != "south") return usageError("--style", "must be north or south");
        opts.northStyle = *style == "north";
    }
    bool sectionsCheck = false;
    if (const std::string* sections = given.value(Id("--sections"))) {
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
        if (given.flag(Id("--check")) && !sectionsCheck) {
            return usageError("--check", "--sections leaves the check out; add check to it");
        }
    }
    if (given.flag(Id("--sky"))) {
#ifdef VELORIN_WITH_CHECK
        opts.sky = true;
#else
        return usageError("--sky", "is not available in this build (it needs the ERFA library)");
#endif
    }
    if (const std::string* node = given.value(Id("--node"))) {
        if (*node != "mean" && *node != "true") return usageError("--node", "must be mean or true");
        if (!opts.sky) return usageError("--node", "goes with --sky (the chart's own node is its rule's)");
        opts.trueNode = *node == "true";
    }
    if (given.flag(Id("--panchanga"))) {
#ifdef VELORIN_WITH_CHECK
        opts.panchanga = true;
#else
        return usageError("--panchanga", "is not available in this build (it needs the ERFA library)");
#endif
    }
    if (const std::string* positions = given.value(Id("--panchanga-positions"))) {
        if (*positions != "sky" && *positions != "chart") return usageError("--panchanga-positions", "must be sky or chart");
        if (!opts.panchanga) return usageError("--panchanga-positions", "goes with --panchanga");
        if (*positions == "chart" && opts.sky) {
            return usageError("--panchanga-positions", "chart cannot go with --sky (the chart then shows the sky's positions)");
        }
        opts.panchangaChart = *positions == "chart";
    }
    if (given.flag(Id("--check")) || sectionsCheck) {
#ifdef VELORIN_WITH_CHECK
        opts.check = true;
#else
        return usageError(given.flag(Id("--check")) ? "--check" : "--sections",
                          "the check is not available in this build (it needs the ERFA library)");
#endif
    }
    return std::nullopt;
}

// --batch and --jobs: nothing else but --format json goes with them.
Problem batchOptions(const GivenOptions& given, ChartOptions& opts) {
    if (given.value(Id("--batch-input")) && !given.value(Id("--batch"))) return usageError("--batch-input", "goes with --batch");
    if (const std::string* jobs = given.value(Id("--jobs"))) {
        const auto count = astro::ParseDigits(*jobs, 1, 3);
        if (!count || *count < 1) return usageError("--jobs", "expected a number of threads 1..999");
        if (!given.value(Id("--batch"))) return usageError("--jobs", "goes with --batch");
        opts.jobs = static_cast<unsigned>(*count);
    }
    const std::string* batch = given.value(Id("--batch"));
    if (!batch) return std::nullopt;
    if (batch->empty()) return usageError("--batch", "needs a file name, or - for standard input");
    for (std::size_t option = 0; option < Options.size(); ++option) {
        const std::string* value = given.value(option);
        if (value && option != Id("--batch") && option != Id("--batch-input") && option != Id("--jobs") && option != Id("--sections") &&
            !(option == Id("--format") && (*value == "json" || *value == "csv"))) {
            return usageError("--batch", "takes its births from its lines; " + std::string(Options[option].name) +
                                             " cannot go with it");
        }
    }
    for (const std::size_t flag : {Id("--dst"), Id("--zones"), Id("--sky"), Id("--place-list")}) {
        if (given.flag(flag)) {
            return usageError("--batch", "takes its births from its lines; " + std::string(Options[flag].name) +
                                             " cannot go with it");
        }
    }
    opts.command = Command::Batch;
    opts.batchPath = *batch;
    // CSV by the file's extension, or for any input by --batch-input.
    std::string extension = batch->size() > 4 ? batch->substr(batch->size() - 4) : std::string();
    for (char& ch : extension) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    opts.batchCsv = extension == ".csv";
    if (const std::string* input = given.value(Id("--batch-input"))) {
        if (*input != "csv" && *input != "jsonl") return usageError("--batch-input", "must be csv or jsonl");
        opts.batchCsv = *input == "csv";
    }
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
    const bool atlasZone = given.has(Id("--place")) || given.has(Id("--tz"));
    for (const std::size_t required : {Id("--date"), Id("--time"), Id("--zone")}) {
        if (!given.value(required) && !(atlasZone && required == Id("--zone"))) {
            return usageError(std::string(Options[required].name), "is required");
        }
    }
    if (Problem problem = dateOption(*given.value(Id("--date")), form)) return problem;
    if (Problem problem = timeOption(*given.value(Id("--time")), form)) return problem;
    if (const std::string* zoneText = given.value(Id("--zone"))) {
        std::string zoneProblem;
        const auto zone = zonePosition(*zoneText, zoneProblem);
        if (!zone) return usageError("--zone", zoneProblem);
        form.cboTimeZone = *zone;
    }
    if (const std::string* lat = given.value(Id("--lat"))) {
        if (!parseCoordinate(*lat, 'N', 'S', 90, form.txtLatDeg, form.txtLatMin, form.optLatNorth, form.optLatSouth)) {
            return usageError("--lat", "expected D:M followed by N or S, or decimal degrees up to 90 (south negative), got '" +
                                           ShownOnTerminal(*lat) + "'");
        }
    }
    if (const std::string* lon = given.value(Id("--lon"))) {
        if (!parseCoordinate(*lon, 'E', 'W', 180, form.txtLonDeg, form.txtLonMin, form.optLongEast, form.optLongWest)) {
            return usageError("--lon", "expected D:M followed by E or W, or decimal degrees up to 180 (west negative), got '" +
                                           ShownOnTerminal(*lon) + "'");
        }
    }
    // The texts the entry form would take: UTF-8, no control character, not too long.
    const std::pair<std::size_t, std::string*> texts[] = {{Id("--name"), &form.txtName},
                                                          {Id("--city"), &form.txtCity},
                                                          {Id("--state"), &form.txtState},
                                                          {Id("--country"), &form.txtCountry}};
    for (const auto& [option, box] : texts) {
        const std::string* text = given.value(option);
        if (!text) continue;
        if (auto problem = app::TextFieldProblem(*text)) return usageError(std::string(Options[option].name), *problem);
    }
    for (const auto& [option, box] : texts) {
        const std::string* text = given.value(option);
        *box = text ? *text : std::string();
    }
    form.chkDST = given.flag(Id("--dst"));
    return std::nullopt;
}

// --place, --tz and --place-list, and which birth options the user gave.
Problem atlasOptions(const GivenOptions& given, ChartOptions& opts) {
    const std::string* place = given.value(Id("--place"));
    const std::string* zone = given.value(Id("--tz"));
    if (!place && !zone) {
        if (given.has(Id("--place-list"))) return usageError("--place-list", "goes with --place");
        return std::nullopt;
    }
    for (std::size_t option = 0; option < Options.size(); ++option) {
        if (Options[option].birth && given.has(option)) opts.givenByHand.emplace(Options[option].name);
    }
#ifndef VELORIN_ATLAS_BUILT
    return usageError(place ? "--place" : "--tz", "is not available in this build (it needs the atlas of places and time zones)");
#else
    if (place) {
        if (auto problem = app::TextFieldProblem(*place)) return usageError("--place", *problem);
        if (place->find_first_not_of(" ,") == std::string::npos) {
            return usageError("--place", "expected the name of a place, such as \"Pune\" or \"London, England\"");
        }
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
        if (!place && !given.has(Id("--lon"))) return usageError("--tz", "needs --lon (or --place): the zone row depends on the side of Greenwich");
    }
    opts.placeList = given.has(Id("--place-list"));
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
    if (given.flag(Id("--help"))) {
        opts.command = Command::Help;
        return result;
    }
    if (given.flag(Id("--version"))) {
        opts.command = Command::Version;
        return result;
    }
    if (Problem problem = batchOptions(given, opts)) return refused(problem);
    if (opts.command == Command::Batch) return result;
    if (given.flag(Id("--zones"))) {
        opts.command = Command::Zones;
        return result;
    }

    bool anyBirthOption = false;
    for (std::size_t option = 0; option < Options.size(); ++option) {
        anyBirthOption = anyBirthOption || (Options[option].birth && given.has(option));
    }
    if (!opts.openPath.empty()) {
        if (anyBirthOption) return refused(usageError("--open", "cannot be combined with birth data options"));
        opts.command = Command::Chart;
        return result;  // the form is filled from the file
    }
    if (!anyBirthOption) {
        // The example is shown only when nothing at all is asked for: files
        // are written of a birth the user gave.
        for (const std::size_t file : {Id("--save"), Id("--export"), Id("--image"), Id("--pdf")}) {
            if (given.value(file)) {
                return refused(usageError(std::string(Options[file].name), "needs birth data options or --open"));
            }
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
