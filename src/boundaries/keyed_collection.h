// The keys of a keyed collection, as the conversion looks boundaries and names up. Keys
// compare without regard to case, the accented letters of Windows-1252 included, so that two
// names that one Windows folder cannot hold side by side count as the same key.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace routix::boundaries {

struct KeyedCollection {
  std::unordered_set<std::string> upper_keys;  // every key, in upper case
};

void AddKey(KeyedCollection& collection, std::string_view key);

bool CollectionHasKey(const KeyedCollection& collection, std::string_view key);

// The Windows-1252 text with its lower-case letters in upper case.
std::string UpperCase1252(std::string_view text);

}  // namespace routix::boundaries
