// What the fuzz targets share. One input becomes several files: its bytes are cut at the
// first occurrences of kFileSeparator, three ASCII record separators in a row, which the
// sample data never holds; parts without a separator before them are empty. A run must end
// either in sets that check out with the independent reader and hold what the conversion
// says, or in a ConversionError naming a file of the run's own folder; after an error the
// sets already written must still check out. Anything else stops the process with the reason,
// which libFuzzer records as a finding with its input. The runs of one process share one
// folder, rewritten by each run and removed at the process's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::fuzz {

inline constexpr std::string_view kFileSeparator = "\x1E\x1E\x1E";

// count parts: the bytes up to the first separator, up to the second, ..., and the rest.
std::vector<std::string> SplitInput(const uint8_t* data, size_t size, size_t count);
// The parts joined the other way round, for writing seeds.
std::string JoinParts(const std::vector<std::string>& parts);

const testing::TempFolder& RunFolder();

[[noreturn]] void Finding(const std::string& what);

struct Written {
  int32_t sets = 0;
  int32_t records = 0;
};

// Empties out, runs convert, which writes its sets into out and says what it wrote, and
// checks the run and every set in out, each also with check_set.
void CheckRun(const std::filesystem::path& out, const std::function<Written()>& convert,
              const std::function<void(const testing::ReadSet&)>& check_set = {});

}  // namespace routix::fuzz
