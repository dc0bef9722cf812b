#include "streets/export_marker.h"

#include "base/path_utils.h"

namespace routix::streets {

ExportMarkerNote::ExportMarkerNote(const std::string& server_folder,
                                   const base::FileSystemService& files)
    : files_(files),
      marker_(base::NormalizePath(server_folder + base::NativeSeparators("\\DYN\\Mapfil.asc"))),
      noted_(Stamp()) {}

bool ExportMarkerNote::Renewed() const {
  const std::optional<base::FileStamp> now = Stamp();
  return now.has_value() && now != noted_;
}

std::optional<base::FileStamp> ExportMarkerNote::Stamp() const {
  const std::optional<base::FileStatus> status = files_.file_system().CheckedStatusOf(marker_);
  if (!status.has_value() || status->is_folder) return std::nullopt;
  return base::FileStamp{status->size, status->modified};
}

}  // namespace routix::streets
