#include "cli/boundary_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace routix::cli {
namespace {

using Rows = std::vector<boundaries::ListedBoundary>;

TEST(BoundaryListing, EscapesWhatWouldBreakALineOrTheJson) {
  const Rows rows = {
      {1, "Tab\there", "3"},
      {4, "CR\rLF\n end", "12"},
      {7, "\"Z\xFCrich\" C:\\x\x01", "191"},
      {9, "Inside", "2"},
  };
  EXPECT_EQ(BoundaryListText(rows),
            "1\t3\tTab\\there\n"
            "4\t12\tCR\\rLF\\n end\n"
            "7\t191\t\"Z\u00FCrich\" C:\\\\x\x01\n"
            "9\t2\tInside\n");
  EXPECT_EQ(BoundaryListJson(rows),
            "[\n"
            " {\"id\": 1, \"description\": \"Tab\\there\", \"node_count\": 3},\n"
            " {\"id\": 4, \"description\": \"CR\\rLF\\n end\", \"node_count\": 12},\n"
            " {\"id\": 7, \"description\": \"\\\"Z\u00FCrich\\\" C:\\\\x\\u0001\", "
            "\"node_count\": 191},\n"
            " {\"id\": 9, \"description\": \"Inside\", \"node_count\": 2}\n"
            "]\n");
  EXPECT_EQ(BoundaryListText({}), "");
  EXPECT_EQ(BoundaryListJson({}), "[]\n");
}

}  // namespace
}  // namespace routix::cli
