#include "base/input_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/output_file.h"
#include "support/temp_folder.h"

namespace routix::base {
namespace {

TEST(InputFile, ReadsAtOffsetsPastFourGibibytes) {
  testing::TempFolder folder;
  const std::string path = folder.Path("big.dat");
  constexpr uint64_t kSize = (uint64_t{5} << 30) + 3;  // past what 32 bits count
  {
    OutputFile file(path, OutputFile::Mode::kReplace);
    file.Append("head");
    file.Close();
  }
  std::filesystem::resize_file(path, kSize);  // sparse: no disk space is used
  {
    OutputFile file(path, OutputFile::Mode::kAppend);
    file.Append("end");
    file.Close();
  }
  InputFile file(path);
  ASSERT_EQ(file.size(), kSize + 3);
  char bytes[8] = {};
  EXPECT_EQ(file.ReadAt(kSize, bytes, sizeof bytes), 3u);
  EXPECT_EQ(std::string(bytes, 3), "end");
  EXPECT_EQ(file.ReadAt(1, bytes, 3), 3u);
  EXPECT_EQ(std::string(bytes, 3), "ead");
}

}  // namespace
}  // namespace routix::base
