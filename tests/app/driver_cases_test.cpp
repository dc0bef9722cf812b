// Runs the driver's case files: path_texts.tsv, its text rules; driver_cases.txt, each case a
// sample Server folder in memory, a window's state, the driver's runs and what they show and
// leave (the file says how a case is written).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/destination.h"
#include "app/dialog_results.h"
#include "app/field_tidy.h"
#include "app/message_wrap.h"
#include "app/messages.h"
#include "app/run_conversion.h"
#include "app/select_boundaries.h"
#include "base/path_utils.h"
#include "base/system_paths.h"
#include "sample_data/street_data.h"
#include "support/boundary_bytes.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"
#include "support/sample_server.h"
#include "support/scripted_process_runner.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace routix::app {
namespace {

using testing::MemoryFileSystem;
using testing::Native;
using Texts = std::vector<std::string>;

// The sample Server folder as driver_cases.txt describes it, and the site's tool folder.
const MemoryFileSystem& SampleServer() {
  static const MemoryFileSystem server = [] {
    testing::TempFolder disk;
    testing::MakeSampleServer(disk.path(), {.exports = true});
    MemoryFileSystem memory;
    memory.CreateFolders(Native("/mem/out"));
    memory.WriteFile(Native("/mem/tools/db2asc.exe"), "the export program");
    memory.CopyFromDisk(disk.path() / "DYN", Native("/mem/Server/DYN"));
    memory.CopyFromDisk(disk.path() / "GEO", Native("/mem/geo"));
    return memory;
  }();
  return server;
}

// The parts of a value between " | ", with <crlf> a line break and the platform's separators.
Texts Parts(const std::string& value) {
  std::string text = base::NativeSeparators(value);
  for (size_t at; (at = text.find("<crlf>")) != std::string::npos;) text.replace(at, 6, "\r\n");
  Texts parts;
  for (size_t start = 0, end = 0; !text.empty() && end != std::string::npos; start = end + 3) {
    end = text.find(" | ", start);
    parts.push_back(text.substr(start, end - start));
  }
  return parts;
}

std::string Join(const Texts& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : " | ") + text;
  return joined;
}

// What "write" puts into a file: its name, lower-cased to be one text on any file system.
std::string Old(std::string path) {
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return "old " + path;
}

using Files = std::map<std::string, std::string>;

// What one run under a fault did and left, and the file system's counts of it.
struct Outcome {
  bool finished = false;
  Texts messages;
  Files out;
  std::string failed_call;
  int64_t calls = 0, name_changes = 0;
  uint64_t written = 0;
};

Files WithoutLeftovers(Files files) {  // the files but those whose names begin with "~"
  std::erase_if(files, [](const auto& f) { return f.first.starts_with(Native("/mem/out/~")); });
  return files;
}

