#include "streets/export_marker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/native_file_system.h"
#include "support/checks.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

namespace fs = std::filesystem;

TEST(ExportMarkerNote, OnlyAMapfilWrittenSinceTheNoteIsRenewed) {
  const char* kOld = "an export of an earlier run\r\n";
  struct Row {
    const char* before;  // nullptr: no Mapfil.asc
    const char* after;   // nullptr: none or deleted, "": left as it was
    bool time_kept;      // the rewritten file is given the time of the note back
    bool renewed;
  } rows[] = {
      {nullptr, nullptr, false, false}, {nullptr, "new\r\n", false, true},
      {kOld, "", false, false},         {kOld, nullptr, false, false},
      {kOld, kOld, false, true},        {kOld, "the longer export of this run\r\n", true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.before ? "there, " : "none, ") + (row.after ? row.after : "none"));
    testing::TempFolder server;
    fs::create_directory(server.path() / "DYN");
    const fs::path mapfil = server.path() / "DYN" / "Mapfil.asc";
    // An hour old, so that a rewrite has another time even on a file system of coarse times.
    const fs::file_time_type noted_time = fs::file_time_type::clock::now() - std::chrono::hours(1);
    if (row.before != nullptr) {
      testing::WriteFileBytes(mapfil, row.before);
      fs::last_write_time(mapfil, noted_time);
    }
    platform::NativeFileSystem native_files;
    const base::FileSystemService files(native_files);
    const ExportMarkerNote note(server.path().string(), files);
    if (row.after == nullptr) fs::remove(mapfil);
    if (row.after != nullptr && *row.after != '\0') testing::WriteFileBytes(mapfil, row.after);
    if (row.time_kept) fs::last_write_time(mapfil, noted_time);
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
