// A DestinationLock keeps other runs of the program out of one folder for the whole of a run:
// it holds an advisory lock on the file .routix2shp.lock in the folder, which it removes when
// it goes, and once it holds the folder it repairs what a stopped run left there
// (RepairFolder). The system releases the lock however the program ends, so a run that was
// killed never blocks the next one, whoever started it.
#pragma once

#include <memory>
#include <string>

#include "base/file_system.h"

namespace routix::base {

class DestinationLock {
 public:
  // Throws ConversionError "Another routix2shp run is writing into <folder>." while another
  // run holds the folder, FileError "Cannot write into <folder>: ..." when the lock cannot be
  // taken there, and what RepairFolder throws.
  DestinationLock(FileSystem& files, const std::string& folder);

 private:
  std::unique_ptr<FileLock> lock_;
};

}  // namespace routix::base
