// What the fuzz targets share. One input becomes several files: its bytes are cut at the
// first occurrences of kFileSeparator, three ASCII record separators in a row, which the
// sample data never holds; parts without a separator before them are empty. The files live
// in a file system in memory, under kRoot, made afresh for each input. A run must end either
// in sets that check out with the independent reader and hold what the conversion says, or
// in a ConversionError naming a file of the run that leaves no file at all in the output
// folder; no temporary may be left either way. Anything else stops the process with the
// reason, which libFuzzer records as a finding with its input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/memory_file_system.h"
#include "support/shapefile_reader.h"

namespace routix::fuzz {

inline constexpr std::string_view kFileSeparator = "\x1E\x1E\x1E";

// count parts: the bytes up to the first separator, up to the second, ..., and the rest.
std::vector<std::string> SplitInput(const uint8_t* data, size_t size, size_t count);
// The parts joined the other way round, for writing seeds.
std::string JoinParts(const std::vector<std::string>& parts);

// The folder of every path of a run.
const std::string& Root();

[[noreturn]] void Finding(const std::string& what);

struct Written {
  int32_t sets = 0;
  int32_t records = 0;
};

// Makes the empty folder out in files, runs convert, which writes its sets there and says
// what it wrote, and checks the run and every set in out, each also with check_set.
void CheckRun(testing::MemoryFileSystem& files, const std::string& out,
              const std::function<Written()>& convert,
              const std::function<void(const testing::ReadSet&)>& check_set = {});

}  // namespace routix::fuzz
