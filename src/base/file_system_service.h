// The file system as the conversions use it: existence tests, the size and modification
// time of a file, folder creation and copying, file deletion, text files, the line count of a
// text file, the wildcard search and deletion of files in one folder, and the deletion of
// every file of one base name. FileExists and FolderExists never fail; every other operation
// throws ConversionError naming the path and the reason when it cannot do its work.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
  bool FileExists(const std::string& path) const;
  bool FolderExists(const std::string& path) const;
  // The stamp of the file, or nothing when there is no file at path.
  std::optional<FileStamp> StampOf(const std::string& path) const;
  void CreateFolder(const std::string& path) const;
  // Copies the files and subfolders of source, recursively, into destination, creating it
  // when missing and overwriting files of the same name. Fails when source is missing.
  void CopyFolder(const std::string& source, const std::string& destination) const;
  // Deletes one file; a read-only file is refused.
  void DeleteFile(const std::string& path) const;

  // Creates the file, or empties an existing one, for writing.
  TextWriter CreateTextFile(const std::string& path) const;
  // Opens an existing file for reading from its start.
  TextReader OpenTextFileForReading(const std::string& path) const;
  // Opens the file for writing at its end, creating it empty when there is none.
  TextWriter OpenTextFileForAppending(const std::string& path) const;
  // The number of line breaks in an existing file (a last line without one is not counted).
  int64_t LineCount(const std::string& path) const;

  // The name of the first file matching pattern, or the empty string. The pattern is a folder
  // and a file name in which * stands for any run of characters and ? for any one; names
  // match without regard to case, as on Windows.
  std::string FirstMatch(const std::string& pattern) const;
  // Deletes every file matching pattern.
  void DeleteMatches(const std::string& pattern) const;
  // Deletes every file of base's folder whose name is base's name, a full stop and any
  // extension. The name is matched literally (a * or ? in it is not a wildcard), in its exact
  // case where the platform tells names apart by case, in any case on Windows.
  void DeleteFilesOfBase(const std::string& base) const;
};

// Whether name matches a wildcard pattern of * and ?, without regard to ASCII case.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace routix::base
