#include "support/boundary_bytes.h"

#include <bit>

namespace routix::testing {
namespace {

void Put16(std::string& bytes, size_t at, int16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((static_cast<uint16_t>(value) >> 8) & 0xFF);
}

void PutNode(std::string& bytes, size_t at, const Node& node) {
  for (float value : {node.x, node.y}) {
    uint32_t bits = std::bit_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[at++] = static_cast<char>(bits >> (8 * i));
  }
}

}  // namespace

std::string RecordBytes(int16_t node_count, const std::string& description,
                        const std::vector<Node>& nodes, int16_t extension_block) {
  std::string bytes(2048, '\0');
  Put16(bytes, 0, 999);
  Put16(bytes, 2, node_count);
  std::string padded = description;
  padded.resize(60, ' ');
  bytes.replace(8, 60, padded);
  for (size_t i = 0; i < nodes.size() && i < 191; ++i) PutNode(bytes, 512 + 8 * i, nodes[i]);
  Put16(bytes, 2044, extension_block);
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
  Put16(bytes, 508, next_block);
  return bytes;
}

}  // namespace routix::testing
