// How a fuzz target's one input becomes several files: the bytes are cut at the first
// occurrences of kFileSeparator, three ASCII record separators in a row, which the sample
// data never holds. Parts without a separator before them are empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace routix::fuzz {

inline constexpr std::string_view kFileSeparator = "\x1E\x1E\x1E";

// count parts: the bytes up to the first separator, up to the second, ..., and the rest.
std::vector<std::string> SplitInput(const uint8_t* data, size_t size, size_t count);

// The parts joined the other way round, for writing seeds.
std::string JoinParts(const std::vector<std::string>& parts);

}  // namespace routix::fuzz
