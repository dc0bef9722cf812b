// Conversions of small exports in a Server folder /S in memory, into /S/out.
#include "streets/street_conversion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>
#include <tuple>
#include <utility>

#include "support/case_table.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"

namespace routix::streets {
namespace {

using testing::Native;

// A segment record line of 181 columns: its number, its ends (v, v) and its share mark.
std::string Record(int number, int from, int to, const char* mark = "  ") {
  char text[200];
  std::snprintf(text, sizeof text, "%6d%99s%10d%10d%10d%10d%29s%sH1NW1\r\n", number, "", from, from,
                to, to, "", mark);
  return text;
}

std::string Dyn(const char* name) { return Native("/S/DYN/") + name; }
std::string Out(const char* ending) { return Native("/S/out") + ending; }

// The three exports in DYN, and the .shp of an earlier set.
void WriteExports(testing::MemoryFileSystem& memory, const std::string& mapfil,
                  const std::string& nodfil, const std::string& second) {
  memory.WriteFile(Dyn("Mapfil.asc"), mapfil);
  memory.WriteFile(Dyn("Nodfil.asc"), nodfil);
  memory.WriteFile(Dyn("Second.asc"), second);
  memory.WriteFile(Out(".shp"), "earlier output");
}

// Each case is a folder of conversions/ with the three exports and the set they give.
TEST(ConvertStreetNetwork, HandMadeExportsGiveTheKeptSets) {
  for (const testing::Case& c : testing::ReadCases("streets/conversions.tsv")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    const std::string folder = "streets/conversions/" + c[0] + "/";
    auto data = [&](const std::string& name) { return testing::DataFileBytes(folder + name); };
    testing::MemoryFileSystem memory;
    WriteExports(memory, data("Mapfil.asc"), data("Nodfil.asc"), data("Second.asc"));
    testing::FakeServices fake(memory);
    const int32_t records = ConvertStreetNetwork(Native("/S"), Native("/S/out"), fake.services);
    EXPECT_EQ(std::to_string(records) + " " + std::to_string(fake.progress.maximum()) + " " +
                  std::to_string(fake.progress.value()) + " " +
                  std::to_string(fake.progress.highest_value) + " " +
                  std::to_string(fake.yielder.calls),
              c[1]);
    for (const char* ending : {".shp", ".shx", ".dbf"}) {
      EXPECT_EQ(memory.Bytes(Out(ending)), data(std::string("out") + ending)) << ending;
    }
  }
}

struct ExhaustingYield : base::Yielder {
  int call = 0;  // the yield that runs out of memory, as the conversion grows
  void Yield() override {
    if (--call == 0) throw std::bad_alloc();
  }
};

TEST(ConvertStreetNetwork, AFailureStopsTheRunNamesTheFileAndLeavesTheEarlierSet) {
  // Enough records for many batches between reading the exports and writing the set, so a
  // failure comes while both are at work.
  std::string mapfil, nodfil, second;
  for (int i = 1; i <= 2500; ++i) {
    mapfil += Record(100000 + i, i, i + 1, i % 2 == 0 ? " 1" : "  ");
    char line[80];  // a ShapeLine of three points (i, i)
    std::snprintf(line, sizeof line, "%6d%10d%10d%10d%10d%10d%10d\r\n", 100000 + i, i, i, i, i, i,
                  i);
    if (i % 3 == 0) nodfil += line;
    second += Record(100000 + i, i + 1, i);
  }
  testing::MemoryFileSystem start;
  WriteExports(start, mapfil, nodfil, second);
  // A run with the export removed (".dbf": the .dbf linked to Mapfil.asc), out of memory on the
  // yield_call-th yield and the file system failing its fail_call-th call: its error, the call
  // that failed, the count of calls and the size of the .shp.
  auto run = [&](const std::string& removed, int yield_call, int64_t fail_call) {
    testing::MemoryFileSystem memory = start;
    if (removed == ".dbf") memory.Link(Out(".dbf"), Dyn("Mapfil.asc"));
    if (removed.ends_with(".asc")) memory.Remove(Dyn(removed.c_str()));
    const auto before = memory.Snapshot(Native("/S"));
    testing::FaultInjectingFileSystem faults(memory);
    faults.FailCall(fail_call, testing::Fault::kShortWrite);
    testing::FakeServices fake(faults);
    ExhaustingYield yield;
    yield.call = yield_call;
    const std::string error = testing::ErrorOf([&] {
      ConvertStreetNetwork(Native("/S"), Native("/S/out"),
                           {fake.progress, fake.status, fake.file_system, yield, fake.clock,
                            fake.native_processes, ""});
    });
    EXPECT_TRUE(error == testing::kNoError || memory.Snapshot(Native("/S")) == before) << error;
    return std::tuple{error, faults.failed_call(), faults.calls(), memory.Bytes(Out(".shp")).size(),
                      memory.StatusOf(Out(".dbf")) ? memory.Bytes(Out(".dbf")) : ""};
  };
  for (const char* file : {"Nodfil.asc", "Second.asc", "Mapfil.asc"}) {
    const std::string error = std::get<0>(run(file, 0, 0));
    EXPECT_TRUE(error.starts_with("Cannot open " + Dyn(file))) << error;
  }
  EXPECT_EQ(std::get<0>(run(".dbf", 0, 0)), "Cannot replace " + Out(".dbf") + ": it is " +
                                                Dyn("Mapfil.asc") + ", which this run reads.");
  for (const auto& [file, call] : {std::pair{"Mapfil.asc", 2}, std::pair{"Second.asc", 2600}}) {
    EXPECT_EQ(std::get<0>(run("", call, 0)),
              "Cannot read " + Dyn(file) + ": there is not enough memory for it.");
  }
  const auto [clean_error, no_call, calls, shp_size, dbf] = run("", 0, 0);
  ASSERT_EQ(clean_error, testing::kNoError);
  // 5000 records of two ends; 3 points more for each of the 833 shape lines and each of the 416
  // twins in Second.asc of a marked segment with one: a twin finds its segment among many.
  EXPECT_EQ(shp_size, 100 + 5000 * 88 + (833 + 416) * 48u);
  // Every row of the .dbf, written batch after batch, begins with its own record's ID.
  const auto word = [&](size_t at) {
    return size_t{static_cast<uint8_t>(dbf.at(at))} | size_t{static_cast<uint8_t>(dbf.at(at + 1))}
                                                          << 8;
  };
  std::string ids, expected_ids;
  for (size_t k = 0; k < 5000; ++k) {
    ids += dbf.substr(word(8) + k * word(10) + 1, 14);
    expected_ids += std::string(8, ' ') + std::to_string(100001 + k % 2500);
  }
  EXPECT_EQ(ids, expected_ids);
  for (int64_t call = 1; call <= calls; call += call < calls - 40 ? 7 : 1) {
    const auto [error, failed_call, all, size, rows] = run("", 0, call);
    if (error == testing::kNoError) {  // a removal after the commit, left for later
      EXPECT_TRUE(testing::Contains(failed_call, "delete " + Native("/S/~routix2shp")));
    } else {
      EXPECT_TRUE(error.starts_with("Cannot ") && testing::Contains(error, Native("/S"))) << error;
    }
  }
}

}  // namespace
}  // namespace routix::streets
