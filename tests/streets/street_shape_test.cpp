// The points of a segment, and the cache that lends a marked segment's shape to its twins.
#include "streets/street_shape.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "streets/shape_cache.h"

namespace routix::streets {
namespace {

// The points BuildStreetShape makes of a record whose from end is "1 2" and whose to end
// is cut after the to end's first five columns "    3" (its Y missing), as "x y" texts.
std::vector<std::string> Points(const std::string& shape) {
  std::string record = std::string(105, ' ') + "         1         2    3";
  std::vector<shapefile::ShapePoint> points;
  BuildStreetShape(record, shape, points);
  std::vector<std::string> texts;
  for (const shapefile::ShapePoint& p : points) {
    texts.push_back(std::to_string(int(p.x)) + " " + std::to_string(int(p.y)));
  }
  return texts;
}

TEST(BuildStreetShape, RunsFromTheFromEndThroughTheWholePairsToTheToEndReadAsZeroWhereMissing) {
  using Texts = std::vector<std::string>;
  EXPECT_EQ(Points(""), (Texts{"1 2", "3 0"}));
  EXPECT_EQ(Points("    17" + std::string(19, '9')), (Texts{"1 2", "3 0"}));  // no whole pair
  // 7 characters after the last pair are not read.
  EXPECT_EQ(Points("    17        11        12        13        14 15 16 1"),
            (Texts{"1 2", "11 12", "13 14", "3 0"}));
}

std::string End(int x, int y) {
  char text[32];
  std::snprintf(text, sizeof text, "%10d%10d", x, y);
  return text;
}

const std::string kA = End(1, 1), kB = End(2, 2), kC = End(3, 3);
const std::string kShape = "    17" + End(5, 5) + End(6, 6),
                  kReversed = "    17" + End(6, 6) + End(5, 5);

std::string Find(const ShapeCache& cache, const std::string& from, const std::string& to) {
  std::string buffer;
  return std::string(cache.Find(from, to, buffer));
}

TEST(ShapeCache, KeepsTheFirstValueOfEveryKeyInBothDirections) {
  const std::string other = "    18" + End(7, 7);
  struct Row {
    const char* what;
    std::string from2, to2, shape1;
    std::string ab, ba;
  } rows[] = {
      {"the same segment again", kA, kB, kShape + "tail", kShape, kReversed},
      {"the reverse segment", kB, kA, kShape, kShape, kReversed},
      {"an empty first value", kA, kB, "", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ShapeCache cache;
    cache.Remember(kA, kB, row.shape1);
    cache.Remember(row.from2, row.to2, other);
    EXPECT_EQ(Find(cache, kA, kB), row.ab);
    EXPECT_EQ(Find(cache, kB, kA), row.ba);
    EXPECT_EQ(Find(cache, kA, kC), "");
    EXPECT_EQ(cache.size(), 2u);
  }
}

TEST(ShapeCache, ALoopIsOneKeyAndKeysCompareExactlyWithTheirHalvesInOrder) {
  ShapeCache cache;
  cache.Remember(kA, kA, kShape);
  EXPECT_EQ(Find(cache, kA, kA), kShape);
  EXPECT_EQ(cache.size(), 1u);
  cache.Remember(kB, kC, kShape);
  EXPECT_EQ(Find(cache, "  2       " + kB.substr(10), kC), "");  // same number, other columns
  EXPECT_EQ(Find(cache, kC, kC), "");
  EXPECT_EQ(Find(cache, kB, kB), "");
}

TEST(ShapeCache, FindsEverySegmentAmongMany) {
  ShapeCache cache;
  constexpr int kSegments = 50000;                                   // the table grows many times
  auto number = [](int i) { return End(i % 100, 0).substr(4, 6); };  // "%6d"
  for (int i = 0; i < kSegments; ++i) {
    cache.Remember(End(i, 0), End(i, 1), number(i) + End(i, 2) + End(i, 3));
  }
  ASSERT_EQ(cache.size(), 2u * kSegments);
  for (int i = 0; i < kSegments; i += 7) {
    ASSERT_EQ(Find(cache, End(i, 0), End(i, 1)), number(i) + End(i, 2) + End(i, 3));
    ASSERT_EQ(Find(cache, End(i, 1), End(i, 0)), number(i) + End(i, 3) + End(i, 2));
  }
}

}  // namespace
}  // namespace routix::streets
