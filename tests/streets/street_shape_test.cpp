// The points of a segment: its ends, the pairs of its ShapeLine read piece by piece, and the
// cache that lends a marked segment's points to its twins.
#include "streets/street_shape.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
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
using Texts = std::vector<std::string>;

std::string Text(const ShapePoint& p) {
  return std::to_string(int(p.x)) + " " + std::to_string(int(p.y));
}

Texts PointTexts(const std::vector<ShapePoint>& points) {
  Texts texts;
  for (const ShapePoint& p : points) texts.push_back(Text(p));
  return texts;
}

std::string End(int x, int y) {
  char text[32];
  std::snprintf(text, sizeof text, "%10d%10d", x, y);
  return text;
}

TEST(StreetShape, EndsAndPairsReadAsZeroWhereTheirColumnsAreMissing) {
  // A record whose from end is "1 2" and whose to end is cut after "    3", its Y missing.
  const std::string record = std::string(105, ' ') + "         1         2    3";
  EXPECT_EQ(Text(FromEnd(record)), "1 2");
  EXPECT_EQ(Text(ToEnd(record)), "3 0");
  EXPECT_EQ(Text(PairPoint(End(11, -12))), "11 -12");
  EXPECT_EQ(Text(PairPoint("        11")), "11 0");
}

// The lines of a Nodfil.asc, each as its number and its points, but for the lines not asked
// for, by their place from 0 in skipped, which give their number alone.
TEST(ShapeLineReader, GivesTheWholePairsOfEachLineAndNothingOfAPartialOne) {
  for (const testing::Case& row : testing::ReadCases("streets/shape_lines.tsv")) {
    testing::MemoryFileSystem memory;
    memory.WriteFile("Nodfil.asc", row[0]);
    base::TextReader file(memory, "Nodfil.asc");
    ShapeLineReader lines(file);
    Texts read;
    for (char i = '0'; lines.Next(); ++i) {
      std::string& line = read.emplace_back(std::to_string(int(lines.number())));
      if (row[1].find(i) != std::string::npos) continue;
      std::vector<ShapePoint> points;
      lines.AppendPoints(points);
      for (const ShapePoint& p : points) line += ", " + Text(p);
    }
    EXPECT_EQ(read, Texts(row.fields.begin() + 2, row.fields.end())) << row.where;
  }
}

const std::string kA = End(1, 1), kB = End(2, 2), kC = End(3, 3);
const std::vector<ShapePoint> kShape = {{5, 5}, {6, 6}};

Texts Find(const ShapeCache& cache, const std::string& from, const std::string& to) {
  std::vector<ShapePoint> points = {{0, 0}};
  cache.AppendShape(from, to, points);
  return PointTexts(points);
}

