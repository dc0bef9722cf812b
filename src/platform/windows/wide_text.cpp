#include "platform/windows/wide_text.h"

#include <windows.h>

namespace routix::platform {

std::wstring WidenFrom(unsigned code_page, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string NarrowTo(unsigned code_page, std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = static_cast<int>(utf16.size());
  const int length =
      WideCharToMultiByte(code_page, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(code_page, 0, utf16.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::wstring Widen(std::string_view utf8) { return WidenFrom(CP_UTF8, utf8); }

std::string Narrow(std::wstring_view utf16) { return NarrowTo(CP_UTF8, utf16); }

}  // namespace routix::platform
