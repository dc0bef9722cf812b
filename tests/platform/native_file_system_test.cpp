// The machine's own file system, on a temporary folder of the disk: large offsets, names in
// the code page the platform takes, links and rights, the lock, and the file services over it.
#include "platform/native_file_system.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/conversion_error.h"
#include "base/cp1252.h"
#include "base/file_system_service.h"
#include "base/output_file.h"
#include "base/staged_files.h"
#include "platform/file_path.h"
#include "platform/native_separator.h"
#include "support/checks.h"
#include "support/temp_folder.h"

namespace routix::platform {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ErrorOf;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

// Links and the rights to run are POSIX's; Windows needs privileges for the one and has none
// of the other.
const bool kPosix = kNativeSeparator == '/';

TEST(NativeFileSystem, ReadsAtOffsetsPastFourGibibytes) {
  TempFolder folder;
  NativeFileSystem files;
  const std::string path = folder.Path("big.dat");
  constexpr uint64_t kSize = (uint64_t{5} << 30) + 3;  // past what 32 bits count
  base::OutputFile head(files, path);
  head.Append("head");
  head.Close();
  fs::resize_file(path, kSize);  // sparse: no disk space is used
  std::ofstream(path, std::ios::binary | std::ios::app) << "end";

  const std::unique_ptr<base::ReadableFile> file = files.OpenForReading(path);
  ASSERT_EQ(file->size(), kSize + 3);
  char bytes[8] = {};
  EXPECT_EQ(file->ReadAt(kSize, bytes, sizeof bytes), 3u);
  EXPECT_EQ(std::string(bytes, 3), "end");
  EXPECT_EQ(file->ReadAt(1, bytes, 3), 3u);
  EXPECT_EQ(std::string(bytes, 3), "ead");
  EXPECT_EQ(file->ReadAt(kSize + 3, bytes, 3), 0u);
}

TEST(NativeFileSystem, WritesOverTheStartAndReplacesWithTheRename) {
  TempFolder folder;
  NativeFileSystem files;
  WriteFileBytes(folder.Path("roads.shp"), "an earlier set");
  {
    const std::unique_ptr<base::WritableFile> file = files.CreateForWriting(folder.Path("new"));
    file->Append("xxxx tail", 9);
    file->WriteAt(0, "head", 4);
    file->Append("!", 1);
    file->Sync();
    file->Close();
  }
  files.Rename(folder.Path("new"), folder.Path("roads.shp"));
  EXPECT_EQ(ReadFileBytes(folder.Path("roads.shp")), "head tail!");
  EXPECT_FALSE(fs::exists(folder.Path("new")));
}

TEST(NativeFileSystem, ALinkInTheWayIsReplacedAndWhatItLeadsToStays) {
  if (!kPosix) GTEST_SKIP() << "links are POSIX's";
  TempFolder folder;
  NativeFileSystem files;
  WriteFileBytes(folder.Path("Mapfil.asc"), "an input");
  fs::create_symlink(folder.Path("Mapfil.asc"), folder.Path("roads.dbf"));
  EXPECT_TRUE(files.SameFile(folder.Path("roads.dbf"), folder.Path("Mapfil.asc")));
  files.CreateForWriting(folder.Path("new"))->Close();
  files.Rename(folder.Path("new"), folder.Path("roads.dbf"));
  EXPECT_FALSE(fs::is_symlink(folder.Path("roads.dbf")));
  EXPECT_FALSE(files.SameFile(folder.Path("roads.dbf"), folder.Path("Mapfil.asc")));
  EXPECT_EQ(ReadFileBytes(folder.Path("Mapfil.asc")), "an input");
}

TEST(NativeFileSystem, AReplacingFileTakesTheRightsOfTheOneItReplacesAndALinkIsReplaced) {
  if (!kPosix) GTEST_SKIP() << "modes and links are POSIX's";
  TempFolder folder;
  NativeFileSystem native;
  const base::FileSystemService files(native);
  using fs::perms;
  const perms shared = perms::owner_read | perms::owner_write | perms::group_read |
                       perms::group_write | perms::others_read;
  const perms private_file = perms::owner_read | perms::owner_write;
  WriteFileBytes(folder.Path("shared.dbf"), "earlier");
  fs::permissions(folder.Path("shared.dbf"), shared);
  WriteFileBytes(folder.Path("private.dbf"), "earlier");
  fs::permissions(folder.Path("private.dbf"), private_file);
  WriteFileBytes(folder.Path("fixed.dbf"), "read-only");
  fs::permissions(folder.Path("fixed.dbf"), perms::owner_read);
  fs::create_symlink(folder.Path("fixed.dbf"), folder.Path("link.dbf"));
  base::StagedFiles staged(files);
  for (const char* name : {"shared.dbf", "private.dbf", "link.dbf", "new.dbf"}) {
    base::OutputFile file = staged.Create(folder.Path(name));
    file.Append("new");
    file.Close();
  }
  staged.Commit();
  EXPECT_EQ(fs::status(folder.Path("shared.dbf")).permissions(), shared);
  EXPECT_EQ(fs::status(folder.Path("private.dbf")).permissions(), private_file);
  EXPECT_EQ(fs::status(folder.Path("link.dbf")).permissions(),
            fs::status(folder.Path("new.dbf")).permissions());  // a new file's
  EXPECT_FALSE(fs::is_symlink(folder.Path("link.dbf")));
  EXPECT_EQ(ReadFileBytes(folder.Path("link.dbf")), "new");
  EXPECT_EQ(ReadFileBytes(folder.Path("fixed.dbf")), "read-only");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 5);
}

