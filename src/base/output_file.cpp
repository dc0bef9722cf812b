#include "base/output_file.h"

#include <utility>

#include "base/conversion_error.h"

namespace routix::base {

OutputFile::OutputFile(FileSystem& files, const std::string& path)
    : OutputFile(files.CreateForWriting(path), path) {}

OutputFile::OutputFile(std::unique_ptr<WritableFile> file, std::string path)
    : path_(std::move(path)), file_(std::move(file)), buffer_(new char[kBufferBytes]) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    Discard();
    path_ = std::move(other.path_);
    file_ = std::move(other.file_);
    buffer_ = std::move(other.buffer_);
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
  Flush();
  if (size <= kBufferBytes) {
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
