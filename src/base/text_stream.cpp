#include "base/text_stream.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "base/conversion_error.h"

namespace routix::base {
namespace {

constexpr size_t kReadBufferBytes = size_t{1} << 20;

}  // namespace

TextReader::TextReader(const std::string& path) : path_(path), buffer_(new char[kReadBufferBytes]) {
  errno = 0;
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) throw FileError("open", path, errno);
  std::setvbuf(file_, nullptr, _IONBF, 0);
  // A folder opens on some systems and fails only at the first read: find out now.
  Fill();
}

TextReader::TextReader(TextReader&& other) noexcept
    : path_(std::move(other.path_)),
      file_(std::exchange(other.file_, nullptr)),
      buffer_(std::move(other.buffer_)),
      position_(other.position_),
      end_(other.end_),
      line_(other.line_) {}

TextReader::~TextReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool TextReader::Fill() {
  position_ = 0;
  end_ = 0;
  if (file_ == nullptr) return false;
  errno = 0;
  end_ = std::fread(buffer_.get(), 1, kReadBufferBytes, file_);
  if (end_ == 0 && std::ferror(file_)) throw FileError("read", path_, errno != 0 ? errno : EIO);
  return end_ > 0;
}

bool TextReader::AtEndOfStream() { return position_ == end_ && !Fill(); }

void TextReader::ReadLine(std::string& line) {
  line.clear();
  while (position_ < end_ || Fill()) {
    const char* start = buffer_.get() + position_;
    size_t available = end_ - position_;
    const void* feed = std::memchr(start, '\n', available);
    if (feed != nullptr) {
      size_t length = static_cast<const char*>(feed) - start;
      line.append(start, length);
      position_ += length + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      break;
    }
    line.append(start, available);
    position_ = end_;
  }
  ++line_;
}

std::string TextReader::ReadLine() {
  std::string line;
  ReadLine(line);
  return line;
}

void TextReader::Close() {
  if (file_ != nullptr) std::fclose(std::exchange(file_, nullptr));
  position_ = end_ = 0;
}

}  // namespace routix::base
