#include "streets/shape_cache.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace routix::streets {
namespace {

// Large enough that the list of blocks stays short, small enough that the last, partly used
// block wastes little. A larger entry gets a block of its own. The first blocks are smaller,
// each twice the one before, so a small network costs little.
constexpr size_t kBlockBytes = size_t{1} << 20;
constexpr size_t kFirstBlockBytes = size_t{16} << 10;
// The table starts with this many slots and doubles before it is half full.
constexpr size_t kFirstTableSlots = 1024;
// Positions pack the block in the high half and the offset within it in the low half.
constexpr int kOffsetBits = 32;

// An entry: the from text, the to text, the number of points (4 bytes), the points, each an
// X and a Y of 8 bytes, copied in and out since they may lie at any address.
constexpr size_t kEntryHeaderBytes = 2 * ShapeCache::kEndTextLength + 4;
constexpr size_t kEntryPointBytes = sizeof(shapefile::ShapePoint);
static_assert(kEntryPointBytes == 16);

uint64_t Mix(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9u;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebu;
  return x ^ (x >> 31);
}

uint64_t HashEndText(const char* text) {
  uint64_t a, b;
  uint32_t c;
  std::memcpy(&a, text, 8);
  std::memcpy(&b, text + 8, 8);
  std::memcpy(&c, text + 16, 4);
  return Mix(a + Mix(b + Mix(c)));
}

uint64_t HashKey(uint64_t first, uint64_t second) {
  return Mix(first ^ (second * 0x9e3779b97f4a7c15u));
}

void CheckEndText(std::string_view text) {
  if (text.size() != ShapeCache::kEndTextLength) {
    throw std::invalid_argument("a shape cache key half is not 20 characters long");
  }
}

}  // namespace

ShapeCache::ShapeCache() : slots_(kFirstTableSlots, Slot{0, kEmpty}) {}

void ShapeCache::Remember(std::string_view from_text, std::string_view to_text,
                          std::span<const shapefile::ShapePoint> shape) {
  CheckEndText(from_text);
  CheckEndText(to_text);
  if (2 * (keys_ + 2) > slots_.size()) GrowTable();
  const uint64_t from_hash = HashEndText(from_text.data());
  const uint64_t to_hash = HashEndText(to_text.data());
  uint64_t position = kEmpty;
  const uint64_t forward_hash = HashKey(from_hash, to_hash);
  size_t slot = Probe(from_text, to_text, forward_hash);
  if (slots_[slot].entry == kEmpty) {
    position = StoreEntry(from_text, to_text, shape);
    Insert(slot, forward_hash, position, false);
  }
  const uint64_t reverse_hash = HashKey(to_hash, from_hash);
  slot = Probe(to_text, from_text, reverse_hash);
  if (slots_[slot].entry == kEmpty) {
    if (position == kEmpty) position = StoreEntry(from_text, to_text, shape);
    Insert(slot, reverse_hash, position, true);
  }
}

void ShapeCache::AppendShape(std::string_view from_text, std::string_view to_text,
                             std::vector<shapefile::ShapePoint>& points) const {
  CheckEndText(from_text);
  CheckEndText(to_text);
  uint64_t hash = HashKey(HashEndText(from_text.data()), HashEndText(to_text.data()));
  const uint64_t slot = slots_[Probe(from_text, to_text, hash)].entry;
  if (slot == kEmpty) return;
  const char* entry = EntryAt(slot >> 1);
  uint32_t count;
  std::memcpy(&count, entry + 2 * kEndTextLength, 4);
  const size_t first = points.size();
  points.resize(first + count);
  std::memcpy(points.data() + first, entry + kEntryHeaderBytes, count * kEntryPointBytes);
  if ((slot & 1) != 0) std::reverse(points.begin() + static_cast<ptrdiff_t>(first), points.end());
}

size_t ShapeCache::Probe(std::string_view first, std::string_view second, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const uint64_t value = slots_[i].entry;
    if (value == kEmpty) return i;
    if (slots_[i].hash != hash) continue;
    const char* entry = EntryAt(value >> 1);
    const char* entry_first = entry + ((value & 1) ? kEndTextLength : 0);
    const char* entry_second = entry + ((value & 1) ? 0 : kEndTextLength);
    if (std::memcmp(entry_first, first.data(), kEndTextLength) == 0 &&
        std::memcmp(entry_second, second.data(), kEndTextLength) == 0) {
      return i;
    }
  }
}

const char* ShapeCache::EntryAt(uint64_t position) const {
  return blocks_[position >> kOffsetBits].get() + (position & ((uint64_t{1} << kOffsetBits) - 1));
}

uint64_t ShapeCache::StoreEntry(std::string_view from_text, std::string_view to_text,
                                std::span<const shapefile::ShapePoint> shape) {
  const size_t bytes = kEntryHeaderBytes + shape.size() * kEntryPointBytes;
  if (blocks_.empty() || block_size_ - block_used_ < bytes) {
    const size_t next = blocks_.empty() ? kFirstBlockBytes : std::min(2 * block_size_, kBlockBytes);
    block_size_ = std::max(bytes, next);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(block_size_));
    block_used_ = 0;
  }
  char* entry = blocks_.back().get() + block_used_;
  std::memcpy(entry, from_text.data(), kEndTextLength);
  std::memcpy(entry + kEndTextLength, to_text.data(), kEndTextLength);
  const uint32_t count = static_cast<uint32_t>(shape.size());
  std::memcpy(entry + 2 * kEndTextLength, &count, 4);
  if (!shape.empty()) std::memcpy(entry + kEntryHeaderBytes, shape.data(), shape.size_bytes());
  const uint64_t position = (uint64_t{blocks_.size() - 1} << kOffsetBits) | block_used_;
  block_used_ += bytes;
  return position;
}

void ShapeCache::Insert(size_t slot, uint64_t hash, uint64_t position, bool reversed) {
  slots_[slot] = {hash, (position << 1) | (reversed ? 1 : 0)};
  ++keys_;
}

void ShapeCache::GrowTable() {
  std::vector<Slot> old(slots_.size() * 2, Slot{0, kEmpty});
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.entry == kEmpty) continue;
    size_t i = slot.hash & mask;
    while (slots_[i].entry != kEmpty) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace routix::streets
