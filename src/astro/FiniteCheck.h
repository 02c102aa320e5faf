// Debug-build checks that a computed number is an ordinary finite value: no
// input the entry form accepts may lead to NaN or infinity.
#pragma once

#include <cassert>
#include <cmath>

namespace astro {

inline void AssertFinite([[maybe_unused]] double value) { assert(std::isfinite(value) && "a computed value is NaN or infinite"); }

}  // namespace astro
