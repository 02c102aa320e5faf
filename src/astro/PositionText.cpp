#include "astro/PositionText.h"

#include <cmath>
#include <cstdio>

#include "astro/FiniteCheck.h"
#include "astro/Utf8Text.h"

namespace modVedicPlanetPosition {

namespace {

// Whole numbers held in doubles, written without leading zeros; a negative zero
// is written as 0.
std::string wholeNumberText(double value) {
    if (value == 0) return "0";
    if (std::fabs(value) < 1e15) return std::to_string(static_cast<long long>(value));
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
}

std::string twoDigits(std::string_view piece) {
    if (astro::CharCount(piece) <= 1) return "0" + std::string(piece);
    return std::string(piece);
}

}  // namespace

std::string_view SignAbbrevOfIndex(long long k) {
    if (k < 0 || k > 11) return {};
    return SignAbbrevString.substr(static_cast<std::size_t>(3 * k), 3);
}

std::string FormatSignPosition(double x) {
    astro::AssertFinite(x);
    x = std::fabs(x);
    double degrees = std::floor(x);
    const double minutesReal = 60 * (x - degrees);
    const double minutes = std::floor(minutesReal);
    const double fraction = minutesReal - minutes;
    const double signIndex = std::floor(degrees / 30);
    if (degrees < 1e15) {
        while (degrees >= 30) degrees = degrees - 30;
    } else {
        degrees = std::fmod(degrees, 30);  // a value far out of range (or not finite) would never finish the loop
    }
    const double seconds = std::floor(60 * fraction);

    std::string text = wholeNumberText(degrees);
    text += DegreeMark;
    text += ' ';
    text += wholeNumberText(minutes);
    text += "' ";
    text += wholeNumberText(seconds);
    text += "\" ";
    // Beyond 11 (x of 360 or more) the abbreviation is empty; a sign index that
    // does not fit a whole number (x infinite or NaN) has none either.
    if (signIndex >= 0 && signIndex <= 11) text += SignAbbrevOfIndex(static_cast<long long>(signIndex));
    return text;
}

std::string FormatSignedAngle(double x) {
    astro::AssertFinite(x);
    const double sign = x < 0 ? -1.0 : 1.0;
    x = std::fabs(x);
    const double degrees = std::floor(x);
    const double minutesReal = 60 * (x - degrees);
    const double minutes = std::floor(minutesReal);
    const double fraction = minutesReal - minutes;

    std::string text = wholeNumberText(sign * degrees);
    text += DegreeMark;
    text += ' ';
    text += wholeNumberText(minutes);
    text += "' ";
    text += wholeNumberText(std::floor(60 * fraction));
    text += '"';
    return text;
}

std::string CompactPosition(std::string_view longText) {
    const std::string_view trimmed = astro::TrimBlanks(longText);
    const std::size_t degreeAt = trimmed.find(DegreeMark);
    const std::size_t minuteAt = trimmed.find('\'');

    std::string_view degreesPiece;
    std::string_view minutesPiece;
    if (degreeAt != std::string_view::npos) {
        degreesPiece = astro::TrimBlanks(trimmed.substr(0, degreeAt));
        const std::size_t afterDegree = degreeAt + DegreeMark.size();
        if (minuteAt != std::string_view::npos && minuteAt >= afterDegree) {
            minutesPiece = astro::TrimBlanks(trimmed.substr(afterDegree, minuteAt - afterDegree));
        }
    }
    const std::string_view signPiece = astro::TrimBlanks(astro::LastChars(longText, 3));

    std::string text = twoDigits(degreesPiece);
    text += ' ';
    text += signPiece;
    text += ' ';
    text += twoDigits(minutesPiece);
    return text;
}

}  // namespace modVedicPlanetPosition
