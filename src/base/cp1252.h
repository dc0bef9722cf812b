// The Windows-1252 code page that every file of the system holds its text in, decoded for
// the places that show text or name files in Unicode: the window, the terminal, messages,
// and file names on systems whose file names are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace routix::base {

// Each byte as the character Windows-1252 gives it, in UTF-8. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so on, as Windows does.
std::string Cp1252ToUtf8(std::string_view text);

// Windows-1252 text (a boundary description) in the 8-bit form that the platform's file
// names, windows and terminals take, and that every message is in: UTF-8 where file names are
// UTF-8, the bytes as they are on Windows. The same text gives the same name on every
// platform.
std::string LocalTextFromAnsi(std::string_view ansi);

}  // namespace routix::base
