// What the list command prints of the boundaries it is given: one line per boundary with its
// ID, node count and description separated by tabs, a tab, CR, LF or backslash inside the
// description written as \t, \r, \n or \\; or one JSON array of objects {"id",
// "description", "node_count"}. Descriptions are decoded from Windows-1252 to UTF-8, without
// the NUL characters that pad them and without blanks around them, as the conversion writes
// them into Descr.
#pragma once

#include <string>
#include <vector>

#include "boundaries/boundary_list.h"

namespace routix::cli {

std::string BoundaryListText(const std::vector<boundaries::ListedBoundary>& rows);
std::string BoundaryListJson(const std::vector<boundaries::ListedBoundary>& rows);

}  // namespace routix::cli
