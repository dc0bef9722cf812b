#include "shapefile/byte_order.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace routix::shapefile {
namespace {

TEST(SwapBytes32, ReversesTheFourBytesOfEveryValue) {
  const int32_t values[] = {9994, 0, 1, -1, -2, INT32_MIN, 0x12345678};
  const uint32_t swapped[] = {0x0A270000u, 0,           0x01000000u, 0xFFFFFFFFu,
                              0xFEFFFFFFu, 0x00000080u, 0x78563412u};
  for (size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(static_cast<uint32_t>(SwapBytes32(values[i])), swapped[i]) << values[i];
  }
}

}  // namespace
}  // namespace routix::shapefile
