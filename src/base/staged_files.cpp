#include "base/staged_files.h"

#include <cerrno>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "base/conversion_error.h"
#include "base/file_system_wrapper.h"
#include "base/path_utils.h"
#include "base/system_paths.h"

namespace routix::base {
namespace {

// Runs call; a FileError it raises is said of path, with action.
template <typename Call>
void Said(const char* action, const std::string& path, Call call) {
  try {
    call();
  } catch (const FileError& error) {
    throw FileError(action, path, error.reason());
  }
}

// A file written under a temporary name: its errors name its final one, and Close() flushes
// it to the disk first.
class StagedFile final : public WritableFileWrapper {
 public:
  StagedFile(std::unique_ptr<WritableFile> file, std::string path)
      : WritableFileWrapper(std::move(file)), path_(std::move(path)) {}

  void Append(const void* data, size_t size) override {
    Said("write", path_, [&] { WritableFileWrapper::Append(data, size); });
  }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    Said("write", path_, [&] { WritableFileWrapper::WriteAt(offset, data, size); });
  }
  void Sync() override {
    Said("write", path_, [&] { WritableFileWrapper::Sync(); });
  }
  void Close() override {
    Said("write", path_, [&] {
      WritableFileWrapper::Sync();
      WritableFileWrapper::Close();
    });
  }

