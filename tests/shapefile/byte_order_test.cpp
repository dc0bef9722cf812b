#include "shapefile/byte_order.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace routix::shapefile {
namespace {

TEST(SwapBytes32, ReversesTheFourBytesOfEveryValue) {
  struct Row {
    int32_t value;
    uint32_t swapped_bits;
  } rows[] = {
      {9994, 0x0A270000u},       {0, 0},
      {1, 0x01000000u},          {-1, 0xFFFFFFFFu},
      {-2, 0xFEFFFFFFu},         {INT32_MIN, 0x00000080u},
      {0x12345678, 0x78563412u},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(static_cast<uint32_t>(SwapBytes32(row.value)), row.swapped_bits);
  }
}

}  // namespace
}  // namespace routix::shapefile
