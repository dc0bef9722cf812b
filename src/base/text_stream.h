// Text files read and written line by line, as single-byte text that is not converted.
// A TextReader reads through a large buffer, one FileSystem call a block; a line ends at a
// line feed, and a carriage return right before it goes with it, so CR LF and a lone LF both
// end a line and a last line without a break is still a line. A line can be taken whole, cut
// to its first characters, seen where it lies in the buffer, or a few characters at a time,
// so a reader holds no more of a line than it looks at. A TextWriter ends every line with
// CR LF. Failures throw FileError naming the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/output_file.h"

namespace routix::base {

class TextReader {
 public:
  // The most a reader holds of its file at once.
  static constexpr size_t kBufferBytes = size_t{256} << 10;

  TextReader(FileSystem& files, const std::string& path);
  TextReader(TextReader&& other) noexcept = default;
  TextReader& operator=(TextReader&&) = delete;
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  bool AtEndOfStream();
  // Replaces line with the rest of the current line, without its line break; empty at the end
  // of the stream. Only the first max_kept characters are kept, so a reader that needs no
  // more holds no more, however long the line is.
  void ReadLine(std::string& line, size_t max_kept = SIZE_MAX);
  std::string ReadLine();
  // The same line as ReadLine(spill, max_kept) gives, without a copy where the line lies
  // whole in the reader's buffer: a view of it there, valid until the next call; otherwise
  // a view of spill, which takes the line.
  std::string_view ReadLineView(std::string& spill, size_t max_kept = SIZE_MAX);
  // Reads the next characters of the current line into out, up to size, and gives how many:
  // fewer only where the line ends, whose break is then read too. The next call goes on
  // with the next line.
  size_t ReadInLine(char* out, size_t size);
  // The number of the line the next ReadLine gives, counted from 1.
  int64_t Line() const { return line_; }
  void Close();

  const std::string& path() const { return path_; }

 private:
  bool Fill();  // false when the file has nothing more
  // Whether the next character is a line feed, which it then reads with the line's end.
  bool TakeLineFeed();

  std::string path_;
  std::unique_ptr<ReadableFile> file_;
  size_t capacity_;
  std::unique_ptr<char[]> buffer_;
  uint64_t offset_ = 0;  // of the end of the buffered bytes in the file
  size_t position_ = 0;
  size_t end_ = 0;
  int64_t line_ = 1;
};

class TextWriter {
 public:
  explicit TextWriter(OutputFile file) : file_(std::move(file)) {}

  void WriteLine(std::string_view text) {
    file_.Append(text);
    file_.Append("\r\n", 2);
  }
  void Close() { file_.Close(); }

 private:
  OutputFile file_;
};

}  // namespace routix::base
