// Runs the cases of driver_cases.txt: each sets up a sample Server folder in memory and a
// window's state, runs the driver, and compares what it showed and left with what the case
// expects. driver_cases.txt says how a case is written.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/run_conversion.h"
#include "app/select_boundaries.h"
#include "base/path_utils.h"
#include "base/system_paths.h"
#include "sample_data/street_data.h"
#include "support/boundary_bytes.h"
#include "support/fake_services.h"
#include "support/memory_file_system.h"
#include "support/sample_server.h"
#include "support/scripted_process_runner.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace routix::app {
namespace {

using testing::MemoryFileSystem;
using Texts = std::vector<std::string>;

// The sample Server folder's DYN, its exports included, in \mem\Server\DYN, its street data
// in \mem\geo (so that cases make the folder GEO when they need it), the site's tool folder
// \mem\tools, and an empty \mem\out.
const MemoryFileSystem& SampleServer() {
  static const MemoryFileSystem server = [] {
    testing::TempFolder disk;
    testing::MakeSampleServer(disk.path(), {.exports = true});
    MemoryFileSystem memory;
    memory.CreateFolders(testing::Native("/mem/out"));
    memory.WriteFile(testing::Native("/mem/tools/db2asc.exe"), "the export program");
    memory.CopyFromDisk(disk.path() / "DYN", testing::Native("/mem/Server/DYN"));
    memory.CopyFromDisk(disk.path() / "GEO", testing::Native("/mem/geo"));
    return memory;
  }();
  return server;
}

// The parts of a value between " | ", with <crlf> a line break and backslashes the platform's
// separator.
Texts Parts(const std::string& value) {
  Texts parts;
  std::string text = base::NativeSeparators(value);
  for (size_t at; (at = text.find("<crlf>")) != std::string::npos;) text.replace(at, 6, "\r\n");
  for (size_t start = 0, end = 0; end != std::string::npos; start = end + 3) {
    end = text.find(" | ", start);
    if (!text.empty()) parts.push_back(text.substr(start, end - start));
  }
  return parts;
}

std::string Join(const Texts& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : " | ") + text;
  return joined;
}

