#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

namespace routix::cli {
namespace {

// Ordinals are 1-based positions in Rxybnd.dat, whose counts are 16-bit; a list may name no
// more than this many, repeats counted, so that its expansion stays small.
constexpr int kMaxOrdinal = 1 << 20;

int ParseOrdinal(std::string_view text, const std::string& list) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 ||
      value > kMaxOrdinal) {
    throw UsageError("--select: \"" + std::string(text) + "\" in \"" + list +
                     "\" is not a boundary number");
  }
  return value;
}

}  // namespace

std::vector<int> ParseOrdinalList(const std::string& list) {
  std::vector<int> ordinals;
  std::string_view rest = list;
  while (true) {
    size_t comma = rest.find(',');
    std::string_view item = rest.substr(0, comma);
    size_t dash = item.find('-');
    int first = 0, last = 0;
    if (dash == std::string_view::npos) {
      first = last = ParseOrdinal(item, list);
    } else {
      first = ParseOrdinal(item.substr(0, dash), list);
      last = ParseOrdinal(item.substr(dash + 1), list);
      if (first > last)
        throw UsageError("--select: the range \"" + std::string(item) + "\" runs backwards");
    }
    if (static_cast<int64_t>(ordinals.size()) + (last - first + 1) > kMaxOrdinal) {
      throw UsageError("--select names more than " + std::to_string(kMaxOrdinal) +
                       " boundaries, more than Rxybnd.dat can hold");
    }
    for (int ordinal = first; ordinal <= last; ++ordinal) ordinals.push_back(ordinal);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  std::sort(ordinals.begin(), ordinals.end());
  ordinals.erase(std::unique(ordinals.begin(), ordinals.end()), ordinals.end());
  return ordinals;
}

CliOptions ParseCommandLine(const std::vector<std::string>& arguments) {
  CliOptions options;
  if (arguments.empty()) throw UsageError("no command given");
  const std::string& command = arguments[0];
  size_t paths = 2;
  if (command == "streets") {
    options.command = Command::kStreets;
  } else if (command == "boundaries") {
    options.command = Command::kBoundaries;
  } else if (command == "list") {
    options.command = Command::kList;
    paths = 1;
  } else if (command == "--help" || command == "-h") {
    options.command = Command::kHelp;
    paths = 0;
  } else if (command == "--version") {
    options.command = Command::kVersion;
    paths = 0;
  } else {
    throw UsageError("unknown command \"" + command + "\"");
  }

  std::vector<std::string> positional;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const bool streets = options.command == Command::kStreets;
    const bool boundaries = options.command == Command::kBoundaries;
    if (arg == "--overwrite" && (streets || boundaries)) {
      options.overwrite = true;
    } else if (arg == "--quiet" && (streets || boundaries)) {
      options.quiet = true;
    } else if (arg == "--no-export" && streets) {
      options.no_export = true;
    } else if (arg == "--polyline" && boundaries) {
      options.polyline = true;
    } else if (arg == "--per-boundary" && boundaries) {
      options.per_boundary = true;
    } else if (arg == "--select" && boundaries) {
      if (++i == arguments.size())
        throw UsageError("--select needs all or a list such as 1,4,7-12");
      if (arguments[i] == "all") {
        options.select.reset();
      } else {
        options.select = ParseOrdinalList(arguments[i]);
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option \"" + arg + "\" for " + command);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != paths) {
    throw UsageError(command + " takes " +
                     (paths == 2   ? "SERVER_FOLDER and DESTINATION"
                      : paths == 1 ? "SERVER_FOLDER"
                                   : "no argument"));
  }
  if (paths >= 1) options.server_folder = positional[0];
  if (paths == 2) options.destination = positional[1];
  return options;
}

std::string ShortUsage() {
  return R"(usage:
  routix2shp streets SERVER_FOLDER DESTINATION [--no-export] [--overwrite] [--quiet]
  routix2shp boundaries SERVER_FOLDER DESTINATION [--select all|LIST] [--polyline]
                        [--per-boundary] [--overwrite] [--quiet]
  routix2shp list SERVER_FOLDER
  routix2shp --help
  routix2shp --version
)";
}

std::string UsageText() {
  return ShortUsage() + R"(
Converts the data folder of the Routix routing system (its Server folder) into
ESRI Shapefiles.

commands:
  streets     run the export program db2asc.exe and write the street network as
              one polyline shapefile at DESTINATION
  boundaries  write the boundaries of DYN\Rxybnd.dat as Bnd_<name> beside
              DESTINATION, or one set per boundary, with Report.err beside them
  list        print the boundaries (ID, node count, description), one a line

options:
  --no-export      convert the exports already in DYN instead of running db2asc.exe
  --overwrite      replace an existing output
  --quiet          print no summary line
  --select LIST    only these boundaries: all (the default) or IDs and ranges, 1,4,7-12
  --polyline       write boundaries as polylines instead of polygons
  --per-boundary   write one shapefile set per boundary, named after its description

examples:
  routix2shp streets D:\Routing\Server D:\maps\roads.shp
  routix2shp boundaries D:\Routing\Server D:\maps\zones.shp --select 1,4,7-12
  routix2shp list D:\Routing\Server
)";
}

}  // namespace routix::cli
