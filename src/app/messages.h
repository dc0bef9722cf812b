// The system's own texts: the message boxes of a press of Go (M1 to M10) with their buttons,
// icons and titles, the status texts, the titles and captions. Every text stands here
// exactly as the user reads it, so that a slip is caught by the tests that spell them out.
#pragma once

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
};

inline constexpr std::string_view kApplicationTitle = "Routix to Shapefile";
inline constexpr std::string_view kMainCaption =
    "Convert Routix Geocode or Boundaries to Shapefile";
inline constexpr std::string_view kFinished = "Finished !";
inline constexpr std::string_view kServerFolderBrowseTitle = "Select path to Server folder";
inline constexpr std::string_view kSaveShapefileTitle = "Save shape file As";

// Line breaks inside a message are a carriage return and a line feed.
inline constexpr std::string_view kCrLf = "\r\n";

Message SelectConvertType();                                    // M1
Message RxybndNotFound(const std::string& dyn_folder);          // M2, the folder with its separator
Message RxybxtNotFound(const std::string& dyn_folder);          // M3
Message ReplaceCombinedOutput(const std::string& output);       // M4
Message ServerPathIncorrect(const std::string& server_folder);  // M5
Message GeoFolderNotFound(const std::string& server_folder);    // M6
Message ReplaceDestination(const std::string& destination);     // M7
Message DestinationPathIncorrect(const std::string& destination);  // M8
Message IncompatibleDictionary();                                  // M9
Message ConvertFinished();                                         // M10
// An error raised inside a conversion, shown as it stands.
Message ConversionFailed(const std::string& error_text);

// The main window's caption completed with the version.
std::string MainWindowCaption();

}  // namespace routix::app
