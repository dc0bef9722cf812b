// Reading Rxybnd.dat and the Rxybxt.dat block chains, and the boundaries offered from them.
#include "boundaries/boundary_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1252.h"
#include "boundaries/boundary_list.h"
#include "support/boundary_bytes.h"
#include "support/checks.h"
#include "support/memory_file_system.h"

namespace routix::boundaries {
namespace {

using testing::BlockBytes;
using testing::Contains;
using testing::ErrorOf;
using testing::MemoryFileSystem;
using testing::Native;
using testing::Nodes;
using testing::RecordBytes;

const std::string kDyn = Native("/DYN");
const std::string kRxybnd = Native("/DYN/Rxybnd.dat"), kRxybxt = Native("/DYN/Rxybxt.dat");

TEST(ReadBoundaryList, GivesCountAndTrimmedDescriptionOfEveryWholeRecord) {
  MemoryFileSystem memory;
  memory.WriteFile(kRxybnd, RecordBytes(-3, "   Spur  ", {}) +
                                RecordBytes(0, std::string(60, ' '), {}) +
                                RecordBytes(191, std::string("North\0\0  ", 9), {}) +
                                std::string(2047, 'x'));  // a partial record is not a record
  std::vector<BoundaryListRow> rows = ReadBoundaryList(memory, kDyn);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].node_count, "-3");
  EXPECT_EQ(rows[0].description, "Spur");
  EXPECT_EQ(rows[1].node_count, "0");
  EXPECT_EQ(rows[1].description, "");
  EXPECT_EQ(rows[2].node_count, "191");
  EXPECT_EQ(rows[2].description, std::string("North\0\0", 7));
}

TEST(ReadBoundaryList, AnEmptyFileGivesNoRowAndAMissingOneFailsNamingIt) {
  MemoryFileSystem memory;
  memory.WriteFile(kRxybnd, "");
  EXPECT_TRUE(ReadBoundaryList(memory, kDyn).empty());
  EXPECT_TRUE(Contains(ErrorOf([&] { ReadBoundaryList(memory, Native("/missing")); }),
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

TEST(ReadExtensionPoints, FollowsTheChainExactlyAsFarAsTheNodeCountNeeds) {
  struct Row {
    int16_t count;
    std::string blocks;  // Rxybxt.dat
    int16_t first_block;
  } rows[] = {
      {191, "", -1},  // the file is not touched
      {192, BlockBytes({}, 7) + BlockBytes(Nodes(192, 192), 5), 1},
      {254, BlockBytes(Nodes(192, 254), -1), 0},  // full last block: its -1 link is not followed
      {254, BlockBytes({}, 0) + BlockBytes(Nodes(192, 254), 0).substr(0, 504), 1},  // no link bytes
      {255, BlockBytes(Nodes(255, 255), -1) + BlockBytes(Nodes(192, 254), 0), 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.count);
    MemoryFileSystem memory;
    memory.WriteFile(kRxybnd, RecordBytes(row.count, "Long", Nodes(1, 191), row.first_block));
    memory.WriteFile(kRxybxt, row.blocks);
    BoundaryFile file(memory, kRxybnd);
    BoundaryRecord record;
    file.ReadNext(record);
    EXPECT_EQ(record.ordinal, 1);
    EXPECT_EQ(record.node_count, row.count);
    EXPECT_EQ(record.nodes[0].x, 1);
    EXPECT_EQ(record.nodes[190].y, -191);
    if (row.count > 191) {
      base::InputFile extension(memory, kRxybxt);
      ReadExtensionPoints(record, extension);
    }
    ASSERT_EQ(record.extension.size(), static_cast<size_t>(row.count > 191 ? row.count - 191 : 0));
    for (size_t j = 0; j < record.extension.size(); ++j) {
      ASSERT_EQ(record.extension[j].x, float(192 + j)) << j;
      ASSERT_EQ(record.extension[j].y, -float(192 + j)) << j;
    }
  }
}

TEST(ReadExtensionPoints, ABrokenChainFailsNamingTheBoundaryAndTheBlock) {
  struct Row {
    const char* what;
    int16_t first_block;
    std::string blocks;
    std::string message;
  } rows[] = {
      {"negative first block", -2, BlockBytes(Nodes(192, 254), -1), "block -2, which cannot exist"},
      {"negative link", 0, BlockBytes(Nodes(192, 254), -7), "block -7, which cannot exist"},
      {"past the end", 3, BlockBytes(Nodes(192, 254), -1), "block 3, past the end of the file"},
      {"link cut off", 0, BlockBytes(Nodes(192, 254), 1).substr(0, 509),
       "block 0, past the end of the file"},
      {"partial block", 1, BlockBytes({}, 0) + BlockBytes(Nodes(192, 254), 0).substr(0, 100),
       "block 1, past the end of the file"},
      {"loop", 0, BlockBytes(Nodes(192, 254), 1) + BlockBytes(Nodes(255, 317), 0),
       "block 0, which it has already read"},
      {"block linked to itself", 0, BlockBytes(Nodes(192, 254), 0),
       "block 0, which it has already read"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    MemoryFileSystem memory;
    memory.WriteFile(kRxybxt, row.blocks);
    BoundaryRecord record;
    record.ordinal = 7;
    record.node_count = 400;
    record.description = std::string(" Z\xFCrich\0", 9) + std::string(51, ' ');
    record.extension_block = row.first_block;
    base::InputFile extension(memory, kRxybxt);
    EXPECT_EQ(ErrorOf([&] { ReadExtensionPoints(record, extension); }),
              "Cannot read " + kRxybxt + ": boundary 7 (" + base::Cp1252ToUtf8("Z\xFCrich") +
                  ") continues in " + row.message + ".");
  }
}

}  // namespace
}  // namespace routix::boundaries
