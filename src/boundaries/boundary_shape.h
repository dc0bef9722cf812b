// The outline of one boundary as it is written: its nodes in file order, widened to double,
// with runs of repeated nodes collapsed to one point; turned clockwise after the ring check;
// closed on its first point. The feature's attribute row holds the boundary's ordinal and
// description, the ones the ring check reports under.
#pragma once

#include <vector>

#include "boundaries/boundary_files.h"
#include "boundaries/ring_check.h"
#include "shapefile/shape_record.h"
#include "shapefile/shapefile_set.h"

namespace routix::boundaries {

// record: at least two nodes, with its extension read when it has more than a record holds.
// points is the caller's buffer, reused from boundary to boundary.
void WriteBoundaryShape(const BoundaryRecord& record, const RingReport& report,
                        shapefile::ShapefileSet& set, std::vector<shapefile::ShapePoint>& points);

}  // namespace routix::boundaries
