#include "streets/street_shape.h"

#include "streets/lenient_number.h"
#include "streets/segment_record.h"

namespace routix::streets {
namespace {

std::string_view Pair(std::string_view shape, size_t index) {
  return shape.substr(kShapePairStart + kShapePairLength * index, kShapePairLength);
}

}  // namespace

size_t ShapePairCount(std::string_view shape) {
  return shape.size() > kShapePairStart ? (shape.size() - kShapePairStart) / kShapePairLength : 0;
}

void BuildStreetShape(std::string_view record, std::string_view shape,
                      std::vector<shapefile::ShapePoint>& points) {
  points.clear();
  points.push_back(
      {ReadLenientNumber(Column(record, kFromX)), ReadLenientNumber(Column(record, kFromY))});
  const size_t pairs = ShapePairCount(shape);
  for (size_t i = 0; i < pairs; ++i) {
    std::string_view pair = Pair(shape, i);
    points.push_back({ReadLenientNumber(pair.substr(0, kShapeHalfLength)),
                      ReadLenientNumber(pair.substr(kShapeHalfLength))});
  }
  points.push_back(
      {ReadLenientNumber(Column(record, kToX)), ReadLenientNumber(Column(record, kToY))});
}

void ReverseShapePoints(std::string_view shape, std::string& reversed) {
  reversed.assign(shape.substr(0, kShapePairStart));
  for (size_t i = ShapePairCount(shape); i > 0; --i) reversed.append(Pair(shape, i - 1));
}

}  // namespace routix::streets
