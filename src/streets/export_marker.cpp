#include "streets/export_marker.h"

#include "base/path_utils.h"

namespace routix::streets {

ExportMarkerNote::ExportMarkerNote(const std::string& server_folder,
                                   const base::FileSystemService& files)
    : files_(files),
      marker_(base::NormalizePath(server_folder + base::NativeSeparators("\\DYN\\Mapfil.asc"))),
      noted_(files.StampOf(marker_)) {}

bool ExportMarkerNote::Renewed() const {
  const std::optional<base::FileStamp> now = files_.StampOf(marker_);
  return now.has_value() && now != noted_;
}

}  // namespace routix::streets
