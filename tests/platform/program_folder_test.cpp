#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace routix::platform {
namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningTestWithoutATrailingSeparator) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_NE(folder.back(), '\\');
  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    found = found || entry.path().stem() == "platform_test";
  }
  EXPECT_TRUE(found) << folder;
}

}  // namespace
}  // namespace routix::platform
