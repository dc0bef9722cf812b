#include "streets/shape_cache.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace routix::streets {
namespace {

std::string End(int x, int y) {
  char text[32];
  std::snprintf(text, sizeof text, "%10d%10d", x, y);
  return text;
}

const std::string kA = End(1, 1), kB = End(2, 2), kC = End(3, 3);
const std::string kShape =
    "    17"
    "         5         5"
    "         6         6"
    "tail";
const std::string kShapeWhole =
    "    17"
    "         5         5"
    "         6         6";
const std::string kReversed =
    "    17"
    "         6         6"
    "         5         5";

std::string Find(const ShapeCache& cache, const std::string& from, const std::string& to) {
  std::string buffer;
  return std::string(cache.Find(from, to, buffer));
}

TEST(ShapeCache, GivesTheShapeOneWayAndItsReverseTheOther) {
  ShapeCache cache;
  cache.Remember(kA, kB, kShape);
  EXPECT_EQ(Find(cache, kA, kB), kShapeWhole);
  EXPECT_EQ(Find(cache, kB, kA), kReversed);
  EXPECT_EQ(Find(cache, kA, kC), "");
  EXPECT_EQ(cache.size(), 2u);
}

TEST(ShapeCache, KeepsTheFirstValueOfEveryKey) {
  const std::string other =
      "    18"
      "         7         7";
  struct Row {
    const char* what;
    std::string from2, to2, shape1, shape2;
    std::string ab, ba;
  } rows[] = {
      {"the same segment again", kA, kB, kShape, other, kShapeWhole, kReversed},
      {"the reverse segment", kB, kA, kShape, other, kShapeWhole, kReversed},
      {"an empty first value", kA, kB, "", other, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ShapeCache cache;
    cache.Remember(kA, kB, row.shape1);
    cache.Remember(row.from2, row.to2, row.shape2);
    EXPECT_EQ(Find(cache, kA, kB), row.ab);
    EXPECT_EQ(Find(cache, kB, kA), row.ba);
    EXPECT_EQ(cache.size(), 2u);
  }
}

TEST(ShapeCache, ALoopIsOneKeyWithItsShapeForward) {
  ShapeCache cache;
  cache.Remember(kA, kA, kShape);
  EXPECT_EQ(Find(cache, kA, kA), kShapeWhole);
  EXPECT_EQ(cache.size(), 1u);
}

TEST(ShapeCache, ComparesKeysExactlyAndHalvesInOrder) {
  ShapeCache cache;
  const std::string spaced = "  1       " + kA.substr(10);  // same number, other columns
  cache.Remember(kA, kB, kShape);
  EXPECT_EQ(Find(cache, spaced, kB), "");
  EXPECT_EQ(Find(cache, kB, kB), "");
  EXPECT_EQ(Find(cache, kA, kA), "");
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
