#include "streets/segment_batch.h"

namespace routix::streets {

void SegmentBatch::EndSegment(std::string_view record) {
  points_.emplace_back();
  records_.append(record);
  record_ends_.push_back(static_cast<uint32_t>(records_.size()));
  point_ends_.push_back(points_.size());
}

std::string_view SegmentBatch::record(size_t i) const {
  const size_t start = i == 0 ? 0 : record_ends_[i - 1];
  return std::string_view(records_).substr(start, record_ends_[i] - start);
}

std::span<shapefile::ShapePoint> SegmentBatch::shape(size_t i) {
  const size_t start = i == 0 ? 0 : point_ends_[i - 1];
  return std::span(points_).subspan(start, point_ends_[i] - start);
}

void SegmentBatch::Clear() {
  records_.clear();
  record_ends_.clear();
  point_ends_.clear();
  if (points_.capacity() > 2 * kFullPoints) {
    std::vector<shapefile::ShapePoint>().swap(points_);
  } else {
    points_.clear();
  }
}

}  // namespace routix::streets
