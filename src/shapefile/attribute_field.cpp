#include "shapefile/attribute_field.h"

#include <algorithm>

namespace routix::shapefile {

void SetFieldDescriptor(std::span<uint8_t, kDbfDescriptorBytes> descriptor, std::string_view name,
                        char type, int width) {
  std::fill(descriptor.begin(), descriptor.end(), uint8_t{0});
  size_t length = std::min(name.size(), kDbfFieldNameBytes);
  std::copy_n(name.begin(), length, descriptor.begin());
  descriptor[kDbfFieldTypeOffset] = static_cast<uint8_t>(type);
  descriptor[kDbfFieldLengthOffset] = static_cast<uint8_t>(width);
}

}  // namespace routix::shapefile
