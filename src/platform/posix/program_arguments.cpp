#include "platform/program_arguments.h"

namespace routix::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace routix::platform
