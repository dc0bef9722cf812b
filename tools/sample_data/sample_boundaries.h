// Writes the sample boundary files Rxybnd.dat and Rxybxt.dat into a DYN folder. The same seed
// gives the same bytes. The boundaries cover what a conversion meets: node counts of 0, -3,
// 1, 2, 191, 192, 254, 255 and 5000 (chained through shuffled blocks), both orientations,
// repeated nodes, a spike, equal, case-variant, empty, punctuation-only, reserved-device and
// accented descriptions. Boundary 1, "County frame", is the rectangle (490000, 3990000) to
// (530000, 4030000), stored counter-clockwise; every other node lies inside it.
#pragma once

#include <cstdint>
#include <string>

namespace routix::sample {

void WriteSampleBoundaries(const std::string& dyn_folder, uint32_t seed);

}  // namespace routix::sample
