// Moves the position of an open C file to offset bytes from origin (SEEK_SET, SEEK_END), as
// fseek does, for files of any size: fseek takes a long, which has 32 bits on Windows.
// Returns false when the system refuses, with errno set.
#pragma once

#include <cstdint>
#include <cstdio>

namespace routix::platform {

bool SeekFile(std::FILE* file, int64_t offset, int origin);

}  // namespace routix::platform
