#include "platform/file_seek.h"

#include <sys/types.h>

namespace routix::platform {

static_assert(sizeof(off_t) >= sizeof(int64_t), "file offsets need 64 bits");

bool SeekFile(std::FILE* file, int64_t offset, int origin) {
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

}  // namespace routix::platform
