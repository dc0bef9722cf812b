// What every fuzz target asks of a run: a ConversionError must name a file of the run's own
// folder, and a written set must check out with the independent reader. Anything else stops
// the process with the reason, which libFuzzer records as a finding with its input. The runs
// of one process share one folder, rewritten by each run and removed at the process's end.
#pragma once

#include <string>

#include "base/conversion_error.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::fuzz {

const testing::TempFolder& RunFolder();

[[noreturn]] void Finding(const std::string& what);

// A finding unless the message names a path inside folder.
void CheckErrorNamesAFile(const base::ConversionError& error, const std::string& folder);

// The set at base (less ".shp"), read and checked; a finding when it does not check out.
testing::ReadSet CheckSet(const std::string& base);

}  // namespace routix::fuzz
