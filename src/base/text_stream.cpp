#include "base/text_stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace routix::base {

TextReader::TextReader(FileSystem& files, const std::string& path)
    : path_(path),
      file_(files.OpenForReading(path)),
      // No larger than the file: a small file costs little.
      capacity_(static_cast<size_t>(std::min<uint64_t>(kBufferBytes, file_->size() + 1))),
      buffer_(new char[capacity_]) {}

bool TextReader::Fill() {
  position_ = 0;
  end_ = 0;
  if (file_ == nullptr) return false;
  end_ = file_->ReadAt(offset_, buffer_.get(), capacity_);
  offset_ += end_;
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

std::string_view TextReader::ReadLineView(std::string& spill, size_t max_kept) {
  const char* start = buffer_.get() + position_;
  const void* feed = std::memchr(start, '\n', end_ - position_);
  if (feed == nullptr) {
    ReadLine(spill, max_kept);
    return spill;
  }
  size_t length = static_cast<size_t>(static_cast<const char*>(feed) - start);
  position_ += length + 1;
  ++line_;
  if (length > max_kept) return std::string_view(start, max_kept);
  if (length > 0 && start[length - 1] == '\r') --length;  // the break's carriage return
  return std::string_view(start, length);
}

std::string TextReader::ReadLine() {
  std::string line;
  ReadLine(line);
  return line;
}

bool TextReader::TakeLineFeed() {
  if (position_ == end_ && !Fill()) return false;
  if (buffer_[position_] != '\n') return false;
  ++position_;
  ++line_;
  return true;
}

size_t TextReader::ReadInLine(char* out, size_t size) {
  if (size == 0) return 0;
  size_t n = 0;
  while (n < size) {
    if (position_ == end_ && !Fill()) return n;  // the end of the file ends the line
    const char* start = buffer_.get() + position_;
    const size_t available = std::min(end_ - position_, size - n);
    const void* feed = std::memchr(start, '\n', available);
    const size_t piece =
        feed != nullptr ? static_cast<size_t>(static_cast<const char*>(feed) - start) : available;
    std::memcpy(out + n, start, piece);
    n += piece;
    position_ += piece;
    if (feed != nullptr) {
      ++position_;
      ++line_;
      if (n > 0 && out[n - 1] == '\r') --n;  // the break's carriage return
      return n;
    }
  }
  // Full: a carriage return in the last place may be the first half of the line's break.
  if (out[n - 1] == '\r' && TakeLineFeed()) --n;
  return n;
}

void TextReader::Close() {
  file_.reset();
  position_ = end_ = 0;
}

}  // namespace routix::base
