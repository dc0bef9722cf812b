#include "streets/segment_record.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/memory_file_system.h"

namespace routix::streets {
namespace {

// The records ReadSegmentRecord gives for a file, and whether the last one was incomplete.
std::vector<std::string> Records(const std::string& bytes, bool* incomplete) {
  testing::MemoryFileSystem memory;
  memory.WriteFile("Mapfil.asc", bytes);
  base::TextReader file(memory, "Mapfil.asc");
  std::vector<std::string> records;
  std::string storage, line;
  *incomplete = false;
  while (!file.AtEndOfStream()) {
    const std::optional<std::string_view> record = ReadSegmentRecord(file, storage, line);
    if (!record.has_value()) {
      *incomplete = true;
      break;
    }
    records.emplace_back(*record);
  }
  return records;
}

TEST(ReadSegmentRecord, JoinsShortLinesWithOneSpaceUntilTheRecordIsLongEnough) {
  const std::string a(100, 'a'), b(80, 'b'), c(175, 'c'), d(174, 'd'), e(60, 'e'), f(74, 'f');
  struct Row {
    const char* what;
    std::string bytes;
    std::vector<std::string> records;
    bool incomplete;
  } rows[] = {
      {"one line each", c + "\r\n" + c + "\r\n", {c, c}, false},
      {"a last line without a break", c + "\r\n" + c, {c, c}, false},
      {"split over two lines", a + "\r\n" + b + "\r\n" + c + "\r\n", {a + " " + b, c}, false},
      {"an empty line inside the split", a + "\r\n\r\n" + b + "\r\n", {a + "  " + b}, false},
      {"174 characters and one more", d + "\r\nx\r\n", {d + " x"}, false},
      {"joined to exactly 175", a + "\r\n" + f + "\r\n" + c, {a + " " + f, c}, false},
      {"a short last record", c + "\r\n" + a + "\r\n", {c}, true},
      {"a record still short at the end", c + "\r\n" + e + "\r\n" + e + "\r\n", {c}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    bool incomplete;
    EXPECT_EQ(Records(row.bytes, &incomplete), row.records);
    EXPECT_EQ(incomplete, row.incomplete);
  }
}

TEST(ReadSegmentRecord, ALineWithoutEndGivesOneRecordOfItsFirstColumnsInBoundedMemory) {
  const std::string c(181, 'c');
  struct Row {
    const char* what;
    std::string bytes;
    std::string record;
  } rows[] = {
      {"50 MB in one line", c + std::string(50 << 20, 'y'), c},
      {"records parted by CR alone", c + "\r" + c + "\r", c},
      {"a short line joined to a long one", "abc\r\n" + std::string(300, 'z'),
       "abc " + std::string(181, 'z')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    testing::MemoryFileSystem memory;
    memory.WriteFile("Mapfil.asc", row.bytes);
    base::TextReader file(memory, "Mapfil.asc");
    std::string storage, line;
    const std::optional<std::string_view> record = ReadSegmentRecord(file, storage, line);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(*record, row.record);
    EXPECT_LT(storage.capacity() + line.capacity(), 4096u);
    EXPECT_TRUE(file.AtEndOfStream());
  }
}

}  // namespace
}  // namespace routix::streets
