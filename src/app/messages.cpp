#include "app/messages.h"

namespace routix::app {
namespace {

std::string Lines(std::string_view first, std::string_view second) {
  std::string text(first);
  text += kCrLf;
  text += second;
  return text;
}

}  // namespace

Message SelectConvertType() {
  return {"Please select convert type.", Buttons::kOk, Icon::kInformation, ""};
}

Message RxybndNotFound(const std::string& dyn_folder) {
  return {Lines("Not found Rxybnd.dat file in directory: ", dyn_folder), Buttons::kOk,
          Icon::kCritical, ""};
}

Message RxybxtNotFound(const std::string& dyn_folder) {
  return {Lines("Not found Rxybxt.dat file in directory: ", dyn_folder), Buttons::kOk,
          Icon::kCritical, ""};
}

Message ReplaceCombinedOutput(const std::string& output) {
  return {Lines(output + " already exists.", "Do you want to replace it?"), Buttons::kYesNo,
          Icon::kQuestion, ""};
}

Message ServerPathIncorrect(const std::string& server_folder) {
  return {Lines("Server path incorrect!", server_folder), Buttons::kOk, Icon::kCritical, ""};
}

Message GeoFolderNotFound(const std::string& server_folder) {
  return {Lines("Not found GEO folder in ", server_folder), Buttons::kOk, Icon::kCritical, ""};
}

Message ReplaceDestination(const std::string& destination) {
  return {Lines(destination + " already exists.", "Do you want to replace it?"), Buttons::kYesNo,
          Icon::kQuestion, ""};
}

Message DestinationPathIncorrect(const std::string& destination) {
  return {Lines("Destination path incorrect!", destination), Buttons::kOk, Icon::kCritical, ""};
}

Message IncompatibleDictionary() {
  return {"Incompatible dictionary file.", Buttons::kOk, Icon::kCritical, "Db2asc error"};
}

Message ConvertFinished() { return {"Convert finished !", Buttons::kOk, Icon::kNone, ""}; }

Message ConversionFailed(const std::string& error_text) {
  return {error_text, Buttons::kOk, Icon::kCritical, ""};
}

std::string MainWindowCaption() {
  return std::string(kMainCaption) + " - Version " + std::string(kVersion);
}

}  // namespace routix::app
