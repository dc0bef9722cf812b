#include "base/text_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/conversion_error.h"
#include "support/temp_folder.h"

namespace routix::base {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

std::vector<std::string> ReadAll(const std::string& path) {
  TextReader reader(path);
  std::vector<std::string> lines;
  while (!reader.AtEndOfStream()) lines.push_back(reader.ReadLine());
  return lines;
}

TEST(TextReader, LinesEndAtCrLfOrALoneLfAndALastLineNeedsNoBreak) {
  TempFolder folder;
  struct Row {
    std::string bytes;
    std::vector<std::string> lines;
  } rows[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"\r\n\r\nx", {"", "", "x"}},
      {"a\rb\r\n", {"a\rb"}},  // a carriage return alone is an ordinary character
      {std::string("n\0l\r\n", 5), {std::string("n\0l", 3)}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes);
    WriteFileBytes(folder.Path("t.txt"), row.bytes);
    EXPECT_EQ(ReadAll(folder.Path("t.txt")), row.lines);
  }
}

TEST(TextReader, ALineLongerThanTheBufferComesWholeAndLineCountsOn) {
  TempFolder folder;
  std::string long_line(3 * 1024 * 1024 + 7, 'x');
  long_line[1024 * 1024 - 1] = '\r';  // a CR at a buffer edge that is not before the LF
  WriteFileBytes(folder.Path("t.txt"), long_line + "\r\nend\r");
  TextReader reader(folder.Path("t.txt"));
  EXPECT_EQ(reader.Line(), 1);
  EXPECT_EQ(reader.ReadLine(), long_line);
  EXPECT_EQ(reader.Line(), 2);
  EXPECT_EQ(reader.ReadLine(), "end\r");
  EXPECT_TRUE(reader.AtEndOfStream());
}

TEST(TextReader, KeepsOnlyTheFirstCharactersAskedForAndStillEndsTheLineAtItsFeed) {
  TempFolder folder;
  const std::string beyond_buffer(3 * 1024 * 1024, 'x');
  struct Row {
    std::string bytes;
    std::vector<std::string> lines;
  } rows[] = {
      {"abcdef\r\nxy\r\n", {"abc", "xy"}},
      {"abc\r\nab\r\n", {"abc", "ab"}},  // the break's CR is never kept
      {"ab\r\r\n", {"ab\r"}},
      {"abcd\r", {"abc"}},
      {beyond_buffer + "\r\nend", {"xxx", "end"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes.substr(0, 16));
    WriteFileBytes(folder.Path("t.txt"), row.bytes);
    TextReader reader(folder.Path("t.txt"));
    std::vector<std::string> lines;
    std::string line;
    while (!reader.AtEndOfStream()) {
      reader.ReadLine(line, 3);
      lines.push_back(line);
    }
    EXPECT_EQ(lines, row.lines);
    EXPECT_EQ(reader.Line(), static_cast<int64_t>(row.lines.size()) + 1);
    EXPECT_LT(line.capacity(), 1024u);  // the long line never lived in memory
  }
}

TEST(TextReader, AMissingFileOrAFolderIsAnErrorNamingIt) {
  TempFolder folder;
  for (const std::string& path : {folder.Path("missing.asc"), folder.path().string()}) {
    try {
      TextReader reader(path);
      ADD_FAILURE() << "opened " << path;
    } catch (const ConversionError& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
  }
}

TEST(TextWriter, EndsEveryLineWithCrLf) {
  TempFolder folder;
  TextWriter writer(folder.Path("g.cfg"), OutputFile::Mode::kReplace);
  writer.WriteLine("[EPA] ");
  writer.WriteLine("");
  writer.Close();
  EXPECT_EQ(ReadFileBytes(folder.Path("g.cfg")), "[EPA] \r\n\r\n");
}

}  // namespace
}  // namespace routix::base
