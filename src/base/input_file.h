// An InputFile reads one existing file as bytes through the FileSystem: its size, and the
// bytes at a position. Opening a missing or unreadable file and a failed read throw FileError
// naming it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/file_system.h"

namespace routix::base {

class InputFile {
 public:
  InputFile(FileSystem& files, const std::string& path)
      : path_(path), file_(files.OpenForReading(path)) {}

  uint64_t size() const { return file_->size(); }
  // Reads up to size bytes from offset on and gives how many there were: fewer, down to
  // none, where the file ends before.
  size_t ReadAt(uint64_t offset, void* data, size_t size) {
    return file_->ReadAt(offset, data, size);
  }

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::unique_ptr<ReadableFile> file_;
};

}  // namespace routix::base
