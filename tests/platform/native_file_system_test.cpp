// The machine's own file system, on a temporary folder of the disk: large offsets, names in
// the code page the platform takes, links and rights, the lock, and the file services over it.
#include "platform/native_file_system.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/cp1252.h"
#include "base/file_system_service.h"
#include "base/output_file.h"
#include "base/staged_files.h"
#include "base/system_paths.h"
#include "platform/file_path.h"
#include "support/checks.h"
#include "support/temp_folder.h"

namespace routix::platform {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ErrorOf;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

// Links and the rights to run are POSIX's: Windows needs privileges for one, has no other.
const bool kPosix = base::kNativeSeparator == '/';

class NativeFileSystemTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  // Writes "new" to each of base + ending through staged files, and commits them.
  void Replace(const std::string& base, std::initializer_list<const char*> endings) {
    base::StagedFiles staged(files_);
    for (const char* ending : endings) {
      base::OutputFile file = staged.Create(base + ending);
      file.Append("new");
      file.Close();
    }
    staged.Commit();
  }

  testing::TempFolder folder_;
  NativeFileSystem native_;
  const base::FileSystemService files_{native_};
};

TEST_F(NativeFileSystemTest, ReadsAtOffsetsPastFourGibibytes) {
  const std::string path = Path("big.dat");
  constexpr uint64_t kSize = (uint64_t{5} << 30) + 3;  // past what 32 bits count
  WriteFileBytes(path, "head");
  fs::resize_file(path, kSize);  // sparse: no disk space is used
  std::ofstream(path, std::ios::binary | std::ios::app) << "end";

  const std::unique_ptr<base::ReadableFile> file = native_.OpenForReading(path);
  ASSERT_EQ(file->size(), kSize + 3);
  char bytes[8];
  const std::pair<uint64_t, std::string> reads[] = {
      {kSize, "end"}, {1, std::string("ead\0\0\0\0\0", 8)}, {kSize + 3, ""}};
  for (const auto& [offset, text] : reads)
    EXPECT_EQ(std::string(bytes, file->ReadAt(offset, bytes, sizeof bytes)), text);
}

// A replacing file takes the rights of the one it replaces, a link is replaced rather than
// followed (the file it names stays), and a copy keeps the right to run.
TEST_F(NativeFileSystemTest, ReplacingAndCopyingKeepRightsAndALinkIsReplaced) {
  if (!kPosix) GTEST_SKIP() << "modes and links are POSIX's";
  using fs::perms;
  const std::pair<const char*, perms> files[] = {
      {"shared.dbf", perms{0664}}, {"private.dbf", perms{0600}}, {"fixed.dbf", perms{0400}}};
  for (const auto& [name, rights] : files) {
    WriteFileBytes(Path(name), "old");
    fs::permissions(Path(name), rights);
  }
  fs::create_symlink(Path("fixed.dbf"), Path("link.dbf"));
  EXPECT_TRUE(native_.SameFile(Path("link.dbf"), Path("fixed.dbf")));
  for (const char* name : {"shared", "private", "link", "new"}) Replace(Path(name), {".dbf"});
  for (const auto& [name, rights] : files) EXPECT_EQ(fs::status(Path(name)).permissions(), rights);
  EXPECT_EQ(fs::status(Path("link.dbf")).permissions(), fs::status(Path("new.dbf")).permissions());
  EXPECT_EQ(ReadFileBytes(Path("link.dbf")), "new");
  EXPECT_EQ(ReadFileBytes(Path("fixed.dbf")), "old");
  fs::permissions(Path("new.dbf"), perms::owner_exec, fs::perm_options::add);
  native_.Copy(Path("new.dbf"), Path("copy"));
  EXPECT_EQ(ReadFileBytes(Path("copy")), "new");
  EXPECT_NE(fs::status(Path("copy")).permissions() & perms::owner_exec, perms::none);
}

