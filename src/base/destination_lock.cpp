#include "base/destination_lock.h"

#include "base/conversion_error.h"
#include "base/path_utils.h"
#include "base/staged_files.h"

namespace routix::base {

DestinationLock::DestinationLock(FileSystem& files, const std::string& folder) {
  const std::string shown = folder.empty() ? std::string(".") : folder;
  try {
    lock_ = files.Lock(JoinPath(folder, ".routix2shp.lock"));
  } catch (const FileError& error) {
    throw FileError("write into", shown, error.reason());
  }
  if (lock_ == nullptr) {
    throw ConversionError("Another routix2shp run is writing into " + shown + ".");
  }
  RepairFolder(files, folder);
}

}  // namespace routix::base
