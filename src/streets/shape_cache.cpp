#include "streets/shape_cache.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
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

// A position is the block's number over the offset within it; a slot puts the top bits of
// the hash over the position. The last position of the last block is never used, so no slot
// is kEmpty.
constexpr int kOffsetBits = 20;
static_assert(kBlockBytes <= size_t{1} << kOffsetBits);
constexpr int kPositionBits = 2 * kOffsetBits;
constexpr uint64_t kPositionMask = (uint64_t{1} << kPositionBits) - 1;
constexpr size_t kMaxBlocks = (size_t{1} << kOffsetBits) - 1;
constexpr uint64_t kEmpty = ~uint64_t{0};

// An entry: a byte of flags, both end texts (the from text first), the number of points
// (7 bits a byte, lowest first, the top bit telling that more follow), the points.
constexpr uint8_t kPackedEnds = 1;    // each end text in kPackedEndBytes, else as it stands
constexpr uint8_t kPackedPoints = 2;  // each point in kPackedPointBytes, else two doubles
constexpr size_t kPackedEndBytes = ShapeCache::kEndTextLength / 2;
constexpr size_t kRawPointBytes = sizeof(shapefile::ShapePoint);
static_assert(kRawPointBytes == 16);

// The 4-bit code of a character of a number column: blank, digits, point, signs, exponent
// letters; -1 for any other.
int CodeOf(char c) {
  if (c >= '0' && c <= '9') return c - '0' + 1;
  switch (c) {
    case ' ':
      return 0;
    case '.':
      return 11;
    case '-':
      return 12;
    case '+':
      return 13;
    case 'e':
      return 14;
    case 'E':
      return 15;
    default:
      return -1;
  }
}

