#include "sample_boundaries.h"

#include <algorithm>
#include <bit>
#include <random>
#include <string_view>
#include <vector>

#include "base/output_file.h"
#include "base/path_utils.h"
#include "boundaries/boundary_format.h"
#include "platform/native_file_system.h"
#include "shapefile/byte_order.h"

namespace routix::sample {
namespace {

using boundaries::kBlockBytes;
using boundaries::kNodeBytes;
using boundaries::kRecordBytes;
constexpr size_t kRecordNodes = boundaries::kRecordNodes;
constexpr size_t kBlockNodes = boundaries::kBlockNodes;

// Coordinates are whole quarters of a map unit, which a float holds exactly at these sizes.
constexpr int64_t kQuarters = 4;
constexpr int64_t kFrameX = 490000;
constexpr int64_t kFrameY = 3990000;
constexpr int64_t kFrameSize = 40000;
constexpr int64_t kCellSize = 6000;  // boundaries sit in a 6 x 6 grid of cells inside the frame
constexpr int kGridColumns = 6;

struct Node {
  int64_t qx;  // quarters of a map unit
  int64_t qy;
};

struct Boundary {
  int16_t node_count;
  std::string description;
  std::vector<Node> nodes;
  bool pad_with_nul = false;
};

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  // A whole number from low to high, the same on every standard library.
  int64_t Between(int64_t low, int64_t high) {
    return low + static_cast<int64_t>(engine_() % static_cast<uint64_t>(high - low + 1));
  }

 private:
  std::mt19937 engine_;
};

// The lower left corner of grid cell c, in quarters.
Node Cell(int c) {
  return {(kFrameX + 2000 + kCellSize * (c % kGridColumns)) * kQuarters,
          (kFrameY + 2000 + kCellSize * (c / kGridColumns)) * kQuarters};
}

// n nodes around a rectangle of w by h quarters from corner, counter-clockwise, each moved
// inward by up to jitter quarters; reversed when clockwise.
std::vector<Node> Ring(Random& random, Node corner, int64_t w, int64_t h, int64_t n, bool clockwise,
                       int64_t jitter) {
  std::vector<Node> nodes;
  const int64_t perimeter = 2 * (w + h);
  for (int64_t k = 0; k < n; ++k) {
    int64_t s = k * perimeter / n;
    int64_t in = random.Between(0, jitter);
    if (s < w) {
      nodes.push_back({corner.qx + s, corner.qy + in});
    } else if (s < w + h) {
      nodes.push_back({corner.qx + w - in, corner.qy + s - w});
    } else if (s < 2 * w + h) {
      nodes.push_back({corner.qx + w - (s - w - h), corner.qy + h - in});
    } else {
      nodes.push_back({corner.qx + in, corner.qy + h - (s - 2 * w - h)});
    }
  }
  if (clockwise) std::reverse(nodes.begin(), nodes.end());
  return nodes;
}

// A ring of n nodes in grid cell c, 4000 by 3000 map units.
std::vector<Node> CellRing(Random& random, int c, int64_t n, bool clockwise) {
  return Ring(random, Cell(c), 4000 * kQuarters, 3000 * kQuarters, n, clockwise, 40 * kQuarters);
}

Boundary Make(std::string description, std::vector<Node> nodes) {
  int16_t count = static_cast<int16_t>(nodes.size());
  return {count, std::move(description), std::move(nodes)};
}

std::vector<Boundary> SampleBoundaries(Random& random) {
  std::vector<Boundary> list;
  int cell = 0;
  list.push_back(
      Make("County frame", Ring(random, {kFrameX * kQuarters, kFrameY * kQuarters},
                                kFrameSize * kQuarters, kFrameSize * kQuarters, 4, false, 0)));
  list.push_back(Make("North", CellRing(random, cell++, 12, false)));
  list.push_back(Make("North", CellRing(random, cell++, 10, true)));
  list.push_back(Make("NORTH", CellRing(random, cell++, 8, true)));
  list.push_back(Make("", CellRing(random, cell++, 9, false)));
  list.push_back({0, "Empty record", {}});
  list.push_back({-3, "Negative count", CellRing(random, cell++, 3, true)});
  list.push_back(Make("Single node", {Cell(cell++)}));
  Node a = Cell(cell++);
  list.push_back(Make("Two nodes", {a, {a.qx + 1000 * kQuarters, a.qy + 500 * kQuarters}}));
  list.push_back(Make("Exactly one record", CellRing(random, cell++, 191, true)));
  list.push_back(Make("One extension node", CellRing(random, cell++, 192, false)));
  list.push_back(Make("One full block", CellRing(random, cell++, 254, true)));
  list.push_back(Make("Into a second block", CellRing(random, cell++, 255, false)));
  list.push_back(Make("Coastline", CellRing(random, cell++, 5000, true)));

  std::vector<Node> repeated;
  for (const Node& node : CellRing(random, cell++, 16, true)) {
    for (int64_t copies = random.Between(1, 3); copies > 0; --copies) repeated.push_back(node);
  }
  repeated.push_back(repeated[3]);  // a repeat that is not adjacent stays
  repeated.push_back(repeated.front());
  list.push_back(Make("Repeated nodes", std::move(repeated)));

  // A square, clockwise, with a slanted spike out of its top edge that comes back the same way.
  Node s = Cell(cell++);
  const int64_t side = 3000 * kQuarters;
  list.push_back(Make("Spur", {s,
                               {s.qx, s.qy + side},
                               {s.qx + side / 2, s.qy + side},
                               {s.qx + side / 2 + 300 * kQuarters, s.qy + side + 800 * kQuarters},
                               {s.qx + side / 2, s.qy + side},
                               {s.qx + side, s.qy + side},
                               {s.qx + side, s.qy}}));

  list.push_back(Make("*:\\/,", CellRing(random, cell++, 6, true)));
  list.push_back(
      Make("Z\xFCrich S\xFC"
           "d",
           CellRing(random, cell++, 7, false)));
  list.push_back(
      Make("Z\xDCRICH S\xDC"
           "D",
           CellRing(random, cell++, 7, true)));
  list.push_back(Make("\xCEle-de-France \x80uro", CellRing(random, cell++, 11, true)));
  list.push_back(Make("NUL", CellRing(random, cell++, 5, true)));
  list.push_back(Make("con", CellRing(random, cell++, 5, false)));
  list.push_back(Make("What? Zone|A", CellRing(random, cell++, 6, true)));
  list.push_back(Make("  Harbour  ", CellRing(random, cell++, 8, true)));
  Boundary padded = Make("Padded", CellRing(random, cell++, 8, false));
  padded.pad_with_nul = true;
  list.push_back(std::move(padded));

  std::vector<Node> closed = CellRing(random, cell++, 9, true);
  closed.push_back(closed.front());
  list.push_back(Make("Closed ring", std::move(closed)));
  list.push_back(Make("All equal", std::vector<Node>(5, Cell(cell++))));
  list.push_back(Make("A description that fills all sixty characters of the field..",
                      CellRing(random, cell++, 10, false)));
  for (int d = 1; cell < kGridColumns * kGridColumns; ++d) {
    bool clockwise = random.Between(0, 1) == 1;
    list.push_back(Make("District " + std::to_string(d),
                        CellRing(random, cell++, random.Between(30, 400), clockwise)));
  }
  return list;
}

void PutNode(uint8_t* out, const Node& node) {
  auto put = [](uint8_t* at, int64_t quarters) {
    float value = static_cast<float>(static_cast<double>(quarters) / kQuarters);
    shapefile::PutLittleEndian32(at, std::bit_cast<int32_t>(value));
  };
  put(out, node.qx);
  put(out + 4, node.qy);
}

}  // namespace

