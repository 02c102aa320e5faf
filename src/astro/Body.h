// The bodies of a chart and the order of every eleven-entry body table: the
// Sun, the Moon, Mercury .. Saturn, the two lunar nodes, then the two angles.
#pragma once

#include <array>
#include <cstddef>

namespace astro {

enum class Body : std::size_t { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu, Ascendant, Midheaven };

inline constexpr std::size_t BodyCount = 11;

// The position of a body in a body table.
constexpr std::size_t BodyIndex(Body body) { return static_cast<std::size_t>(body); }

// The bodies that are placed in the sign boxes and listed in the export:
// Sun .. Ketu (the Ascendant is placed by its own rule, the Midheaven not at all).
inline constexpr std::size_t PlacedBodyCount = BodyIndex(Body::Ketu) + 1;

// The planets that can be retrograde, in the order of the retrograde flags.
inline constexpr std::array<Body, 5> RetrogradeBodies = {Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter,
                                                         Body::Saturn};

}  // namespace astro
