// Writes the sample boundary files Rxybnd.dat and Rxybxt.dat into a DYN folder. The same seed
// gives the same bytes.
#pragma once

#include <cstdint>
#include <string>

namespace routix::sample {

void WriteSampleBoundaries(const std::string& dyn_folder, uint32_t seed);

}  // namespace routix::sample
