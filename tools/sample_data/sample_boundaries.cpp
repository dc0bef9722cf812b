#include "sample_boundaries.h"

namespace routix::sample {

void WriteSampleBoundaries(const std::string&, uint32_t) {}

}  // namespace routix::sample
