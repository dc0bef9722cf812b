#include "streets/street_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "streets/segment_record.h"

namespace routix::streets {
namespace {

using shapefile::ShapePoint;

// A record of 181 columns with the from end at 106-125 and the to end at 126-145.
std::string Record(const std::string& from_x, const std::string& from_y, const std::string& to_x,
                   const std::string& to_y) {
  std::string record(105, ' ');
  record += from_x + from_y + to_x + to_y;
  record.resize(181, ' ');
  return record;
}

std::vector<std::pair<double, double>> Points(const std::string& record, const std::string& shape) {
  std::vector<ShapePoint> points;
  BuildStreetShape(record, shape, points);
  std::vector<std::pair<double, double>> pairs;
  for (const ShapePoint& p : points) pairs.emplace_back(p.x, p.y);
  return pairs;
}

TEST(BuildStreetShape, RunsFromTheFromEndThroughTheWholePairsToTheToEnd) {
  const std::string record = Record("    100.50", "    200.25", "       300", "       400");
  using P = std::vector<std::pair<double, double>>;
  struct Row {
    const char* what;
    std::string shape;
    P points;
  } rows[] = {
      {"no shape", "", {{100.5, 200.25}, {300, 400}}},
      {"number only", "    17", {{100.5, 200.25}, {300, 400}}},
      {"a 25-character line has no whole pair",
       "    17" + std::string(19, '1'),
       {{100.5, 200.25}, {300, 400}}},
      {"three pairs",
       "    17"
       "         1         2"
       "         3         4"
       "         5         6",
       {{100.5, 200.25}, {1, 2}, {3, 4}, {5, 6}, {300, 400}}},
      {"7 characters after the last pair are not read",
       "    17"
       "        11        12"
       "        13        14"
       " 15 16 1",
       {{100.5, 200.25}, {11, 12}, {13, 14}, {300, 400}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Points(record, row.shape), row.points);
  }
}

TEST(BuildStreetShape, ReadsMissingEndColumnsAsZero) {
  std::string record = Record("         1", "         2", "3         ", "         4");
  record.resize(130);  // the to end's X is cut after five columns, its Y is missing
  EXPECT_EQ(Points(record, ""), (std::vector<std::pair<double, double>>{{1, 2}, {3, 0}}));
}

TEST(ReverseShapePoints, KeepsTheNumberAndReversesTheWholePairs) {
  struct Row {
    std::string shape;
    std::string reversed;
  } rows[] = {
      {"", ""},
      {"  12", "  12"},
      {"    12"
       "aaaaaaaaaaAAAAAAAAAA",
       "    12"
       "aaaaaaaaaaAAAAAAAAAA"},
      {"    12"
       "aaaaaaaaaaAAAAAAAAAA"
       "bbbbbbbbbbBBBBBBBBBB"
       "ccccccccccCCCCCCCCCC"
       "tail",
       "    12"
       "ccccccccccCCCCCCCCCC"
       "bbbbbbbbbbBBBBBBBBBB"
       "aaaaaaaaaaAAAAAAAAAA"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shape);
    std::string reversed = "old";
    ReverseShapePoints(row.shape, reversed);
    EXPECT_EQ(reversed, row.reversed);
  }
}

}  // namespace
}  // namespace routix::streets
