#include "cli/commands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/conversion_ui.h"
#include "app/destination.h"
#include "app/driver_paths.h"
#include "app/field_tidy.h"
#include "app/messages.h"
#include "app/run_conversion.h"
#include "app/select_boundaries.h"
#include "base/path_utils.h"
#include "cli/boundary_listing.h"
#include "platform/file_path.h"
#include "platform/terminal.h"

namespace routix::cli {
namespace {

using Clock = std::chrono::steady_clock;

// The destination as the window's field tidy leaves it, made absolute; made absolute first
// where the platform reads a name without its trailing dots ("roads.shp." is roads.shp), so
// that the ".shp" ending is judged on the name the file gets.
std::string DestinationOf(const std::string& typed) {
  const std::string trimmed(base::TrimSpaces(typed));
  return app::TidyDestination(platform::AbsolutePath(trimmed));
}

// The front end without a person in front of it. A question is answered Yes with --overwrite
// and otherwise refused; any other message but "Convert finished !" is a refusal or failure.
class CommandLineUi : public app::ConversionUi {
 public:
  CommandLineUi(const CliOptions& options, TerminalProgress& progress)
      : options_(options),
        progress_(progress),
        server_folder_(platform::AbsolutePath(options.server_folder)),
        destination_(DestinationOf(options.destination)) {}

  int status() const { return status_; }

  bool IsTicked(app::CheckBox box) const override {
    const bool streets = options_.command == Command::kStreets;
    return box == app::CheckBox::kGeo2Shp ? streets && !geocode_unticked_
                                          : !streets && !boundary_unticked_;
  }
  void Untick(app::CheckBox box) override {
    (box == app::CheckBox::kGeo2Shp ? geocode_unticked_ : boundary_unticked_) = true;
  }
  std::string ServerFolderText() const override { return server_folder_; }
  std::string DestinationText() const override { return destination_; }
  app::Answer ShowMessage(const app::Message& message) override {
    if (message.buttons == app::Buttons::kYesNo) {
      if (options_.overwrite) return app::Answer::kYes;
      Refuse(message.refusal, kExitFailed);
      return app::Answer::kNo;
    }
    if (message.icon != app::Icon::kNone) Refuse(message.text, kExitFailed);
    return app::Answer::kOk;
  }
  void FocusGeocodeBox() override {}
  void SetBusyPointer(bool) override {}
  void BrowseDestination() override {}  // the refused question has said it all

  // list prints the rows; boundaries picks the --select ordinals, or every row.
  boundaries::BoundarySelection PickBoundaries(const std::vector<boundaries::ListedBoundary>& rows,
                                               const boundaries::BoundarySelection&) override {
    boundaries::BoundarySelection selection;
    selection.one_file_per_boundary = options_.per_boundary;
    if (options_.command == Command::kList) {
      const std::string list = options_.json ? BoundaryListJson(rows) : BoundaryListText(rows);
      platform::WriteStandard(stdout, list);
      return selection;
    }
    std::vector<int> listed;
    for (const boundaries::ListedBoundary& row : rows) listed.push_back(row.ordinal);
    for (int ordinal : options_.select.value_or(listed)) {
      if (!std::binary_search(listed.begin(), listed.end(), ordinal)) {
        Refuse(app::BoundaryNotListed(ordinal, app::BoundaryDataFile(server_folder_)), kExitFailed);
        return {};
      }
      selection.col_return.push_back(std::to_string(ordinal));
    }
    if (selection.col_return.empty()) Print(std::string(app::kNoBoundarySelected));
    return selection;
  }

 private:
  // On standard error below the progress line, which goes.
  void Print(const std::string& text) {
    progress_.Clear();
    PrintMessage(text);
  }
  void Refuse(const std::string& text, int status) {
    Print(text);
    status_ = status;
  }

  const CliOptions& options_;
  TerminalProgress& progress_;
  const std::string server_folder_;
  const std::string destination_;
  bool geocode_unticked_ = false;
  bool boundary_unticked_ = false;
  int status_ = kExitDone;
};

// The summary line of a finished run.
std::string Summary(const CliOptions& options, const std::string& destination,
                    const app::RunResult& result, double seconds) {
  if (options.command == Command::kStreets) {
    return app::StreetsWritten(result.street_records, app::OutputMainFile(destination), seconds);
  }
  const boundaries::BoundaryOutput output = app::BoundaryOutputOf(destination);
  if (options.per_boundary) {
    return app::BoundarySetsWritten(result.boundaries.records, result.boundaries.sets,
                                    output.folder, seconds);
  }
  return app::BoundariesWritten(result.boundaries.records, output.combined_base + ".shp", seconds);
}

}  // namespace

int RunCommand(const CliOptions& options, const base::ProgramServices& services,
               TerminalProgress& progress) {
  const auto start = Clock::now();
  const app::RunOptions run{
      .run_export = !options.no_export,
      .ask_before_each_boundary_set = true,
      .projection_file =
          options.projection_file.empty() ? "" : platform::AbsolutePath(options.projection_file),
      .boundary_polylines = options.polyline};
  CommandLineUi ui(options, progress);
  boundaries::BoundarySelection selection;
  app::SelectBoundaries(ui, selection, services);  // nothing for streets: its box is unticked
  if (options.command == Command::kList || ui.status() != kExitDone) return ui.status();

  const app::RunResult result = app::RunConversion(ui, selection, services, run);
  if (result.finished && !options.quiet) {
    progress.Clear();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    platform::WriteStandard(stdout, Summary(options, ui.DestinationText(), result, seconds) + "\n");
    std::fflush(stdout);
    if (result.boundaries.left_out > 0) {
      PrintMessage(app::BoundariesLeftOut(result.boundaries.left_out));
    }
  }
  return ui.status();
}

void PrintMessage(const std::string& text) {
  std::string line = "routix2shp: ";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] != '\n') {
      line += text[i];
    } else if (line.back() != ' ') {
      line += ' ';
    }
  }
  line += '\n';
  platform::WriteStandard(stderr, line);
}

}  // namespace routix::cli