void WriteSampleBoundaries(const std::string& dyn_folder, uint32_t seed) {
  Random random(seed);
  std::vector<Boundary> list = SampleBoundaries(random);

  // Blocks are handed out in a shuffled order, so that chains jump back and forth.
  size_t block_count = 0;
  for (const Boundary& b : list) {
    if (b.nodes.size() > kRecordNodes) {
      block_count += (b.nodes.size() - kRecordNodes + kBlockNodes - 1) / kBlockNodes;
    }
  }
  std::vector<int16_t> free_blocks(block_count);
  for (size_t i = 0; i < block_count; ++i) free_blocks[i] = static_cast<int16_t>(i);
  for (size_t i = block_count; i > 1; --i) {
    std::swap(free_blocks[i - 1],
              free_blocks[static_cast<size_t>(random.Between(0, int64_t(i) - 1))]);
  }
  std::vector<uint8_t> blocks(block_count * kBlockBytes, 0);

  platform::NativeFileSystem files;
  base::OutputFile records(
      files, base::NormalizePath(dyn_folder + base::NativeSeparators("\\Rxybnd.dat")));
  size_t next_free = 0;
  for (size_t r = 0; r < list.size(); ++r) {
    const Boundary& b = list[r];
    std::vector<uint8_t> record(kRecordBytes, 0);
    shapefile::PutLittleEndian16(&record[0], static_cast<uint16_t>(1000 + r));  // not the ordinal
    shapefile::PutLittleEndian16(&record[boundaries::kNodeCountOffset],
                                 static_cast<uint16_t>(b.node_count));
    std::string description = b.description;
    description.resize(boundaries::kDescriptionBytes, b.pad_with_nul ? '\0' : ' ');
    std::copy(description.begin(), description.end(),
              record.begin() + boundaries::kDescriptionOffset);
    for (size_t i = 0; i < std::min(b.nodes.size(), kRecordNodes); ++i) {
      PutNode(&record[boundaries::kRecordNodesOffset + kNodeBytes * i], b.nodes[i]);
    }
    int16_t first_block = -1;
    if (b.nodes.size() > kRecordNodes) {
      first_block = free_blocks[next_free];
      for (size_t i = kRecordNodes; i < b.nodes.size(); i += kBlockNodes) {
        uint8_t* block = &blocks[static_cast<size_t>(free_blocks[next_free]) * kBlockBytes];
        for (size_t j = 0; j < kBlockNodes && i + j < b.nodes.size(); ++j) {
          PutNode(block + kNodeBytes * j, b.nodes[i + j]);
        }
        ++next_free;
        bool last = i + kBlockNodes >= b.nodes.size();
        int16_t next = last ? int16_t{-1} : free_blocks[next_free];
        shapefile::PutLittleEndian16(block + boundaries::kNextBlockOffset,
                                     static_cast<uint16_t>(next));
      }
    }
    shapefile::PutLittleEndian16(&record[boundaries::kExtensionBlockOffset],
                                 static_cast<uint16_t>(first_block));
    records.Append(record.data(), record.size());
  }
  records.Close();

  base::OutputFile extension(
      files, base::NormalizePath(dyn_folder + base::NativeSeparators("\\Rxybxt.dat")));
  extension.Append(blocks.data(), blocks.size());
  extension.Close();
}

}  // namespace routix::sample
