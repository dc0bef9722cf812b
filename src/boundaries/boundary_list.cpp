#include "boundaries/boundary_list.h"

#include <algorithm>
#include <charconv>

#include "boundaries/boundary_format.h"

namespace routix::boundaries {
namespace {

// The numeric value of a node count text; text that is not a number counts as 0.
int NodeCountValue(const std::string& text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

}  // namespace

std::vector<ListedBoundary> ListBoundaries(const std::vector<BoundaryListRow>& rows) {
  std::vector<ListedBoundary> listed;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (NodeCountValue(rows[r].node_count) > 0) {
      listed.push_back({static_cast<int32_t>(r + 1), DescriptionWithoutNul(rows[r].description),
                        rows[r].node_count});
    }
  }
  return listed;
}

bool RequiresExtensionFile(const std::vector<BoundaryListRow>& rows) {
  return std::any_of(rows.begin(), rows.end(), [](const BoundaryListRow& row) {
    return NodeCountValue(row.node_count) > kRecordNodes;
  });
}

}  // namespace routix::boundaries
