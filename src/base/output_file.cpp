#include "base/output_file.h"

#include <cerrno>
#include <utility>

#include "base/conversion_error.h"
#include "platform/file_seek.h"

namespace routix::base {

OutputFile::OutputFile(const std::string& path, Mode mode)
    : path_(path), buffer_(new char[kBufferBytes]) {
  errno = 0;
  file_ = std::fopen(path.c_str(), mode == Mode::kReplace ? "wb" : "ab");
  if (file_ == nullptr) throw FileError(mode == Mode::kReplace ? "create" : "open", path, errno);
  std::setvbuf(file_, nullptr, _IONBF, 0);  // the buffer here is the only one
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : path_(std::move(other.path_)),
      file_(std::exchange(other.file_, nullptr)),
      buffer_(std::move(other.buffer_)),
      used_(std::exchange(other.used_, 0)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    Discard();
    path_ = std::move(other.path_);
    file_ = std::exchange(other.file_, nullptr);
    buffer_ = std::move(other.buffer_);
    used_ = std::exchange(other.used_, 0);
  }
  return *this;
}

OutputFile::~OutputFile() {
  if (file_ == nullptr) return;
  try {
    Flush();
  } catch (const ConversionError&) {
    // Closing quietly: the caller that cared has called Close().
  }
  Discard();
}

void OutputFile::WriteThrough(const void* data, size_t size) {
  if (file_ == nullptr) throw FileError("write", path_, "the file is closed");
  errno = 0;
  if (size > 0 && std::fwrite(data, 1, size, file_) != size) {
    throw FileError("write", path_, errno != 0 ? errno : EIO);
  }
}

void OutputFile::AppendSlow(const void* data, size_t size) {
  Flush();
  if (size <= kBufferBytes) {
    std::memcpy(buffer_.get(), data, size);
    used_ = size;
  } else {
    WriteThrough(data, size);
  }
}

void OutputFile::Flush() {
  if (used_ == 0) return;
  size_t size = std::exchange(used_, 0);
  WriteThrough(buffer_.get(), size);
}

void OutputFile::RewriteStart(const void* data, size_t size) {
  Flush();
  errno = 0;
  if (!platform::SeekFile(file_, 0, SEEK_SET)) throw FileError("write", path_, errno);
  WriteThrough(data, size);
  if (!platform::SeekFile(file_, 0, SEEK_END)) throw FileError("write", path_, errno);
}

void OutputFile::Close() {
  if (file_ == nullptr) return;
  Flush();
  std::FILE* file = std::exchange(file_, nullptr);
  errno = 0;
  if (std::fclose(file) != 0) throw FileError("write", path_, errno != 0 ? errno : EIO);
}

void OutputFile::Discard() noexcept {
  used_ = 0;
  if (file_ != nullptr) std::fclose(std::exchange(file_, nullptr));
}

}  // namespace routix::base
