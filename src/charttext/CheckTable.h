// The check against the sky as a table: each body in the chart and in the
// sky, the difference, the sky's nakshatra and what differs, then the notes.
#pragma once

#include <string>

#include "sky/ChartCheck.h"

namespace charttext {

std::string FormatCheck(const sky::ChartCheck& check);

}  // namespace charttext
