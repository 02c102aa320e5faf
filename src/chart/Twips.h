// Window measures are given in twips; the program lays them out at 15 twips
// per pixel (Qt scales pixels on high-density screens).
#pragma once

#include <QRect>
#include <cmath>

namespace chart {

inline constexpr double TwipsPerPixel = 15.0;

inline int px(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }

inline QRect twipsRect(double left, double top, double width, double height) {
    return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace chart
