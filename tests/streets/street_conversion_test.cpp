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

#include "support/case_table.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"
#include "support/shapefile_reader.h"

namespace routix::streets {
namespace {

using testing::Native;
using testing::ReadSet;

// A point (v, v) as an end text or a pair of a ShapeLine: X and Y in 10 columns each.
std::string End(int v) {
  char text[32];
  std::snprintf(text, sizeof text, "%10d%10d", v, v);
  return text;
}

// A segment record of 181 columns: its number, its ends and its share mark.
std::string Record(const std::string& number, int from, int to, const char* mark = "  ") {
  return number + std::string(99, ' ') + End(from) + End(to) + std::string(29, ' ') + mark +
         "H1NW1";
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
struct StreetNetwork {
  StreetNetwork(const std::string& mapfil, const std::string& nodfil, const std::string& second) {
    memory.WriteFile(Dyn("Mapfil.asc"), mapfil);
    memory.WriteFile(Dyn("Nodfil.asc"), nodfil);
    memory.WriteFile(Dyn("Second.asc"), second);
  }
  static std::string Dyn(const std::string& name) { return Native("/S/DYN/") + name; }
  static std::string Output(const std::string& ending = ".shp") {
    return Native("/S/out") + ending;
  }
  int32_t Convert() { return Convert(fake.services); }
  int32_t Convert(const base::ProgramServices& services) {
    return ConvertStreetNetwork(Native("/S"), Native("/S/out"), services);
  }
  ReadSet Read() { return testing::ReadShapefileSet(memory, Native("/S/out")); }

  testing::MemoryFileSystem memory;
  testing::FakeServices fake{memory};
};

// Each case is a folder of conversions/ with the three exports and the set they give.
TEST(ConvertStreetNetwork, HandMadeExportsGiveTheKeptSets) {
  for (const testing::Case& c : testing::ReadCases("streets/conversions.tsv")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    const std::string folder = "streets/conversions/" + c[0] + "/";
    auto data = [&](const std::string& name) { return testing::DataFileBytes(folder + name); };
    StreetNetwork network(data("Mapfil.asc"), data("Nodfil.asc"), data("Second.asc"));
    EXPECT_EQ(network.Convert(), std::stoi(c[1]));
    EXPECT_EQ(network.fake.progress.maximum(), std::stoi(c[2]));
    for (const char* ending : {".shp", ".shx", ".dbf"}) {
      EXPECT_EQ(network.memory.Bytes(StreetNetwork::Output(ending)),
                data("out" + std::string(ending)))
          << ending;
    }
  }
}

TEST(ConvertStreetNetwork, ReportsProgressWithinTheMaximumAndYieldsAfterEveryRecord) {
  // The last line has no line break, so there is one record more than the line count.
  StreetNetwork network(
      Lines({Record("     1", 100, 200), Record("     2", 200, 300)}) + Record("     3", 300, 400),
      "", Lines({Record("    11", 300, 400)}));
  network.Convert();
  const testing::FakeServices& fake = network.fake;
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
    ASSERT_EQ(network.Convert(), 3);
    ReadSet set = network.Read();
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
         n.memory.Link(StreetNetwork::Output(".dbf"), StreetNetwork::Dyn("Mapfil.asc"));
       },
       "Cannot replace " + StreetNetwork::Output(".dbf") + ": it is " +
           StreetNetwork::Dyn("Mapfil.asc") + ", which this run reads"},
  };
  for (const std::string missing : {"Nodfil.asc", "Second.asc", "Mapfil.asc"}) {
    rows.push_back({"a missing " + missing,
                    [missing](StreetNetwork& n) { n.memory.Remove(StreetNetwork::Dyn(missing)); },
                    "Cannot open " + StreetNetwork::Dyn(missing)});
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    StreetNetwork network(Lines({Record("     1", 100, 200)}), "", "");
    network.memory.WriteFile(StreetNetwork::Output(), "earlier output");
    row.stage(network);
    const auto before = network.memory.Snapshot(Native("/S"));
    EXPECT_TRUE(testing::Contains(testing::ErrorOf([&] { network.Convert(); }), row.message));
    EXPECT_EQ(network.memory.Snapshot(Native("/S")), before);
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
    testing::FakeServices& fake = network.fake;
    ExhaustingYield yield(row.call);
    const base::ProgramServices services{
        fake.progress, fake.status, fake.file_system, yield, fake.clock, fake.native_processes, ""};
    EXPECT_EQ(
        testing::ErrorOf([&] { network.Convert(services); }),
        "Cannot read " + StreetNetwork::Dyn(row.file) + ": there is not enough memory for it.");
    EXPECT_FALSE(network.memory.StatusOf(StreetNetwork::Output()).has_value());
  }
}

}  // namespace
}  // namespace routix::streets
