// The text forms in which positions travel between the passes and to the
// display. Later steps take the sign back out of these texts by position (the
// last three characters of a long text, characters 4..6 of a compact text), so
// the layouts are binding:
//
//   long position text   5° 9' 22" Ari    degrees within the sign, minutes,
//                                          seconds (all truncated), sign
//   signed angle text    -23° 30' 0"      degrees with sign, minutes, seconds
//   compact text         05 Ari 09        two-digit degrees, sign, minutes
#pragma once

#include <string>
#include <string_view>

namespace modVedicPlanetPosition {

// The twelve sign abbreviations, Aries first; sign k is at [3k, 3k + 3).
inline constexpr std::string_view SignAbbrevString = "AriTauGemCanLeoVirLibScoSagCapAquPis";

inline constexpr std::string_view DegreeMark = "\u00B0";

// Long position text of x degrees (0 <= |x| < 360 expected). The absolute value
// is used; a value of 360 or more has no sign abbreviation. Callers that need
// the absolute value written back take it themselves.
std::string FormatSignPosition(double x);

// Signed angle text of any angle in degrees. A negative angle above -1 degree
// loses its minus sign, because the sign rides on the whole degrees.
std::string FormatSignedAngle(double x);

// Compact position text of a long position text. Total for any input: a text
// without the degree or minute mark gives empty pieces for what is missing.
std::string CompactPosition(std::string_view longText);

// The three-character sign abbreviation of sign index k, or "" when k is not 0..11.
std::string_view SignAbbrevOfIndex(long long k);

}  // namespace modVedicPlanetPosition
