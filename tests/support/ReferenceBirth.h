// The reference birth used across tests and benchmarks: 15 May 1990, 10:30,
// zone 5 h 30 min ahead of Greenwich (Indian Time, list position 34),
// 77°12' East, 28°36' North, no daylight saving (New Delhi).
#pragma once

#include "app/BirthForm.h"
#include "astro/BirthData.h"

namespace testdata {

inline astro::BirthData referenceBirth() {
    astro::BirthData b;
    b.BirthDay = 15;
    b.BirthMonth = 5;
    b.BirthYear = 1990;
    b.BirthHour = 10;
    b.BirthMinute = 30;
    b.ZoneHoursAbs = 5;
    b.ZoneMinutesAbs = 30;
    b.ZoneHoursSigned = -5;
    b.ZoneMinutesSigned = -30;
    b.LonDegrees = 77;
    b.LonMinutes = 12;
    b.LatDegrees = 28;
    b.LatMinutes = 36;
    b.IsEast = true;
    return b;
}

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

}  // namespace testdata
