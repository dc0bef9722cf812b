// The ShapeCache lends the intermediate points of marked Mapfil.asc segments to Second.asc
// segments with the same ends: a segment from F to T is kept under F + T with the points of
// its ShapeLine and under T + F with them in reverse order, and a key keeps its first value.
// Each segment is stored once (both end texts, the points) in an arena of bytes that an
// open-addressing table indexes under both keys; the reverse is built on lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
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

  // The number of keys.
  size_t size() const { return keys_; }

 private:
  // A key's hash and where its entry lies: the arena position shifted left by one, with bit 0
  // set for the key that reverses the entry; kEmpty for a free slot.
  struct Slot {
    uint64_t hash;
    uint64_t entry;
  };
  static constexpr uint64_t kEmpty = ~uint64_t{0};

  // Where key first + second sits, or the free slot where it would go.
  size_t Probe(std::string_view first, std::string_view second, uint64_t hash) const;
  const char* EntryAt(uint64_t position) const;
  uint64_t StoreEntry(std::string_view from_text, std::string_view to_text,
                      std::span<const shapefile::ShapePoint> shape);
  void Insert(size_t slot, uint64_t hash, uint64_t position, bool reversed);
  void GrowTable();

  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t block_used_ = 0;
  size_t block_size_ = 0;
  std::vector<Slot> slots_;
  size_t keys_ = 0;
};

}  // namespace routix::streets