// The fault sweep that driver_cases.txt describes under "sweep": the window's run from start,
// and with next a run of the streets into other.shp. No run touches DYN.
void SweepFaults(const MemoryFileSystem& start, const testing::ScriptedUi& ui,
                 const boundaries::BoundarySelection& selection,
                 testing::ScriptedProcessRunner& program, const RunOptions& options) {
  const Files before = start.Snapshot(Native("/mem/out"));
  auto run = [&](MemoryFileSystem& on, const auto& arm, bool next = false) {
    testing::FaultInjectingFileSystem faults(on);
    testing::FakeServices fake(faults, program);
    testing::ScriptedUi window = ui;
    if (next) {
      window.geocode_ticked = !(window.boundary_ticked = false);
      window.destination = Native("/mem/out/other.shp");
    }
    boundaries::BoundarySelection chosen = selection;
    arm(faults);
    const bool finished = RunConversion(window, chosen, fake.services, options).finished;
    EXPECT_EQ(on.Snapshot(Native("/mem/Server/DYN")), start.Snapshot(Native("/mem/Server/DYN")));
    return Outcome(finished, window.messages, on.Snapshot(Native("/mem/out")), faults.failed_call(),
                   faults.calls(), faults.name_changes(), faults.written());
  };
  auto run_from_start = [&](const auto& arm) {
    MemoryFileSystem memory = start;
    return run(memory, arm);
  };
  const Outcome clean = run_from_start([](auto&) {});
  ASSERT_TRUE(clean.finished) << ::testing::PrintToString(clean.messages);
  auto check = [&](const Outcome& outcome) {
    SCOPED_TRACE(outcome.failed_call);
    ASSERT_FALSE(outcome.failed_call.empty());  // the fault came
    if (outcome.finished) {
      EXPECT_TRUE(outcome.failed_call.starts_with("delete " + Native("/mem/out/~routix2shp")));
      EXPECT_EQ(WithoutLeftovers(outcome.out), clean.out);
      return;
    }
    const std::string error = outcome.messages.empty() ? "" : outcome.messages.back();
    EXPECT_TRUE(error.starts_with("critical: Cannot ")) << error;
    EXPECT_TRUE(testing::Contains(error, Native("/mem/")));
    EXPECT_FALSE(testing::Contains(error, "~"));  // no temporary name
    EXPECT_EQ(outcome.out, before);
  };
  int64_t short_writes = 0;
  for (int64_t call = 1; call <= clean.calls; ++call) {
    const Outcome failed =
        run_from_start([&](auto& faults) { faults.FailCall(call, testing::Fault::kError); });
    check(failed);
    if (!failed.failed_call.starts_with("write ")) continue;
    ++short_writes;
    check(
        run_from_start([&](auto& faults) { faults.FailCall(call, testing::Fault::kShortWrite); }));
  }
  EXPECT_GT(short_writes, 0);
  for (uint64_t step = 0; step < 32; ++step) {
    check(run_from_start([&](auto& faults) { faults.FillDiskAfter(clean.written * step / 32); }));
  }
  for (int64_t change = 1; change <= clean.name_changes; ++change) {
    MemoryFileSystem left = start;
    const Outcome stopped = run(left, [&](auto& faults) { faults.StopAtNameChange(change); });
    SCOPED_TRACE(stopped.failed_call);
    ASSERT_TRUE(stopped.failed_call.starts_with("stopped at "));
    for (const auto& [name, bytes] : before) {
      EXPECT_TRUE(!clean.out.contains(name) || stopped.out.contains(name)) << name;
    }
    const Outcome next = run(
        left, [](auto&) {}, true);
    ASSERT_TRUE(next.finished) << ::testing::PrintToString(next.messages);
    Files out = next.out;
    std::erase_if(out,
                  [](const auto& f) { return f.first.starts_with(Native("/mem/out/other.")); });
    const bool journal = stopped.out.contains(Native("/mem/out/~routix2shp.journal"));
    EXPECT_TRUE(out == clean.out || (!journal && out == before));
    EXPECT_EQ(WithoutLeftovers(out), out);
  }
}

