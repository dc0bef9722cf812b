#include "shapefile/shape_record.h"

namespace routix::shapefile {

ShapeRecord BuildShapeRecord(int32_t record_number, int32_t shape_type,
                             std::span<const ShapePoint> points) {
  ShapeRecord record;
  record.record_number = record_number;
  record.shape_type = shape_type;
  record.points = points;
  record.content_length = (48 + 16 * static_cast<int64_t>(points.size())) / 2;
  if (!points.empty()) {
    record.box = {points[0].x, points[0].y, points[0].x, points[0].y};
    for (const ShapePoint& point : points.subspan(1)) {
      if (point.x < record.box.xmin) record.box.xmin = point.x;
      if (point.y < record.box.ymin) record.box.ymin = point.y;
      if (point.x > record.box.xmax) record.box.xmax = point.x;
      if (point.y > record.box.ymax) record.box.ymax = point.y;
    }
  }
  return record;
}

void WidenBox(Box& box, const Box& other) {
  if (other.xmin < box.xmin) box.xmin = other.xmin;
  if (other.ymin < box.ymin) box.ymin = other.ymin;
  if (other.xmax > box.xmax) box.xmax = other.xmax;
  if (other.ymax > box.ymax) box.ymax = other.ymax;
}

}  // namespace routix::shapefile
