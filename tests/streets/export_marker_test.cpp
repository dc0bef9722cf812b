#include "streets/export_marker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/native_file_system.h"
#include "support/checks.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

namespace fs = std::filesystem;
using testing::WriteFileBytes;

TEST(ExportMarkerNote, OnlyAMapfilWrittenSinceTheNoteIsRenewed) {
  const std::string kOld = "an export of an earlier run\r\n";
  struct Row {
    const char* what;
    bool there_before;
    std::function<void(const fs::path& mapfil, fs::file_time_type noted_time)> run;
    bool renewed;
  } rows[] = {
      {"none before or after", false, [](const fs::path&, fs::file_time_type) {}, false},
      {"written where there was none", false,
       [](const fs::path& mapfil, fs::file_time_type) { WriteFileBytes(mapfil, "new\r\n"); }, true},
      {"left as it was", true, [](const fs::path&, fs::file_time_type) {}, false},
      {"deleted", true, [](const fs::path& mapfil, fs::file_time_type) { fs::remove(mapfil); },
       false},
      {"rewritten with the same size", true,
       [&](const fs::path& mapfil, fs::file_time_type) { WriteFileBytes(mapfil, kOld); }, true},
      {"rewritten with another size, its time kept", true,
       [](const fs::path& mapfil, fs::file_time_type noted_time) {
         WriteFileBytes(mapfil, "the longer export of this run\r\n");
         fs::last_write_time(mapfil, noted_time);
       },
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    testing::TempFolder server;
    fs::create_directory(server.path() / "DYN");
    const fs::path mapfil = server.path() / "DYN" / "Mapfil.asc";
    // An hour old, so that a rewrite has another time even on a file system of coarse times.
    const fs::file_time_type noted_time = fs::file_time_type::clock::now() - std::chrono::hours(1);
    if (row.there_before) {
      WriteFileBytes(mapfil, kOld);
      fs::last_write_time(mapfil, noted_time);
    }
    platform::NativeFileSystem native_files;
    const base::FileSystemService files(native_files);
    const ExportMarkerNote note(server.path().string(), files);
    row.run(mapfil, noted_time);
    EXPECT_EQ(note.Renewed(), row.renewed);
  }
}

TEST(ExportMarkerNote, AStatusThatCannotBeReadIsThatError) {
  testing::MemoryFileSystem memory;
  testing::FaultInjectingFileSystem faults(memory);
  const base::FileSystemService files(faults);
  const ExportMarkerNote note(testing::Native("/S"), files);
  faults.FailCall(1, testing::Fault::kError);
  EXPECT_EQ(testing::ErrorOf([&] { static_cast<void>(note.Renewed()); }),
            "Cannot read " + testing::Native("/S/DYN/Mapfil.asc") + ": Input/output error.");
}

}  // namespace
}  // namespace routix::streets
