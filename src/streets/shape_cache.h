// The ShapeCache lends the intermediate points of marked Mapfil.asc segments to Second.asc
// segments with the same ends: a segment from F to T is kept under F + T with the points of
// its ShapeLine and under T + F with them in reverse order, and a key keeps its first value.
// Both keys of a segment are always taken together, by the first segment between its two
// ends, so each is stored once and found under either order of its ends. Entries are packed
// in an arena of bytes: the end texts at 4 bits a character where they hold only the
// characters of numbers, each coordinate as its decimal digits and point position where
// those give it back exactly; other texts and values are kept as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "shapefile/shape_record.h"

namespace routix::streets {

class ShapeCache {
 public:
  // Every end text, a from text or a to text, is exactly this long.
  static constexpr size_t kEndTextLength = 20;

  ShapeCache();

  void Remember(std::string_view from_text, std::string_view to_text,
                std::span<const shapefile::ShapePoint> shape);

  // Appends the points kept under from_text + to_text to points; none when there are none.
  void AppendShape(std::string_view from_text, std::string_view to_text,
                   std::vector<shapefile::ShapePoint>& points) const;

  // The number of keys: two a segment, one a loop.
  size_t size() const { return keys_; }

 private:
  struct Key;
  // Where the entry between the ends of key sits, or the free slot where it would go.
  size_t Probe(const Key& key) const;
  const uint8_t* EntryAt(uint64_t position) const;
  uint64_t StoreEntry(const Key& key, std::span<const shapefile::ShapePoint> shape);
  uint8_t* Allocate(size_t bytes, uint64_t& position);
  void GrowTable();

  std::vector<std::unique_ptr<uint8_t[]>> blocks_;
  size_t block_used_ = 0;
  size_t block_size_ = 0;
  // A slot holds the top bits of its key's hash over the arena position of its entry.
  std::vector<uint64_t> slots_;
  std::vector<uint8_t> packed_points_;  // where an entry's points are packed first
  size_t entries_ = 0;
  size_t keys_ = 0;
};

}  // namespace routix::streets
