#include "streets/street_shape.h"

#include "streets/lenient_number.h"
#include "streets/segment_record.h"

namespace routix::streets {

shapefile::ShapePoint FromEnd(std::string_view record) {
  return {ReadLenientNumber(Column(record, kFromX)), ReadLenientNumber(Column(record, kFromY))};
}

shapefile::ShapePoint ToEnd(std::string_view record) {
  return {ReadLenientNumber(Column(record, kToX)), ReadLenientNumber(Column(record, kToY))};
}

shapefile::ShapePoint PairPoint(std::string_view pair) {
  return {ReadLenientNumber(pair.substr(0, kShapeHalfLength)),
          ReadLenientNumber(pair.size() > kShapeHalfLength ? pair.substr(kShapeHalfLength)
                                                           : std::string_view())};
}

}  // namespace routix::streets
