// A TempFolder is a fresh empty folder for one test, removed with everything in it when the
// test ends; plus whole-file helpers that tests use to set up inputs and compare outputs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace routix::testing {

class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::filesystem::path& path() const { return path_; }
  // The path of name inside the folder, as the text the services take.
  std::string Path(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace routix::testing
