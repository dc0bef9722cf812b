// Reading Rxybnd.dat and the Rxybxt.dat block chains, and the boundaries offered from them.
#include "boundaries/boundary_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boundaries/boundary_list.h"
#include "support/boundary_bytes.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/memory_file_system.h"

namespace routix::boundaries {
namespace {

using testing::ErrorOf;
using testing::Native;

const std::string kDyn = Native("/DYN");
const std::string kRxybnd = Native("/DYN/Rxybnd.dat"), kRxybxt = Native("/DYN/Rxybxt.dat");

TEST(ReadBoundaryList, GivesCountAndTrimmedDescriptionOfEveryWholeRecordAndFailsNamingTheFile) {
  testing::MemoryFileSystem memory;
  memory.WriteFile(kRxybnd, testing::RecordBytes(-3, "   Spur  ", {}) +
                                testing::RecordBytes(0, std::string(60, ' '), {}) +
                                testing::RecordBytes(191, std::string("North\0\0  ", 9), {}) +
                                std::string(2047, 'x'));  // a partial record is not a record
  std::vector<std::string> listed;
  for (const BoundaryListRow& row : ReadBoundaryList(memory, kDyn)) {
    listed.push_back(row.node_count + "|" + row.description);
  }
  EXPECT_EQ(listed, (std::vector<std::string>{"-3|Spur", "0|", std::string("191|North\0\0", 11)}));
  BoundaryFile file(memory, kRxybnd);
  BoundaryRecord record;
  for (int i = 0; i < 3; ++i) file.ReadNext(record);
  EXPECT_TRUE(testing::Contains(ErrorOf([&] { file.ReadNext(record); }), "before its record 4"));
  EXPECT_TRUE(testing::Contains(ErrorOf([&] { ReadBoundaryList(memory, Native("/missing")); }),
                                Native("/missing/Rxybnd.dat")));
}

TEST(ListBoundaries, OffersTheRowsOfANodeCountAboveZeroAndTellsWhenExtensionsAreNeeded) {
  std::vector<BoundaryListRow> rows;
  for (const char* count : {"3", "0", "-2", "3x", "", "191"}) {
    rows.push_back({count, std::string(" N\0orth\0 ", 9)});
  }
  std::vector<std::string> listed;
  for (const ListedBoundary& row : ListBoundaries(rows)) {
    listed.push_back(std::to_string(row.ordinal) + " " + row.node_count + " " + row.description);
  }
  EXPECT_EQ(listed, (std::vector<std::string>{"1 3 North", "6 191 North"}));
  EXPECT_FALSE(RequiresExtensionFile(rows));
  rows.push_back({"192x", ""});
  EXPECT_FALSE(RequiresExtensionFile(rows));
  rows.push_back({"192", ""});
  EXPECT_TRUE(RequiresExtensionFile(rows));
}

TEST(ReadExtensionPoints, FollowsTheChainAsFarAsTheNodeCountNeedsOrFailsNamingTheBlock) {
  for (const testing::Case& row : testing::ReadCases("boundaries/chains.tsv")) {
    SCOPED_TRACE(row.where);
    testing::MemoryFileSystem memory;
    memory.WriteFile(kRxybxt, testing::DataFileBytes("boundaries/chains/" + row[0] + ".dat"));
    BoundaryRecord record;
    record.ordinal = 7;
    record.node_count = static_cast<int16_t>(std::stoi(row[1]));
    record.description = std::string(" Z\xFCrich\0", 9) + std::string(51, ' ');
    record.extension_block = static_cast<int16_t>(std::stoi(row[2]));
    base::InputFile extension(memory, kRxybxt);
    const std::string error = ErrorOf([&] { ReadExtensionPoints(record, extension); });
    if (!row[3].empty()) {
      EXPECT_EQ(error, "Cannot read " + kRxybxt + ": boundary 7 (" +
                           "Z\xC3\xBCrich) continues in " + row[3] + ".");
      continue;
    }
    ASSERT_EQ(record.extension.size(), size_t(record.node_count - 191)) << error;
    for (size_t j = 0; j < record.extension.size(); ++j) {
      ASSERT_EQ(record.extension[j].x, float(192 + j)) << j;
      ASSERT_EQ(record.extension[j].y, -float(192 + j)) << j;
    }
  }
}

}  // namespace
}  // namespace routix::boundaries
