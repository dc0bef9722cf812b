// The byte swap of the shapefile's big-endian fields and the small put functions that write
// one field into a byte buffer at its offset, independent of the machine's own byte order.
#pragma once

#include <bit>
#include <cstdint>

namespace routix::shapefile {

// The value with its four bytes in reverse order, on the two's complement bit pattern.
constexpr int32_t SwapBytes32(int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  bits = (bits >> 24) | ((bits >> 8) & 0x0000FF00u) | ((bits << 8) & 0x00FF0000u) | (bits << 24);
  return static_cast<int32_t>(bits);
}

inline void PutLittleEndian16(uint8_t* out, uint16_t value) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
}

inline void PutLittleEndian32(uint8_t* out, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

// A big-endian field is the swapped value stored in little-endian order.
inline void PutBigEndian32(uint8_t* out, int32_t value) {
  PutLittleEndian32(out, SwapBytes32(value));
}

// An IEEE 754 double, little-endian.
inline void PutDouble(uint8_t* out, double value) {
  uint64_t bits = std::bit_cast<uint64_t>(value);
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

}  // namespace routix::shapefile
