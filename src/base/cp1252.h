// The Windows-1252 code page that every file of the system holds its text in, decoded for
// the places that show text or name files in Unicode: the window, the terminal, messages,
// and file names, which are UTF-8 inside the program on every platform. The same text gives
// the same name on every platform.
#pragma once

#include <string>
#include <string_view>

namespace routix::base {

// Each byte as the character Windows-1252 gives it, in UTF-8. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so on, as Windows does.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace routix::base
