#include "base/text_stream.h"

#include <algorithm>
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

void TextReader::ReadLine(std::string& line, size_t max_kept) {
  line.clear();
  size_t length = 0;  // of the whole line, kept or not
  while (position_ < end_ || Fill()) {
    const char* start = buffer_.get() + position_;
    size_t available = end_ - position_;
    const void* feed = std::memchr(start, '\n', available);
    size_t piece =
        feed != nullptr ? static_cast<size_t>(static_cast<const char*>(feed) - start) : available;
    if (line.size() < max_kept) line.append(start, std::min(piece, max_kept - line.size()));
    length += piece;
    position_ += piece;
    if (feed != nullptr) {
      ++position_;
      // A carriage return right before the feed belongs to the break; it is the last kept
      // character only when the whole line was kept.
      if (length <= max_kept && !line.empty() && line.back() == '\r') line.pop_back();
      break;
    }
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
