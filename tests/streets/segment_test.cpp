// A segment: its record's lines joined, its numbers and attribute row, its ends, its ShapeLine's
// pairs read piece by piece, and the cache that lends a marked segment's points to its twins.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shapefile/pad_field.h"
#include "streets/lenient_number.h"
#include "streets/segment_record.h"
#include "streets/shape_cache.h"
#include "streets/shape_line_reader.h"
#include "streets/street_shape.h"
#include "streets/street_table.h"
#include "support/case_table.h"
#include "support/memory_file_system.h"

namespace routix::streets {
namespace {

// The records read until the file ends or one is cut short, each in bounded memory.
TEST(ReadSegmentRecord, JoinsShortLinesWithOneSpaceUntilTheRecordIsLongEnough) {
  std::vector<testing::Case> cases = testing::ReadCases("streets/segment_records.tsv");
  const std::string c(181, 'c');
  cases.push_back({"50 MB in one line", {c + std::string(50 << 20, 'y'), c}});
  for (const testing::Case& row : cases) {
    testing::MemoryFileSystem memory;
    memory.WriteFile("Mapfil.asc", row[0]);
    base::TextReader file(memory, "Mapfil.asc");
    std::string storage, line;
    std::vector<std::string> records;
    while (!file.AtEndOfStream()) {
      const std::optional<std::string_view> record = ReadSegmentRecord(file, storage, line);
      records.emplace_back(record.value_or("(incomplete)"));
      if (!record.has_value()) break;
    }
    EXPECT_EQ(records, std::vector<std::string>(row.fields.begin() + 1, row.fields.end()))
        << row.where;
    EXPECT_LT(storage.capacity() + line.capacity(), 4096u) << row.where;
  }
}

TEST(ReadLenientNumber, SkipsBlanksStopsAtTheFirstOtherCharacterAndGivesTheNearestDouble) {
  for (const testing::Case& row : testing::ReadCases("streets/lenient_numbers.tsv")) {
    EXPECT_EQ(ReadLenientNumber(row[0]), std::stod(row[1])) << row.where;
  }
  // Up to 10 characters, the widest column: a sign, 8 digits and a point, or fewer digits and
  // an exponent; each the double that a correct decimal conversion gives, not a near one.
  std::mt19937 random(7);
  for (int i = 0; i < 50000; ++i) {
    const bool exponent = i % 10 == 0;
    std::string text = i % 3 == 0 ? "-" : "";
    const unsigned digits = 1 + static_cast<unsigned>(random() % (exponent ? 4 : 8));
    const unsigned point = static_cast<unsigned>(random() % (digits + 1));
    for (unsigned d = 0; d < digits; ++d) {
      text += std::string(d == point ? "." : "") + static_cast<char>('0' + random() % 10);
    }
    if (exponent) (text += 'e') += std::to_string(static_cast<int>(random() % 40) - 20);
    ASSERT_EQ(ReadLenientNumber(text), std::strtod(text.c_str(), nullptr)) << text;
  }
}

TEST(FormatStreetRow, TakesEachFieldFromItsColumnsAndPadsItAsTheWriterDoes) {
  std::string row;
  for (const testing::Case& c : testing::ReadCases("streets/street_row.tsv")) {
    FormatStreetRow(c[0], row);
    EXPECT_EQ(row, c[1]) << c.where;
  }
  // Against the writer's padding of the 25 values one by one, on records of mostly blanks and
  // digits, so that columns of blanks then digits, numbers with a sign or a point, blank
  // columns and text all come up; lengths from none to past the last column.
  const std::string characters = std::string("      0123456789+-.eE  AZ\xFC:", 27) + '\0';
  std::mt19937 random(16);
  std::uniform_int_distribution<size_t> pick(0, characters.size() - 1), blanks(0, 3);
  const size_t lengths[] = {181, 181, 181, 250, 180, 175, 120, 0};
  std::array<std::string_view, kStreetFieldCount> values;
  for (size_t n = 0; n < 5000; ++n) {
    std::string record, padded;
    for (size_t i = 0; i < lengths[n % std::size(lengths)]; ++i) {
      record += blanks(random) == 0 ? characters[pick(random)] : n % 2 == 0 ? ' ' : '7';
    }
    StreetAttributeValues(record, values);
    for (size_t i = 0; i < kStreetFieldCount; ++i) {
      const shapefile::FieldSpec& field = StreetFields()[i];
      padded +=
          shapefile::PadField(values[i], static_cast<int16_t>(field.width),
                              field.type == 'C' ? shapefile::kPadText : shapefile::kPadNumber);
    }
    FormatStreetRow(record, row);
    ASSERT_EQ(row, padded) << "record \"" << record << "\"";
  }
}

using shapefile::ShapePoint;

// Points as "X Y, X Y", each value in 17 significant digits, which give it back exactly.
std::string Text(const std::vector<ShapePoint>& points) {
  std::string text;
  for (const ShapePoint& p : points) {
    char pair[64];
    std::snprintf(pair, sizeof pair, "%s%.17g %.17g", text.empty() ? "" : ", ", p.x, p.y);
    text += pair;
  }
  return text;
}

TEST(StreetShape, EndsAndPairsReadAsZeroWhereTheirColumnsAreMissing) {
  // A record whose from end is "1 2" and whose to end is cut after "    3", its Y missing.
  const std::string record = std::string(105, ' ') + "         1         2    3";
  EXPECT_EQ(Text({FromEnd(record), ToEnd(record), PairPoint("        11       -12"),
                  PairPoint("        11")}),
            "1 2, 3 0, 11 -12, 11 0");
}

// The lines of a Nodfil.asc, each as its number and its points, but for the lines not asked
// for, by their place from 0 in the second field, which give their number alone.
TEST(ShapeLineReader, GivesTheWholePairsOfEachLineAndNothingOfAPartialOne) {
  // A line of 2.2 MB of pairs, across the reader's buffers.
  std::string long_line = "     1", long_read = "1";
  for (int v = 1; v <= 110'000; ++v) {
    char pair[24];
    std::snprintf(pair, sizeof pair, "%10d%10d", v, -v);
    long_line += pair;
    long_read += ", " + std::to_string(v) + " " + std::to_string(-v);
  }
  std::vector<testing::Case> cases = testing::ReadCases("streets/shape_lines.tsv");
  for (const char* end : {"\r\n", "7777777\r\n", ""}) {  // a partial pair, no end at all
    cases.push_back({"the long line, then " + std::string(end), {long_line + end, "", long_read}});
  }
  for (const testing::Case& row : cases) {
    testing::MemoryFileSystem memory;
    memory.WriteFile("Nodfil.asc", row[0]);
    base::TextReader file(memory, "Nodfil.asc");
    ShapeLineReader lines(file);
    std::vector<std::string> read;
    for (char i = '0'; lines.Next(); ++i) {
      std::vector<ShapePoint> points;
      if (row[1].find(i) == std::string::npos) lines.AppendPoints(points);
      read.push_back(std::to_string(int(lines.number())) +
                     (points.empty() ? "" : ", " + Text(points)));
    }
    EXPECT_EQ(read, std::vector<std::string>(row.fields.begin() + 2, row.fields.end()))
        << row.where;
  }
}

// The cases of shape_cache.tsv, run in order; see its first lines.
TEST(ShapeCache, KeepsTheFirstValueOfEveryKeyAndGivesItBackAsItWasGiven) {
  std::unique_ptr<ShapeCache> cache;
  for (const testing::Case& c : testing::ReadCases("streets/shape_cache.tsv")) {
    SCOPED_TRACE(c.where);
    std::vector<ShapePoint> points = {{0, 0}};
    if (c[0] == "new") {
      cache = std::make_unique<ShapeCache>();
    } else if (c[0] == "size") {
      EXPECT_EQ(cache->size(), std::stoul(c[1]));
    } else if (c[0] == "find") {
      cache->AppendShape(c[1], c[2], points);
      EXPECT_EQ(Text(points), c[3]);
    } else if (c[0] == "remember") {
      points.clear();
      for (const char* at = c[3].c_str(); *at != '\0';) {
        char* end;
        const double x = std::strtod(at, &end);
        points.push_back({x, std::strtod(end, &end)});
        at = end + (*end != '\0');
      }
      cache->Remember(c[1], c[2], points);
    } else {
      EXPECT_THROW(cache->Remember(c[1], c[2], points), std::invalid_argument);
      EXPECT_THROW(cache->AppendShape(c[1], c[2], points), std::invalid_argument);
    }
  }
}

}  // namespace
}  // namespace routix::streets
