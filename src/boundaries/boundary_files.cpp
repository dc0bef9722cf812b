#include "boundaries/boundary_files.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <cmath>
#include <limits>
#include <new>

#include "base/conversion_error.h"
#include "base/cp1252.h"
#include "base/path_utils.h"

namespace routix::boundaries {
namespace {

// Block numbers are signed 16-bit values, so a chain can name at most this many blocks.
constexpr size_t kMaxBlocks = size_t{1} << 15;

// Ordinals, like the progress bar they drive, are 32-bit.
constexpr int64_t kMaxRecords = std::numeric_limits<int32_t>::max();

int16_t GetLittleEndian16(const uint8_t* in) {
  return static_cast<int16_t>(static_cast<uint16_t>(in[0] | (in[1] << 8)));
}

BoundaryPoint GetNode(const uint8_t* in) {
  auto get_float = [](const uint8_t* bytes) {
    uint32_t bits = uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) |
                    (uint32_t{bytes[3]} << 24);
    return std::bit_cast<float>(bits);
  };
  return {get_float(in), get_float(in + 4)};
}

// "Cannot read ...Rxybxt.dat: boundary 12 (North) continues in block 7, <what>.", the
// description in the form every message is in.
base::ConversionError ChainError(const base::InputFile& file, const BoundaryRecord& record,
                                 int32_t block, const std::string& what) {
  return base::FileError("read", file.path(),
                         "boundary " + std::to_string(record.ordinal) + " (" +
                             base::Cp1252ToUtf8(DescriptionWithoutNul(record.description)) +
                             ") continues in block " + std::to_string(block) + ", " + what);
}

}  // namespace

std::string RxybndPath(const std::string& dyn_folder) {
  return base::NormalizePath(dyn_folder + base::NativeSeparators("\\Rxybnd.dat"));
}

std::string RxybxtPath(const std::string& dyn_folder) {
  return base::NormalizePath(dyn_folder + base::NativeSeparators("\\Rxybxt.dat"));
}

std::vector<BoundaryListRow> ReadBoundaryList(base::FileSystem& files,
                                              const std::string& dyn_folder) {
  BoundaryFile file(files, RxybndPath(dyn_folder));
  std::vector<BoundaryListRow> rows;
  try {
    rows.reserve(static_cast<size_t>(file.record_count()));
    BoundaryRecord record;
    for (int64_t r = 0; r < file.record_count(); ++r) {
      file.ReadNext(record);
      rows.push_back(
          {std::to_string(record.node_count), std::string(base::TrimSpaces(record.description))});
    }
  } catch (const std::bad_alloc&) {
    throw base::OutOfMemoryReading(file.path());
  }
  return rows;
}

std::string DescriptionWithoutNul(std::string_view stored) {
  std::string text;
  text.reserve(stored.size());
  for (char c : stored) {
    if (c != '\0') text += c;
  }
  return std::string(base::TrimSpaces(text));
}

BoundaryFile::BoundaryFile(base::FileSystem& files, const std::string& path)
    : file_(files, path), record_count_(static_cast<int64_t>(file_.size() / kRecordBytes)) {
  if (record_count_ > kMaxRecords) {
    throw base::FileError("read", path,
                          "it holds more than " + std::to_string(kMaxRecords) + " boundaries");
  }
}

void BoundaryFile::ReadNext(BoundaryRecord& record) {
  uint64_t offset = static_cast<uint64_t>(next_) * kRecordBytes;
  if (next_ >= record_count_ || file_.ReadAt(offset, bytes_.data(), kRecordBytes) < kRecordBytes) {
    throw base::FileError("read", file_.path(),
                          "the file ends before its record " + std::to_string(next_ + 1));
  }
  ++next_;
  record.ordinal = static_cast<int32_t>(next_);
  record.node_count = GetLittleEndian16(&bytes_[kNodeCountOffset]);
  record.description.assign(reinterpret_cast<const char*>(&bytes_[kDescriptionOffset]),
                            kDescriptionBytes);
  for (int i = 0; i < kRecordNodes; ++i) {
    record.nodes[static_cast<size_t>(i)] =
        GetNode(&bytes_[kRecordNodesOffset + static_cast<size_t>(i) * kNodeBytes]);
  }
  record.extension_block = GetLittleEndian16(&bytes_[kExtensionBlockOffset]);
  record.extension.clear();
}

void CheckNodesFinite(const BoundaryRecord& record, const std::string& boundary_path,
                      const std::string& extension_path) {
  auto check = [&](const BoundaryPoint& node, size_t number, const std::string& path) {
    if (std::isfinite(node.x) && std::isfinite(node.y)) return;
    throw base::FileError("read", path,
                          "boundary " + std::to_string(record.ordinal) + " (" +
                              base::Cp1252ToUtf8(DescriptionWithoutNul(record.description)) +
                              ") has node " + std::to_string(number) +
                              ", whose coordinates are not finite numbers");
  };
  const size_t in_record = static_cast<size_t>(std::clamp<int>(record.node_count, 0, kRecordNodes));
  for (size_t i = 0; i < in_record; ++i) check(record.nodes[i], i + 1, boundary_path);
  for (size_t i = 0; i < record.extension.size(); ++i) {
    check(record.extension[i], kRecordNodes + i + 1, extension_path);
  }
}

void ReadExtensionPoints(BoundaryRecord& record, base::InputFile& extension_file) {
  record.extension.clear();
  if (record.node_count <= kRecordNodes) return;
  const size_t wanted = static_cast<size_t>(record.node_count - kRecordNodes);
  record.extension.reserve(wanted);
  std::bitset<kMaxBlocks> visited;
  std::array<uint8_t, kBlockBytes> block_bytes;
  int32_t block = record.extension_block;
  while (true) {
    if (block < 0) throw ChainError(extension_file, record, block, "which cannot exist");
    if (visited[static_cast<size_t>(block)]) {
      throw ChainError(extension_file, record, block, "which it has already read");
    }
    visited[static_cast<size_t>(block)] = true;

    const size_t nodes = std::min<size_t>(kBlockNodes, wanted - record.extension.size());
    const bool more = record.extension.size() + nodes < wanted;
    const size_t needed = more ? kNextBlockOffset + 2 : nodes * kNodeBytes;
    uint64_t offset = static_cast<uint64_t>(block) * kBlockBytes;
    if (extension_file.ReadAt(offset, block_bytes.data(), needed) < needed) {
      throw ChainError(extension_file, record, block, "past the end of the file");
    }
    for (size_t i = 0; i < nodes; ++i) {
      record.extension.push_back(GetNode(&block_bytes[i * kNodeBytes]));
    }
    if (!more) return;
    block = GetLittleEndian16(&block_bytes[kNextBlockOffset]);
  }
}

}  // namespace routix::boundaries
