#include "app/BirthForm.h"

#include "app/ZoneTable.h"
#include "astro/Utf8Text.h"

#include <algorithm>
#include <cstdlib>

namespace app {

namespace {

InputProblem errorAt(int check, std::string_view message, FormControl focus) {
    return InputProblem{check, std::string(message), MessageIcon::Error, focus, OptionToSelect::None};
}

}  // namespace

std::string_view MonthNameOf(int month) {
    return month >= 1 && month <= 12 ? MonthNames[static_cast<std::size_t>(month - 1)] : std::string_view();
}

MonthNameTable EnglishMonthNames() {
    MonthNameTable names;
    for (std::size_t m = 0; m < names.size(); ++m) names[m] = std::string(MonthNames[m]);
    return names;
}

std::string MonthNameIn(const MonthNameTable& names, int month) {
    return month >= 1 && month <= 12 ? names[static_cast<std::size_t>(month - 1)] : std::string();
}

int DateRuleCheck(int monthPosition, int dayPosition, int year) {
    const bool leapYear = year % 4 == 0;  // no century rule: it agrees with the calendar for 1901..2050
    if (monthPosition == 1) {
        if (leapYear ? dayPosition >= 29 : dayPosition >= 28) return 11;
        return 0;
    }
    const bool thirtyDayMonth = monthPosition == 3 || monthPosition == 5 || monthPosition == 8 || monthPosition == 10;
    if (thirtyDayMonth && dayPosition == 30) return 12;
    return 0;
}

std::optional<InputProblem> ValidateInput(const BirthFormValues& form) {
    if (form.txtName.empty()) return errorAt(1, "Please Enter Your Name", FormControl::txtName);
    if (form.txtLatDeg.empty()) return errorAt(2, "Please Enter Degree of Latitude", FormControl::txtLatDeg);
    if (form.txtLatMin.empty()) return errorAt(3, "Please Enter Minutes of Latitude", FormControl::txtLatMin);
    if (form.txtLonDeg.empty()) return errorAt(4, "Please Enter Degree of Longitude", FormControl::txtLonDeg);
    if (form.txtLonMin.empty()) return errorAt(5, "Please Enter Minute of Longitude", FormControl::txtLonMin);
    if (form.txtCity.empty()) return errorAt(6, "Please Enter Your City name", FormControl::txtCity);
    if (form.txtState.empty()) return errorAt(7, "Please Enter Your State name", FormControl::txtState);
    if (form.txtCountry.empty()) return errorAt(8, "Please Enter Your Country name", FormControl::txtCountry);
    if (!form.optLatNorth && !form.optLatSouth) {
        InputProblem p = errorAt(9, "Please Select Direction For The Latitude", FormControl::None);
        p.select = OptionToSelect::LatitudeNorth;
        return p;
    }
    if (!form.optLongEast && !form.optLongWest) {
        InputProblem p = errorAt(10, "Please Select Direction For The Longitude", FormControl::None);
        p.select = OptionToSelect::LongitudeEast;
        return p;
    }
    switch (DateRuleCheck(form.cboMonth, form.cboDate, FirstListYear + form.cboYear)) {
        case 11:
            return InputProblem{11, "Please Enter Correct Date Or Month!", MessageIcon::Information, FormControl::None,
                                OptionToSelect::None};
        case 12:
            return InputProblem{12, "Please Enter Correct Date Or Month !", MessageIcon::Information,
                                FormControl::None, OptionToSelect::None};
        default:
            return std::nullopt;
    }
}

static_assert(MaxTextLength == 1024, "TooLongMessage names the bound");

bool IsControlCharacter(char32_t code) { return code < 32 || (code >= 127 && code <= 159); }

std::optional<std::string> TextFieldProblem(std::string_view text) {
    if (!astro::IsValidUtf8(text)) return std::string("is not valid UTF-8 text");
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // The text is valid UTF-8 here: a C1 control U+0080..U+009F is C2 80 .. C2 9F.
        const bool c1 = byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (byte < 32 || byte == 127 || c1) return std::string("contains a control character");
    }
    if (astro::CharCount(text) > MaxTextLength) {
        return "is longer than " + std::to_string(MaxTextLength) + " characters";
    }
    return std::nullopt;
}

bool LettersBoxAccepts(char32_t code) {
    return (code >= 65 && code <= 90) || (code >= 97 && code <= 122) || code == 32 || code == 8 || code == 127;
}

bool DigitsBoxAccepts(char32_t code) {
    return (code >= 48 && code <= 57) || code == 8 || code == 127;
}

bool LettersBoxAcceptsText(std::string_view text) {
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code == 8 || code == 127 || !LettersBoxAccepts(code)) return false;
    }
    return true;
}

bool DigitsBoxAcceptsText(std::string_view text) {
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < '0' || code > '9') return false;
    }
    return true;
}

std::string ZoneSideHint(const BirthFormValues& form) {
    if (form.cboTimeZone < 0 || form.cboTimeZone >= ZoneCount) return {};
    const ZoneRow& zone = ZoneTable[static_cast<std::size_t>(form.cboTimeZone)];
    const int zoneMinutes = zone.hours * 60 + zone.minutes;  // to add to local time: negative east of Greenwich
    if (zoneMinutes == 0) return {};
    const bool zoneEast = zoneMinutes < 0;
    if (form.txtLonDeg.empty() && form.txtLonMin.empty()) return {};  // no place yet
    const bool longitudeZero = std::all_of(form.txtLonDeg.begin(), form.txtLonDeg.end(), [](char c) { return c == '0'; }) &&
                               std::all_of(form.txtLonMin.begin(), form.txtLonMin.end(), [](char c) { return c == '0'; });
    const bool placeEast = form.optLongEast && !longitudeZero;
    if (zoneEast == placeEast) return {};
    // Zones are whole or half hours: twice the size is a whole number of hours.
    const int hoursOff = std::abs(zoneMinutes) * 2 / 60;
    return "The Ascendant and Moon will be about " + std::to_string(hoursOff) + (hoursOff == 1 ? " hour" : " hours") +
           " off: this zone is " + (zoneEast ? "east" : "west") + " of Greenwich, the place " +
           (placeEast ? "east" : "west") + ". Choose a zone on the place's side, or Universal Time with the time converted.";
}

CoordinateLookup BuildCoordinateSearch(const BirthFormValues& form) {
    CoordinateLookup lookup;
    if (form.txtCity.empty()) {
        lookup.problem = errorAt(1, "Please Enter City", FormControl::txtCity);
    } else if (form.txtState.empty()) {
        lookup.problem = errorAt(2, "Please Enter State", FormControl::txtState);
    } else if (form.txtCountry.empty()) {
        lookup.problem = errorAt(3, "Please Enter Country", FormControl::txtCountry);
    } else {
        lookup.phrase = form.txtCity + " " + form.txtState + " " + form.txtCountry + " Latitude Longitude";
    }
    return lookup;
}

}  // namespace app
