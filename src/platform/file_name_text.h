// The text of a file name made from Windows-1252 bytes (a boundary description), in the form
// the platform's file calls take: the bytes as they are on Windows, where std::string paths
// are read in the ANSI code page, and UTF-8 elsewhere. Every byte maps to one character.
#pragma once

#include <string>
#include <string_view>

namespace routix::platform {

std::string FileNameFromAnsi(std::string_view ansi);

}  // namespace routix::platform
