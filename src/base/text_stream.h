// Text files read and written line by line, as single-byte text that is not converted.
// A TextReader reads through a large buffer; a line ends at a line feed, and a carriage
// return right before it goes with it, so CR LF and a lone LF both end a line and a last line
// without a break is still a line. A TextWriter ends every line with CR LF. Failures throw
// ConversionError naming the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "base/output_file.h"

namespace routix::base {

class TextReader {
 public:
  explicit TextReader(const std::string& path);
  TextReader(TextReader&& other) noexcept;
  TextReader& operator=(TextReader&&) = delete;
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;
  ~TextReader();

  bool AtEndOfStream();
  // Replaces line with the next line, without its line break; empty at the end of the stream.
  // Only the first max_kept characters are kept, so a reader that needs no more holds no more,
  // however long the line is.
  void ReadLine(std::string& line, size_t max_kept = SIZE_MAX);
  std::string ReadLine();
  // The number of the line the next ReadLine gives, counted from 1.
  int64_t Line() const { return line_; }
  void Close();

  const std::string& path() const { return path_; }

 private:
  bool Fill();  // false when the file has nothing more

  std::string path_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  size_t position_ = 0;
  size_t end_ = 0;
  int64_t line_ = 1;
};

class TextWriter {
 public:
  TextWriter(const std::string& path, OutputFile::Mode mode) : file_(path, mode) {}

  void WriteLine(std::string_view text) {
    file_.Append(text);
    file_.Append("\r\n", 2);
  }
  void Close() { file_.Close(); }

 private:
  OutputFile file_;
};

}  // namespace routix::base
