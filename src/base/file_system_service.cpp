#include "base/file_system_service.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "base/conversion_error.h"
#include "base/input_file.h"
#include "base/path_utils.h"
#include "base/staged_files.h"
#include "base/system_paths.h"

namespace routix::base {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The files (not the folders) of folder whose names match, as paths.
template <typename Match>
std::vector<std::string> FilesOf(FileSystem& files, const std::string& folder, Match match) {
  std::vector<std::string> found;
  for (const FolderEntry& entry : files.ListFolder(folder.empty() ? "." : folder)) {
    if (!entry.is_folder && match(entry.name)) found.push_back(JoinPath(folder, entry.name));
  }
  return found;
}

// The files of the pattern's folder that match its name part.
std::vector<std::string> Matches(FileSystem& files, const std::string& pattern) {
  const std::string name_pattern = FileNameOfPath(pattern);
  return FilesOf(files, FolderOfPath(pattern),
                 [&](std::string_view name) { return MatchesWildcard(name, name_pattern); });
}

// Stages a copy of every file under from into to, creating to and its subfolders when
// missing. A file that is its own copy, reached under another name, stays as it is.
void CopyEntries(const FileSystemService& service, const std::string& from, const std::string& to,
                 StagedFiles& staged) {
  FileSystem& files = service.file_system();
  if (!service.FolderExists(to)) files.CreateFolder(to);
  for (const FolderEntry& entry : files.ListFolder(from)) {
    const std::string source = JoinPath(from, entry.name), target = JoinPath(to, entry.name);
    if (entry.is_folder) {
      CopyEntries(service, source, target, staged);
    } else if (!files.SameFile(source, target)) {
      staged.Copy(source, target);
    }
  }
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  size_t n = 0, p = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool FileSystemService::FileExists(const std::string& path) const {
  if (path.empty()) return false;
  const std::optional<FileStatus> status = file_system_.StatusOf(path);
  return status.has_value() && !status->is_folder;
}

bool FileSystemService::FolderExists(const std::string& path) const {
  if (path.empty()) return false;
  const std::optional<FileStatus> status = file_system_.StatusOf(path);
  return status.has_value() && status->is_folder;
}

std::optional<FileStamp> FileSystemService::StampOf(const std::string& path) const {
  const std::optional<FileStatus> status = file_system_.StatusOf(path);
  if (!status.has_value() || status->is_folder) return std::nullopt;
  return FileStamp{status->size, status->modified};
}

void FileSystemService::CreateFolder(const std::string& path) const {
  file_system_.CreateFolder(path);
}

void FileSystemService::CopyFolder(const std::string& source,
                                   const std::string& destination) const {
  if (!FolderExists(source)) throw FileError("copy folder", source, ENOENT);
  StagedFiles staged(*this);
  CopyEntries(*this, source, destination, staged);
  staged.Commit();
}

void FileSystemService::ReplaceTextFile(const std::string& path,
                                        std::span<const std::string> lines) const {
  StagedFiles staged(*this);
  TextWriter writer(staged.Create(path));
  for (const std::string& line : lines) writer.WriteLine(line);
  writer.Close();
  staged.Commit();
}

TextReader FileSystemService::OpenTextFileForReading(const std::string& path) const {
  return TextReader(file_system_, path);
}

int64_t FileSystemService::LineCount(const std::string& path) const {
  InputFile file(file_system_, path);
  // No larger than the file: a small file costs little.
  const size_t chunk_bytes =
      static_cast<size_t>(std::min<uint64_t>(TextReader::kBufferBytes, file.size() + 1));
  const std::unique_ptr<char[]> chunk = std::make_unique_for_overwrite<char[]>(chunk_bytes);
  int64_t breaks = 0;
  uint64_t offset = 0;
  while (size_t read = file.ReadAt(offset, chunk.get(), chunk_bytes)) {
    // Line ends found with memchr, which looks at many bytes a step.
    const char* const end = chunk.get() + read;
    for (const char* at = chunk.get();
         (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at))));
         ++at) {
      ++breaks;
    }
    offset += read;
  }
  return breaks;
}

std::string FileSystemService::FirstMatch(const std::string& pattern) const {
  std::vector<std::string> found = Matches(file_system_, pattern);
  return found.empty() ? std::string() : FileNameOfPath(found.front());
}

void FileSystemService::DeleteMatches(const std::string& pattern) const {
  for (const std::string& file : Matches(file_system_, pattern)) file_system_.Remove(file);
}

std::vector<std::string> FileSystemService::FilesOfBase(const std::string& base) const {
  const std::string stem = FileNameOfPath(base) + ".";
  return FilesOf(file_system_, FolderOfPath(base), [&](std::string_view name) {
    if (name.size() < stem.size()) return false;
    if (!base::kFileNamesIgnoreCase) return name.starts_with(stem);
    for (size_t i = 0; i < stem.size(); ++i) {
      if (Lower(name[i]) != Lower(stem[i])) return false;
    }
    return true;
  });
}

}  // namespace routix::base