TEST(NativeFileSystem, AFileAGisHoldsOpenOnWindowsKeepsTheEarlierSetWhole) {
  TempFolder folder;
  NativeFileSystem native;
  const base::FileSystemService files(native);
  const std::string base = folder.Path("roads");
  for (const char* ending : {".shp", ".dbf"}) {
    WriteFileBytes(base + ending, std::string("earlier") + ending);
  }
  // GDAL opens a set with fopen, which on Windows shares it for reading and writing only.
  std::FILE* held = std::fopen((base + ".dbf").c_str(), "rb");
  ASSERT_NE(held, nullptr);
  const std::string error = ErrorOf([&] {
    base::StagedFiles staged(files);
    for (const char* ending : {".shp", ".dbf"}) {
      base::OutputFile file = staged.Create(base + ending);
      file.Append("new");
      file.Close();
    }
    staged.Commit();
  });
  std::fclose(held);
  if (kPosix) {
    EXPECT_EQ(error, testing::kNoError);  // a name is free to take whoever holds the file
    return;
  }
  EXPECT_TRUE(Contains(error, "Cannot replace " + base + ".dbf")) << error;
  EXPECT_TRUE(Contains(error, ": it is open in another program.")) << error;
  for (const char* ending : {".shp", ".dbf"}) {
    EXPECT_EQ(ReadFileBytes(base + ending), std::string("earlier") + ending);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(NativeFileSystem, TellsFilesFoldersReadOnlyFilesAndOneFileUnderTwoNames) {
  TempFolder folder;
  NativeFileSystem files;
  WriteFileBytes(folder.Path("a.dat"), "abc");
  fs::create_directory(folder.Path("sub"));
  EXPECT_FALSE(files.StatusOf(folder.Path("a.dat"))->is_folder);
  EXPECT_EQ(files.StatusOf(folder.Path("a.dat"))->size, 3u);
  EXPECT_FALSE(files.StatusOf(folder.Path("a.dat"))->read_only);
  EXPECT_TRUE(files.StatusOf(folder.Path("sub"))->is_folder);
  EXPECT_FALSE(files.StatusOf(folder.Path("none")).has_value());
  EXPECT_FALSE(files.StatusOf("").has_value());
  fs::permissions(folder.Path("a.dat"), fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_TRUE(files.StatusOf(folder.Path("a.dat"))->read_only);

  EXPECT_TRUE(files.SameFile(folder.Path("a.dat"), folder.Path("sub") + kNativeSeparator + ".." +
                                                       kNativeSeparator + "a.dat"));
  EXPECT_FALSE(files.SameFile(folder.Path("a.dat"), folder.Path("sub")));
  EXPECT_FALSE(files.SameFile(folder.Path("none"), folder.Path("none")));

  EXPECT_TRUE(Contains(ErrorOf([&] { files.OpenForReading(folder.Path("sub")); }),
                       "Cannot read " + folder.Path("sub") + ": Is a directory"));
  EXPECT_TRUE(Contains(ErrorOf([&] { files.OpenForReading(folder.Path("none")); }),
                       "Cannot open " + folder.Path("none")));
}

TEST(NativeFileSystem, ACopyKeepsTheRightToRun) {
  if (!kPosix) GTEST_SKIP() << "Windows has no right to run";
  TempFolder folder;
  NativeFileSystem files;
  WriteFileBytes(folder.Path("db2asc.exe"), "#!/bin/sh\n");
  fs::permissions(folder.Path("db2asc.exe"), fs::perms::owner_exec, fs::perm_options::add);
  files.Copy(folder.Path("db2asc.exe"), folder.Path("copy"));
  EXPECT_EQ(ReadFileBytes(folder.Path("copy")), "#!/bin/sh\n");
  EXPECT_NE(fs::status(folder.Path("copy")).permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST(NativeFileSystem, ALockKeepsASecondHolderOutAndGoesWithItsFile) {
  TempFolder folder;
  NativeFileSystem files;
  const std::string path = folder.Path(".routix2shp.lock");
  {
    const std::unique_ptr<base::FileLock> held = files.Lock(path);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(files.Lock(path), nullptr);
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_NE(files.Lock(path), nullptr);
  EXPECT_TRUE(Contains(ErrorOf([&] { files.Lock(folder.Path("none") + kNativeSeparator + "x"); }),
                       folder.Path("none")));
}

TEST(NativeFileSystem, ANameFromWindows1252TextIsOneFileToEveryCall) {
  TempFolder folder;
  NativeFileSystem native;
  const base::FileSystemService files(native);
  // Bytes where Windows-1252 and Latin-1 part ways, in the form the platform names files.
  const std::string name = base::Cp1252ToUtf8("Zone \x80\x8A\xE9.shp");
  const std::string source = folder.Path("src"), copy = folder.Path("copy");
  const std::string path = source + kNativeSeparator + name;
  files.CreateFolder(source);
  files.ReplaceTextFile(path, {{"line"}});

  EXPECT_TRUE(files.FileExists(path));
  EXPECT_TRUE(fs::exists(FilePath(path)));
  EXPECT_EQ(files.FirstMatch(source + kNativeSeparator + "zone*"), name);
  files.CopyFolder(source, copy);
  EXPECT_TRUE(files.FileExists(copy + kNativeSeparator + name));
  files.DeleteMatches(copy + kNativeSeparator + "*.shp");
  EXPECT_EQ(files.FirstMatch(copy + kNativeSeparator + "*"), "");
  EXPECT_EQ(
      files.FilesOfBase(source + kNativeSeparator + base::Cp1252ToUtf8("zone \x80\x8A\xE9")).size(),
      kPosix ? 0u : 1u);  // another case is another name but on Windows
}

}  // namespace
}  // namespace routix::platform
