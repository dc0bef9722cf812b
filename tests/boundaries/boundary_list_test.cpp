// Which boundaries the selection offers.
#include "boundaries/boundary_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace routix::boundaries {
namespace {

TEST(ListBoundaries, ListsCountsAboveZeroUnderTheirOwnOrdinals) {
  std::vector<BoundaryListRow> rows = {{"0", "a"}, {"-3", "b"}, {"1", "c"}, {"191", "d"}};
  std::vector<ListedBoundary> listed = ListBoundaries(rows);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].ordinal, 3);
  EXPECT_EQ(listed[0].description, "c");
  EXPECT_EQ(listed[1].ordinal, 4);
  EXPECT_EQ(listed[1].node_count, "191");
  EXPECT_FALSE(RequiresExtensionFile(rows));
  rows.push_back({"192", "e"});
  EXPECT_TRUE(RequiresExtensionFile(rows));
}

}  // namespace
}  // namespace routix::boundaries
