// The arguments the program was started with, the program's own name first, as UTF-8 text:
// on Windows read from the UTF-16 command line (GetCommandLineW), so that a name outside the
// ANSI code page arrives whole; elsewhere argv as it is.
#pragma once

#include <string>
#include <vector>

namespace routix::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace routix::platform
