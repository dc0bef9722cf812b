// The std::filesystem path for a path held as text, and the text of a std::filesystem path.
// The text is what the C file calls (fopen) take: bytes in the ANSI code page on Windows,
// which std::filesystem would read otherwise, and the file system's own bytes elsewhere.
// Going through here, both kinds of call name the same file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace routix::platform {

std::filesystem::path FilePath(std::string_view text);

// A character the code page lacks becomes a question mark.
std::string PathText(const std::filesystem::path& path);

}  // namespace routix::platform
