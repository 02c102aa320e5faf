// Any argument vector for the command line (arguments separated by NUL bytes).
// Properties checked on every input:
//  - a refused vector gets a message that begins with what it refuses
//    ("--x: why");
//  - an accepted chart request leaves the entry form with every list at one
//    of its entries, coordinate boxes of at most three digits and at most one
//    direction chosen of each pair, and the texts as given;
//  - the calculation of such a form either reports a problem with a message,
//    or fills the record with the form's numbers and a sign in every position.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "velorin-chart/ChartOptions.h"
#include "velorin-chart/TextOutput.h"
#include "app/ChartCalculation.h"
#include "app/ZoneTable.h"
#include "astro/Utf8Text.h"

namespace {

void require(bool property) {
    if (!property) __builtin_trap();
}

bool inList(int position, int size) { return position >= 0 && position < size; }

bool coordinateBox(const std::string& text) {
    return text.size() <= app::CoordinateMaxLength && app::DigitsBoxAcceptsText(text);
}

// The value given for an option, as "--opt VALUE" or "--opt=VALUE".
std::string givenValue(const std::vector<std::string>& args, const std::string& option) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == option && i + 1 < args.size()) return args[i + 1];
        if (args[i].rfind(option + "=", 0) == 0) return args[i].substr(option.size() + 1);
    }
    return {};
}

void checkForm(const std::vector<std::string>& args, const app::BirthFormValues& form) {
    require(inList(form.cboDate, app::DayListSize) && inList(form.cboMonth, app::MonthListSize) &&
            inList(form.cboYear, app::YearListSize) && inList(form.cboHour, app::HourListSize) &&
            inList(form.cboMinute, app::MinuteListSize) && inList(form.cboTimeZone, app::ZoneCount));
    require(coordinateBox(form.txtLatDeg) && coordinateBox(form.txtLatMin) && coordinateBox(form.txtLonDeg) &&
            coordinateBox(form.txtLonMin));
    require(!(form.optLatNorth && form.optLatSouth) && !(form.optLongEast && form.optLongWest));
    require(form.txtName == givenValue(args, "--name") && form.txtCity == givenValue(args, "--city") &&
            form.txtState == givenValue(args, "--state") && form.txtCountry == givenValue(args, "--country"));
}

void checkCalculation(const app::BirthFormValues& form) {
    app::ChartSession session;
    const app::CalculationOutcome outcome = app::RunCalculation(form, session);
    if (!outcome.accepted()) {
        require(!outcome.problem->message.empty());
        return;
    }
    const app::ChartRecord& r = session.record;
    require(r.birth.BirthDay == form.cboDate + 1 && r.birth.BirthMonth == form.cboMonth + 1 &&
            r.birth.BirthYear == app::FirstListYear + form.cboYear && r.birth.BirthHour == form.cboHour &&
            r.birth.BirthMinute == form.cboMinute);
    const app::ZoneRow& zone = app::ZoneTable[static_cast<std::size_t>(form.cboTimeZone)];
    require(r.birth.ZoneHoursSigned == zone.hours && r.birth.ZoneMinutesSigned == zone.minutes);
    for (const std::string& position : r.bodies.PlanetPositionText) {
        require(app::SignIndexOf(astro::SubChars(position, 3, 3)) >= 0);
    }
    require(app::SignIndexOf(r.captions.AscSignAbbrev) >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() <= 64; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const velorin_chart::ParseResult parsed = velorin_chart::ParseChartOptions(args);
    if (!parsed.ok()) {
        // The message names the option: an argument given, or a required option.
        const std::string& message = parsed.usageError;
        const auto namedBy = [&message](const std::string& given) {
            const std::string name = velorin_chart::ShownOnTerminal(given);
            return message.size() > name.size() + 2 && message.compare(0, name.size() + 2, name + ": ") == 0;
        };
        bool named = message.rfind("--", 0) == 0 && message.find(": ") != std::string::npos;
        for (const std::string& arg : args) named = named || namedBy(arg) || namedBy(arg.substr(0, arg.find('=')));
        require(named);
        return 0;
    }
    if (parsed.options.command == velorin_chart::Command::Chart && parsed.options.openPath.empty()) {
        checkForm(args, parsed.options.form);
        checkCalculation(parsed.options.form);
    }
    return 0;
}
