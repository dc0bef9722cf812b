// Fault sweeps: a whole run of the driver over earlier outputs, on the in-memory file system,
// with every file operation it makes failed in turn (an error, a short write) and the disk
// filled at many points. After each run: the run failed with a message that names a file and
// never said "Convert finished !", the output folder holds exactly what it held before, the
// inputs are as they were, and no temporary is left. The one fault a run gets over is a
// failed removal of an earlier file after the new ones are in place, which is tried again:
// that run finishes with exactly what a run without a fault leaves. Every set is written with
// a .prj, which is replaced with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
};

// One case: runs of the driver from the same start, each with its own fault.
class Sweep {
 public:
  explicit Sweep(const Case& c) : case_(c), start_(SampleServer()) {
    for (const std::string& name : c.earlier) start_.WriteFile(Out(name), "earlier " + name);
  }

  // One run with the fault that arm sets up.
  template <typename Arm>
  Outcome Run(Arm arm) const {
    MemoryFileSystem memory = start_;
    FaultInjectingFileSystem faults(memory);
    testing::FakeServices fake(faults);
    testing::ScriptedUi ui;
    ui.server_folder = Native("/mem/Server");
    ui.destination = Out("roads.shp");
    ui.geocode_ticked = case_.streets;
    ui.boundary_ticked = !case_.streets;
    ui.answers = {Answer::kYes};
    boundaries::BoundarySelection selection{case_.ordinals, 5, case_.one_file_per_boundary};
    arm(faults);
    const RunResult result = RunConversion(ui, selection, fake.services,
                                           {.run_export = false, .projection = kProjection});
    return {result.finished,      ui.messages,    memory.Snapshot(kOut), memory.Snapshot(kDyn),
            faults.failed_call(), faults.calls(), faults.written()};
  }

  void Check(const Outcome& outcome, const Files& after) const {
    SCOPED_TRACE(outcome.failed_call);
    ASSERT_FALSE(outcome.failed_call.empty());  // the fault came
    EXPECT_EQ(outcome.dyn, start_.Snapshot(kDyn));
    if (outcome.finished) {
      EXPECT_TRUE(Contains(outcome.failed_call, ".old")) << "a fault the run passed over";
      EXPECT_EQ(outcome.out, after);
      return;
    }
    // The question before a replace, then the error.
    ASSERT_EQ(outcome.messages.size(), case_.one_file_per_boundary ? 1u : 2u);
    const std::string& error = outcome.messages.back();
    EXPECT_TRUE(error.starts_with("critical: Cannot ")) << error;
    EXPECT_TRUE(Contains(error, Native("/mem/")));
    EXPECT_FALSE(Contains(error, "~"));  // no temporary name
    EXPECT_EQ(outcome.out, start_.Snapshot(kOut));
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
  }
}

}  // namespace
}  // namespace routix::app
