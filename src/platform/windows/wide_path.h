// Paths at the edge of the Windows API. FullPathName makes a path absolute as Windows reads
// it: against the working folder and its drive, a share \\server\share kept, slashes turned
// into backslashes, "." and ".." resolved, and the trailing dots and blanks of a name gone.
// WidePath is the UTF-16 form of a UTF-8 path for the …W file calls: as it stands while it is
// short, and in the \\?\ or \\?\UNC\ form of its full path once it reaches the length that
// the calls refuse without that form, so that a path of any length works.
#pragma once

#include <string>
#include <string_view>

namespace routix::platform {

// The path itself when Windows cannot make it absolute.
std::wstring FullPathName(const std::wstring& path);

std::wstring WidePath(std::string_view utf8_path);

}  // namespace routix::platform
