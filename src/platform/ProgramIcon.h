// The program's icon, for its windows and the about box.
#pragma once

#include <QIcon>

namespace platform {

// An amber square chart with its ring of twelve boxes and a dark centre,
// drawn at 16, 32, 48, 64, 128 and 256 pixels.
QIcon ProgramIcon();

}  // namespace platform
