// The base layer's small units, each run over its table of cases: the functions of text alone,
// the progress bar's bounds, and the lines the text reader takes from a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/path_utils.h"
#include "base/progress_sink.h"
#include "base/system_paths.h"
#include "base/text_stream.h"
#include "support/case_table.h"
#include "support/memory_file_system.h"

namespace routix::base {
namespace {

TEST(Cp1252ToUtf8, DecodesEveryByteToOneCharacter) {
  for (const testing::Case& row : testing::ReadCases("base/cp1252.tsv"))
    EXPECT_EQ(Cp1252ToUtf8(row[0]), row[1]) << row.where;
}

// Each platform runs the rules through the default separator where it is its own, as callers do.
TEST(PathUtils, NormalizeFolderAndFileNameWithEitherSeparator) {
  for (const char separator : {'/', '\\'}) {
    const bool native = separator == kNativeSeparator;
    for (const testing::Case& row : testing::ReadCases("base/path_rules.tsv")) {
      auto as = [&](std::string text) {
        if (separator == '\\') std::replace(text.begin(), text.end(), '/', '\\');
        return text;
      };
      const std::string path = as(row[0]);
      std::string normalized = as(row[1]);
      if (separator == '/' && path.starts_with("//")) normalized.erase(0, 1);  // no network pair
      SCOPED_TRACE(row.where + " " + path);
      EXPECT_EQ(native ? NormalizePath(path) : NormalizePath(path, separator), normalized);
      EXPECT_EQ(native ? FolderOfPath(path) : FolderOfPath(path, separator), as(row[2]));
      EXPECT_EQ(native ? FileNameOfPath(path) : FileNameOfPath(path, separator), as(row[3]));
    }
  }
  for (const testing::Case& row : testing::ReadCases("base/path_one_separator.tsv")) {
    const char slash = row[1][0];
    EXPECT_EQ(row[0] == "name" ? FileNameOfPath(row[2], slash) : NormalizePath(row[2], slash),
              row[3])
        << row.where;
  }
  EXPECT_EQ(NativeSeparators(R"(\DYN\Rxybnd.dat)"), testing::Native("/DYN/Rxybnd.dat"));
}

TEST(ProgressSink, ValueStaysWithinZeroAndTheMaximumAndAMaximumBelowOneIsIgnored) {
  ProgressSink bar;
  for (const testing::Case& row : testing::ReadCases("base/progress_steps.tsv")) {
    if (row[0] == "maximum") bar.SetMaximum(std::stoi(row[1]));
    if (row[0] == "set") bar.SetValue(std::stoi(row[1]));
    for (int i = 0; row[0] == "add" && i < std::stoi(row[1]); ++i) bar.AddOne();
    EXPECT_EQ(bar.value(), std::stoi(row[2])) << row.where;
    EXPECT_EQ(bar.maximum(), std::stoi(row[3])) << row.where;
  }
}

// The lines of bytes as how reads them: "all" whole, "N" cut to N characters (checked against
// the lines read as views, and the line count), "pN" in pieces of N at most, as "piece|piece|".
std::vector<std::string> Read(const std::string& how, const std::string& bytes) {
  testing::MemoryFileSystem memory;
  memory.WriteFile("t.txt", bytes);
  TextReader reader(memory, "t.txt"), viewing(memory, "t.txt");
  std::vector<std::string> lines, views;
  std::string line, spill;
  const size_t size = how == "all" ? SIZE_MAX : std::stoul(how.substr(how[0] == 'p'));
  while (!reader.AtEndOfStream()) {
    if (how[0] != 'p') {
      reader.ReadLine(line, size);
      lines.push_back(line);
      views.emplace_back(viewing.ReadLineView(spill, size));
      continue;
    }
    std::string& pieces = lines.emplace_back();
    for (size_t length = size; length == size;) {
      line.resize(size);
      length = reader.ReadInLine(line.data(), size);
      pieces += line.substr(0, length) + "|";
    }
  }
  if (how[0] != 'p') {
    EXPECT_EQ(views, lines);
    EXPECT_EQ(reader.Line(), static_cast<int64_t>(lines.size()) + 1);
    EXPECT_EQ(viewing.Line(), reader.Line());
    EXPECT_TRUE(viewing.AtEndOfStream());
  }
  reader.Close();  // a closed reader has nothing more to read, whatever its file held
  EXPECT_TRUE(reader.AtEndOfStream());
  // A long line never lives in memory.
  EXPECT_TRUE(size >= 1024 || std::max(line.capacity(), spill.capacity()) < 1024);
  return lines;
}

TEST(TextReader, LinesEndAtCrLfOrALoneLfWholeCutOrInPieces) {
  for (const testing::Case& row : testing::ReadCases("base/text_reads.tsv"))
    EXPECT_EQ(Read(row[0], row[1]), std::vector(row.fields.begin() + 2, row.fields.end()))
        << row.where;
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
