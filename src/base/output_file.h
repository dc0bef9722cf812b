// An OutputFile writes one file through a buffer of kBufferBytes: appends land in the buffer
// and reach the FileSystem in large blocks, one call a block, when it fills or on Flush(). The
// buffer starts small and grows as the file does, so a small file costs little.
// Every failed call throws FileError naming the file and the reason. Close() reports a failed
// last write; the destructor and Discard() close without a word, Discard() dropping what is
// still buffered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "base/file_system.h"

namespace routix::base {

class OutputFile {
 public:
  static constexpr size_t kBufferBytes = size_t{1} << 20;

  // Creates the file at path, or empties the one there.
  OutputFile(FileSystem& files, const std::string& path);
  // Writes into file, which path names in messages.
  OutputFile(std::unique_ptr<WritableFile> file, std::string path);
  OutputFile(OutputFile&& other) noexcept = default;
  OutputFile& operator=(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  void Append(const void* data, size_t size) {
    if (size <= capacity_ - used_) {
      std::memcpy(buffer_.get() + used_, data, size);
      used_ += size;
    } else {
      AppendSlow(data, size);
    }
  }
  void Append(std::string_view text) { Append(text.data(), text.size()); }

  void Flush();
  // Writes over bytes already appended, at offset from the start of the file.
  void WriteAt(uint64_t offset, const void* data, size_t size);
  void Close();
  void Discard() noexcept;

  const std::string& path() const { return path_; }

 private:
  void AppendSlow(const void* data, size_t size);
  WritableFile& Open();

  std::string path_;
  std::unique_ptr<WritableFile> file_;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0;
  size_t used_ = 0;
  uint64_t flushed_ = 0;  // bytes handed to the file
};

}  // namespace routix::base
