#include "streets/shape_line_reader.h"

#include <string_view>

#include "base/conversion_error.h"
#include "shapefile/shapefile_format.h"
#include "streets/lenient_number.h"
#include "streets/segment_record.h"
#include "streets/street_shape.h"

namespace routix::streets {
namespace {

// A record's content takes 24 words and 8 a point, and its file at most kMaxFileWords with
// the 50 of its header and the 4 of the record header; two of its points are the ends.
constexpr int64_t kMaxLinePairs =
    (shapefile::kMaxFileWords - shapefile::kHeaderWords - shapefile::kRecordHeaderWords - 24) / 8 -
    2;

}  // namespace

bool ShapeLineReader::Next() {
  if (!ended_) {
    // The lines that were never asked for their points are read to their end here.
    char rest[256];
    while (file_.ReadInLine(rest, sizeof rest) == sizeof rest) {
    }
  }
  if (file_.AtEndOfStream()) return false;
  char number[kShapePairStart];
  const size_t length = file_.ReadInLine(number, sizeof number);
  number_ = ReadLenientNumber(std::string_view(number, length));
  ended_ = length < sizeof number;
  return true;
}

void ShapeLineReader::AppendPoints(std::vector<shapefile::ShapePoint>& points) {
  char pair[kShapePairLength];
  int64_t pairs = 0;
  while (!ended_) {
    const size_t length = file_.ReadInLine(pair, sizeof pair);
    ended_ = length < sizeof pair;
    if (ended_) break;
    if (++pairs > kMaxLinePairs) {
      throw base::FileError("read", file_.path(),
                            "line " + std::to_string(file_.Line()) +
                                " holds more points than a shapefile record can take");
    }
    points.push_back(PairPoint(std::string_view(pair, sizeof pair)));
  }
}

}  // namespace routix::streets
