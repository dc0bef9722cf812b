// Whole boundary conversions of small hand-made DYN folders.
#include "boundaries/boundary_conversion.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/boundary_bytes.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/memory_file_system.h"
#include "support/temp_folder.h"

namespace routix::boundaries {
namespace {

using testing::Native;

const std::string kDyn = Native("/DYN"), kOut = Native("/out/"), kData = "boundaries/conversions/";

// Each case's DYN files and the kept files it must leave in an output folder that held three
// earlier files, and the message it stops with or, in brackets, its sets, records, boundaries
// left out and the progress bar's maximum and highest value, then the status texts.
TEST(ConvertBoundaries, WritesTheKeptFilesOrStopsLeavingEveryEarlierFileAsItWas) {
  for (const testing::Case& row : testing::ReadCases("boundaries/conversions.tsv")) {
    SCOPED_TRACE(row.where);
    testing::MemoryFileSystem memory;
    for (const char* name : {"Rxybnd.dat", "Rxybxt.dat"}) {
      memory.WriteFile(kDyn + Native("/") + name,
                       testing::DataFileBytes(kData + row[0] + "/" + name));
    }
    for (const char* name : {"Bnd_zones.shp", "Good.shp", "Report.err"}) {
      memory.WriteFile(kOut + name, testing::DataFileBytes(kData + "earlier/" + name));
    }
    std::istringstream ordinals(row[1]);
    const BoundarySelection selection{{std::istream_iterator<std::string>(ordinals), {}},
                                      static_cast<int16_t>(std::stoi(row[2])),
                                      row[3] == "1"};
    testing::FakeServices fake(memory);
    BoundaryConversionResult result;
    std::string outcome = testing::ErrorOf([&] {
      result = ConvertBoundaries(kDyn, {kOut, kOut + "Bnd_zones"}, selection, fake.services);
    });
    if (outcome == testing::kNoError) {
      outcome = "(" + std::to_string(result.sets) + " " + std::to_string(result.records) + " " +
                std::to_string(result.left_out) + " " + std::to_string(fake.progress.maximum()) +
                "/" + std::to_string(fake.progress.highest_value) + ")";
      for (const std::string& text : fake.status.texts) outcome += " " + text;
      if (selection.one_file_per_boundary) {  // the sets written are the ones foretold
        const std::vector<std::string> bases =
            PerBoundaryOutputBases(memory, kDyn, kOut, selection);
        EXPECT_EQ(bases.size(), size_t(result.sets));
        for (const std::string& base : bases) EXPECT_TRUE(memory.StatusOf(base + ".shp")) << base;
      }
    }
    EXPECT_TRUE(testing::Contains(outcome, row[4]));
    std::map<std::string, std::string> expected;
    std::istringstream entries(row[5]);
    for (std::string entry; std::getline(entries, entry, ',');) {
      const size_t equals = entry.find('=');
      expected[kOut + entry.substr(0, equals)] =
          testing::DataFileBytes(kData + entry.substr(equals + 1));
    }
    EXPECT_EQ(memory.Snapshot(kOut), expected);
  }
}

TEST(ConvertBoundaries, WritesTheLargestNodeCountAndSkipsTheSmallestAndAPartialRecord) {
  constexpr int16_t kMost = 32767;
  const std::vector<testing::Node> nodes = testing::Nodes(1, kMost);  // a run without area
  std::string blocks;
  for (size_t first = 191, b = 1; first < nodes.size(); first += 63, ++b) {
    const size_t last = std::min(first + 63, nodes.size());
    blocks += testing::BlockBytes({nodes.begin() + first, nodes.begin() + last},
                                  last < nodes.size() ? static_cast<int16_t>(b) : int16_t{-1});
  }
  testing::TempFolder root;
  testing::WriteFileBytes(root.path() / "Rxybxt.dat", blocks);
  testing::WriteFileBytes(root.path() / "Rxybnd.dat",
                          testing::RecordBytes(kMost, "Most", nodes, 0) +
                              testing::RecordBytes(-32768, "Least", {{0, 0}, {1, 1}}) +
                              std::string(1000, '\x7F'));  // a partial record is no record
  testing::FakeServices fake;
  ConvertBoundaries(root.Path(""), {root.Path(""), root.Path("Bnd_zones")},
                    {{"1", "2", "3"}, 5, false}, fake.services);
  // One record of one part: its points follow the main header, the record header, the shape
  // type, the box, the counts and the part's start, closed on the first node.
  std::string points;
  for (size_t i = 0; i <= nodes.size(); ++i) {
    const double xy[2] = {nodes[i % nodes.size()].x, nodes[i % nodes.size()].y};
    points.append(reinterpret_cast<const char*>(xy), sizeof xy);
  }
  EXPECT_EQ(testing::ReadFileBytes(root.path() / "Bnd_zones.shp").substr(100 + 8 + 44 + 4), points);
}

}  // namespace
}  // namespace routix::boundaries
