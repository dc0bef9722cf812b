// Paths held as text, as the program keeps them: UTF-8 on Windows, the file system's own
// bytes elsewhere. FilePath and PathText turn them into std::filesystem paths and back, so
// that both kinds of call name the same file; AbsolutePath makes one absolute the way the
// platform itself reads it (on Windows through GetFullPathNameW, which keeps a share
// \\server\share, turns slashes into backslashes and drops a name's trailing dots and blanks).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace routix::platform {

std::filesystem::path FilePath(std::string_view text);
std::string PathText(const std::filesystem::path& path);

// The path against the working folder; the empty path, and one the platform cannot make
// absolute, as it stands.
std::string AbsolutePath(const std::string& path);

}  // namespace routix::platform
