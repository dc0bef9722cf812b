// An InputFile reads one existing file as bytes: its size, and the bytes at a position.
// Opening a missing or unreadable file and a failed read throw ConversionError naming it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace routix::base {

class InputFile {
 public:
  explicit InputFile(const std::string& path);
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  uint64_t size() const { return size_; }
  // Reads up to size bytes from offset on and gives how many there were: fewer, down to
  // none, where the file ends before.
  size_t ReadAt(uint64_t offset, void* data, size_t size);

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
};

}  // namespace routix::base
