// Writes the sample street data that the stand-in export program reads into a GEO folder: a
// network of the given number of segments. The same seed and count give the same bytes.
#pragma once

#include <cstdint>
#include <string>

namespace routix::sample {

void WriteSampleStreets(const std::string& geo_folder, int64_t segments, uint32_t seed);

}  // namespace routix::sample
