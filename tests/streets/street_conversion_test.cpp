#include "streets/street_conversion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/conversion_error.h"
#include "support/fake_services.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

namespace fs = std::filesystem;
using testing::ReadPoint;
using testing::ReadSet;

// An end text: X and Y in 10 columns each.
std::string End(int x, int y) {
  char text[32];
  std::snprintf(text, sizeof text, "%10d%10d", x, y);
  return text;
}

void Put(std::string& text, size_t column, std::string_view value) {
  text.replace(column - 1, value.size(), value);
}

// A segment record of 181 columns, or of length columns.
std::string Record(std::string_view number, const std::string& from, const std::string& to,
                   std::string_view mark = "  ", size_t length = 181) {
  std::string record(181, ' ');
  Put(record, 1, number);
  Put(record, 7, "N ");
  Put(record, 9, "  M\xFChlenweg");
  Put(record, 90, "    1001");
  Put(record, 98, "     N/A");
  Put(record, 106, from);
  Put(record, 126, to);
  Put(record, 146, "  45");
  Put(record, 152, "B");
  Put(record, 175, mark);
  Put(record, 177, "H1");
  Put(record, 179, "NW1");
  record.resize(length);
  return record;
}

// A ShapeLine: the segment number, then one pair per point.
std::string Shape(std::string_view number, std::vector<std::pair<int, int>> points) {
  std::string shape(number);
  for (auto [x, y] : points) shape += End(x, y);
  return shape;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// A Server folder whose DYN holds the three exports, converted into out.shp beside it.
class StreetNetwork {
 public:
  StreetNetwork(const std::string& mapfil, const std::string& nodfil, const std::string& second) {
    fs::create_directory(folder_.path() / "DYN");
    Write("Mapfil.asc", mapfil);
    Write("Nodfil.asc", nodfil);
    Write("Second.asc", second);
  }
  void Write(const std::string& name, const std::string& bytes) {
    testing::WriteFileBytes(folder_.path() / "DYN" / name, bytes);
  }
  void Remove(const std::string& name) { fs::remove(folder_.path() / "DYN" / name); }
  ReadSet Convert() {
    records_ = ConvertStreetNetwork(folder_.path().string(), Output(), fake_.services);
    return testing::ReadShapefileSet(folder_.Path("out"));
  }
  std::string Output() const { return folder_.Path("out.shp"); }
  int32_t records() const { return records_; }
  testing::FakeServices& fake() { return fake_; }

 private:
  testing::TempFolder folder_;
  testing::FakeServices fake_;
  int32_t records_ = -1;
};

using Points = std::vector<ReadPoint>;

std::vector<Points> PointsOf(const ReadSet& set) {
  std::vector<Points> all;
  for (const auto& record : set.records) all.push_back(record.points);
  return all;
}

const std::string kA = End(100, 100), kB = End(200, 200), kC = End(300, 300), kD = End(400, 400);

TEST(ConvertStreetNetwork, WritesSegmentsWithoutAShapeLineAsStraightLines) {
  StreetNetwork network(Lines({Record("     1", kA, kB), Record("     2", kC, kD)}), "", "");
  ReadSet set = network.Convert();
  EXPECT_EQ(set.shape_type, 3);
  EXPECT_EQ(PointsOf(set),
            (std::vector<Points>{{{100, 100}, {200, 200}}, {{300, 300}, {400, 400}}}));
  EXPECT_EQ(network.records(), 2);
  EXPECT_EQ(set.fields.size(), 25u);
}

TEST(ConvertStreetNetwork, MatchesShapeLinesToSegmentsInOrder) {
  struct Row {
    const char* what;
    std::vector<std::string> nodfil;
    std::vector<Points> points;
  } rows[] = {
      {"lines for the first and the third",
       {Shape("     1", {{1, 1}}), Shape("     3", {{3, 3}, {4, 4}})},
       {{{100, 100}, {1, 1}, {200, 200}},
        {{200, 200}, {300, 300}},
        {{300, 300}, {3, 3}, {4, 4}, {400, 400}}}},
      {"a line whose number never comes stops the matching",
       {Shape("     9", {{9, 9}}), Shape("     3", {{3, 3}})},
       {{{100, 100}, {200, 200}}, {{200, 200}, {300, 300}}, {{300, 300}, {400, 400}}}},
      {"numbers compare by value",
       {Shape("000002", {{2, 2}})},
       {{{100, 100}, {200, 200}}, {{200, 200}, {2, 2}, {300, 300}}, {{300, 300}, {400, 400}}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    StreetNetwork network(
        Lines({Record("     1", kA, kB), Record("     2", kB, kC), Record("     3", kC, kD)}),
        Lines(row.nodfil), "");
    EXPECT_EQ(PointsOf(network.Convert()), row.points);
  }
}

TEST(ConvertStreetNetwork, UsesTheLastShapeLineForOneSegmentOnly) {
  struct Row {
    const char* what;
    std::string number;
  } rows[] = {{"a repeated number", "     5"}, {"blank numbers", "      "}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    StreetNetwork network(Lines({Record(row.number, kA, kB, " 1"), Record(row.number, kC, kD),
                                 Record(row.number, kD, kC, " 1")}),
                          Lines({Shape(row.number, {{7, 7}})}), Lines({Record("     8", kD, kC)}));
    EXPECT_EQ(PointsOf(network.Convert()), (std::vector<Points>{{{100, 100}, {7, 7}, {200, 200}},
                                                                {{300, 300}, {400, 400}},
                                                                {{400, 400}, {300, 300}},
                                                                {{400, 400}, {300, 300}}}));
  }
}

TEST(ConvertStreetNetwork, LendsMarkedShapesToSecondSegmentsWithTheSameEnds) {
  const std::string kE = End(500, 500), kF = End(600, 600), kX = End(700, 700);
  StreetNetwork network(
      Lines({Record("     1", kA, kB, " 1"), Record("     2", kC, kD, "  "),
             Record("     3", kE, kF, " 2"), Record("     4", kB, kA, " 1")}),
      Lines({Shape("     1", {{11, 11}, {12, 12}}), Shape("     2", {{21, 21}}),
             Shape("     4", {{41, 41}})}),
      Lines({Record("    11", kA, kB), Record("    12", kB, kA), Record("    13", kC, kD),
             Record("    14", kF, kE), Record("    15", kA, kX)}));
  std::vector<Points> points = PointsOf(network.Convert());
  ASSERT_EQ(points.size(), 9u);
  std::vector<Points> second(points.begin() + 4, points.end());
  EXPECT_EQ(second, (std::vector<Points>{
                        {{100, 100}, {11, 11}, {12, 12}, {200, 200}},  // same way: A, P1, P2, B
                        {{200, 200}, {12, 12}, {11, 11}, {100, 100}},  // reversed: B, P2, P1, A
                        {{300, 300}, {400, 400}},  // its twin in Mapfil is not marked
                        {{600, 600}, {500, 500}},  // its marked twin has no shape line
                        {{100, 100}, {700, 700}},  // no twin
                    }));
}

TEST(ConvertStreetNetwork, NumbersRecordsOnFromMapfilIntoSecond) {
  StreetNetwork network(Lines({Record("     1", kA, kB), Record("     2", kB, kC)}), "",
                        Lines({Record("    11", kC, kD), Record("    12", kD, kA)}));
  ReadSet set = network.Convert();
  ASSERT_EQ(set.records.size(), 4u);
  ASSERT_EQ(set.rows.size(), 4u);
  std::vector<std::string> ids;
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(set.records[i].number, static_cast<int32_t>(i + 1));
    ids.push_back(set.rows[i][0]);
  }
  EXPECT_EQ(ids, (std::vector<std::string>{"             1", "             2", "            11",
                                           "            12"}));
  EXPECT_EQ(set.box[0], 100);
  EXPECT_EQ(set.box[3], 400);
}

TEST(ConvertStreetNetwork, StartsTheSetWithSecondWhenMapfilHasNoRecord) {
  StreetNetwork network("", "", Lines({Record("    11", kD, kC), Record("    12", kB, kC)}));
  ReadSet set = network.Convert();
  ASSERT_EQ(set.records.size(), 2u);
  EXPECT_EQ(std::vector<double>(set.box, set.box + 4), (std::vector<double>{200, 200, 400, 400}));
}

TEST(ConvertStreetNetwork, WritesHeadersOnlyWhenBothExportsAreEmpty) {
  StreetNetwork network("", "", "");
  ReadSet set = network.Convert();
  EXPECT_TRUE(set.records.empty());
  EXPECT_EQ(std::vector<double>(set.box, set.box + 4), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(network.records(), 0);
  EXPECT_EQ(network.fake().progress.maximum(), 100);  // left as it was
  EXPECT_EQ(set.fields.size(), 25u);
}

TEST(ConvertStreetNetwork, DropsALastRecordCutShortAndGoesOnWithSecond) {
  StreetNetwork network(Lines({Record("     1", kA, kB), Record("     2", kB, kC).substr(0, 100)}),
                        Lines({Shape("     2", {{5, 5}})}), Lines({Record("    11", kC, kD)}));
  EXPECT_EQ(PointsOf(network.Convert()),
            (std::vector<Points>{{{100, 100}, {200, 200}}, {{300, 300}, {400, 400}}}));
}

TEST(ConvertStreetNetwork, CopiesTheColumnsIntoThe25Fields) {
  std::string split = Record("      ", kA, kB, " 0");
  StreetNetwork network(
      Lines({split.substr(0, 60), split.substr(61), Record("    12", kB, kC, "  ", 176)}), "", "");
  ReadSet set = network.Convert();
  ASSERT_EQ(set.rows.size(), 2u);
  const std::vector<std::string>& first = set.rows[0];
  EXPECT_EQ(first[0], std::string(13, ' ') + "0");  // a blank ID
  EXPECT_EQ(first[1], "N ");
  EXPECT_EQ(first[2], "M\xFChlenweg" + std::string(24, ' '));  // trimmed, bytes kept
  EXPECT_EQ(first[10], std::string(10, ' ') + "1001");
  EXPECT_EQ(first[11], std::string(13, ' ') + "0");  // non-numeric node
  EXPECT_EQ(first[12], "100       ");
  EXPECT_EQ(first[16], "45  ");
  EXPECT_EQ(first[17], "B");
  EXPECT_EQ(first[23], "H1");
  EXPECT_EQ(first[24], "NW1");
  const std::vector<std::string>& short_record = set.rows[1];
  EXPECT_EQ(short_record[23], "  ");  // columns past the end of the record are empty
  EXPECT_EQ(short_record[24], "   ");
}

TEST(ConvertStreetNetwork, ReportsProgressWithinTheMaximumAndYieldsAfterEveryRecord) {
  // The last line has no line break, so there is one record more than the line count.
  StreetNetwork network(
      Lines({Record("     1", kA, kB), Record("     2", kB, kC)}) + Record("     3", kC, kD), "",
      Lines({Record("    11", kC, kD)}));
  network.Convert();
  const testing::FakeServices& fake = network.fake();
  EXPECT_EQ(fake.progress.maximum(), 1);  // Second.asc's one line break
  EXPECT_EQ(fake.progress.value(), 1);
  EXPECT_EQ(fake.progress.highest_value, 2);  // Mapfil.asc's two, not three
  EXPECT_EQ(fake.yielder.calls, 1 + 4);
  EXPECT_EQ(fake.status.texts,
            (std::vector<std::string>{"Writting shape file from mapfil.asc ...",
                                      "Writting shape file from second.asc ..."}));
}

TEST(ConvertStreetNetwork, ExportsWithoutLineBreaksGiveTheDocumentedRecords) {
  const std::string one = Record("     1", kA, kB), two = Record("     2", kC, kD);
  struct Row {
    const char* what;
    std::string mapfil;
    std::vector<Points> points;
  } rows[] = {
      {"no line break at all", one, {{{100, 100}, {200, 200}}}},
      {"too short and no line break", one.substr(0, 100), {}},
      {"CR without LF is no line break", one + "\r" + two + "\r", {{{100, 100}, {200, 200}}}},
      {"50 MB in one line", one + std::string(50 << 20, '9'), {{{100, 100}, {200, 200}}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    StreetNetwork network(row.mapfil, "", "");
    ReadSet set = network.Convert();
    EXPECT_EQ(PointsOf(set), row.points);
    for (const std::vector<std::string>& fields : set.rows) EXPECT_EQ(fields[24], "NW1");
  }
}

TEST(ConvertStreetNetwork, CopiesNulAndBytesAbove0x7FInEveryTextColumnAsTheyStand) {
  std::string odd;  // NUL, every byte above 0x7F, no space and no digit
  for (int i = 0; i < 181; ++i) odd += i % 3 == 0 ? '\0' : static_cast<char>(0x80 + i % 128);
  std::string record = Record("     1", kA, kB);
  for (size_t column = 7; column <= 181; ++column) {
    if (column < 106 || column > 145) record[column - 1] = odd[column - 1];  // ends kept
  }
  StreetNetwork network(Lines({record}), "", "");
  ReadSet set = network.Convert();
  ASSERT_EQ(set.rows.size(), 1u);
  EXPECT_EQ(PointsOf(set), (std::vector<Points>{{{100, 100}, {200, 200}}}));
  const std::vector<std::string>& row = set.rows[0];
  EXPECT_EQ(row[1], odd.substr(6, 2));             // Prefix
  EXPECT_EQ(row[2], odd.substr(8, 33));            // StreetName
  EXPECT_EQ(row[10], std::string(13, ' ') + "0");  // FromNode is no number
  EXPECT_EQ(row[16], odd.substr(145, 4));          // Speed
  EXPECT_EQ(row[22], odd.substr(168, 6));          // Other
  EXPECT_EQ(row[24], odd.substr(178, 3));          // Nowalk
}

TEST(ConvertStreetNetwork, AMissingExportStopsTheRunBeforeTheOutputIsTouched) {
  for (const char* missing : {"Nodfil.asc", "Second.asc", "Mapfil.asc"}) {
    SCOPED_TRACE(missing);
    StreetNetwork network(Lines({Record("     1", kA, kB)}), "", "");
    testing::WriteFileBytes(network.Output(), "earlier output");
    network.Remove(missing);
    try {
      network.Convert();
      ADD_FAILURE() << "no error";
    } catch (const base::ConversionError& error) {
      EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
    EXPECT_EQ(testing::ReadFileBytes(network.Output()), "earlier output");
  }
}

}  // namespace
}  // namespace routix::streets
