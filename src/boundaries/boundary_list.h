// The listing rules that the selection dialog and the command line share: which boundaries
// are offered (a node count above 0, each keeping its ordinal, its description as the output
// writes it, without NUL bytes and surrounding spaces) and whether the list needs
// Rxybxt.dat (a boundary of more nodes than a record holds).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boundaries/boundary_files.h"

namespace routix::boundaries {

struct ListedBoundary {
  int32_t ordinal;  // row index + 1
  std::string description;
  std::string node_count;  // the row's text, as read
};

std::vector<ListedBoundary> ListBoundaries(const std::vector<BoundaryListRow>& rows);

bool RequiresExtensionFile(const std::vector<BoundaryListRow>& rows);

}  // namespace routix::boundaries
