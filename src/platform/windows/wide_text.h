// Text at the edge of the Windows API: the program keeps text as UTF-8, the …W calls take
// and give UTF-16. Widen and Narrow turn one into the other, and nothing else does.
#pragma once

#include <string>
#include <string_view>

namespace routix::platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace routix::platform
