#include "base/text_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_table.h"
#include "support/memory_file_system.h"

namespace routix::base {
namespace {

// The lines of a file of bytes, each cut to max_kept characters; the reader's line number at
// the end is checked to follow them, and the lines read as views to be the same.
std::vector<std::string> ReadAll(const std::string& bytes, size_t max_kept) {
  testing::MemoryFileSystem memory;
  memory.WriteFile("t.txt", bytes);
  TextReader reader(memory, "t.txt");
  std::vector<std::string> lines;
  std::string line;
  while (!reader.AtEndOfStream()) {
    reader.ReadLine(line, max_kept);
    lines.push_back(line);
  }
  EXPECT_EQ(reader.Line(), static_cast<int64_t>(lines.size()) + 1);
  TextReader viewing(memory, "t.txt");
  std::vector<std::string> views;
  std::string spill;
  while (!viewing.AtEndOfStream()) views.emplace_back(viewing.ReadLineView(spill, max_kept));
  EXPECT_EQ(views, lines);
  EXPECT_EQ(viewing.Line(), reader.Line());
  if (max_kept < 1024) {  // a long line never lives in memory
    EXPECT_LT(line.capacity(), 1024u);
    EXPECT_LT(spill.capacity(), 1024u);
  }
  return lines;
}

// The lines of a file read piece by piece, each piece at most size characters, as
// "piece|piece|" per line.
std::vector<std::string> ReadInPieces(const std::string& bytes, size_t size) {
  testing::MemoryFileSystem memory;
  memory.WriteFile("t.txt", bytes);
  TextReader reader(memory, "t.txt");
  std::vector<std::string> lines;
  std::string piece(size, '\0');
  while (!reader.AtEndOfStream()) {
    std::string& line = lines.emplace_back();
    size_t length;
    do {
      length = reader.ReadInLine(piece.data(), size);
      line += piece.substr(0, length) + "|";
    } while (length == size);
  }
  reader.Close();
  EXPECT_TRUE(reader.AtEndOfStream());
  return lines;
}

std::vector<std::string> Read(const std::string& how, const std::string& bytes) {
  if (how[0] == 'p') return ReadInPieces(bytes, std::stoul(how.substr(1)));
  return ReadAll(bytes, how == "all" ? SIZE_MAX : std::stoul(how));
}

TEST(TextReader, LinesEndAtCrLfOrALoneLfWholeCutOrInPieces) {
  for (const testing::Case& row : testing::ReadCases("base/text_reads.tsv")) {
    SCOPED_TRACE(row.where);
    EXPECT_EQ(Read(row[0], row[1]), std::vector(row.fields.begin() + 2, row.fields.end()));
  }
}

TEST(TextReader, LinesLongerThanTheBufferAndBreaksAstrideItsEdge) {
  const size_t buffer = TextReader::kBufferBytes;
  std::string edge(3 * buffer + 7, 'x');
  edge[buffer - 1] = '\r';  // a CR at a buffer edge that is not before the LF
  EXPECT_EQ(Read("all", edge + "\r\nend\r"), (std::vector<std::string>{edge, "end\r"}));
  const std::string x(buffer - 1, 'x');  // the buffer ends between a CR and its LF
  EXPECT_EQ(Read("3", std::string(3 * buffer, 'x') + "\r\nend"),
            (std::vector<std::string>{"xxx", "end"}));
  EXPECT_EQ(Read("3", x + "\r\nab"), (std::vector<std::string>{"xxx", "ab"}));
  std::string pieces;
  for (size_t i = 0; i < x.size() / 2; ++i) pieces += "xx|";
  EXPECT_EQ(Read("p2", x + "\r\nz"), (std::vector<std::string>{pieces + "x|", "z|"}));
}

}  // namespace
}  // namespace routix::base