 private:
  std::string path_;
};

// Two names of one file where the platform does not tell names apart by case give one key.
std::string Key(const std::string& path) {
  std::string key = path;
  if (base::kFileNamesIgnoreCase) {
    for (char& c : key) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

constexpr std::string_view kPrefix = "~routix2shp-";
constexpr char kJournalName[] = "~routix2shp.journal";
constexpr std::string_view kJournalHead = "routix2shp commit\n";
constexpr std::string_view kJournalEnd = "end\n";

// Whether name is a temporary or an aside of this program: the prefix, digits, .tmp or .old.
bool IsLeftover(std::string_view name) {
  if (!name.starts_with(kPrefix) || name.size() < kPrefix.size() + 5) return false;
  const std::string_view rest = name.substr(kPrefix.size());
  const std::string_view digits = rest.substr(0, rest.size() - 4);
  if (!(rest.ends_with(".tmp") || rest.ends_with(".old"))) return false;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Tries twice, since on Windows a virus scanner or an indexer often holds a file it has just
// seen for a moment; false when the file stays.
bool RemovedQuietly(FileSystem& files, const std::string& path) noexcept {
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      files.Remove(path);
      return true;
    } catch (...) {
      // Tried again, then left for the next run.
    }
  }
  return false;
}

// A commit's record as the journal holds it: 'M' temporary NUL final NUL for a file put in
// place, 'D' final NUL for a file that goes; names within the journal's folder.
struct JournalEntry {
  std::string temporary;  // empty for a file that goes
  std::string final_name;
};

// Whether name is a plain file name of the journal's folder: anyone who may write into the
// folder may write a journal, so one that reaches into another folder is no journal.
bool IsNameInFolder(std::string_view name) {
  const char separators[] = {'/', base::kNativeSeparator, '\0'};
  return name != "." && name != ".." && name.find_first_of(separators) == std::string_view::npos;
}

// The entries of a complete journal; nothing for one that is not (its commit never began), or
// that names a file outside its folder or a temporary that is not this program's.
std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text) {
  if (!text.starts_with(kJournalHead) || !text.ends_with(kJournalEnd)) return std::nullopt;
  text = text.substr(kJournalHead.size(), text.size() - kJournalHead.size() - kJournalEnd.size());
  std::vector<JournalEntry> entries;
  auto next_name = [&](std::string& name) {
    const size_t end = text.find('\0');
    if (end == std::string_view::npos || end == 0) return false;
    name = text.substr(0, end);
    if (!IsNameInFolder(name)) return false;
    text.remove_prefix(end + 1);
    return true;
  };
  while (!text.empty()) {
    const char kind = text.front();
    text.remove_prefix(1);
    JournalEntry entry;
    if (kind == 'M' && !(next_name(entry.temporary) && IsLeftover(entry.temporary))) {
      return std::nullopt;
    }
    if ((kind != 'M' && kind != 'D') || !next_name(entry.final_name)) return std::nullopt;
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string ReadWhole(FileSystem& files, const std::string& path) {
  const std::unique_ptr<ReadableFile> file = files.OpenForReading(path);
  std::string text(static_cast<size_t>(file->size()), '\0');
  text.resize(file->ReadAt(0, text.data(), text.size()));
  return text;
}

// A name in folder, beginning with the prefix and ending in suffix, that nothing holds yet.
std::string FreeNameIn(FileSystem& files, const std::string& folder, int& number,
                       const char* suffix) {
  while (true) {
    std::string candidate =
        JoinPath(folder, std::string(kPrefix) + std::to_string(number++) + suffix);
    if (!files.StatusOf(candidate).has_value()) return candidate;
  }
}

}  // namespace

StagedFiles::StagedFiles(const FileSystemService& files, std::vector<std::string> inputs,
                         std::optional<std::string> journal_folder)
    : service_(files),
      files_(files.file_system()),
      inputs_(std::move(inputs)),
      journal_folder_(std::move(journal_folder)) {}

StagedFiles::~StagedFiles() {
  if (temporaries_kept_) return;
  for (const Step& step : steps_) {
    if (step.temporary.empty()) continue;
    try {
      files_.Remove(step.temporary);
    } catch (...) {
      // Not there, or not to be removed: the next run into the folder clears it away.
    }
  }
}

OutputFile StagedFiles::Create(const std::string& path) {
  CheckReplaceable(path);
  steps_.push_back({path, FreeName(FolderOfPath(path), ".tmp")});
  std::unique_ptr<WritableFile> file;
  Said("create", path, [&] { file = files_.CreateForWriting(steps_.back().temporary); });
  return OutputFile(std::make_unique<StagedFile>(std::move(file), path), path);
}

void StagedFiles::Copy(const std::string& source, const std::string& path) {
  CheckReplaceable(path);
  steps_.push_back({path, FreeName(FolderOfPath(path), ".tmp")});
  Said("copy", source + " to " + path, [&] { files_.Copy(source, steps_.back().temporary); });
}

void StagedFiles::RemoveOnCommit(const std::string& path) {
  CheckReplaceable(path);
  steps_.push_back({path, {}});
}

void StagedFiles::RemoveFilesOfBaseOnCommit(const std::string& base) {
  for (const std::string& path : service_.FilesOfBase(base)) CheckReplaceable(path);
  steps_.push_back({base, {}, true});
}

void StagedFiles::Commit() {
  const std::vector<Step> plan = Plan();
  for (const Step& step : plan) CheckReplaceable(step.path);
  if (journal_folder_.has_value()) WriteJournal(plan);
  std::vector<Changed> changed;
  try {
    for (const Step& step : plan) {
      Said("replace", step.path, [&] {
        if (!files_.StatusOf(step.path).has_value()) {
          if (step.temporary.empty()) return;  // gone already
          files_.Rename(step.temporary, step.path);
          changed.push_back({step.path, {}});
          return;
        }
        std::string aside = FreeName(FolderOfPath(step.path), ".old");
        if (step.temporary.empty()) {
          files_.Rename(step.path, aside);
        } else {
          files_.ReplaceKeeping(step.temporary, step.path, aside);
        }
        changed.push_back({step.path, std::move(aside)});
      });
    }
  } catch (const ConversionError&) {
    Undo(changed);
    throw;
  }
  temporaries_kept_ = true;
  // The new names last through a crash once their folders are on the disk.
  std::unordered_set<std::string> folders;
  for (const Step& step : plan) {
    const std::string folder = FolderOfPath(step.path);
    if (folders.insert(folder).second) files_.SyncFolder(folder);
  }
  // Nothing fails the run from here on: whatever stays, the next run into the folder clears.
  if (journal_written_) RemovedQuietly(files_, JoinPath(*journal_folder_, kJournalName));
  for (const Changed& file : changed) {
    if (!file.aside.empty()) RemovedQuietly(files_, file.aside);
  }
}

void StagedFiles::CheckReplaceable(const std::string& path) const {
  const std::optional<FileStatus> status = files_.StatusOf(path);
  if (!status.has_value()) return;
  if (status->is_folder) throw FileError("replace", path, EISDIR);
  if (status->read_only && !status->is_link) {
    throw FileError("replace", path, "the file is read-only");
  }
  for (const std::string& input : inputs_) {
    if (files_.SameFile(path, input)) {
      throw FileError("replace", path, "it is " + input + ", which this run reads");
    }
  }
}

std::string StagedFiles::FreeName(const std::string& folder, const char* suffix) {
  return FreeNameIn(files_, folder, next_number_, suffix);
}

std::vector<StagedFiles::Step> StagedFiles::Plan() const {
  std::unordered_set<std::string> seen;
  for (const Step& step : steps_) {
    if (!step.temporary.empty()) seen.insert(Key(step.path));
  }
  std::vector<Step> plan;
  auto remove = [&](const std::string& path) {
    if (seen.insert(Key(path)).second && files_.StatusOf(path).has_value()) {
      plan.push_back({path, {}});
    }
  };
  for (const Step& step : steps_) {
    if (!step.temporary.empty()) {
      plan.push_back(step);
    } else if (!step.whole_base) {
      remove(step.path);
    } else {
      for (const std::string& path : service_.FilesOfBase(step.path)) remove(path);
    }
  }
  return plan;
}

void StagedFiles::WriteJournal(const std::vector<Step>& plan) {
  std::string text(kJournalHead);
  for (const Step& step : plan) {
    if (!step.temporary.empty()) {
      text += 'M';
      text += FileNameOfPath(step.temporary);
      text += '\0';
    } else {
      text += 'D';
    }
    text += FileNameOfPath(step.path);
    text += '\0';
  }
  text += kJournalEnd;
  // Written whole under a temporary name first, so that the journal is complete or absent.
  const std::string& folder = *journal_folder_;
  const std::string temporary = FreeName(folder, ".tmp");
  Said("write into", folder.empty() ? std::string(".") : folder, [&] {
    try {
      const std::unique_ptr<WritableFile> file = files_.CreateForWriting(temporary);
      file->Append(text.data(), text.size());
      file->Sync();
      file->Close();
      files_.Rename(temporary, JoinPath(folder, kJournalName));
    } catch (const ConversionError&) {
      RemovedQuietly(files_, temporary);
      throw;
    }
  });
  journal_written_ = true;
  files_.SyncFolder(folder);
}

void StagedFiles::Undo(const std::vector<Changed>& changed) noexcept {
  if (journal_written_ && !RemovedQuietly(files_, JoinPath(*journal_folder_, kJournalName))) {
    // The journal stays, and with it every temporary: the next run completes the commit.
    temporaries_kept_ = true;
    return;
  }
  for (auto file = changed.rbegin(); file != changed.rend(); ++file) {
    try {
      if (file->aside.empty()) {
        files_.Remove(file->path);
      } else {
        files_.Rename(file->aside, file->path);
      }
    } catch (...) {
      // Kept under its other name: the error that stopped the commit is the one to tell.
    }
  }
}

void RepairFolder(FileSystem& files, const std::string& folder) {
  const std::string journal = JoinPath(folder, kJournalName);
  int number = 1;
  if (files.StatusOf(journal).has_value()) {
    const std::optional<std::vector<JournalEntry>> entries =
        ParseJournal(ReadWhole(files, journal));
    // Every file a complete journal names was whole on the disk before the first name
    // changed: the commit goes forward.
    for (const JournalEntry& entry : entries.value_or(std::vector<JournalEntry>{})) {
      const std::string path = JoinPath(folder, entry.final_name);
      Said("replace", path, [&] {
        const bool there = files.StatusOf(path).has_value();
        if (entry.temporary.empty()) {
          if (there) files.Remove(path);
          return;
        }
        const std::string temporary = JoinPath(folder, entry.temporary);
        if (!files.StatusOf(temporary).has_value()) return;  // in place already
        if (there) {
          files.ReplaceKeeping(temporary, path, FreeNameIn(files, folder, number, ".old"));
        } else {
          files.Rename(temporary, path);
        }
      });
    }
    files.SyncFolder(folder);
    Said("write into", folder.empty() ? std::string(".") : folder, [&] { files.Remove(journal); });
  }
  for (const FolderEntry& entry : files.ListFolder(folder.empty() ? "." : folder)) {
    if (!entry.is_folder && IsLeftover(entry.name)) {
      RemovedQuietly(files, JoinPath(folder, entry.name));
    }
  }
}

}  // namespace routix::base
