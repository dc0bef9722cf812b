// The folder that holds the running executable, without a trailing separator, where the
// program finds the files installed beside it. Throws ConversionError when the system
// cannot tell.
#pragma once

#include <string>

namespace routix::platform {

std::string ProgramFolder();

}  // namespace routix::platform
