#include "platform/ansi_text.h"

namespace routix::platform {

std::optional<std::string> AnsiFolderPath(const std::string& folder) { return folder; }

std::string ToAnsiCodePage(std::string_view text) { return std::string(text); }

std::string FromAnsiCodePage(std::string_view ansi) { return std::string(ansi); }

}  // namespace routix::platform
