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

// "Cannot <action> <path>: <reason>." where the reason is the operating system's text for
// error_number (an errno value), such as "Cannot create /out/roads.shp: Permission denied."
ConversionError FileError(std::string_view action, std::string_view path, int error_number);

// The same message with a reason given as text.
ConversionError FileError(std::string_view action, std::string_view path, std::string_view reason);

}  // namespace routix::base
