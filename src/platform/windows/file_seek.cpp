#include "platform/file_seek.h"

namespace routix::platform {

bool SeekFile(std::FILE* file, int64_t offset, int origin) {
  return _fseeki64(file, offset, origin) == 0;
}

}  // namespace routix::platform
