// StagedFiles are the files one run puts in place together. Each is written under a short
// temporary name in its own folder, "~routix2shp-" + a number + ".tmp", which no name the
// program looks for matches and no final name is too long for, and flushed to the disk.
// Commit() then puts the new files onto their names one by one, in the order they were
// staged, each keeping the earlier file of its name reachable under an aside name
// ("~routix2shp-" + a number + ".old"), so that no final name is ever missing; the files asked
// to go are moved aside among them. A commit that fails puts back what it changed before it
// throws, so a set is replaced whole or not at all; a run that ends without Commit() removes
// its temporaries. After the commit the asides go; one that will not is left for the next
// run, and the commit does not fail for it.
//
// With a journal folder (every file of the run then lies in it), the commit first writes a
// journal there, ~routix2shp.journal, naming each temporary and its final name and each file
// to go, flushed to the disk before the first name changes. RepairFolder, which every run
// calls once it holds the folder's lock, completes a commit a kill stopped and clears away
// every temporary and aside a stopped run left there.
//
// A final name is checked when it is named, and again by Commit(): a folder there, a
// read-only file (not a link to one, since the link is replaced), or one of the files the run
// reads is refused before anything is written. Errors name the final files and folders,
// never the temporary ones.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/file_system_service.h"
#include "base/output_file.h"

namespace routix::base {

class StagedFiles {
 public:
  // inputs: the files the run reads, which it may neither replace nor remove.
  explicit StagedFiles(const FileSystemService& files, std::vector<std::string> inputs = {},
                       std::optional<std::string> journal_folder = std::nullopt);
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
  // A file staged (temporary set), a file to go, or every file of a base name to go.
  struct Step {
    std::string path;
    std::string temporary;
    bool whole_base = false;
  };
  // A name the commit changed, and the aside that holds its earlier file, if there was one.
  struct Changed {
    std::string path;
    std::string aside;
  };

  // Refuses a folder, a read-only file and an input at path; nothing there is fine.
  void CheckReplaceable(const std::string& path) const;
  // A name in folder that nothing holds yet, ending in suffix.
  std::string FreeName(const std::string& folder, const char* suffix);
  // The names the commit changes, in order: each staged file, and each file to go that is
  // there and not staged.
  std::vector<Step> Plan() const;
  void WriteJournal(const std::vector<Step>& plan);
  // Undoes the changes, latest first; with a journal on the disk, only once it is gone.
  void Undo(const std::vector<Changed>& changed) noexcept;

  const FileSystemService& service_;
  FileSystem& files_;
  const std::vector<std::string> inputs_;
  const std::optional<std::string> journal_folder_;
  std::vector<Step> steps_;
  int next_number_ = 1;
  bool journal_written_ = false;
  bool temporaries_kept_ = false;  // committed, or left for the next run to complete
};

// Completes the commit a journal in folder records, then removes every temporary and aside
// of the pattern above there. The caller holds the folder's lock, which proves that no other
// run owns them. Throws FileError naming a final name that cannot be completed; a leftover
// that cannot be removed is left for the next run.
void RepairFolder(FileSystem& files, const std::string& folder);

}  // namespace routix::base
