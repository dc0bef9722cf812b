// A ConversionUi for driver tests: check boxes and path fields set by the test, answers to
// Yes/No questions played back in order, and a log of everything the driver did to the
// window (messages with their buttons, icons and titles, unticks, focus, pointer, browse).
#pragma once

#include <deque>
#include <functional>
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
  std::deque<app::Answer> answers;     // for Yes/No questions, in order
  std::function<void()> on_browse;     // the save dialog's effect, if any
  std::vector<app::Message> messages;  // every message shown
  std::vector<std::string> log;        // "message", "untick geo", "busy on", ...

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
    messages.push_back(message);
    log.push_back("message");
    if (message.buttons == app::Buttons::kOk) return app::Answer::kOk;
    if (answers.empty()) return app::Answer::kNo;
    app::Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void FocusGeocodeBox() override { log.push_back("focus geo"); }
  void SetBusyPointer(bool busy) override { log.push_back(busy ? "busy on" : "busy off"); }
  void BrowseDestination() override {
    log.push_back("browse");
    if (on_browse) on_browse();
  }

  // The texts of the messages shown, in order.
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const app::Message& message : messages) texts.push_back(message.text);
    return texts;
  }
};

}  // namespace routix::testing
