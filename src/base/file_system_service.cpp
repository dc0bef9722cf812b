#include "base/file_system_service.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/conversion_error.h"
#include "base/input_file.h"
#include "base/path_utils.h"
#include "platform/file_name_encoding.h"
#include "platform/file_path.h"

namespace fs = std::filesystem;

namespace routix::base {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The files (not the folders) of folder whose names match.
template <typename Match>
std::vector<fs::path> FilesOf(const std::string& folder, Match match) {
  std::vector<fs::path> found;
  std::error_code error;
  fs::directory_iterator it(platform::FilePath(folder.empty() ? "." : folder), error);
  if (error) return found;  // a missing folder holds no match
  for (fs::directory_iterator end; it != end; it.increment(error)) {
    std::error_code kind_error;
    if (!it->is_regular_file(kind_error)) continue;
    if (match(platform::PathText(it->path().filename()))) found.push_back(it->path());
  }
  if (error) throw FileError("read the folder", folder, error.message());
  return found;
}

// The files of the pattern's folder that match its name part.
std::vector<fs::path> Matches(const std::string& pattern) {
  std::string name_pattern = FileNameOfPath(pattern);
  return FilesOf(FolderOfPath(pattern),
                 [&](std::string_view name) { return MatchesWildcard(name, name_pattern); });
}

void DeleteAll(const std::vector<fs::path>& files) {
  for (const fs::path& file : files) {
    std::error_code error;
    if (!fs::remove(file, error) || error) {
      throw FileError("delete", platform::PathText(file), error ? error.message() : "it is gone");
    }
  }
}

// Copies the entries of from into to, recursively, creating to when missing. A file of the
// same name goes before its copy comes: copy_file's own overwrite takes any two files for
// one where the system numbers no files (Windows under MinGW) and refuses. A file that is
// its own copy, reached under another name, stays as it is.
void CopyEntries(const fs::path& from, const fs::path& to, std::error_code& error) {
  if (!fs::is_directory(to, error)) {
    fs::create_directory(to, error);
    if (error) return;
  }
  for (fs::directory_iterator it(from, error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    const fs::path target = to / it->path().filename();
    const bool folder = it->is_directory(error);
    if (error) return;
    if (folder) {
      CopyEntries(it->path(), target, error);
      if (error) return;
    } else if (std::error_code missing; !fs::equivalent(it->path(), target, missing)) {
      if (!fs::remove(target, error) && error) return;
      if (!fs::copy_file(it->path(), target, error)) return;
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
  std::error_code error;
  return !path.empty() && fs::is_regular_file(platform::FilePath(path), error);
}

bool FileSystemService::FolderExists(const std::string& path) const {
  std::error_code error;
  return !path.empty() && fs::is_directory(platform::FilePath(path), error);
}

std::optional<FileStamp> FileSystemService::StampOf(const std::string& path) const {
  if (!FileExists(path)) return std::nullopt;
  const fs::path file = platform::FilePath(path);
  std::error_code error;
  const uintmax_t size = fs::file_size(file, error);
  if (error) throw FileError("read the size of", path, error.message());
  const fs::file_time_type modified = fs::last_write_time(file, error);
  if (error) throw FileError("read the time of", path, error.message());
  return FileStamp{size, modified.time_since_epoch().count()};
}

void FileSystemService::CreateFolder(const std::string& path) const {
  std::error_code error;
  if (!fs::create_directory(platform::FilePath(path), error) || error) {
    throw FileError("create folder", path, error ? error.message() : "it already exists");
  }
}

void FileSystemService::CopyFolder(const std::string& source,
                                   const std::string& destination) const {
  if (!FolderExists(source)) throw FileError("copy folder", source, ENOENT);
  std::error_code error;
  CopyEntries(platform::FilePath(source), platform::FilePath(destination), error);
  if (error) throw FileError("copy folder", source + " to " + destination, error.message());
}

void FileSystemService::DeleteFile(const std::string& path) const {
  std::error_code error;
  const fs::path file = platform::FilePath(path);
  fs::file_status status = fs::status(file, error);
  if (error || !fs::is_regular_file(status)) throw FileError("delete", path, ENOENT);
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    throw FileError("delete", path, "the file is read-only");
  }
  if (!fs::remove(file, error) || error) throw FileError("delete", path, error.message());
}

TextWriter FileSystemService::CreateTextFile(const std::string& path) const {
  return TextWriter(path, OutputFile::Mode::kReplace);
}

TextReader FileSystemService::OpenTextFileForReading(const std::string& path) const {
  return TextReader(path);
}

TextWriter FileSystemService::OpenTextFileForAppending(const std::string& path) const {
  return TextWriter(path, OutputFile::Mode::kAppend);
}

int64_t FileSystemService::LineCount(const std::string& path) const {
  InputFile file(path);
  std::vector<char> chunk(size_t{1} << 20);
  int64_t breaks = 0;
  uint64_t offset = 0;
  while (size_t read = file.ReadAt(offset, chunk.data(), chunk.size())) {
    for (size_t i = 0; i < read; ++i) breaks += chunk[i] == '\n';
    offset += read;
  }
  return breaks;
}

std::string FileSystemService::FirstMatch(const std::string& pattern) const {
  std::vector<fs::path> found = Matches(pattern);
  return found.empty() ? std::string() : platform::PathText(found.front().filename());
}

void FileSystemService::DeleteMatches(const std::string& pattern) const {
  DeleteAll(Matches(pattern));
}

void FileSystemService::DeleteFilesOfBase(const std::string& base) const {
  const std::string stem = FileNameOfPath(base) + ".";
  DeleteAll(FilesOf(FolderOfPath(base), [&](std::string_view name) {
    if (name.size() < stem.size()) return false;
    if (!platform::kFileNamesIgnoreCase) return name.starts_with(stem);
    for (size_t i = 0; i < stem.size(); ++i) {
      if (Lower(name[i]) != Lower(stem[i])) return false;
    }
    return true;
  }));
}

}  // namespace routix::base