// GDAL opens a set with fopen, which on Windows shares it for reading and writing only; on
// POSIX a name is free to take whoever holds the file.
TEST_F(NativeFileSystemTest, AFileAGisHoldsOpenOnWindowsKeepsTheEarlierSetWhole) {
  for (const char* ending : {".shp", ".dbf"}) WriteFileBytes(Path("roads") + ending, ending);
  std::FILE* held = std::fopen(Path("roads.dbf").c_str(), "rb");
  ASSERT_NE(held, nullptr);
  const std::string error = ErrorOf([&] { Replace(Path("roads"), {".shp", ".dbf"}); });
  std::fclose(held);
  EXPECT_EQ(error == testing::kNoError, kPosix);
  if (kPosix) return;
  EXPECT_TRUE(
      Contains(error, "Cannot replace " + Path("roads.dbf") + ": it is open in another program."));
  for (const char* ending : {".shp", ".dbf"})
    EXPECT_EQ(ReadFileBytes(Path("roads") + ending), ending);
  EXPECT_EQ(native_.ListFolder(folder_.path().string()).size(), 2u);
}

TEST_F(NativeFileSystemTest, TellsFilesFoldersReadOnlyFilesOneFileUnderTwoNamesAndLocks) {
  WriteFileBytes(Path("a.dat"), "abc");
  fs::create_directory(Path("sub"));
  const base::FileStatus file = native_.StatusOf(Path("a.dat")).value();
  EXPECT_TRUE(!file.is_folder && file.size == 3 && !file.read_only);
  EXPECT_TRUE(native_.StatusOf(Path("sub"))->is_folder);
  EXPECT_FALSE(native_.StatusOf(Path("none")) || native_.StatusOf(""));
  fs::permissions(Path("a.dat"), fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_TRUE(native_.StatusOf(Path("a.dat"))->read_only);
  const char s = base::kNativeSeparator;
  EXPECT_TRUE(native_.SameFile(Path("a.dat"), Path("sub") + s + ".." + s + "a.dat"));
  EXPECT_FALSE(native_.SameFile(Path("a.dat"), Path("sub")) ||
               native_.SameFile(Path("none"), Path("none")));
  // A folder that is missing has nothing in it, and on POSIX neither has a file (under Wine,
  // listing a file fails as an invalid name).
  EXPECT_TRUE((!kPosix || native_.ListFolder(Path("a.dat")).empty()) &&
              native_.ListFolder(Path("none")).empty());
  EXPECT_TRUE(Contains(ErrorOf([&] { native_.OpenForReading(Path("sub")); }),
                       "Cannot read " + Path("sub") + ": Is a directory"));
  EXPECT_TRUE(Contains(ErrorOf([&] { native_.OpenForReading(Path("none")); }),
                       "Cannot open " + Path("none")));
  const std::unique_ptr<base::FileLock> held = native_.Lock(Path(".routix2shp.lock"));
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(native_.Lock(Path(".routix2shp.lock")), nullptr);
  EXPECT_TRUE(Contains(ErrorOf([&] { native_.Lock(Path("none") + s + "x"); }), Path("none")));
}

TEST_F(NativeFileSystemTest, ANameFromWindows1252TextIsOneFileToEveryCall) {
  // Bytes where Windows-1252 and Latin-1 part ways, in the form the platform names files.
  const std::string name = base::Cp1252ToUtf8("Zone \x80\x8A\xE9.shp");
  const std::string source = Path("src") + base::kNativeSeparator, copy = Path("copy");
  files_.CreateFolder(Path("src"));
  files_.ReplaceTextFile(source + name, {{"line"}});
  EXPECT_TRUE(files_.FileExists(source + name) && fs::exists(FilePath(source + name)));
  EXPECT_EQ(files_.FirstMatch(source + "zone*"), name);
  files_.CopyFolder(Path("src"), copy);
  EXPECT_TRUE(files_.FileExists(copy + base::kNativeSeparator + name));
  files_.DeleteMatches(copy + base::kNativeSeparator + "*.shp");
  EXPECT_EQ(files_.FirstMatch(copy + base::kNativeSeparator + "*"), "");
  // Another case is another name but on Windows.
  EXPECT_EQ(files_.FilesOfBase(source + base::Cp1252ToUtf8("zone \x80\x8A\xE9")).size(),
            kPosix ? 0u : 1u);
}

}  // namespace
}  // namespace routix::platform
