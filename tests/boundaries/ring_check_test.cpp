// The orientation check, its Report.err lines, and the coordinate text in them.
#include "boundaries/ring_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/output_file.h"
#include "base/text_stream.h"
#include "boundaries/coordinate_text.h"
#include "support/case_table.h"
#include "support/memory_file_system.h"

namespace routix::boundaries {
namespace {

using shapefile::ShapePoint;

const std::string kLine = "The boundary, ID 5 (Spur), may be laying on top of itself at ";

struct Checked {
  bool clockwise;
  std::string report;
};

Checked Check(const std::vector<ShapePoint>& points) {
  testing::MemoryFileSystem memory;
  base::TextWriter report(base::OutputFile(memory, "Report.err"));
  bool clockwise = CheckBoundaryRing(points, RingReport{report, 5, "Spur"});
  report.Close();
  return {clockwise, memory.Bytes("Report.err")};
}

TEST(CheckBoundaryRing, TellsTheOrientationAndReportsEveryCancellingPairInOrder) {
  struct Row {
    const char* what;
    std::vector<ShapePoint> points;
    bool clockwise;
    std::vector<std::string> pairs;
  } rows[] = {
      {"two points that run out and back", {{1, 1}, {3, 1}}, true, {"0:1/1 1:3/1"}},
      {"one point", {{2, 7}}, true, {}},
      {"square clockwise", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, true, {}},
      {"square counter-clockwise", {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, false, {}},
      {"only vertical edges and edges on Y = 0", {{0, -1}, {0, 1}, {2, -1}, {2, 1}}, true, {}},
      {"a spike out of the top edge and back",
       {{0, 0}, {0, 2}, {1, 2}, {2, 3}, {1, 2}, {3, 2}, {3, 0}},
       true,
       {"4:1/2 3:2/3"}},
      {"equal values: every positive meets every negative, in list order",
       {{0, 0}, {2, 1}, {0, 0}, {2, 1}},
       true,
       {"0:0/0 1:2/1", "0:0/0 3:2/1", "2:0/0 1:2/1", "2:0/0 3:2/1"}},
      {"pairs of several values: in positive list order, not by value",
       {{4, 2}, {2, 4}, {1, 2}, {3, 4}},
       true,
       {"1:2/4 3:3/4", "2:1/2 0:4/2"}},
      {"labels carry the widened float",
       {{123.45f, 0.5}, {-2.5, 0.5}},
       true,
       {"1:-2.5/0.5 0:123.449996948242/0.5"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Checked checked = Check(row.points);
    EXPECT_EQ(checked.clockwise, row.clockwise);
    std::string expected;
    for (const std::string& pair : row.pairs) expected += kLine + pair + "\r\n";
    EXPECT_EQ(checked.report, expected);
  }
}

TEST(CoordinateText, WritesUpTo15SignificantDigitsWithoutTrailingZeros) {
  for (const testing::Case& row : testing::ReadCases("boundaries/coordinate_texts.tsv")) {
    const double value = row[0].ends_with('f') ? std::stof(row[0]) : std::stod(row[0]);
    EXPECT_EQ(CoordinateText(value, row[1][0]), row[2]) << row.where;
  }
}

}  // namespace
}  // namespace routix::boundaries
