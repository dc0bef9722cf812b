#include "boundaries/keyed_collection.h"

#include <cstdint>

namespace routix::boundaries {
namespace {

char Upper(char c) {
  uint8_t byte = static_cast<uint8_t>(c);
  if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
    return static_cast<char>(byte - 0x20);  // ASCII, and a grave to thorn but the division sign
  }
  switch (byte) {
    case 0x9A:
      return static_cast<char>(0x8A);  // s caron
    case 0x9C:
      return static_cast<char>(0x8C);  // oe
    case 0x9E:
      return static_cast<char>(0x8E);  // z caron
    case 0xFF:
      return static_cast<char>(0x9F);  // y diaeresis
    default:
      return c;
  }
}

}  // namespace

std::string UpperCase1252(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = Upper(c);
  return upper;
}

void AddKey(KeyedCollection& collection, std::string_view key) {
  collection.upper_keys.insert(UpperCase1252(key));
}

bool CollectionHasKey(const KeyedCollection& collection, std::string_view key) {
  return collection.upper_keys.contains(UpperCase1252(key));
}

}  // namespace routix::boundaries