// One case, its lines in order: a setting, "run"/"select", or an expectation of the last run.
void RunCase(const std::string& block) {
  MemoryFileSystem memory = SampleServer();
  testing::ScriptedProcessRunner export_program;
  testing::FakeServices fake(memory, export_program);
  fake.services.tool_folder = Native("/mem/tools");
  testing::ScriptedUi ui;
  ui.server_folder = Native("/mem/Server");
  ui.destination = Native("/mem/out/roads.shp");
  Texts every(40);  // every boundary's ordinal
  for (size_t i = 0; i < every.size(); ++i) every[i] = std::to_string(i + 1);
  boundaries::BoundarySelection selection{every, 5, false};
  RunResult result;
  std::string projection_file;
  std::optional<MemoryFileSystem> at_run;  // as the last run found it
  std::istringstream lines(block);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.starts_with("#")) continue;
    SCOPED_TRACE(line);
    const size_t colon = std::min(line.find(':'), line.size());  // "key: value" or "key"
    const std::string key = line.substr(0, colon);
    const Texts parts = Parts(line.substr(std::min(colon + 2, line.size())));
    const std::string text = Join(parts);
    const auto has = [&text](const char* word) { return text.find(word) != std::string::npos; };
    const RunOptions options{.run_export = has("export"),
                             .ask_before_each_boundary_set = has("ask"),
                             .projection_file = projection_file};
    if (key == "tick") {
      ui.geocode_ticked = has("geo");
      ui.boundary_ticked = has("dat");
    } else if (key == "server" || key == "destination") {
      (key == "server" ? ui.server_folder : ui.destination) = text;
    } else if (key == "browse to") {
      ui.on_browse = [&ui, text] { ui.destination = text; };
    } else if (key == "answers") {
      ui.answers.clear();
      for (const auto& a : parts) ui.answers.push_back(a == "yes" ? Answer::kYes : Answer::kNo);
    } else if (key == "pick") {
      ui.pick.reset();
      if (text != "cancel") ui.pick = boundaries::BoundarySelection{parts, 3, true};
    } else if (key == "write" || key == "folder" || key == "remove") {
      for (const std::string& path : parts) {
        key == "write" ? memory.WriteFile(path, Old(path))
                       : (key == "folder" ? memory.CreateFolders(path) : memory.Remove(path));
      }
    } else if (key == "export") {
      export_program.script = [&memory, text](const auto&, const auto&) -> std::optional<int> {
        for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
          if (text.find("writes the exports") == std::string::npos) break;
          memory.WriteFile(Native("/mem/Server/DYN/") + std::string(file.export_name),
                           memory.Bytes(Native("/mem/geo/") + std::string(file.data_name)));
        }
        if (text.find("writes a part") != std::string::npos)
          memory.WriteFile(Native("/mem/Server/DYN/Mapfil.asc"), "part");
        if (text.find("does not start") != std::string::npos) return std::nullopt;
        const size_t status = text.find("status ");
        return status == std::string::npos ? 0 : std::stoi(text.substr(status + 7));
      };
    } else if (key == "rxybnd") {  // records of a node count and a description each
      std::string records;
      for (const std::string& part : parts) {
        records += testing::RecordBytes(static_cast<int16_t>(std::stoi(part)),
                                        part.substr(part.find(' ') + 1), {});
      }
      memory.WriteFile(Native("/mem/Server/DYN/Rxybnd.dat"), records);
    } else if (key == "selected") {
      selection.col_return = parts;
    } else if (key == "projection") {
      projection_file = Native("/mem/projection.prj");
      memory.WriteFile(projection_file, text);
    } else if (key == "holds") {
      EXPECT_EQ(memory.Bytes(parts.at(0)), parts.at(1));
    } else if (key == "progress") {
      fake.progress.SetValue(std::stoi(text));
    } else if (key == "run" || key == "select") {
      ui.messages = ui.log = fake.status.texts = {};
      at_run.emplace(memory);
      if (has("all")) selection.col_return = every;
      if (has("none")) selection.col_return.clear();
      if (has("each")) selection.one_file_per_boundary = true;
      if (key == "select") SelectBoundaries(ui, selection, fake.services);
      if (key == "run") result = RunConversion(ui, selection, fake.services, options);
    } else if (key == "sweep") {
      selection.one_file_per_boundary = has("each");
      SweepFaults(memory, ui, selection, export_program, options);
    } else if (key == "old" || key == "new" || key == "missing" ||
               key == "kept where case counts") {
      for (const std::string& path : parts) {
        const bool there = memory.StatusOf(path).has_value();
        EXPECT_EQ(there, key.size() > 7 ? !base::kFileNamesIgnoreCase : key != "missing") << path;
        EXPECT_EQ(there && key.size() == 3 && memory.Bytes(path) == Old(path), key == "old");
      }
    } else if (key == "unchanged") {
      EXPECT_EQ(memory.Snapshot(text), at_run->Snapshot(text));
    } else {  // what the window, the status panel and the driver's result show
      ui.rows_shown.resize(std::min(ui.rows_shown.size(), parts.size()));
      const std::map<std::string, std::string> shown = {
          {"messages", Join(ui.messages)},
          {"log", Join(ui.log)},
          {"statuses", Join(fake.status.texts)},
          {"first rows", Join(ui.rows_shown)},
          {"ticked", ui.geocode_ticked ? (ui.boundary_ticked ? "geo dat" : "geo")
                                       : (ui.boundary_ticked ? "dat" : "")},
          {"result", (result.finished ? "finished, " : "not finished, ") +
                         std::to_string(result.street_records) + " streets, " +
                         std::to_string(result.boundaries.records) + " boundaries in " +
                         std::to_string(result.boundaries.sets) + " sets, progress " +
                         std::to_string(fake.progress.value())},
          {"selection", Join(selection.col_return) + " type " +
                            std::to_string(selection.boundary_shape_type) +
                            (selection.one_file_per_boundary ? " each" : " one")}};
      ASSERT_TRUE(shown.contains(key)) << "no such key";
      EXPECT_EQ(shown.at(key), text);
    }
  }
}

