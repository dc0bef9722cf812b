// Fault sweeps: a whole run of the driver over earlier outputs, on the in-memory file system,
// with every file operation it makes failed in turn (an error, a short write) and the disk
// filled at many points. After each run: the run failed with a message that names a file and
// never said "Convert finished !", the output folder holds exactly what it held before, the
// inputs are as they were, and no temporary is left. The one fault a run gets over is a
// failed removal after the new files are in place, which leaves that file for the next run:
// that run finishes with what a run without a fault leaves, and the file. Every set is
// written with a .prj, which is replaced with it. Then each run is stopped before each of its
// renames and removals, as a kill stops it: no earlier file of a name the run replaces is
// missing, and a run of another set into the folder afterwards completes the stopped commit
// (the folder holds the earlier files or the new ones, the new ones once the journal is on
// the disk) and leaves no "~" file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/run_conversion.h"
#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "sample_data/street_data.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace routix::app {
namespace {

using testing::Contains;
using testing::FaultInjectingFileSystem;
using testing::MemoryFileSystem;
using testing::Native;
using Files = std::map<std::string, std::string>;

const std::string kOut = Native("/mem/out"), kDyn = Native("/mem/Server/DYN");

std::string Out(const std::string& name) { return kOut + Native("/") + name; }

constexpr char kProjection[] =
    R"(GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";

// A Server folder in memory with the generated sample's exports and boundary files in DYN.
const MemoryFileSystem& SampleServer() {
  static const MemoryFileSystem server = [] {
    testing::TempFolder disk;
    sample::WriteSampleStreets(disk.path().string(), 300, 5);
    sample::WriteSampleBoundaries(disk.path().string(), 5);
    MemoryFileSystem memory;
    memory.CreateFolders(Native("/mem/Server/GEO"));
    for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
      memory.WriteFile(kDyn + Native("/") + std::string(file.export_name),
                       testing::ReadFileBytes(disk.path() / file.data_name));
    }
    for (const char* name : {"Rxybnd.dat", "Rxybxt.dat"}) {
      memory.WriteFile(kDyn + Native("/") + name, testing::ReadFileBytes(disk.path() / name));
    }
    memory.WriteFile(Out("notes.txt"), "not the tool's");
    memory.WriteFile(Native("/mem/wgs84.prj"), kProjection);
    return memory;
  }();
  return server;
}

struct Case {
  const char* what;
  bool streets;
  bool one_file_per_boundary;
  std::vector<std::string> earlier;  // files in out/ before the run
  std::vector<std::string> ordinals;
};

// What one run did: whether it finished, its messages, the files it left, and the file
// system's count of its calls and of the bytes they wrote.
struct Outcome {
  bool finished = false;
  std::vector<std::string> messages;
  Files out;
  Files dyn;
  std::string failed_call;
  int64_t calls = 0;
  uint64_t written = 0;
  int64_t name_changes = 0;
};

// One case: runs of the driver from the same start, each with its own fault.
class Sweep {
 public:
  explicit Sweep(const Case& c) : case_(c), start_(SampleServer()) {
    for (const std::string& name : c.earlier) start_.WriteFile(Out(name), "earlier " + name);
  }

  // One run with the fault that arm sets up; left gets what it leaves.
  template <typename Arm>
  Outcome Run(Arm arm, std::optional<MemoryFileSystem>* left = nullptr) const {
    MemoryFileSystem memory = start_;
    Outcome outcome = RunOn(memory, arm, case_.streets, Out("roads.shp"));
    if (left != nullptr) left->emplace(memory);
    return outcome;
  }

  // A run into destination on memory, of the streets or the boundaries.
  template <typename Arm>
  Outcome RunOn(MemoryFileSystem& memory, Arm arm, bool streets,
                const std::string& destination) const {
    FaultInjectingFileSystem faults(memory);
    testing::FakeServices fake(faults);
    testing::ScriptedUi ui;
    ui.server_folder = Native("/mem/Server");
    ui.destination = destination;
    ui.geocode_ticked = streets;
    ui.boundary_ticked = !streets;
    ui.answers = {Answer::kYes};
    boundaries::BoundarySelection selection{case_.ordinals, 5, case_.one_file_per_boundary};
    arm(faults);
    const RunResult result =
        RunConversion(ui, selection, fake.services,
                      {.run_export = false, .projection_file = Native("/mem/wgs84.prj")});
    return {result.finished,      ui.messages,    memory.Snapshot(kOut), memory.Snapshot(kDyn),
            faults.failed_call(), faults.calls(), faults.written(),      faults.name_changes()};
  }

