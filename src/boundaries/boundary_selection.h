// What the user picked in the selection dialog (or on the command line): the boundaries to
// convert, by ordinal, and the form of the output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace routix::boundaries {

struct BoundarySelection {
  std::vector<std::string> col_return;  // `colReturn`: ticked ordinals as decimal text, list order
  int16_t boundary_shape_type = 0;      // `BoundaryShapeType`: 5 polygon, 3 polyline
  bool one_file_per_boundary = false;   // `OneFilePerBoundary`
};

}  // namespace routix::boundaries
