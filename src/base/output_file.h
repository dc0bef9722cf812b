// An OutputFile writes one file through a buffer of kBufferBytes: appends land in the buffer
// and reach the file in large writes when it fills or on Flush(). Every failed call throws
// ConversionError naming the file and the reason. Close() reports a failed last write; the
// destructor and Discard() close without a word, Discard() dropping what is still buffered.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace routix::base {

class OutputFile {
 public:
  enum class Mode { kReplace, kAppend };
  static constexpr size_t kBufferBytes = size_t{1} << 20;

  // kReplace creates the file or empties it; kAppend creates it when missing and writes on
  // at its end.
  OutputFile(const std::string& path, Mode mode);
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  void Append(const void* data, size_t size) {
    if (size <= kBufferBytes - used_) {
      std::memcpy(buffer_.get() + used_, data, size);
      used_ += size;
    } else {
      AppendSlow(data, size);
    }
  }
  void Append(std::string_view text) { Append(text.data(), text.size()); }

  // Bytes appended but not yet handed to the file.
  size_t pending() const { return used_; }
  void Flush();
  // Writes over the first bytes of the file and goes back to its end (kReplace files only).
  void RewriteStart(const void* data, size_t size);
  void Close();
  void Discard() noexcept;

  const std::string& path() const { return path_; }

 private:
  void AppendSlow(const void* data, size_t size);
  void WriteThrough(const void* data, size_t size);

  std::string path_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  size_t used_ = 0;
};

}  // namespace routix::base
