// The orientation and self-overlap check of one outline. CheckBoundaryRing sums the signed
// area terms of its edges (the closing edge included) and tells whether the outline runs
// clockwise or has no area; it writes to Report.err one line for every pair of edges whose
// terms cancel exactly, the mark of an edge that runs back over another. ReversePoints turns
// an outline round.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/text_stream.h"
#include "shapefile/shape_record.h"

namespace routix::boundaries {

// Where a check writes its lines and whom they name.
struct RingReport {
  base::TextWriter& report;         // Report.err, open for the whole run
  int32_t boundary_id;              // the boundary's ordinal
  std::string_view boundary_descr;  // its description without NUL bytes and surrounding spaces
};

// points: the outline, not closed, at least one point. True when the area sum is 0 or
// negative (clockwise), false when positive. A failure to write Report.err throws
// ConversionError.
bool CheckBoundaryRing(std::span<const shapefile::ShapePoint> points, const RingReport& report);

void ReversePoints(std::span<shapefile::ShapePoint> points);

}  // namespace routix::boundaries
