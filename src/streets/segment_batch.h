// A SegmentBatch holds a run of segments on their way from the reading of the exports to the
// writing of the set: each segment's record text and the points of its shape, back to back.
// The points of the segment being read are appended straight to the batch, so a shape of
// millions of points is held once; its two ends get places that the writing side fills in
// from the record. Clear() keeps the memory of a batch of ordinary size for the next run and
// gives back what one long shape took.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shapefile/shape_record.h"

namespace routix::streets {

class SegmentBatch {
 public:
  // A batch takes this many segments, or fewer once its points reach kFullPoints.
  static constexpr size_t kFullSegments = 1024;
  static constexpr size_t kFullPoints = size_t{16} << 10;

  // Starts a segment with a place for its from end.
  void BeginSegment() { points_.emplace_back(); }
  // Where the points between the ends of the segment begun are appended.
  std::vector<shapefile::ShapePoint>& points() { return points_; }
  // The points appended since the segment began.
  std::span<const shapefile::ShapePoint> inner_points() const {
    return std::span(points_).subspan(open_start() + 1);
  }
  // Ends the segment begun, with a place for its to end: record with its points.
  void EndSegment(std::string_view record);

  size_t size() const { return point_ends_.size(); }
  bool full() const { return size() >= kFullSegments || points_.size() >= kFullPoints; }
  std::string_view record(size_t i) const;
  // The points of segment i, from end first, to end last.
  std::span<shapefile::ShapePoint> shape(size_t i);

  void Clear();

 private:
  size_t open_start() const { return point_ends_.empty() ? 0 : point_ends_.back(); }

  std::string records_;
  std::vector<uint32_t> record_ends_;
  std::vector<shapefile::ShapePoint> points_;
  std::vector<size_t> point_ends_;
};

}  // namespace routix::streets
