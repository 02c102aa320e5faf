// Entry forms and computed records for the tests of the chart's driver, files
// and outputs: the two births the tests share, and one way to change a date or
// compute a record.
#pragma once

#include <optional>

#include "app/BirthForm.h"
#include "app/ChartCalculation.h"

namespace testdata {

// The reference birth as the entry form holds it: Ravi, 15 May 1990, 10:30,
// Indian Time (list position 34), 28°36' North, 77°12' East, New Delhi.
inline app::BirthFormValues referenceForm() {
    app::BirthFormValues f;
    f.txtName = "Ravi";
    f.cboDate = 15 - 1;
    f.cboMonth = 5 - 1;
    f.cboYear = 1990 - app::FirstListYear;
    f.cboHour = 10;
    f.cboMinute = 30;
    f.cboTimeZone = 34;
    f.txtLatDeg = "28";
    f.txtLatMin = "36";
    f.txtLonDeg = "77";
    f.txtLonMin = "12";
    f.txtCity = "New Delhi";
    f.txtState = "Delhi";
    f.txtCountry = "India";
    return f;
}

// The second birth: abc, 5 March 1980, 14:07, Indian Time (list position
// 34), 73°51' East, 18°31' North, no daylight saving, Pune, Maharashtra, India.
inline app::BirthFormValues puneForm() {
    app::BirthFormValues f;
    f.txtName = "abc";
    f.cboDate = 5 - 1;
    f.cboMonth = 3 - 1;
    f.cboYear = 1980 - app::FirstListYear;
    f.cboHour = 14;
    f.cboMinute = 7;
    f.cboTimeZone = 34;
    f.txtLonDeg = "73";
    f.txtLonMin = "51";
    f.txtLatDeg = "18";
    f.txtLatMin = "31";
    f.txtCity = "Pune";
    f.txtState = "Maharashtra";
    f.txtCountry = "India";
    return f;
}

// London in British Summer Time: 15 July 1985, 14:00, zone +1 (list
// position 16) at 51°30' N, 0°7' W, where the two time bases are 2 hours apart.
inline app::BirthFormValues londonSummerForm() {
    app::BirthFormValues f = referenceForm();
    f.cboDate = 15 - 1;
    f.cboMonth = 7 - 1;
    f.cboYear = 1985 - app::FirstListYear;
    f.cboHour = 14;
    f.cboMinute = 0;
    f.cboTimeZone = 16;  // British Summer Time, +1.0
    f.txtLatDeg = "51";
    f.txtLatMin = "30";
    f.txtLonDeg = "0";
    f.txtLonMin = "7";
    f.optLongEast = false;
    f.optLongWest = true;
    return f;
}

// The form with another date (day 1..31, month 1..12, year 1901..2050).
inline app::BirthFormValues withDate(app::BirthFormValues f, int day, int month, int year) {
    f.cboDate = day - 1;
    f.cboMonth = month - 1;
    f.cboYear = year - app::FirstListYear;
    return f;
}

// The session after the calculation of the form, or nothing when the form is refused.
inline std::optional<app::ChartSession> computedSession(const app::BirthFormValues& form) {
    app::ChartSession session;
    if (!app::RunCalculation(form, session).accepted()) return std::nullopt;
    return session;
}

}  // namespace testdata
