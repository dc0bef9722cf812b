// Conversions of small hand-made exports. Every point of these networks lies on the line
// X = Y, so a record's shape is written as the X values of its points: "100 7 200".
#include "streets/street_conversion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "support/checks.h"
#include "support/fake_services.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"
#include "support/shapefile_reader.h"

namespace routix::streets {
namespace {

using testing::Native;
using testing::ReadSet;
using Shapes = std::vector<std::string>;

// A point (v, v) as an end text or a pair of a ShapeLine: X and Y in 10 columns each.
std::string End(int v) {
  char text[32];
  std::snprintf(text, sizeof text, "%10d%10d", v, v);
  return text;
}

void Put(std::string& text, size_t column, std::string_view value) {
  text.replace(column - 1, value.size(), value);
}

// A segment record of 181 columns, or of length columns.
std::string Record(std::string_view number, int from, int to, std::string_view mark = "  ",
                   size_t length = 181) {
  std::string record(181, ' ');
  Put(record, 1, number);
  Put(record, 7, "N ");
  Put(record, 9, "  M\xFChlenweg");
  Put(record, 90, "    1001");
  Put(record, 98, "     N/A");
  Put(record, 106, End(from));
  Put(record, 126, End(to));
  Put(record, 146, "  45");
  Put(record, 152, "B");
  Put(record, 175, mark);
  Put(record, 177, "H1");
  Put(record, 179, "NW1");
  record.resize(length);
  return record;
}

// A ShapeLine: the segment number, then one pair per point.
std::string Shape(std::string_view number, const std::vector<int>& points) {
  std::string shape(number);
  for (int v : points) shape += End(v);
  return shape;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// A Server folder S in memory whose DYN holds the three exports, converted into S/out.shp.
class StreetNetwork {
 public:
  StreetNetwork(const std::string& mapfil, const std::string& nodfil, const std::string& second) {
    memory_.WriteFile(Dyn("Mapfil.asc"), mapfil);
    memory_.WriteFile(Dyn("Nodfil.asc"), nodfil);
    memory_.WriteFile(Dyn("Second.asc"), second);
  }
  static std::string Dyn(const std::string& name) { return Native("/S/DYN/") + name; }
  void Remove(const std::string& name) { memory_.Remove(Dyn(name)); }
  ReadSet Convert() { return Convert(fake_.services); }
  ReadSet Convert(const base::ProgramServices& services) {
    records_ = ConvertStreetNetwork(Native("/S"), Native("/S/out"), services);
    return testing::ReadShapefileSet(memory_, Native("/S/out"));
  }
  // The shapes of the records written, as X values.
  Shapes ConvertShapes() {
    Shapes shapes;
    for (const testing::ReadRecord& record : Convert().records) {
      std::string& shape = shapes.emplace_back();
      for (const testing::ReadPoint& point : record.points) {
        EXPECT_EQ(point.x, point.y);
        if (!shape.empty()) shape += ' ';
        shape += std::to_string(static_cast<int>(point.x));
      }
    }
    return shapes;
  }
  static std::string Output(const std::string& ending = ".shp") {
    return Native("/S/out") + ending;
  }
  int32_t records() const { return records_; }
  testing::FakeServices& fake() { return fake_; }
  testing::MemoryFileSystem& memory() { return memory_; }

 private:
  testing::MemoryFileSystem memory_;
  testing::FakeServices fake_{memory_};
  int32_t records_ = -1;
};

TEST(ConvertStreetNetwork, MatchesShapeLinesToSegmentsInOrderAndDrawsTheRestStraight) {
  struct Row {
    const char* what;
    std::vector<std::string> nodfil;
    Shapes shapes;
  } rows[] = {
      {"lines for the first and the third",
       {Shape("     1", {1}), Shape("     3", {3, 4})},
       {"100 1 200", "200 300", "300 3 4 400"}},
      {"a line whose number never comes stops the matching",
       {Shape("     9", {9}), Shape("     3", {3})},
       {"100 200", "200 300", "300 400"}},
      {"numbers compare by value", {Shape("000002", {2})}, {"100 200", "200 2 300", "300 400"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    StreetNetwork network(
        Lines({Record("     1", 100, 200), Record("     2", 200, 300), Record("     3", 300, 400)}),
        Lines(row.nodfil), "");
    EXPECT_EQ(network.ConvertShapes(), row.shapes);
  }
}

TEST(ConvertStreetNetwork, UsesTheLastShapeLineForOneSegmentOnly) {
  for (const char* number : {"     5", "      "}) {  // a repeated number, blank numbers
    SCOPED_TRACE(number);
    StreetNetwork network(Lines({Record(number, 100, 200, " 1"), Record(number, 300, 400),
                                 Record(number, 400, 300, " 1")}),
                          Lines({Shape(number, {7})}), Lines({Record("     8", 400, 300)}));
    EXPECT_EQ(network.ConvertShapes(), (Shapes{"100 7 200", "300 400", "400 300", "400 300"}));
  }
}

TEST(ConvertStreetNetwork, LendsMarkedShapesToSecondSegmentsWithTheSameEnds) {
  StreetNetwork network(
      Lines({Record("     1", 100, 200, " 1"), Record("     2", 300, 400, "  "),
             Record("     3", 500, 600, " 2"), Record("     4", 200, 100, " 1")}),
      Lines({Shape("     1", {11, 12}), Shape("     2", {21}), Shape("     4", {41})}),
      Lines({Record("    11", 100, 200), Record("    12", 200, 100), Record("    13", 300, 400),
             Record("    14", 600, 500), Record("    15", 100, 700)}));
  Shapes shapes = network.ConvertShapes();
  ASSERT_EQ(shapes.size(), 9u);
  EXPECT_EQ(Shapes(shapes.begin() + 4, shapes.end()),
            (Shapes{"100 11 12 200",  // same way: A, P1, P2, B, not segment 4's later shape
                    "200 12 11 100",  // reversed: B, P2, P1, A
                    "300 400",        // its twin in Mapfil is not marked
                    "600 500",        // its marked twin has no shape line
                    "100 700"}));     // no twin
}

TEST(ConvertStreetNetwork, NumbersRecordsOnFromMapfilIntoSecond) {
  StreetNetwork network(Lines({Record("     1", 100, 200), Record("     2", 200, 300)}), "",
                        Lines({Record("    11", 300, 400)}));
  ReadSet set = network.Convert();  // the reader checks that the records count on from 1
  ASSERT_EQ(set.records.size(), 3u);
  EXPECT_EQ(set.records[2].number, 3);
  EXPECT_EQ(set.rows[2][0], "            11");
}

TEST(ConvertStreetNetwork, WritesHeadersOnlyWhenBothExportsAreEmpty) {
  StreetNetwork network("", "", "");
  ReadSet set = network.Convert();
  EXPECT_TRUE(set.records.empty());
  EXPECT_EQ(set.fields.size(), 25u);
  EXPECT_EQ(network.records(), 0);
  EXPECT_EQ(network.fake().progress.maximum(), 100);  // left as it was
}

TEST(ConvertStreetNetwork, DropsALastRecordCutShortAndGoesOnWithSecond) {
  StreetNetwork network(
      Lines({Record("     1", 100, 200), Record("     2", 200, 300).substr(0, 100)}),
      Lines({Shape("     2", {5})}), Lines({Record("    11", 300, 400)}));
  EXPECT_EQ(network.ConvertShapes(), (Shapes{"100 200", "300 400"}));
}

TEST(ConvertStreetNetwork, CopiesTheColumnsIntoThe25FieldsWithNulAndBytesAbove0x7FAsTheyStand) {
  std::string odd;  // NUL, every byte above 0x7F, no space and no digit
  for (int i = 0; i < 181; ++i) odd += i % 3 == 0 ? '\0' : static_cast<char>(0x80 + i % 128);
  std::string strange = Record("     2", 100, 200);
  for (size_t column = 7; column <= 181; ++column) {
    if (column < 106 || column > 145) strange[column - 1] = odd[column - 1];  // ends kept
  }
  StreetNetwork network(
      Lines({Record("      ", 100, 200, " 0"), strange, Record("    12", 200, 300, "  ", 176)}), "",
      "");
  ReadSet set = network.Convert();
  ASSERT_EQ(set.rows.size(), 3u);
  const std::vector<std::string>& plain = set.rows[0];
  EXPECT_EQ(plain[0], std::string(13, ' ') + "0");  // a blank ID
  EXPECT_EQ(plain[1], "N ");
  EXPECT_EQ(plain[2], "M\xFChlenweg" + std::string(24, ' '));  // trimmed, bytes kept
  EXPECT_EQ(plain[10], std::string(10, ' ') + "1001");
  EXPECT_EQ(plain[11], std::string(13, ' ') + "0");  // non-numeric node
  EXPECT_EQ(plain[12], "100       ");
  EXPECT_EQ(plain[16], "45  ");
  EXPECT_EQ(plain[17], "B");
  EXPECT_EQ(plain[23], "H1");
  EXPECT_EQ(plain[24], "NW1");
  const std::vector<std::string>& row = set.rows[1];
  EXPECT_EQ(row[1], odd.substr(6, 2));             // Prefix
  EXPECT_EQ(row[2], odd.substr(8, 33));            // StreetName
  EXPECT_EQ(row[10], std::string(13, ' ') + "0");  // FromNode is no number
  EXPECT_EQ(row[16], odd.substr(145, 4));          // Speed
  EXPECT_EQ(row[22], odd.substr(168, 6));          // Other
  EXPECT_EQ(row[24], odd.substr(178, 3));          // Nowalk
  EXPECT_EQ(set.rows[2][23], "  ");  // columns past the end of a short record are empty
  EXPECT_EQ(set.rows[2][24], "   ");
}

TEST(ConvertStreetNetwork, ReportsProgressWithinTheMaximumAndYieldsAfterEveryRecord) {
  // The last line has no line break, so there is one record more than the line count.
  StreetNetwork network(
      Lines({Record("     1", 100, 200), Record("     2", 200, 300)}) + Record("     3", 300, 400),
      "", Lines({Record("    11", 300, 400)}));
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

TEST(ConvertStreetNetwork, AShapeLineOfAnyLengthStreamsItsWholePairs) {
  std::vector<int> many;  // 2.2 MB of pairs: across the reader's buffers
  for (int v = 1; v <= 110'000; ++v) many.push_back(v);
  const std::string long_line = Shape("     1", many);
  for (const std::string& end : {std::string("\r\n"), std::string("7777777\r\n"),
                                 std::string("")}) {  // a partial pair, no end at all
    SCOPED_TRACE(end.size());
    StreetNetwork network(Lines({Record("     1", 100, 200, " 1"), Record("     2", 200, 300)}),
                          long_line + end, Lines({Record("    11", 200, 100)}));
    ReadSet set = network.Convert();
    ASSERT_EQ(set.records.size(), 3u);
    ASSERT_EQ(set.records[0].points.size(), many.size() + 2);
    EXPECT_EQ(set.records[0].points[many.size()], (testing::ReadPoint{110'000, 110'000}));
    EXPECT_EQ(set.records[1].points.size(), 2u);
    ASSERT_EQ(set.records[2].points.size(), many.size() + 2);  // Second's twin, reversed
    EXPECT_EQ(set.records[2].points[1], (testing::ReadPoint{110'000, 110'000}));
  }
}

TEST(ConvertStreetNetwork, AnyFailureLeavesTheEarlierSetAndNamesTheFile) {
  // Each row stages its case and says the error.
  struct Row {
    std::string what;
    std::function<void(StreetNetwork&)> stage;
    std::string message;
  };
  std::vector<Row> rows = {
      {"a .dbf that is the export",
       [](StreetNetwork& n) {
         n.memory().Link(StreetNetwork::Output(".dbf"), StreetNetwork::Dyn("Mapfil.asc"));
       },
       "Cannot replace " + StreetNetwork::Output(".dbf") + ": it is " +
           StreetNetwork::Dyn("Mapfil.asc") + ", which this run reads"},
  };
  for (const std::string missing : {"Nodfil.asc", "Second.asc", "Mapfil.asc"}) {
    rows.push_back({"a missing " + missing, [missing](StreetNetwork& n) { n.Remove(missing); },
                    "Cannot open " + StreetNetwork::Dyn(missing)});
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    StreetNetwork network(Lines({Record("     1", 100, 200)}), "", "");
    network.memory().WriteFile(StreetNetwork::Output(), "earlier output");
    row.stage(network);
    const auto before = network.memory().Snapshot(Native("/S"));
    EXPECT_TRUE(testing::Contains(testing::ErrorOf([&] { network.Convert(); }), row.message));
    EXPECT_EQ(network.memory().Snapshot(Native("/S")), before);
  }
}

TEST(ConvertStreetNetwork, AFailureOnEitherSideOfALargeRunStopsItAndLeavesTheEarlierSet) {
  // Enough records for many batches between reading the exports and writing the set, so a
  // failure comes while both are at work.
  std::vector<std::string> mapfil, nodfil, second;
  for (int i = 1; i <= 2500; ++i) {
    const std::string number = std::to_string(100000 + i).substr(0, 6);
    mapfil.push_back(Record(number, i, i + 1, i % 2 == 0 ? " 1" : "  "));
    if (i % 3 == 0) nodfil.push_back(Shape(number, {i, i, i}));
    second.push_back(Record(number, i + 1, i));
  }
  testing::MemoryFileSystem start;
  start.WriteFile(StreetNetwork::Dyn("Mapfil.asc"), Lines(mapfil));
  start.WriteFile(StreetNetwork::Dyn("Nodfil.asc"), Lines(nodfil));
  start.WriteFile(StreetNetwork::Dyn("Second.asc"), Lines(second));
  start.WriteFile(StreetNetwork::Output(), "earlier output");
  const auto before = start.Snapshot(Native("/S"));
  // One run with the fault that arm sets up: its error, the call that failed and the count
  // of calls.
  struct Outcome {
    std::string error, failed_call;
    int64_t calls;
  };
  auto run = [&](auto arm) {
    testing::MemoryFileSystem memory = start;
    testing::FaultInjectingFileSystem faults(memory);
    testing::FakeServices fake(faults);
    arm(faults);
    const std::string error = testing::ErrorOf(
        [&] { ConvertStreetNetwork(Native("/S"), Native("/S/out"), fake.services); });
    if (error != testing::kNoError) {
      EXPECT_EQ(memory.Snapshot(Native("/S")), before) << error;
    }
    return Outcome{error, faults.failed_call(), faults.calls()};
  };
  const Outcome clean = run([](testing::FaultInjectingFileSystem&) {});
  ASSERT_EQ(clean.error, testing::kNoError);
  for (int64_t call = 1; call <= clean.calls; call += call < clean.calls - 40 ? 7 : 1) {
    const Outcome failed = run([&](testing::FaultInjectingFileSystem& faults) {
      faults.FailCall(call, testing::Fault::kShortWrite);
    });
    SCOPED_TRACE(failed.failed_call);
    if (failed.error == testing::kNoError) {  // a removal after the commit, left for later
      EXPECT_TRUE(testing::Contains(failed.failed_call, "delete " + Native("/S/~routix2shp")));
      continue;
    }
    EXPECT_TRUE(failed.error.starts_with("Cannot ")) << failed.error;
    EXPECT_TRUE(testing::Contains(failed.error, Native("/S"))) << failed.error;
  }
  for (const uint64_t room : {0u, 1000u, 100000u, 400000u, 800000u}) {
    SCOPED_TRACE(room);
    EXPECT_TRUE(testing::Contains(
        run([&](testing::FaultInjectingFileSystem& faults) { faults.FillDiskAfter(room); }).error,
        "No space left"));
  }
}

// A yield that runs out of memory on its call-th call, as the conversion grows.
class ExhaustingYield : public base::Yielder {
 public:
  explicit ExhaustingYield(int call) : left_(call) {}
  void Yield() override {
    if (--left_ == 0) throw std::bad_alloc();
  }

 private:
  int left_;
};

TEST(ConvertStreetNetwork, RunningOutOfMemoryIsAnErrorNamingTheExportBeingRead) {
  struct Row {
    int call;
    std::string file;
  } rows[] = {{2, "Mapfil.asc"}, {4, "Second.asc"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    StreetNetwork network(Lines({Record("     1", 100, 200), Record("     2", 200, 300)}), "",
                          Lines({Record("    11", 300, 400), Record("    12", 300, 400)}));
    testing::FakeServices& fake = network.fake();
    ExhaustingYield yield(row.call);
    const base::ProgramServices services{
        fake.progress, fake.status, fake.file_system, yield, fake.clock, fake.native_processes, ""};
    EXPECT_EQ(
        testing::ErrorOf([&] { network.Convert(services); }),
        "Cannot read " + StreetNetwork::Dyn(row.file) + ": there is not enough memory for it.");
    EXPECT_FALSE(network.memory().StatusOf(StreetNetwork::Output()).has_value());
  }
}

}  // namespace
}  // namespace routix::streets
