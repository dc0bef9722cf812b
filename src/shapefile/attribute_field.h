// One attribute field of a table (name, type letter C or N, width) and the 32-byte dBASE
// descriptor that describes it in the table's header.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "shapefile/shapefile_format.h"

namespace routix::shapefile {

// name: at most 11 characters; type: 'C' (text) or 'N' (number, no decimals); width 1-255.
struct FieldSpec {
  std::string_view name;
  char type;
  int width;
};

// Fills one descriptor: the name padded with NUL bytes to 11, the type letter, the width;
// every other byte zero.
void SetFieldDescriptor(std::span<uint8_t, kDbfDescriptorBytes> descriptor, std::string_view name,
                        char type, int width);

}  // namespace routix::shapefile
