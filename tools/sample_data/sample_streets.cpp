#include "sample_streets.h"

namespace routix::sample {

void WriteSampleStreets(const std::string&, int64_t, uint32_t) {}

}  // namespace routix::sample
