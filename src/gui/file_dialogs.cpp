#include "gui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <optional>

#include "app/dialog_results.h"
#include "app/messages.h"
#include "gui/qt_text.h"
#include "platform/program_folder.h"

namespace routix::gui {

std::string BrowseForFolder(QWidget* owner, const std::string& start_path,
                            const std::string& title) {
  std::string start = start_path.empty() ? platform::ProgramFolder() : start_path;
  QString chosen = QFileDialog::getExistingDirectory(owner, FromLocal(title), FromLocal(start));
  std::optional<std::string> folder;
  if (!chosen.isEmpty()) folder = ToLocal(QDir::toNativeSeparators(chosen));
  return app::FolderDialogResult(folder, start_path);
}

std::string SaveFileDialog(QWidget* owner, const std::string& file_name, const std::string& title,
                           const std::string& ext) {
  std::string start = file_name.empty() ? platform::ProgramFolder() : file_name;
  QString filter = FromLocal(app::ShapeFilesFilter(ext));
  QString chosen = QFileDialog::getSaveFileName(owner, FromLocal(title), FromLocal(start), filter,
                                                nullptr, QFileDialog::DontConfirmOverwrite);
  std::optional<std::string> path;
  if (!chosen.isEmpty()) path = ToLocal(QDir::toNativeSeparators(chosen));
  return app::SaveDialogResult(path, file_name, ext);
}

}  // namespace routix::gui
