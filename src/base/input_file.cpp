#include "base/input_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "base/conversion_error.h"
#include "platform/file_path.h"
#include "platform/file_seek.h"

namespace routix::base {

InputFile::InputFile(const std::string& path) : path_(path) {
  std::error_code error;
  const std::filesystem::path file = platform::FilePath(path);
  if (std::filesystem::is_directory(file, error)) throw FileError("read", path, EISDIR);
  errno = 0;
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) throw FileError("open", path, errno);
  size_ = std::filesystem::file_size(file, error);
  if (error) {
    std::fclose(file_);
    throw FileError("read", path, error.message());
  }
}

InputFile::~InputFile() { std::fclose(file_); }

size_t InputFile::ReadAt(uint64_t offset, void* data, size_t size) {
  if (offset >= size_ || size == 0) return 0;
  if (offset != position_) {
    errno = 0;
    if (!platform::SeekFile(file_, static_cast<int64_t>(offset), SEEK_SET)) {
      throw FileError("read", path_, errno != 0 ? errno : EINVAL);
    }
    position_ = offset;
  }
  errno = 0;
  size_t read = std::fread(data, 1, size, file_);
  if (read < size && std::ferror(file_)) throw FileError("read", path_, errno != 0 ? errno : EIO);
  position_ += read;
  return read;
}

}  // namespace routix::base
