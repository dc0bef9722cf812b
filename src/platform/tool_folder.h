// The site's tool folder, whose files each streets run copies into the Server folder's PRO
// folder: Server/PRO beside the running program (Server\PRO on Windows), unless the build
// names a fixed folder (ROUTIX_TOOL_FOLDER; the Debian package's is /etc/routix2shp/PRO).
// Throws ConversionError when the program's own folder is needed and the system cannot tell.
#pragma once

#include <string>

namespace routix::platform {

std::string DefaultToolFolder();

}  // namespace routix::platform
