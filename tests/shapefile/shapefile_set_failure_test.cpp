// Real write failures: a child process writes a set under a small file size limit, so the
// system refuses a write part-way (EFBIG), as a full disk would.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/conversion_error.h"
#include "shapefile/shapefile_set.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::shapefile {
namespace {

constexpr FieldSpec kTable[] = {{"ID", 'C', 16}, {"Descr", 'C', 60}};

// Exit status of the child: 0 all written (no failure), 1 ConversionError, 2 anything else.
int WriteUnderLimit(const std::string& path, rlim_t limit_bytes, int features, int points) {
  pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{limit_bytes, limit_bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      ShapefileSet set = OpenShapefileSet(path, kPolygon, kTable, base::Date{2026, 1, 1});
      std::vector<ShapePoint> outline;
      for (int i = 0; i < points; ++i) outline.push_back({double(i), double(i % 7)});
      for (int i = 0; i < features; ++i) set.WriteFeature(outline, {{"7", "zone"}});
      set.Close();
      _exit(0);
    } catch (const base::ConversionError& error) {
      std::fprintf(stderr, "%s\n", error.what());
      _exit(1);
    } catch (...) {
      _exit(2);
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ShapefileSetFailure, AWriteRefusedPartWayLeavesASetWithMatchingHeaders) {
  struct Row {
    rlim_t limit;
    int points;
  } rows[] = {
      {3'000'000, 10},   // small records: the .shp fills while the others still have room
      {3'000'000, 900},  // records of 14 KiB
      {200, 10},         // not even the first flush fits
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.limit);
    testing::TempFolder folder;
    ASSERT_EQ(WriteUnderLimit(folder.Path("zones"), row.limit, 200'000, row.points), 1);
    testing::ReadSet read = testing::ReadShapefileSet(folder.Path("zones"));
    EXPECT_LT(read.records.size(), 200'000u);
    EXPECT_EQ(read.rows.size(), read.records.size());
  }
}

}  // namespace
}  // namespace routix::shapefile
