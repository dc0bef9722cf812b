#include "base/output_file.h"

#include <algorithm>
#include <utility>

#include "base/conversion_error.h"

namespace routix::base {
namespace {

// The buffer's first size; it doubles up to kBufferBytes.
constexpr size_t kFirstBufferBytes = size_t{1} << 10;

}  // namespace

OutputFile::OutputFile(FileSystem& files, const std::string& path)
    : OutputFile(files.CreateForWriting(path), path) {}

OutputFile::OutputFile(std::unique_ptr<WritableFile> file, std::string path)
    : path_(std::move(path)),
      file_(std::move(file)),
      buffer_(new char[kFirstBufferBytes]),
      capacity_(kFirstBufferBytes) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    Discard();
    path_ = std::move(other.path_);
    file_ = std::move(other.file_);
    buffer_ = std::move(other.buffer_);
    capacity_ = std::exchange(other.capacity_, 0);
    used_ = std::exchange(other.used_, 0);
    flushed_ = std::exchange(other.flushed_, 0);
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

WritableFile& OutputFile::Open() {
  if (file_ == nullptr) throw FileError("write", path_, "the file is closed");
  return *file_;
}

void OutputFile::AppendSlow(const void* data, size_t size) {
  if (capacity_ < kBufferBytes) {
    size_t capacity = std::max(capacity_ * 2, kFirstBufferBytes);
    while (capacity < used_ + size && capacity < kBufferBytes) capacity *= 2;
    capacity = std::min(capacity, kBufferBytes);
    std::unique_ptr<char[]> grown(new char[capacity]);
    std::memcpy(grown.get(), buffer_.get(), used_);
    buffer_ = std::move(grown);
    capacity_ = capacity;
    if (size <= capacity_ - used_) {
      std::memcpy(buffer_.get() + used_, data, size);
      used_ += size;
      return;
    }
  }
  Flush();
  if (size <= capacity_) {
    std::memcpy(buffer_.get(), data, size);
    used_ = size;
  } else {
    Open().Append(data, size);
    flushed_ += size;
  }
}

void OutputFile::Flush() {
  if (used_ == 0) return;
  const size_t size = std::exchange(used_, 0);
  Open().Append(buffer_.get(), size);
  flushed_ += size;
}

void OutputFile::WriteAt(uint64_t offset, const void* data, size_t size) {
  if (offset >= flushed_) {
    // Still in the buffer: no call at all.
    std::memcpy(buffer_.get() + (offset - flushed_), data, size);
    return;
  }
  Flush();
  Open().WriteAt(offset, data, size);
}

void OutputFile::Close() {
  if (file_ == nullptr) return;
  Flush();
  std::unique_ptr<WritableFile> file = std::move(file_);
  file->Close();
}

void OutputFile::Discard() noexcept {
  used_ = 0;
  file_.reset();
}

}  // namespace routix::base