// One case, its lines in order: a setting, "run"/"select", or an expectation of the last run.
void RunCase(const std::vector<std::pair<std::string, std::string>>& lines) {
  MemoryFileSystem memory = SampleServer();
  testing::ScriptedProcessRunner export_program;
  testing::FakeServices fake(memory, export_program);
  fake.services.tool_folder = testing::Native("/mem/tools");
  testing::ScriptedUi ui;
  ui.server_folder = testing::Native("/mem/Server");
  ui.destination = testing::Native("/mem/out/roads.shp");
  boundaries::BoundarySelection selection{{}, 5, false};
  for (int i = 1; i <= 40; ++i) selection.col_return.push_back(std::to_string(i));
  RunResult result;
  std::optional<MemoryFileSystem> at_run;  // as the last run found it
  for (const auto& [key, value] : lines) {
    SCOPED_TRACE(key + ": " + value);
    const Texts parts = Parts(value);
    const std::string text = Join(parts);
    if (key == "tick") {
      ui.geocode_ticked = text.find("geo") != std::string::npos;
      ui.boundary_ticked = text.find("dat") != std::string::npos;
    } else if (key == "server") {
      ui.server_folder = text;
    } else if (key == "destination") {
      ui.destination = text;
    } else if (key == "browse to") {
      ui.on_browse = [&ui, text] { ui.destination = text; };
    } else if (key == "answers") {
      ui.answers.clear();
      for (const std::string& answer : parts) {
        ui.answers.push_back(answer == "yes" ? Answer::kYes : Answer::kNo);
      }
    } else if (key == "pick") {
      ui.pick.reset();
      if (text != "cancel") ui.pick = boundaries::BoundarySelection{parts, 3, true};
    } else if (key == "write") {
      for (const std::string& path : parts) memory.WriteFile(path, "old");
    } else if (key == "folder") {
      for (const std::string& path : parts) memory.CreateFolders(path);
    } else if (key == "remove") {
      for (const std::string& path : parts) memory.Remove(path);
    } else if (key == "export") {
      export_program.script = [&memory, parts](const auto&, const auto&) {
        std::optional<int> status = 0;
        for (const std::string& part : parts) {
          if (part == "writes the exports") {
            for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
              memory.WriteFile(
                  testing::Native("/mem/Server/DYN/") + std::string(file.export_name),
                  memory.Bytes(testing::Native("/mem/geo/") + std::string(file.data_name)));
            }
          }
          if (part == "writes a part")
            memory.WriteFile(testing::Native("/mem/Server/DYN/Mapfil.asc"), "part");
          if (part == "does not start") status.reset();
          if (part.starts_with("status ")) status = std::stoi(part.substr(7));
        }
        return status;
      };
    } else if (key == "rxybnd") {  // records of a node count and a description each
      std::string records;
      for (const std::string& part : parts) {
        records += testing::RecordBytes(static_cast<int16_t>(std::stoi(part)),
                                        part.substr(part.find(' ') + 1), {});
      }
      memory.WriteFile(testing::Native("/mem/Server/DYN/Rxybnd.dat"), records);
    } else if (key == "progress") {
      fake.progress.SetValue(std::stoi(text));
    } else if (key == "run" || key == "select") {
      ui.messages.clear();
      ui.log.clear();
      fake.status.texts.clear();
      at_run.emplace(memory);
      if (key == "select") {
        SelectBoundaries(ui, selection, fake.services);
        continue;
      }
      if (text.find("all") != std::string::npos) {
        selection.col_return.clear();
        for (int i = 1; i <= 40; ++i) selection.col_return.push_back(std::to_string(i));
      }
      if (text.find("none") != std::string::npos) selection.col_return.clear();
      if (text.find("each") != std::string::npos) selection.one_file_per_boundary = true;
      result =
          RunConversion(ui, selection, fake.services,
                        {.run_export = text.find("export") != std::string::npos,
                         .ask_before_each_boundary_set = text.find("ask") != std::string::npos});
    } else if (key == "messages") {
      EXPECT_EQ(Join(ui.messages), text);
    } else if (key == "log") {
      EXPECT_EQ(Join(ui.log), text);
    } else if (key == "statuses") {
      EXPECT_EQ(Join(fake.status.texts), text);
    } else if (key == "first rows") {
      ui.rows_shown.resize(std::min(ui.rows_shown.size(), parts.size()));
      EXPECT_EQ(Join(ui.rows_shown), text);
    } else if (key == "ticked") {
      EXPECT_EQ(ui.geocode_ticked ? (ui.boundary_ticked ? "geo dat" : "geo")
                                  : (ui.boundary_ticked ? "dat" : ""),
                text);
    } else if (key == "result") {
      std::ostringstream out;
      out << (result.finished ? "finished" : "not finished") << ", " << result.street_records
          << " streets, " << result.boundaries.records << " boundaries in "
          << result.boundaries.sets << " sets, progress " << fake.progress.value();
      EXPECT_EQ(out.str(), text);
    } else if (key == "selection") {
      std::string ordinals;
      for (const std::string& ordinal : selection.col_return) ordinals += ordinal + ",";
      EXPECT_EQ(ordinals + " type " + std::to_string(selection.boundary_shape_type) +
                    (selection.one_file_per_boundary ? " each" : " one"),
                text);
    } else if (key == "old" || key == "new" || key == "missing") {
      for (const std::string& path : parts) {
        const bool there = memory.StatusOf(path).has_value();
        EXPECT_EQ(there, key != "missing") << path;
        if (there) {
          EXPECT_EQ(memory.Bytes(path) == "old", key == "old") << path;
        }
      }
    } else if (key == "kept where case counts") {
      for (const std::string& path : parts) {
        EXPECT_NE(memory.StatusOf(path).has_value(), base::kFileNamesIgnoreCase) << path;
      }
    } else {
      ASSERT_EQ(key, "unchanged");
      EXPECT_EQ(memory.Snapshot(text), at_run->Snapshot(text));
    }
  }
}

TEST(DriverCases, EachCaseShowsAndLeavesWhatItExpects) {
  std::ifstream file(ROUTIX_DRIVER_CASES);
  ASSERT_TRUE(file) << ROUTIX_DRIVER_CASES;
  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> cases;
  for (std::string line; std::getline(file, line);) {
    const size_t colon = line.find(':');
    if (line.starts_with("case: ")) {
      cases.push_back({line.substr(6), {}});
    } else if (!line.empty() && !line.starts_with("#")) {
      ASSERT_FALSE(cases.empty()) << line;
      const std::string value = colon == std::string::npos ? "" : line.substr(colon + 1);
      cases.back().second.emplace_back(line.substr(0, colon),
                                       value.starts_with(' ') ? value.substr(1) : value);
    }
  }
  EXPECT_GT(cases.size(), 20u);
  for (const auto& [name, lines] : cases) {
    SCOPED_TRACE(name);
    RunCase(lines);
  }
}

}  // namespace
}  // namespace routix::app
