// The chart as the sky shows it: the same record, every text and sign box
// made by the chart's own rules, from the positions the check computes (the
// true birth instant, Lahiri's ayanamsa, apparent positions, the mean node,
// the Ascendant and Midheaven from apparent sidereal time), and a planet
// marked retrograde when its apparent longitude is decreasing at the birth.
#pragma once

#include <optional>
#include <string>

#include "app/ChartRecord.h"
#include "sky/SkyPositions.h"

namespace sky {

struct SkyChartResult {
    std::optional<app::ChartRecord> record;
    std::string problem;  // why there is none (no Ascendant at that latitude)
};

// The record of a calculated chart, remade from the sky at its true instant,
// with Rahu and Ketu on the mean or the true node.
SkyChartResult SkyChartOf(const app::ChartRecord& chart, NodeKind node = NodeKind::Mean);

// Whether a planet's apparent geocentric longitude (degrees) is decreasing:
// from its longitudes an hour before and after, the short way round.
bool IsDecreasing(double before, double after);

}  // namespace sky
