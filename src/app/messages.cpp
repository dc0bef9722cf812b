#include "app/messages.h"

#include <cstdio>

namespace routix::app {
namespace {

std::string Lines(std::string_view first, std::string_view second) {
  std::string text(first);
  text += kCrLf;
  text += second;
  return text;
}

Message Critical(std::string text) {
  return {std::move(text), Buttons::kOk, Icon::kCritical, "", ""};
}

// " in 1.25 s."
std::string InSeconds(double seconds) {
  char text[48];
  std::snprintf(text, sizeof text, " in %.2f s.", seconds);
  return text;
}

}  // namespace

Message SelectConvertType() {
  return {"Please select convert type.", Buttons::kOk, Icon::kInformation, "", ""};
}

Message RxybndNotFound(const std::string& dyn_folder) {
  return Critical(Lines("Not found Rxybnd.dat file in directory: ", dyn_folder));
}

Message RxybxtNotFound(const std::string& dyn_folder) {
  return Critical(Lines("Not found Rxybxt.dat file in directory: ", dyn_folder));
}

Message ServerPathIncorrect(const std::string& server_folder) {
  return Critical(Lines("Server path incorrect!", server_folder));
}

Message GeoFolderNotFound(const std::string& server_folder) {
  return Critical(Lines("Not found GEO folder in ", server_folder));
}

Message DestinationPathIncorrect(const std::string& destination) {
  return Critical(Lines("Destination path incorrect!", destination));
}

Message ServerFolderWithQuote(const std::string& server_folder) {
  return Critical(
      Lines("The Server folder's name may not hold a double quote (\"):", server_folder));
}

Message ServerFolderNotInCodePage(const std::string& server_folder) {
  return Critical(Lines(
      "The export program db2asc.exe cannot reach the Server folder: its name holds characters "
      "that the system's code page lacks, and it has no short name that does without them:",
      server_folder));
}

Message IncompatibleDictionary() {
  return {"Incompatible dictionary file.", Buttons::kOk, Icon::kCritical, "Db2asc error", ""};
}

Message IncompatibleDictionary(int export_status) {
  Message message = IncompatibleDictionary();
  message.text = Lines(
      message.text, "The export program ended with status " + std::to_string(export_status) + ".");
  return message;
}

Message ConvertFinished() { return {"Convert finished !", Buttons::kOk, Icon::kNone, "", ""}; }

Message ReplaceExisting(const std::string& path) {
  return {Lines(path + " already exists.", "Do you want to replace it?"), Buttons::kYesNo,
          Icon::kQuestion, "", path + " already exists. Use --overwrite to replace it."};
}

Message ConversionFailed(const std::string& error_text) { return Critical(error_text); }

std::string ShapeFilesFilter(std::string_view ext) {
  return "Shape files (*" + std::string(ext) + ")";
}

std::string MainWindowCaption() {
  return std::string(kMainCaption) + " - Version " + std::string(kVersion);
}

std::string SelectedCount(int count) {
  return "Selected: " + std::to_string(count) + (count > 1 ? " boundaries" : " boundary");
}

std::string StreetsWritten(int32_t records, const std::string& main_file, double seconds) {
  return "Wrote " + std::to_string(records) + " street segments to " + main_file +
         InSeconds(seconds);
}

std::string BoundariesWritten(int32_t records, const std::string& main_file, double seconds) {
  return "Wrote " + std::to_string(records) + " boundaries to " + main_file + InSeconds(seconds);
}

std::string BoundarySetsWritten(int32_t records, int32_t sets, const std::string& folder,
                                double seconds) {
  return "Wrote " + std::to_string(records) + " boundaries to " + std::to_string(sets) +
         " sets in " + folder + InSeconds(seconds);
}

std::string StandardOutputFailed(const std::string& reason) {
  return "Cannot write to standard output: " + reason + ".";
}

std::string BoundaryNotListed(int ordinal, const std::string& boundary_file) {
  return "--select: boundary " + std::to_string(ordinal) + " is not among the boundaries of " +
         boundary_file + "; routix2shp list shows them.";
}

std::string BoundariesLeftOut(int32_t count) {
  return std::to_string(count) +
         (count == 1 ? " selected boundary was left out: it has fewer than two nodes."
                     : " selected boundaries were left out: they have fewer than two nodes.");
}

}  // namespace routix::app
