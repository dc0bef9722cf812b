// The byte layout of the routing system's boundary files. Rxybnd.dat is a run of fixed-size
// records, one per boundary, without a file header; Rxybxt.dat is a pool of blocks that hold,
// chained per boundary, the nodes past those a record has room for. All numbers are
// little-endian; a node is two IEEE 754 single-precision values, X then Y.
#pragma once

#include <cstddef>
#include <cstdint>

namespace routix::boundaries {

inline constexpr size_t kNodeBytes = 8;

// Rxybnd.dat record; offsets from the start of the record.
inline constexpr size_t kRecordBytes = 2048;
inline constexpr size_t kNodeCountOffset = 2;    // 16-bit signed
inline constexpr size_t kDescriptionOffset = 8;  // single-byte text, padded
inline constexpr size_t kDescriptionBytes = 60;
inline constexpr size_t kRecordHeaderBytes = 512;  // node count and description live here
inline constexpr size_t kRecordNodesOffset = 512;
inline constexpr int kRecordNodes = 191;               // what fits between the header and the link
inline constexpr size_t kExtensionBlockOffset = 2044;  // 16-bit signed, first Rxybxt.dat block
static_assert(kRecordNodesOffset + kRecordNodes * kNodeBytes + 8 == kRecordBytes);
static_assert(kDescriptionOffset + kDescriptionBytes <= kRecordHeaderBytes);

// Rxybxt.dat block; block b starts at byte b * kBlockBytes.
inline constexpr size_t kBlockBytes = 512;
inline constexpr int kBlockNodes = 63;           // 504 bytes of nodes, then the link words
inline constexpr size_t kNextBlockOffset = 508;  // 16-bit signed, the block that follows
static_assert(kBlockNodes * kNodeBytes + 4 == kNextBlockOffset);
static_assert(kNextBlockOffset + 4 == kBlockBytes);

}  // namespace routix::boundaries
