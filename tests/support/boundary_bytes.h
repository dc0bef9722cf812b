// Boundary files for tests, put together field by field at the offsets of the stored layout:
// one 2048-byte Rxybnd.dat record, one 512-byte Rxybxt.dat block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace routix::testing {

struct Node {
  float x;
  float y;
};

// The record's first 191 nodes are taken from nodes; the description is padded with spaces.
// The unread word at offset 0 holds 999, which is never anyone's ordinal.
std::string RecordBytes(int16_t node_count, const std::string& description,
                        const std::vector<Node>& nodes, int16_t extension_block = -1);

// Nodes first to last, node k at (k, -k), so every node says where it came from.
std::vector<Node> Nodes(int first, int last);

// Up to 63 nodes and the link to the next block.
std::string BlockBytes(const std::vector<Node>& nodes, int16_t next_block);

}  // namespace routix::testing
