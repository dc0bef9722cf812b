// The system's own texts: the message boxes of a press of Go with their buttons,
// icons and titles, the status texts, the titles and captions of both windows, and what the
// command line prints. Every text stands here exactly as the user reads it, so that a slip is
// caught by the tests that spell them out, and no front end holds a text of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/version.h"

namespace routix::app {

enum class Buttons { kOk, kYesNo };
enum class Icon { kNone, kInformation, kCritical, kQuestion };
enum class Answer { kOk, kYes, kNo };

struct Message {
  std::string text;
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
  std::string title;  // empty: the application's title
  // For a question: what a front end that cannot ask says when it answers No.
  std::string refusal;
};

inline constexpr std::string_view kApplicationTitle = "Routix to Shapefile";
inline constexpr std::string_view kMainCaption =
    "Convert Routix Geocode or Boundaries to Shapefile";
inline constexpr std::string_view kFinished = "Finished !";
inline constexpr std::string_view kServerFolderBrowseTitle = "Select path to Server folder";
inline constexpr std::string_view kSaveShapefileTitle = "Save shape file As";
// The save dialog's one filter, for ext with its full stop: "Shape files (*.shp)".
std::string ShapeFilesFilter(std::string_view ext);

// Line breaks inside a message are a carriage return and a line feed.
inline constexpr std::string_view kCrLf = "\r\n";

Message SelectConvertType();
Message RxybndNotFound(const std::string& dyn_folder);  // the folder with its separator
Message RxybxtNotFound(const std::string& dyn_folder);
Message ServerPathIncorrect(const std::string& server_folder);
Message GeoFolderNotFound(const std::string& server_folder);
Message DestinationPathIncorrect(const std::string& destination);
// A Server folder whose name holds a double quote, which the export's command line cannot
// pass on.
Message ServerFolderWithQuote(const std::string& server_folder);
// A Server folder that the export program, which reads paths in the system's code page,
// cannot be given.
Message ServerFolderNotInCodePage(const std::string& server_folder);
// "Incompatible dictionary file." and a line naming the status of an export program that
// ended with another than 0.
Message IncompatibleDictionary(int export_status);
Message IncompatibleDictionary();
Message ConvertFinished();
// "<path> already exists. Do you want to replace it?": the combined boundary output, the
// destination, or the first per-boundary set that is there already.
Message ReplaceExisting(const std::string& path);
// An error raised inside a conversion, shown as it stands.
Message ConversionFailed(const std::string& error_text);

// The main window's caption completed with the version.
std::string MainWindowCaption();

// The captions of frmMain's controls.
inline constexpr std::string_view kDataPathsCaption = "Specify data paths";
inline constexpr std::string_view kServerFolderLabel = "Server folder";
inline constexpr std::string_view kDestinationLabel = "Destination Shapefile";
inline constexpr std::string_view kBrowseCaption = "...";
inline constexpr std::string_view kGeo2ShpCaption = "Routix Geocode to Shapefile";
inline constexpr std::string_view kDat2ShpCaption = "Routix Boundary to Shapefile";
inline constexpr std::string_view kGoCaption = "&Go";
inline constexpr std::string_view kExitCaption = "&Exit";

// The title of frmSelectBnd and the captions of its controls, columns and menu items.
inline constexpr std::string_view kBoundarySettingTitle = "Boundary Setting";
inline constexpr std::string_view kSelectBoundaryCaption = "Select Boundary";
inline constexpr std::string_view kBoundaryTypeCaption = "Select Boundary type";
inline constexpr std::string_view kPolygonCaption = "Polygon";
inline constexpr std::string_view kPolylineCaption = "Polyline";
inline constexpr std::string_view kOutputTypeCaption = "Select output Shapefile type";
inline constexpr std::string_view kAllInOneCaption = "All boundary in one Shapefile";
inline constexpr std::string_view kEachInOneCaption = "Each boundary in one Shapefile";
inline constexpr std::string_view kOkCaption = "OK";
inline constexpr std::string_view kCancelCaption = "Cancel";
inline constexpr std::string_view kIdColumn = "ID";
inline constexpr std::string_view kDescriptionColumn = "Description";
inline constexpr std::string_view kNodesColumn = "Nodes #";
inline constexpr std::string_view kSelectAllCaption = "Select All";
inline constexpr std::string_view kDeselectAllCaption = "Deselect All";
// "Selected: 3 boundaries"; 0 and 1 take the singular.
std::string SelectedCount(int count);

// What the command line prints: its summary lines, and its notes on the selection.
std::string StreetsWritten(int32_t records, const std::string& main_file, double seconds);
std::string BoundariesWritten(int32_t records, const std::string& main_file, double seconds);
std::string BoundarySetsWritten(int32_t records, int32_t sets, const std::string& folder,
                                double seconds);
inline constexpr std::string_view kNoBoundarySelected = "No boundary selected.";
// A run stopped by Ctrl-C or the termination signal.
inline constexpr std::string_view kInterrupted = "Interrupted: no output was replaced.";
// A failed write of what the command line prints on standard output.
std::string StandardOutputFailed(const std::string& reason);
std::string BoundaryNotListed(int ordinal, const std::string& boundary_file);
// "2 selected boundaries were left out: they have fewer than two nodes."
std::string BoundariesLeftOut(int32_t count);

}  // namespace routix::app
