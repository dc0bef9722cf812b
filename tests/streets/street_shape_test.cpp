// The points of a segment: its ends, the pairs of its ShapeLine read piece by piece, and the
// cache that lends a marked segment's points to its twins.
#include "streets/street_shape.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "streets/shape_cache.h"
#include "streets/shape_line_reader.h"
#include "support/case_table.h"
#include "support/memory_file_system.h"

namespace routix::streets {
namespace {

using shapefile::ShapePoint;

// Points as "X Y, X Y", each value in the fewest of 17 digits that give it back.
std::string Text(const std::vector<ShapePoint>& points) {
  std::string text;
  for (const ShapePoint& p : points) {
    char pair[64];
    std::snprintf(pair, sizeof pair, "%s%.17g %.17g", text.empty() ? "" : ", ", p.x, p.y);
    text += pair;
  }
  return text;
}

std::string End(int x, int y) {
  char text[32];
  std::snprintf(text, sizeof text, "%10d%10d", x, y);
  return text;
}

TEST(StreetShape, EndsAndPairsReadAsZeroWhereTheirColumnsAreMissing) {
  // A record whose from end is "1 2" and whose to end is cut after "    3", its Y missing.
  const std::string record = std::string(105, ' ') + "         1         2    3";
  EXPECT_EQ(
      Text({FromEnd(record), ToEnd(record), PairPoint(End(11, -12)), PairPoint("        11")}),
      "1 2, 3 0, 11 -12, 11 0");
}

// The lines of a Nodfil.asc, each as its number and its points, but for the lines not asked
// for, by their place from 0 in the second field, which give their number alone.
TEST(ShapeLineReader, GivesTheWholePairsOfEachLineAndNothingOfAPartialOne) {
  std::string long_line = "     1";  // 2.2 MB of pairs: across the reader's buffers
  std::vector<ShapePoint> long_points;
  for (int v = 1; v <= 110'000; ++v) {
    long_line += End(v, -v);
    long_points.push_back({double(v), double(-v)});
  }
  std::vector<testing::Case> cases = testing::ReadCases("streets/shape_lines.tsv");
  for (const char* end : {"\r\n", "7777777\r\n", ""}) {  // a partial pair, no end at all
    cases.push_back({"a long line, then " + std::string(end),
                     {long_line + end, "", "1, " + Text(long_points)}});
  }
  for (const testing::Case& row : cases) {
    testing::MemoryFileSystem memory;
    memory.WriteFile("Nodfil.asc", row[0]);
    base::TextReader file(memory, "Nodfil.asc");
    ShapeLineReader lines(file);
    std::vector<std::string> read;
    for (char i = '0'; lines.Next(); ++i) {
      std::vector<ShapePoint> points;
      if (row[1].find(i) == std::string::npos) lines.AppendPoints(points);
      read.push_back(std::to_string(int(lines.number())) +
                     (points.empty() ? "" : ", " + Text(points)));
    }
    EXPECT_EQ(read, std::vector<std::string>(row.fields.begin() + 2, row.fields.end()))
        << row.where;
  }
}

// The cases of shape_cache.tsv, run in order; see its first lines.
TEST(ShapeCache, KeepsTheFirstValueOfEveryKeyAndGivesItBackAsItWasGiven) {
  std::unique_ptr<ShapeCache> cache;
  for (const testing::Case& c : testing::ReadCases("streets/shape_cache.tsv")) {
    SCOPED_TRACE(c.where);
    std::vector<ShapePoint> points = {{0, 0}};
    if (c[0] == "new") {
      cache = std::make_unique<ShapeCache>();
    } else if (c[0] == "size") {
      EXPECT_EQ(cache->size(), std::stoul(c[1]));
    } else if (c[0] == "find") {
      cache->AppendShape(c[1], c[2], points);
      EXPECT_EQ(Text(points), c[3]);
    } else if (c[0] == "remember") {
      points.clear();
      for (char *at = const_cast<char*>(c[3].c_str()), *end = at; *at != '\0';
           at = end + (*end != '\0')) {
        const double x = std::strtod(at, &end);
        points.push_back({x, std::strtod(end, &end)});
      }
      cache->Remember(c[1], c[2], points);
    } else {
      EXPECT_THROW(cache->Remember(c[1], c[2], points), std::invalid_argument);
      EXPECT_THROW(cache->AppendShape(c[1], c[2], points), std::invalid_argument);
    }
  }
}

}  // namespace
}  // namespace routix::streets
