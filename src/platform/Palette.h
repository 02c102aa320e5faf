// The program's own colours, shared by its icon and its chart windows.
#pragma once

#include <QColor>

namespace platform {

// The amber of the chart square, the frame's bands and the icon.
inline constexpr QRgb Amber = qRgb(255, 199, 6);

}  // namespace platform
