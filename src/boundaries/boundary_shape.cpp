#include "boundaries/boundary_shape.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace routix::boundaries {
namespace {

void AppendUnlessRepeated(std::vector<shapefile::ShapePoint>& points, const BoundaryPoint& node) {
  shapefile::ShapePoint point{node.x, node.y};
  if (!points.empty() && points.back().x == point.x && points.back().y == point.y) return;
  points.push_back(point);
}

}  // namespace

void WriteBoundaryShape(const BoundaryRecord& record, const RingReport& report,
                        shapefile::ShapefileSet& set, std::vector<shapefile::ShapePoint>& points) {
  points.clear();
  const int in_record = std::min<int>(record.node_count, kRecordNodes);
  for (int i = 0; i < in_record; ++i)
    AppendUnlessRepeated(points, record.nodes[static_cast<size_t>(i)]);
  for (const BoundaryPoint& node : record.extension) AppendUnlessRepeated(points, node);

  if (!CheckBoundaryRing(points, report)) ReversePoints(points);
  if (points.back().x != points.front().x || points.back().y != points.front().y) {
    const shapefile::ShapePoint first = points.front();
    points.push_back(first);
  }

  const std::string id = std::to_string(report.boundary_id);
  const std::string_view values[] = {id, report.boundary_descr};
  set.WriteFeature(points, values);
}

}  // namespace routix::boundaries
