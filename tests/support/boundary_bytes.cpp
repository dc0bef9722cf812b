#include "support/boundary_bytes.h"

#include <bit>

namespace routix::testing {
namespace {

// Puts the width low bytes of value at offset at, least significant first.
void Put(std::string& bytes, size_t at, int64_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void PutNode(std::string& bytes, size_t at, const Node& node) {
  Put(bytes, at, std::bit_cast<uint32_t>(node.x), 4);
  Put(bytes, at + 4, std::bit_cast<uint32_t>(node.y), 4);
}

}  // namespace

std::string RecordBytes(int16_t node_count, const std::string& description,
                        const std::vector<Node>& nodes, int16_t extension_block) {
  std::string bytes(2048, '\0');
  Put(bytes, 0, 999, 2);
  Put(bytes, 2, node_count, 2);
  bytes.replace(8, 60, (description + std::string(60, ' ')).substr(0, 60));
  for (size_t i = 0; i < nodes.size() && i < 191; ++i) PutNode(bytes, 512 + 8 * i, nodes[i]);
  Put(bytes, 2044, extension_block, 2);
  return bytes;
}

std::vector<Node> Nodes(int first, int last) {
  std::vector<Node> nodes;
  for (int k = first; k <= last; ++k) nodes.push_back({float(k), float(-k)});
  return nodes;
}

std::string BlockBytes(const std::vector<Node>& nodes, int16_t next_block) {
  std::string bytes(512, '\0');
  for (size_t i = 0; i < nodes.size() && i < 63; ++i) PutNode(bytes, 8 * i, nodes[i]);
  Put(bytes, 508, next_block, 2);
  return bytes;
}

}  // namespace routix::testing
