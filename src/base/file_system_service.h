// The file system as the conversions use it, over the FileSystem port: existence tests, the
// size and modification time of a file, folder creation and copying, text files read line by
// line or replaced whole, the line count of a text file, the wildcard search and deletion of
// files in one folder, and the files of one base name. FileExists and FolderExists never
// fail; every other operation throws FileError naming the path and the reason when it
// cannot do its work.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/text_stream.h"

namespace routix::base {

// The size of a file and the time of its last change, as its file system keeps them.
struct FileStamp {
  uint64_t size = 0;
  int64_t modified = 0;  // in the ticks of the file system's clock
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FileSystemService {
 public:
  explicit FileSystemService(FileSystem& file_system) : file_system_(file_system) {}

  // The port itself, for the readers and writers of whole files.
  FileSystem& file_system() const { return file_system_; }

  bool FileExists(const std::string& path) const;
  bool FolderExists(const std::string& path) const;
  // The stamp of the file, or nothing when there is no file at path.
  std::optional<FileStamp> StampOf(const std::string& path) const;
  void CreateFolder(const std::string& path) const;
  // Copies the files and subfolders of source, recursively, into destination, creating it
  // and its subfolders when missing and replacing files of the same name: every file is
  // copied under a temporary name, and the copies take their places together once all are
  // there, so a failed copy leaves every file of destination as it was. Fails when source is
  // missing.
  void CopyFolder(const std::string& source, const std::string& destination) const;

  // Replaces the file with the lines, each ended by CR LF, whole or not at all: they are
  // written under a temporary name beside it, which then takes its place.
  void ReplaceTextFile(const std::string& path, std::span<const std::string> lines) const;
  // Opens an existing file for reading from its start.
  TextReader OpenTextFileForReading(const std::string& path) const;
  // The number of line breaks in an existing file (a last line without one is not counted).
  int64_t LineCount(const std::string& path) const;

  // The name of the first file matching pattern, or the empty string. The pattern is a folder
  // and a file name in which * stands for any run of characters and ? for any one; names
  // match without regard to case, as on Windows.
  std::string FirstMatch(const std::string& pattern) const;
  // Deletes every file matching pattern.
  void DeleteMatches(const std::string& pattern) const;
  // Every file of base's folder whose name is base's name, a full stop and any extension.
  // The name is matched literally (a * or ? in it is not a wildcard), in its exact case where
  // the platform tells names apart by case, in any case on Windows.
  std::vector<std::string> FilesOfBase(const std::string& base) const;

 private:
  FileSystem& file_system_;
};

// Whether name matches a wildcard pattern of * and ?, without regard to ASCII case.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace routix::base
