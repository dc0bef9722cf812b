// Reading the boundary files of a DYN folder. ReadBoundaryList gives the node count and the
// description of every record for the selection list; a BoundaryFile reads whole records one
// by one for the conversion, and ReadExtensionPoints follows a long boundary's block chain in
// Rxybxt.dat. A missing or unreadable file, and a chain that names a block that cannot be
// there or comes back to one it has read, throw ConversionError naming the file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/input_file.h"
#include "boundaries/boundary_format.h"

namespace routix::boundaries {

struct BoundaryPoint {
  float x = 0;
  float y = 0;
};

// One boundary as stored: its ordinal (1-based position in Rxybnd.dat), the header fields,
// the nodes the record holds and, once read, the nodes of its block chain.
struct BoundaryRecord {
  int32_t ordinal = 0;
  int16_t node_count = 0;
  std::string description;  // all kDescriptionBytes bytes, as stored
  std::array<BoundaryPoint, kRecordNodes> nodes{};
  int16_t extension_block = 0;
  std::vector<BoundaryPoint> extension;  // node_count - kRecordNodes nodes, from node 192 on
};

struct BoundaryListRow {
  std::string node_count;   // the signed count as decimal text
  std::string description;  // without surrounding spaces; NUL bytes stay
};

// dyn_folder's two boundary files, normalised.
std::string RxybndPath(const std::string& dyn_folder);
std::string RxybxtPath(const std::string& dyn_folder);

// One row per record of dyn_folder's Rxybnd.dat, in file order; a trailing partial record is
// not a record.
std::vector<BoundaryListRow> ReadBoundaryList(base::FileSystem& files,
                                              const std::string& dyn_folder);

// A description as the conversion writes it: without NUL bytes, then without surrounding spaces.
std::string DescriptionWithoutNul(std::string_view stored);

// Rxybnd.dat opened for reading record after record.
class BoundaryFile {
 public:
  BoundaryFile(base::FileSystem& files, const std::string& path);

  int64_t record_count() const { return record_count_; }
  const std::string& path() const { return file_.path(); }
  // Fills record with the next record, the one after the last read (the first at the start).
  void ReadNext(BoundaryRecord& record);

 private:
  base::InputFile file_;
  int64_t record_count_;
  int64_t next_ = 0;
  std::array<uint8_t, kRecordBytes> bytes_{};
};

// Throws FileError naming the file, the boundary and the node when a node the record draws
// with (its first nodes in boundary_path, its extension in extension_path) is not a finite
// number: a NaN or an infinity has no place on a map.
void CheckNodesFinite(const BoundaryRecord& record, const std::string& boundary_path,
                      const std::string& extension_path);

// Fills record.extension with nodes 192 to node_count from the chain that starts at
// record.extension_block; for a record of more than kRecordNodes nodes only. A block's link is
// read only when the chain needs another node.
void ReadExtensionPoints(BoundaryRecord& record, base::InputFile& extension_file);

}  // namespace routix::boundaries
