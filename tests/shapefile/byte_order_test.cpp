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
    EXPECT_EQ(SwapBytes32(SwapBytes32(row.value)), row.value);
  }
}

TEST(PutBigEndian32, TheFileCodeIsStoredAs00_00_27_0A) {
  uint8_t bytes[4];
  PutBigEndian32(bytes, 9994);
  EXPECT_EQ(bytes[0], 0x00);
  EXPECT_EQ(bytes[1], 0x00);
  EXPECT_EQ(bytes[2], 0x27);
  EXPECT_EQ(bytes[3], 0x0A);
}

}  // namespace
}  // namespace routix::shapefile
