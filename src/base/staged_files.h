// StagedFiles are the files one run puts in place together. Each is written under a
// temporary name in its own folder, "~" + its name + "." + a number + ".tmp", which no name
// the program looks for or deletes matches, and flushed to the disk; Commit() then moves the
// earlier files aside, the new ones onto their names, and deletes what was moved aside, with
// the files asked to go. Until Commit() every earlier file stays exactly as it was. A run
// that ends without Commit() removes its temporaries, and a Commit() that fails puts back
// what it moved before it throws, so a set is replaced whole or not at all.
//
// A final name is checked when it is named, and again by Commit(): a folder there, a
// read-only file, or one of the files the run reads is refused before anything is written.
// Errors name the final files, never the temporary ones.
#pragma once

#include <string>
#include <vector>

#include "base/file_system_service.h"
#include "base/output_file.h"

namespace routix::base {

class StagedFiles {
 public:
  // inputs: the files the run reads, which it may neither replace nor remove.
  explicit StagedFiles(const FileSystemService& files, std::vector<std::string> inputs = {});
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  ~StagedFiles();

  // A new file that takes path's place on Commit(). Its Close() flushes it to the disk.
  OutputFile Create(const std::string& path);
  // A copy of the file source that takes path's place on Commit().
  void Copy(const std::string& source, const std::string& path);
  // path goes on Commit(), when it is there.
  void RemoveOnCommit(const std::string& path);
  // Every file of FilesOfBase(base) goes on Commit(); those there now are checked at once.
  void RemoveFilesOfBaseOnCommit(const std::string& base);
  // Every created file must be closed by now.
  void Commit();

 private:
  struct Staged {
    std::string path;
    std::string temporary;
  };
  struct MovedAside {
    std::string path;
    std::string aside;
  };

  // Refuses a folder, a read-only file and an input at path; nothing there is fine.
  void CheckReplaceable(const std::string& path) const;
  // A name beside path that nothing holds yet, ending in suffix.
  std::string FreeNameBeside(const std::string& path, const char* suffix);
  // The files that Commit() moves aside: what is there of the final names and the removals.
  std::vector<std::string> FilesInTheWay() const;
  void PutBack(std::vector<MovedAside>& moved) noexcept;

  const FileSystemService& service_;
  FileSystem& files_;
  const std::vector<std::string> inputs_;
  std::vector<Staged> staged_;
  std::vector<std::string> removals_;
  std::vector<std::string> removed_bases_;
  int next_number_ = 1;
  bool committed_ = false;
};

}  // namespace routix::base
