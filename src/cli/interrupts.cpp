#include "cli/interrupts.h"

#include <atomic>
#include <string>
#include <utility>

#include "app/messages.h"
#include "base/conversion_error.h"
#include "platform/interrupts.h"

namespace routix::cli {
namespace {

// The exit status of the interrupt that came first; 0 before any.
std::atomic<int> interrupted{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

void NoteInterrupt(int exit_status) {
  int none = 0;
  interrupted.compare_exchange_strong(none, exit_status);
}

}  // namespace

// A file being read, checked before each block.
class InterruptibleFileSystem::Reading final : public base::ReadableFileWrapper {
 public:
  Reading(std::unique_ptr<base::ReadableFile> file, InterruptibleFileSystem& files)
      : ReadableFileWrapper(std::move(file)), files_(files) {}
  size_t ReadAt(uint64_t offset, void* data, size_t size) override {
    files_.Check();
    return ReadableFileWrapper::ReadAt(offset, data, size);
  }

 private:
  InterruptibleFileSystem& files_;
};

// A file being written, checked before each block.
class InterruptibleFileSystem::Writing final : public base::WritableFileWrapper {
 public:
  Writing(std::unique_ptr<base::WritableFile> file, InterruptibleFileSystem& files)
      : WritableFileWrapper(std::move(file)), files_(files) {}
  void Append(const void* data, size_t size) override {
    files_.Check();
    WritableFileWrapper::Append(data, size);
  }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    files_.Check();
    WritableFileWrapper::WriteAt(offset, data, size);
  }

 private:
  InterruptibleFileSystem& files_;
};

void CatchInterrupts() { platform::CatchInterrupts(NoteInterrupt); }

std::unique_ptr<base::ReadableFile> InterruptibleFileSystem::OpenForReading(
    const std::string& path) {
  Check();
  return std::make_unique<Reading>(FileSystemWrapper::OpenForReading(path), *this);
}

std::unique_ptr<base::WritableFile> InterruptibleFileSystem::CreateForWriting(
    const std::string& path) {
  Check();
  return std::make_unique<Writing>(FileSystemWrapper::CreateForWriting(path), *this);
}

void InterruptibleFileSystem::Copy(const std::string& from, const std::string& to) {
  Check();
  FileSystemWrapper::Copy(from, to);
}

int InterruptedExitStatus() { return interrupted.load(); }

void InterruptibleFileSystem::Check() {
  if (interrupted.load() == 0) return;
  stopped_ = true;
  throw base::ConversionError(std::string(app::kInterrupted));
}

}  // namespace routix::cli
