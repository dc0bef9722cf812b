// A ConversionUi for driver tests: boxes, fields and answers set by the test, and a log of
// everything the driver did to the window.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/conversion_ui.h"

namespace routix::testing {

class ScriptedUi : public app::ConversionUi {
 public:
  bool geocode_ticked = false;
  bool boundary_ticked = false;
  std::string server_folder;
  std::string destination;
  std::deque<app::Answer> answers;  // for Yes/No questions, in order
  std::function<void()> on_browse;  // the save dialog's effect, if any
  // The selection dialog's OK with this selection; nothing: its Cancel.
  std::optional<boundaries::BoundarySelection> pick;
  std::vector<std::string> rows_shown;  // the dialog's rows: "ordinal|description|nodes"
  // Every message shown: "question yes/no: ...", "critical \"Db2asc error\": ...".
  std::vector<std::string> messages;
  std::vector<std::string> log;  // "message", "untick geo", "busy on", ...

  bool IsTicked(app::CheckBox box) const override {
    return box == app::CheckBox::kGeo2Shp ? geocode_ticked : boundary_ticked;
  }
  void Untick(app::CheckBox box) override {
    (box == app::CheckBox::kGeo2Shp ? geocode_ticked : boundary_ticked) = false;
    log.push_back(box == app::CheckBox::kGeo2Shp ? "untick geo" : "untick dat");
  }
  std::string ServerFolderText() const override { return server_folder; }
  std::string DestinationText() const override { return destination; }
  app::Answer ShowMessage(const app::Message& message) override {
    const char* icons[] = {"none", "information", "critical", "question"};
    const bool question = message.buttons == app::Buttons::kYesNo;
    messages.push_back(
        icons[static_cast<int>(message.icon)] + std::string(question ? " yes/no" : "") +
        (message.title.empty() ? "" : " \"" + message.title + "\"") + ": " + message.text);
    log.push_back("message");
    if (!question || answers.empty()) return question ? app::Answer::kNo : app::Answer::kOk;
    const app::Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void FocusGeocodeBox() override { log.push_back("focus geo"); }
  void SetBusyPointer(bool busy) override { log.push_back(busy ? "busy on" : "busy off"); }
  void BrowseDestination() override {
    log.push_back("browse");
    if (on_browse) on_browse();
  }
  boundaries::BoundarySelection PickBoundaries(
      const std::vector<boundaries::ListedBoundary>& rows,
      const boundaries::BoundarySelection& current) override {
    log.push_back("pick");
    for (const boundaries::ListedBoundary& row : rows) {
      rows_shown.push_back(std::to_string(row.ordinal) + "|" + row.description + "|" +
                           row.node_count);
    }
    return pick.value_or(boundaries::BoundarySelection{
        {}, current.boundary_shape_type, current.one_file_per_boundary});
  }
};

}  // namespace routix::testing
