#include "cli/boundary_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace routix::cli {
namespace {

using Rows = std::vector<boundaries::ListedBoundary>;

TEST(BoundaryListing, EscapesWhatWouldBreakALineOrTheJson) {
  const Rows rows = {{4, "Tab\there CR\rLF\n end", "12"}, {7, "\"Z\xFCrich\" C:\\x\x01", "191"}};
  EXPECT_EQ(BoundaryListText(rows),
            "4\t12\tTab\\there CR\\rLF\\n end\n"
            "7\t191\t\"Z\u00FCrich\" C:\\\\x\x01\n");
  EXPECT_EQ(
      BoundaryListJson(rows),
      "[\n {\"id\": 4, \"description\": \"Tab\\there CR\\rLF\\n end\", \"node_count\": 12},\n"
      " {\"id\": 7, \"description\": \"\\\"Z\u00FCrich\\\" C:\\\\x\\u0001\", \"node_count\": 191}\n"
      "]\n");
  EXPECT_EQ(BoundaryListText({}), "");
  EXPECT_EQ(BoundaryListJson({}), "[]\n");
}

}  // namespace
}  // namespace routix::cli
