// The orientation check, its Report.err lines, and the coordinate text in them.
#include "boundaries/ring_check.h"

#include <gtest/gtest.h>

#include <sstream>
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

// A coordinate that ends in "f" is the nearest float to it.
double Coordinate(const std::string& text) {
  return text.ends_with('f') ? std::stof(text) : std::stod(text);
}

TEST(CheckBoundaryRing, TellsTheOrientationAndReportsEveryCancellingPairInOrder) {
  for (const testing::Case& row : testing::ReadCases("boundaries/rings.tsv")) {
    SCOPED_TRACE(row.where);
    std::vector<ShapePoint> points;
    std::istringstream texts(row[0]);
    for (std::string x, y; std::getline(texts, x, '/') && texts >> y; texts.get()) {
      points.push_back({Coordinate(x), Coordinate(y)});
    }
    Checked checked = Check(points);
    EXPECT_EQ(checked.clockwise, row[1] == "1");
    std::string expected;
    for (size_t i = 2; i < row.fields.size(); ++i) expected += kLine + row[i] + "\r\n";
    EXPECT_EQ(checked.report, expected);
  }
}

TEST(CoordinateText, WritesUpTo15SignificantDigitsWithoutTrailingZeros) {
  for (const testing::Case& row : testing::ReadCases("boundaries/coordinate_texts.tsv")) {
    EXPECT_EQ(CoordinateText(Coordinate(row[0]), row[1][0]), row[2]) << row.where;
  }
}

}  // namespace
}  // namespace routix::boundaries
