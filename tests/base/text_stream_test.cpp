#include "base/text_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_file_system.h"

namespace routix::base {
namespace {

// The lines of a file of bytes, each cut to max_kept characters; the reader's line number at
// the end is checked to follow them, and the lines read as views to be the same.
std::vector<std::string> ReadAll(const std::string& bytes, size_t max_kept = SIZE_MAX) {
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
  if (max_kept < 1024) {
    EXPECT_LT(line.capacity(), 1024u);  // a long line never lives in memory
  }
  // The same lines read as views.
  TextReader viewing(memory, "t.txt");
  std::vector<std::string> views;
  std::string spill;
  while (!viewing.AtEndOfStream()) views.emplace_back(viewing.ReadLineView(spill, max_kept));
  EXPECT_EQ(views, lines);
  EXPECT_EQ(viewing.Line(), reader.Line());
  if (max_kept < 1024) {
    EXPECT_LT(spill.capacity(), 1024u);
  }
  return lines;
}

TEST(TextReader, LinesEndAtCrLfOrALoneLfAndALastLineNeedsNoBreak) {
  std::string edge(3 * TextReader::kBufferBytes + 7, 'x');
  edge[TextReader::kBufferBytes - 1] = '\r';  // a CR at a buffer edge that is not before the LF
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
      {edge + "\r\nend\r", {edge, "end\r"}},  // longer than the buffer, yet whole
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes.substr(0, 16));
    EXPECT_EQ(ReadAll(row.bytes), row.lines);
  }
}

TEST(TextReader, KeepsOnlyTheFirstCharactersAskedForAndStillEndsTheLineAtItsFeed) {
  struct Row {
    std::string bytes;
    std::vector<std::string> lines;
  } rows[] = {
      {"abcdef\r\nxy\r\n", {"abc", "xy"}},
      {"abc\r\nab\r\n", {"abc", "ab"}},  // the break's CR is never kept
      {"ab\r\r\n", {"ab\r"}},
      {"abcd\r", {"abc"}},
      {std::string(3 * TextReader::kBufferBytes, 'x') + "\r\nend", {"xxx", "end"}},
      {std::string(TextReader::kBufferBytes - 1, 'x') + "\r\nab", {"xxx", "ab"}},  // CR LF astride
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes.substr(0, 16));
    EXPECT_EQ(ReadAll(row.bytes, 3), row.lines);
  }
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
  return lines;
}

TEST(TextReader, ReadsALinePieceByPieceAndTellsItsEndByAShortPiece) {
  const std::string edge(TextReader::kBufferBytes - 1,
                         'x');  // the buffer ends between a CR and its LF
  std::string edge_pieces;
  for (size_t i = 0; i < edge.size() / 2; ++i) edge_pieces += "xx|";
  struct Row {
    std::string bytes;
    size_t size;
    std::vector<std::string> lines;
  } rows[] = {
      {"abcdef\r\nxy\r\n", 3, {"abc|def||", "xy|"}},
      {"abcde\r\n", 3, {"abc|de|"}},       // the CR of the break is never in a piece
      {"ab\r\r\nc", 3, {"ab\r||", "c|"}},  // one before it is
      {"abc\rd\n", 4, {"abc\r|d|"}},       // a lone CR is an ordinary character
      {"abcd\r", 4, {"abcd|\r|"}},         // and so is a last one
      {"\r\n\n", 2, {"|", "|"}},
      {edge + "\r\nz", 2, {edge_pieces + "x|", "z|"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes.substr(0, 16));
    EXPECT_EQ(ReadInPieces(row.bytes, row.size), row.lines);
  }
}

}  // namespace
}  // namespace routix::base