TEST(DriverCases, EachCaseShowsAndLeavesWhatItExpects) {
  const std::string file = testing::DataFileBytes("app/driver_cases.txt");
  size_t count = 0;
  for (size_t at = file.find("\ncase: "); at != std::string::npos; ++count) {
    const size_t end = file.find("\ncase: ", at + 1);
    SCOPED_TRACE(file.substr(at + 7, file.find('\n', at + 1) - at - 7));
    RunCase(file.substr(file.find('\n', at + 1), end - file.find('\n', at + 1)));
    at = end;
  }
  EXPECT_EQ(count, 30u);
}

TEST(PathTexts, EachRuleGivesItsResult) {
  const std::vector<testing::Case> cases = testing::ReadCases("app/path_texts.tsv");
  for (testing::Case c : cases) {
    SCOPED_TRACE(c.where);
    const std::string rule = c[0].substr(0, c[0].find(' '));
    const char separator = c[0].size() == rule.size() + 2 ? c[0].back() : base::kNativeSeparator;
    if (c[0].ends_with(" native")) {
      for (std::string& field : c.fields) field = base::NativeSeparators(field);
    }
    const auto chosen = c[1] == "<cancel>" ? std::nullopt : std::optional(c[1]);  // from a dialog
    if (rule == "tidy") {
      EXPECT_EQ(TidyServerFolder(c[1], separator), c[2]);
      EXPECT_EQ(TidyDestination(c[1], separator), c[3]);
    } else if (rule == "output-base") {
      EXPECT_EQ(OutputBase(c[1]), c[2]);
      EXPECT_EQ(OutputMainFile(c[1]), c[2] + ".shp");
      const boundaries::BoundaryOutput output = BoundaryOutputOf(c[1]);
      EXPECT_EQ(output.combined_base, c[3]);
      EXPECT_EQ(base::NormalizePath(output.folder + Native("/")),
                base::NormalizePath(base::FolderOfPath(c[3]) + Native("/")));
    } else if (rule == "folder-dialog") {
      EXPECT_EQ(FolderDialogResult(chosen, c[2]), c[3]);
    } else if (rule == "save-dialog") {
      EXPECT_EQ(SaveDialogResult(chosen, c[2], ".shp"), c[3]);
    } else if (rule == "selected-count") {
      EXPECT_EQ(SelectedCount(std::stoi(c[1])), c[2]);
    } else {
      ASSERT_EQ(rule, "wrap-10");
      EXPECT_EQ(WrapAtSeparators(c[1], 10), c[2]);
    }
  }
  EXPECT_EQ(cases.size(), 33u);  // every line was read
}

}  // namespace
}  // namespace routix::app
