// How the platform's file calls read the bytes of a std::string file name: in the ANSI code
// page on Windows, so Windows-1252 text goes in as it is, and as UTF-8 elsewhere; and whether
// two names that differ only in case name the same file (on Windows, not elsewhere).
#pragma once

namespace routix::platform {

extern const bool kFileNamesAreUtf8;
extern const bool kFileNamesIgnoreCase;

}  // namespace routix::platform
