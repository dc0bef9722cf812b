// The check of the Server folder and the destination that guards the street network
// conversion, in its fixed order: the Server folder, its GEO folder, an existing destination,
// the destination's folder. The window asks about an existing destination; the command line
// refuses it unless told to replace it.
#pragma once

#include <string>

#include "base/file_system_service.h"

namespace routix::app {

enum class StreetPathCheck {
  kReady,                     // the destination's folder exists and the destination does not
  kServerFolderMissing,       // "Server path incorrect!"
  kGeoFolderMissing,          // "Not found GEO folder in "
  kDestinationExists,         // the destination file is there already
  kDestinationFolderMissing,  // "Destination path incorrect!"
};

// On the paths as typed, not normalised.
StreetPathCheck CheckStreetPaths(const std::string& server_folder, const std::string& destination,
                                 const base::FileSystemService& files);

}  // namespace routix::app
