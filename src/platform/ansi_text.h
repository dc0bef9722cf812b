// Text for the routing system's export program, which is an ANSI program: it reads its command
// line and g.cfg in the system's ANSI code page. AnsiFolderPath gives a folder as a path every
// character of which that code page holds: the path itself, or on Windows its short (8.3)
// form where the volume keeps one; nothing when it has neither. ToAnsiCodePage and
// FromAnsiCodePage turn the program's text into that code page and back. Elsewhere the
// code page is UTF-8, so every path fits and the text stays as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace routix::platform {

std::optional<std::string> AnsiFolderPath(const std::string& folder);

// A character the code page lacks becomes a question mark.
std::string ToAnsiCodePage(std::string_view text);
std::string FromAnsiCodePage(std::string_view ansi);

}  // namespace routix::platform
