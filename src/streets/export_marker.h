// Tells an export that the export program has just written from one that an earlier run left
// in DYN. A note of DYN\Mapfil.asc (whether it is there, its size and modification time) is
// taken just before the program starts; the program wrote the export only when the file is
// there afterwards and its size or modification time differs from the note. The note, not the
// clock, is the reference, since a Server folder on a network share carries the file server's
// time stamps. A status that cannot be read is that error, not a missing export.
#pragma once

#include <optional>
#include <string>

#include "base/file_system_service.h"

namespace routix::streets {

class ExportMarkerNote {
 public:
  // Notes DYN\Mapfil.asc of the Server folder as it is now.
  ExportMarkerNote(const std::string& server_folder, const base::FileSystemService& files);

  // Whether DYN\Mapfil.asc is there now and differs from the note.
  bool Renewed() const;

 private:
  // Throws FileError when the status of DYN\Mapfil.asc cannot be read.
  std::optional<base::FileStamp> Stamp() const;

  const base::FileSystemService& files_;
  std::string marker_;
  std::optional<base::FileStamp> noted_;
};

}  // namespace routix::streets
