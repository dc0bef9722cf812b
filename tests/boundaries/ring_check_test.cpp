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

// A coordinate that ends in "f" is the nearest float to it.
double Coordinate(const std::string& text) {
  return text.ends_with('f') ? std::stof(text) : std::stod(text);
}

TEST(CheckBoundaryRing, TellsTheOrientationAndReportsEveryCancellingPairInOrder) {
  for (const testing::Case& row : testing::ReadCases("boundaries/rings.tsv")) {
    SCOPED_TRACE(row.where);
    std::vector<shapefile::ShapePoint> points;
    std::istringstream texts(row[0]);
    for (std::string x, y; std::getline(texts, x, '/') && texts >> y; texts.get()) {
      points.push_back({Coordinate(x), Coordinate(y)});
    }
    testing::MemoryFileSystem memory;
    base::TextWriter report(base::OutputFile(memory, "Report.err"));
    EXPECT_EQ(CheckBoundaryRing(points, RingReport{report, 5, "Spur"}), row[1] == "1");
    report.Close();
    std::string expected;
    for (size_t i = 2; i < row.fields.size(); ++i) {
      expected += "The boundary, ID 5 (Spur), may be laying on top of itself at " + row[i] + "\r\n";
    }
    EXPECT_EQ(memory.Bytes("Report.err"), expected);
  }
}

TEST(CoordinateText, WritesUpTo15SignificantDigitsWithoutTrailingZeros) {
  for (const testing::Case& row : testing::ReadCases("boundaries/coordinate_texts.tsv")) {
    EXPECT_EQ(CoordinateText(Coordinate(row[0]), row[1][0]), row[2]) << row.where;
  }
}

}  // namespace
}  // namespace routix::boundaries