  void Check(const Outcome& outcome, const Files& after) const {
    SCOPED_TRACE(outcome.failed_call);
    ASSERT_FALSE(outcome.failed_call.empty());  // the fault came
    EXPECT_EQ(outcome.dyn, start_.Snapshot(kDyn));
    if (outcome.finished) {
      EXPECT_TRUE(outcome.failed_call.starts_with("delete " + Out("~routix2shp")))
          << "a fault the run passed over";
      EXPECT_EQ(WithoutLeftovers(outcome.out), after);
      return;
    }
    ASSERT_FALSE(outcome.messages.empty());
    const std::string& error = outcome.messages.back();
    EXPECT_TRUE(error.starts_with("critical: Cannot ")) << error;
    EXPECT_TRUE(Contains(error, Native("/mem/")));
    EXPECT_FALSE(Contains(error, "~"));  // no temporary name
    EXPECT_EQ(outcome.out, start_.Snapshot(kOut));
  }

  // A run stopped before a rename or removal, then a run of the streets into other.shp.
  void CheckStopped(const Outcome& outcome, const MemoryFileSystem& left,
                    const Files& after) const {
    SCOPED_TRACE(outcome.failed_call);
    ASSERT_TRUE(outcome.failed_call.starts_with("stopped at "));
    for (const std::string& name : case_.earlier) {
      if (after.contains(Out(name))) {
        EXPECT_TRUE(outcome.out.contains(Out(name))) << name;
      }
    }
    const bool begun = outcome.out.contains(Out("~routix2shp.journal"));
    MemoryFileSystem memory = left;
    const Outcome next = RunOn(
        memory, [](FaultInjectingFileSystem&) {}, true, Out("other.shp"));
    ASSERT_TRUE(next.finished) << ::testing::PrintToString(next.messages);
    Files out = next.out;
    std::erase_if(out, [](const auto& file) { return Contains(file.first, Out("other.")); });
    if (begun) {
      EXPECT_EQ(out, after);
    } else {
      EXPECT_TRUE(out == after || out == start_.Snapshot(kOut));
    }
    EXPECT_EQ(WithoutLeftovers(out), out);
  }

  // The files but those whose names begin with "~".
  static Files WithoutLeftovers(Files files) {
    std::erase_if(files, [](const auto& file) { return Contains(file.first, Out("~")); });
    return files;
  }

 private:
  const Case& case_;
  MemoryFileSystem start_;
};

TEST(FaultSweep, EveryFailedOperationLeavesTheEarlierOutputsAndNoTemporary) {
  const Case cases[] = {
      {"streets over an earlier set",
       true,
       false,
       {"roads.shp", "roads.shx", "roads.dbf", "roads.cpg", "roads.prj", "roads.qix"},
       {}},
      {"one set of boundaries over an earlier one, with every other Bnd_roads file",
       false,
       false,
       {"Bnd_roads.shp", "Bnd_roads.shx", "Bnd_roads.dbf", "Bnd_roads.txt", "Report.err"},
       {"1", "2", "3", "4", "14", "20"}},
      {"a set per boundary over earlier ones",
       false,
       true,
       {"Coastline.shp", "Coastline.dbf", "County frame.shp", "Report.err"},
       {"1", "2", "14"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Sweep sweep(c);
    const Outcome clean = sweep.Run([](FaultInjectingFileSystem&) {});
    ASSERT_TRUE(clean.finished) << ::testing::PrintToString(clean.messages);
    const std::string prj = Out(c.streets                 ? "roads.prj"
                                : c.one_file_per_boundary ? "Coastline.prj"
                                                          : "Bnd_roads.prj");
    EXPECT_EQ(clean.out.at(prj), kProjection);
    int64_t short_writes = 0;
    for (int64_t call = 1; call <= clean.calls; ++call) {
      const Outcome failed = sweep.Run(
          [&](FaultInjectingFileSystem& faults) { faults.FailCall(call, testing::Fault::kError); });
      sweep.Check(failed, clean.out);
      if (!failed.failed_call.starts_with("write ")) continue;
      ++short_writes;
      sweep.Check(sweep.Run([&](FaultInjectingFileSystem& faults) {
        faults.FailCall(call, testing::Fault::kShortWrite);
      }),
                  clean.out);
    }
    EXPECT_GT(short_writes, 0);
    for (int step = 0; step < 32; ++step) {
      const uint64_t room = clean.written * static_cast<uint64_t>(step) / 32;
      sweep.Check(sweep.Run([&](FaultInjectingFileSystem& faults) { faults.FillDiskAfter(room); }),
                  clean.out);
    }
    for (int64_t change = 1; change <= clean.name_changes; ++change) {
      std::optional<MemoryFileSystem> left;
      const Outcome stopped = sweep.Run(
          [&](FaultInjectingFileSystem& faults) { faults.StopAtNameChange(change); }, &left);
      sweep.CheckStopped(stopped, *left, clean.out);
    }
  }
}

}  // namespace
}  // namespace routix::app
