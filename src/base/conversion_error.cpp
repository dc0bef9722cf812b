#include "base/conversion_error.h"

#include <cstring>

namespace routix::base {

ConversionError FileError(std::string_view action, std::string_view path, int error_number) {
  return FileError(action, path, std::string_view(std::strerror(error_number)));
}

ConversionError FileError(std::string_view action, std::string_view path, std::string_view reason) {
  std::string message = "Cannot ";
  message += action;
  message += ' ';
  message += path;
  message += ": ";
  message += reason;
  if (message.back() != '.') message += '.';
  return ConversionError(message);
}

}  // namespace routix::base
