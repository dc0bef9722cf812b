#include "app/street_paths.h"

#include "base/path_utils.h"

namespace routix::app {

StreetPathCheck CheckStreetPaths(const std::string& server_folder, const std::string& destination,
                                 const base::FileSystemService& files) {
  if (!files.FolderExists(server_folder)) return StreetPathCheck::kServerFolderMissing;
  if (!files.FolderExists(server_folder + base::NativeSeparators("\\GEO"))) {
    return StreetPathCheck::kGeoFolderMissing;
  }
  if (files.FileExists(destination)) return StreetPathCheck::kDestinationExists;
  if (!files.FolderExists(base::FolderOfPath(destination))) {
    return StreetPathCheck::kDestinationFolderMissing;
  }
  return StreetPathCheck::kReady;
}

}  // namespace routix::app
