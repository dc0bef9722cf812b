#include "platform/windows/wide_path.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace routix::platform {
namespace {

// CreateDirectoryW refuses a path from this length on unless it is in the \\?\ form (room for
// an 8.3 name in the folder); the other file calls from MAX_PATH.
constexpr size_t kShortPathLimit = MAX_PATH - 12;

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
constexpr std::wstring_view kLongSharePrefix = L"\\\\?\\UNC\\";

}  // namespace

std::wstring FullPathName(const std::wstring& path) {
  if (path.empty()) return path;
  std::wstring full(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return path;
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);  // the length asked for holds the closing NUL
  }
}

std::wstring WidePath(std::string_view utf8_path) {
  std::wstring wide = Widen(utf8_path);
  if (wide.starts_with(kLongPrefix) || wide.starts_with(kDevicePrefix)) return wide;
  std::wstring full = FullPathName(wide);
  if (full.size() < kShortPathLimit) return wide;
  if (full.starts_with(kLongPrefix) || full.starts_with(kDevicePrefix)) return full;
  if (full.starts_with(L"\\\\")) return std::wstring(kLongSharePrefix) + full.substr(2);
  return std::wstring(kLongPrefix) + full;
}

}  // namespace routix::platform