// Packs an end text two characters a byte; false when it holds another character.
bool PackEnd(const char* text, uint8_t* out) {
  for (size_t i = 0; i < kPackedEndBytes; ++i) {
    const int high = CodeOf(text[2 * i]), low = CodeOf(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    out[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return true;
}

// A coordinate in 5 bytes: the sign, the number k of decimals (4 bits) and the digits m
// (35 bits), for the value m / 10^k, worked out just as the lenient reading does.
constexpr size_t kPackedValueBytes = 5;
constexpr size_t kPackedPointBytes = 2 * kPackedValueBytes;
constexpr int kMaxDecimals = 10;
constexpr double kPowersOfTen[kMaxDecimals + 1] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5,
                                                   1e6, 1e7, 1e8, 1e9, 1e10};
constexpr double kDigitsLimit = 34359738368.0;  // 2^35

uint64_t PackValue(double value) {
  const double magnitude = std::fabs(value);
  for (int k = 0; k <= kMaxDecimals; ++k) {
    const double scaled = std::nearbyint(magnitude * kPowersOfTen[k]);
    if (!(scaled < kDigitsLimit)) return kEmpty;  // too large, or not a number at all
    if (scaled / kPowersOfTen[k] == magnitude) {
      return uint64_t{std::signbit(value)} << 39 | uint64_t(k) << 35 |
             static_cast<uint64_t>(scaled);
    }
  }
  return kEmpty;
}

double UnpackValue(const uint8_t* in) {
  uint64_t bits = 0;
  for (size_t i = 0; i < kPackedValueBytes; ++i) bits |= uint64_t{in[i]} << (8 * i);
  const double value =
      static_cast<double>(bits & ((uint64_t{1} << 35) - 1)) / kPowersOfTen[(bits >> 35) & 15];
  return (bits >> 39) != 0 ? -value : value;
}

// Packs every point into out; false, with out spoiled, when one of them does not pack.
bool PackPoints(std::span<const shapefile::ShapePoint> shape, uint8_t* out) {
  for (const shapefile::ShapePoint& point : shape) {
    for (double value : {point.x, point.y}) {
      const uint64_t bits = PackValue(value);
      if (bits == kEmpty) return false;
      for (size_t i = 0; i < kPackedValueBytes; ++i) *out++ = static_cast<uint8_t>(bits >> (8 * i));
    }
  }
  return true;
}

shapefile::ShapePoint PointAt(const uint8_t* in, bool packed) {
  if (packed) return {UnpackValue(in), UnpackValue(in + kPackedValueBytes)};
  shapefile::ShapePoint point;
  std::memcpy(&point, in, kRawPointBytes);
  return point;
}

size_t CountBytes(size_t count) {
  size_t bytes = 1;
  for (; count >= 0x80; count >>= 7) ++bytes;
  return bytes;
}

uint64_t Mix(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9u;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebu;
  return x ^ (x >> 31);
}

uint64_t HashEnd(const uint8_t* end, size_t bytes) {
  uint64_t hash = bytes;
  for (size_t i = 0; i < bytes; i += 8) {
    uint64_t word = 0;
    std::memcpy(&word, end + i, std::min<size_t>(8, bytes - i));
    hash = Mix(hash + word);
  }
  return hash;
}

// The hash of two ends as an entry stores them, the same for both orders of the ends.
uint64_t HashEnds(const uint8_t* ends, size_t end_bytes) {
  const uint64_t a = HashEnd(ends, end_bytes), b = HashEnd(ends + end_bytes, end_bytes);
  return Mix(std::min(a, b) ^ (std::max(a, b) * 0x9e3779b97f4a7c15u));
}

size_t EndBytesOf(const uint8_t* entry) {
  return (entry[0] & kPackedEnds) != 0 ? kPackedEndBytes : ShapeCache::kEndTextLength;
}

void CheckEndText(std::string_view text) {
  if (text.size() != ShapeCache::kEndTextLength) {
    throw std::invalid_argument("a shape cache key half is not 20 characters long");
  }
}

}  // namespace

// The two ends as a lookup compares them with an entry's: packed where both pack.
struct ShapeCache::Key {
  Key(std::string_view from_text, std::string_view to_text) {
    CheckEndText(from_text);
    CheckEndText(to_text);
    packed = PackEnd(from_text.data(), ends) && PackEnd(to_text.data(), ends + kPackedEndBytes);
    if (!packed) {
      std::memcpy(ends, from_text.data(), kEndTextLength);
      std::memcpy(ends + kEndTextLength, to_text.data(), kEndTextLength);
    }
    end_bytes = packed ? kPackedEndBytes : kEndTextLength;
    hash = HashEnds(ends, end_bytes);
    loop = std::memcmp(ends, ends + end_bytes, end_bytes) == 0;
  }

  // Whether entry lies between these ends: 1 in their order, -1 the other way round, 0 not.
  int Match(const uint8_t* entry) const {
    if (((entry[0] & kPackedEnds) != 0) != packed) return 0;
    const uint8_t* first = entry + 1;
    const uint8_t* second = first + end_bytes;
    if (std::memcmp(first, ends, end_bytes) == 0 &&
        std::memcmp(second, ends + end_bytes, end_bytes) == 0) {
      return 1;
    }
    if (std::memcmp(first, ends + end_bytes, end_bytes) == 0 &&
        std::memcmp(second, ends, end_bytes) == 0) {
      return -1;
    }
    return 0;
  }

  uint64_t hash;
  bool packed;
  bool loop;
  size_t end_bytes;
  uint8_t ends[2 * kEndTextLength];
};

ShapeCache::ShapeCache() : slots_(kFirstTableSlots, kEmpty) {}

void ShapeCache::Remember(std::string_view from_text, std::string_view to_text,
                          std::span<const shapefile::ShapePoint> shape) {
  const Key key(from_text, to_text);
  if (2 * (entries_ + 1) > slots_.size()) GrowTable();
  const size_t slot = Probe(key);
  if (slots_[slot] != kEmpty) return;  // both keys are taken
  const uint64_t position = StoreEntry(key, shape);
  slots_[slot] = (key.hash >> kPositionBits) << kPositionBits | position;
  ++entries_;
  keys_ += key.loop ? 1 : 2;
}

void ShapeCache::AppendShape(std::string_view from_text, std::string_view to_text,
                             std::vector<shapefile::ShapePoint>& points) const {
  const Key key(from_text, to_text);
  const uint64_t slot = slots_[Probe(key)];
  if (slot == kEmpty) return;
  const uint8_t* entry = EntryAt(slot & kPositionMask);
  const bool reversed = key.Match(entry) < 0;
  const bool packed = (entry[0] & kPackedPoints) != 0;
  const uint8_t* in = entry + 1 + 2 * key.end_bytes;
  size_t count = 0;
  for (int shift = 0;; shift += 7) {
    count |= size_t{*in & 0x7Fu} << shift;
    if ((*in++ & 0x80) == 0) break;
  }
  const size_t point_bytes = packed ? kPackedPointBytes : kRawPointBytes;
  const size_t first = points.size();
  points.resize(first + count);
  for (size_t i = 0; i < count; ++i, in += point_bytes) {
    points[first + (reversed ? count - 1 - i : i)] = PointAt(in, packed);
  }
}

size_t ShapeCache::Probe(const Key& key) const {
  const size_t mask = slots_.size() - 1;
  const uint64_t tag = key.hash >> kPositionBits;
  for (size_t i = key.hash & mask;; i = (i + 1) & mask) {
    const uint64_t slot = slots_[i];
    if (slot == kEmpty) return i;
    if ((slot >> kPositionBits) == tag && key.Match(EntryAt(slot & kPositionMask)) != 0) {
      return i;
    }
  }
}

const uint8_t* ShapeCache::EntryAt(uint64_t position) const {
  return blocks_[position >> kOffsetBits].get() + (position & ((uint64_t{1} << kOffsetBits) - 1));
}

uint64_t ShapeCache::StoreEntry(const Key& key, std::span<const shapefile::ShapePoint> shape) {
  // Packed where every point packs; tried in a buffer of its own first.
  packed_points_.resize(shape.size() * kPackedPointBytes);
  const bool packed = PackPoints(shape, packed_points_.data());
  const size_t point_bytes = packed ? packed_points_.size() : shape.size_bytes();
  uint64_t position;
  uint8_t* out = Allocate(1 + 2 * key.end_bytes + CountBytes(shape.size()) + point_bytes, position);
  *out++ = static_cast<uint8_t>((key.packed ? kPackedEnds : 0) | (packed ? kPackedPoints : 0));
  std::memcpy(out, key.ends, 2 * key.end_bytes);
  out += 2 * key.end_bytes;
  size_t count = shape.size();
  for (; count >= 0x80; count >>= 7) *out++ = static_cast<uint8_t>(count | 0x80);
  *out++ = static_cast<uint8_t>(count);
  if (point_bytes > 0)
    std::memcpy(out, packed ? packed_points_.data() : static_cast<const void*>(shape.data()),
                point_bytes);
  return position;
}

uint8_t* ShapeCache::Allocate(size_t bytes, uint64_t& position) {
  if (blocks_.empty() || block_size_ - block_used_ < bytes) {
    if (blocks_.size() == kMaxBlocks) throw std::bad_alloc();
    const size_t next = blocks_.empty() ? kFirstBlockBytes : std::min(2 * block_size_, kBlockBytes);
    block_size_ = std::max(bytes, next);
    blocks_.push_back(std::make_unique_for_overwrite<uint8_t[]>(block_size_));
    block_used_ = 0;
  }
  position = uint64_t{blocks_.size() - 1} << kOffsetBits | block_used_;
  uint8_t* at = blocks_.back().get() + block_used_;
  block_used_ += bytes;
  return at;
}

void ShapeCache::GrowTable() {
  std::vector<uint64_t> old(slots_.size() * 2, kEmpty);
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const uint64_t slot : old) {
    if (slot == kEmpty) continue;
    // The hash's low bits are gone with the position; the entry's ends give them back.
    const uint8_t* entry = EntryAt(slot & kPositionMask);
    size_t i = HashEnds(entry + 1, EndBytesOf(entry)) & mask;
    while (slots_[i] != kEmpty) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace routix::streets
