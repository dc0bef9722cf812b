// One polyline or polygon record in memory: one part over the points given, its box and its
// content length in 16-bit words. The points stay with the caller, which reuses its buffer.
#pragma once

#include <cstdint>
#include <span>

namespace routix::shapefile {

struct ShapePoint {
  double x = 0;
  double y = 0;
};

struct Box {
  double xmin = 0;
  double ymin = 0;
  double xmax = 0;
  double ymax = 0;
};

struct ShapeRecord {
  int32_t record_number = 0;
  int64_t content_length = 0;  // 24 + 8 * points; wider than the stored 32 bits, see the writer
  int32_t shape_type = 0;
  Box box;
  std::span<const ShapePoint> points;  // one part, starting at point 0; at least one point
};

// The record of the points with its box (first point as minimum and maximum, widened by
// every further point) and content length (48 + 16 * n bytes).
ShapeRecord BuildShapeRecord(int32_t record_number, int32_t shape_type,
                             std::span<const ShapePoint> points);

// Widens box to take in other: a smaller minimum or larger maximum replaces its value.
void WidenBox(Box& box, const Box& other);

}  // namespace routix::shapefile
