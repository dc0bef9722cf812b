// Text at the edge of the Windows API: the program keeps text as UTF-8, the …W calls take
// and give UTF-16. Widen and Narrow turn one into the other; WidenFrom and NarrowTo do the
// same for text in another code page (the ANSI one, CP_ACP), a character it lacks becoming
// a question mark.
#pragma once

#include <string>
#include <string_view>

namespace routix::platform {

std::wstring WidenFrom(unsigned code_page, std::string_view text);
std::string NarrowTo(unsigned code_page, std::wstring_view utf16);

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace routix::platform
