// The FileSystem of the machine the program runs on, one definition per platform: POSIX
// calls on Linux, the Win32 API on Windows (its …W calls, UTF-8 names made UTF-16 and long
// ones put in the \\?\ form by WidePath, a rename through MoveFileExW with
// MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH, a sharing violation reported as the
// file being open in another program). The front ends make
// one and hand it down through ProgramServices. On Windows a read-only file is refused by
// the system itself, and every move is written through at once; elsewhere a read-only file is
// refused only by the callers that check FileStatus::read_only, and SyncFolder flushes the
// names of a folder.
#pragma once

#include "base/file_system.h"

namespace routix::platform {

class NativeFileSystem final : public base::FileSystem {
 public:
  std::unique_ptr<base::ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<base::WritableFile> CreateForWriting(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void ReplaceKeeping(const std::string& from, const std::string& to,
                      const std::string& aside) override;
  void SyncFolder(const std::string& folder) override;
  void Remove(const std::string& path) override;
  std::vector<base::FolderEntry> ListFolder(const std::string& folder) override;
  std::optional<base::FileStatus> StatusOf(const std::string& path) override;
  std::optional<base::FileStatus> CheckedStatusOf(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  void Copy(const std::string& from, const std::string& to) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  std::unique_ptr<base::FileLock> Lock(const std::string& path) override;
};

}  // namespace routix::platform