TEST(ShapeCache, KeepsTheFirstValueOfEveryKeyInBothDirections) {
  const std::vector<ShapePoint> other = {{7, 7}};
  struct Row {
    const char* what;
    std::string from2, to2;
    std::vector<ShapePoint> shape1;
    Texts ab, ba;
  } rows[] = {
      {"the same segment again", kA, kB, kShape, {"0 0", "5 5", "6 6"}, {"0 0", "6 6", "5 5"}},
      {"the reverse segment", kB, kA, kShape, {"0 0", "5 5", "6 6"}, {"0 0", "6 6", "5 5"}},
      {"an empty first value", kA, kB, {}, {"0 0"}, {"0 0"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ShapeCache cache;
    cache.Remember(kA, kB, row.shape1);
    cache.Remember(row.from2, row.to2, other);
    EXPECT_EQ(Find(cache, kA, kB), row.ab);
    EXPECT_EQ(Find(cache, kB, kA), row.ba);
    EXPECT_EQ(Find(cache, kA, kC), Texts{"0 0"});
    EXPECT_EQ(cache.size(), 2u);
  }
}

TEST(ShapeCache, ALoopIsOneKeyAndKeysCompareExactlyWithTheirHalvesInOrder) {
  const Texts none = {"0 0"};
  ShapeCache cache;
  cache.Remember(kA, kA, kShape);
  EXPECT_EQ(Find(cache, kA, kA), (Texts{"0 0", "5 5", "6 6"}));
  EXPECT_EQ(cache.size(), 1u);
  cache.Remember(kB, kC, kShape);
  EXPECT_EQ(Find(cache, "  2       " + kB.substr(10), kC), none);  // same number, other columns
  EXPECT_EQ(Find(cache, kC, kC), none);
  EXPECT_EQ(Find(cache, kB, kB), none);
  // A key half of any other length than an end text's is refused, whichever half it is.
  std::vector<ShapePoint> points;
  for (const std::string& half : {kA.substr(1), kA + " "}) {
    EXPECT_THROW(cache.Remember(half, kB, kShape), std::invalid_argument);
    EXPECT_THROW(cache.Remember(kB, half, kShape), std::invalid_argument);
    EXPECT_THROW(cache.AppendShape(half, kC, points), std::invalid_argument);
    EXPECT_THROW(cache.AppendShape(kC, half, points), std::invalid_argument);
  }
}

TEST(ShapeCache, FindsEverySegmentAmongMany) {
  ShapeCache cache;
  constexpr int kSegments = 50000;  // the table grows many times
  for (int i = 0; i < kSegments; ++i) {
    cache.Remember(End(i, 0), End(i, 1), std::vector<ShapePoint>{{double(i), 2}, {double(i), 3}});
  }
  ASSERT_EQ(cache.size(), 2u * kSegments);
  for (int i = 0; i < kSegments; i += 7) {
    const std::string x = std::to_string(i);
    ASSERT_EQ(Find(cache, End(i, 0), End(i, 1)), (Texts{"0 0", x + " 2", x + " 3"}));
    ASSERT_EQ(Find(cache, End(i, 1), End(i, 0)), (Texts{"0 0", x + " 3", x + " 2"}));
  }
}

TEST(ShapeCache, GivesBackEveryEndTextAndValueAsItWasGiven) {
  // Number texts and values of a few decimals are packed, the others kept as they are.
  const std::string ends[] = {
      " 491036.89 3991000.9", "  -1.5e+3       +2.0",  // numbers
      " 491036.89 3991000.X",
      std::string(" 491036.89\0\xFC"
                  "991000.9",
                  20),  // not only numbers
  };
  const double kTiny = std::numeric_limits<double>::denorm_min();
  const std::vector<ShapePoint> shapes[] = {
      {{491036.89, 3991000.9}, {-0.0, 0}, {-1234.5678901, 34359738367.0}},
      {{491036.89, 0.1 + 0.2}},  // a value no decimal text of 10 columns gives
      {{1e300, kTiny}, {-34359738368.0, 1}},
      {},
  };
  auto same = [](const std::vector<ShapePoint>& a, const std::vector<ShapePoint>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (std::bit_cast<uint64_t>(a[i].x) != std::bit_cast<uint64_t>(b[i].x) ||
          std::bit_cast<uint64_t>(a[i].y) != std::bit_cast<uint64_t>(b[i].y)) {
        return false;
      }
    }
    return true;
  };
  for (const std::string& from : ends) {
    for (const std::string& to : ends) {
      for (const std::vector<ShapePoint>& shape : shapes) {
        SCOPED_TRACE("from \"" + from + "\" to \"" + to + "\", " + std::to_string(shape.size()) +
                     " points");
        ShapeCache cache;
        cache.Remember(from, to, shape);
        std::vector<ShapePoint> forward, backward;
        cache.AppendShape(from, to, forward);
        cache.AppendShape(to, from, backward);
        EXPECT_TRUE(same(forward, shape));
        EXPECT_TRUE(same(backward, from == to
                                       ? shape  // a loop is one key
                                       : std::vector<ShapePoint>(shape.rbegin(), shape.rend())));
        for (const std::string& other : ends) {  // no other pair of ends finds it
          std::vector<ShapePoint> none;
          if (other != from && other != to) cache.AppendShape(from, other, none);
          EXPECT_TRUE(none.empty()) << other;
        }
      }
    }
  }
}

}  // namespace
}  // namespace routix::streets
