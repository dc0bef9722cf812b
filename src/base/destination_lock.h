// A DestinationLock keeps other runs of the program out of one folder while this run writes
// there: it holds an advisory lock on the file .routix2shp.lock in the folder, which it
// removes when it goes. The system releases the lock however the program ends, so a run that
// was killed never blocks the next one.
#pragma once

#include <memory>
#include <string>

#include "base/file_system.h"

namespace routix::base {

class DestinationLock {
 public:
  // Throws FileError "Cannot write into <folder>: ..." when another run holds the folder or
  // the lock cannot be taken there.
  DestinationLock(FileSystem& files, const std::string& folder);

 private:
  std::unique_ptr<FileLock> lock_;
};

}  // namespace routix::base
