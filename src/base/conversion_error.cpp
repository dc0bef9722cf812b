#include "base/conversion_error.h"

#include <cstring>

namespace routix::base {
namespace {

std::string Message(std::string_view action, std::string_view path, std::string_view reason) {
  std::string message = "Cannot ";
  message += action;
  message += ' ';
  message += path;
  message += ": ";
  message += reason;
  if (message.back() != '.') message += '.';
  return message;
}

}  // namespace

FileError::FileError(std::string_view action, std::string_view path, std::string_view reason)
    : ConversionError(Message(action, path, reason)),
      action_(action),
      path_(path),
      reason_(reason) {}

FileError::FileError(std::string_view action, std::string_view path, int error_number)
    : FileError(action, path, std::string_view(std::strerror(error_number))) {}

FileError OutOfMemoryReading(std::string_view path) {
  return FileError("read", path, "there is not enough memory for it");
}

}  // namespace routix::base
