// An error the user is told about: what failed, on which file, and why. The services raise
// it where a file or platform call fails, the conversions let it pass, and each front end
// catches it in one place and shows what() as it stands.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace routix::base {

class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The failure of one file operation: "Cannot <action> <path>: <reason>.", such as "Cannot
// create /out/roads.shp: Permission denied." Its parts stay readable, so that a layer that
// knows the file under another name can say it in those words.
class FileError : public ConversionError {
 public:
  FileError(std::string_view action, std::string_view path, std::string_view reason);
  // The reason is the operating system's text for error_number (an errno value).
  FileError(std::string_view action, std::string_view path, int error_number);

  const std::string& action() const { return action_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string action_;
  std::string path_;
  std::string reason_;
};

// A run out of memory while it read path: "Cannot read <path>: there is not enough memory
// for it.", so the user learns which input was too much.
FileError OutOfMemoryReading(std::string_view path);

}  // namespace routix::base
