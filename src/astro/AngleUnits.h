// Angle conversions as the chart's rules write them (not derived from pi, so
// that results agree to the last digit with the rules' own constants).
#pragma once

namespace astro {

inline constexpr double DegToRad = 0.0174532925199433;  // radians per degree
inline constexpr double RadToDeg = 57.2957795130823;    // degrees per radian
inline constexpr double Pi = 3.14159265358979;
inline constexpr double TwoPi = 6.28318530717958;

}  // namespace astro
