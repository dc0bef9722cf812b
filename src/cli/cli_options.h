// The command line of routix2shp, parsed: which command, its two paths as given, and its
// options. "--" ends the options: every argument after it is a path, even one that begins
// with "-". A repeated --select adds to the selection. Anything that does not fit the usage (an
// unknown command or option, a missing or extra argument, a malformed --select list) is a
// UsageError saying what is wrong.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace routix::cli {

enum class Command { kStreets, kBoundaries, kList, kHelp, kVersion };

struct CliOptions {
  Command command = Command::kHelp;
  // With kHelp: the command whose help is asked for, or kHelp for the whole program's.
  Command help_for = Command::kHelp;
  std::string server_folder;
  std::string destination;
  bool no_export = false;
  bool overwrite = false;
  bool quiet = false;
  bool polyline = false;
  bool per_boundary = false;
  bool json = false;
  // --prj: the projection file copied beside every set; empty for none.
  std::string projection_file;
  // --tool-folder: the site's tool folder instead of the program's own; empty for that.
  std::string tool_folder;
  // The ordinals of every --select together, ascending and without repeats; nothing for all.
  std::optional<std::vector<int>> select;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

CliOptions ParseCommandLine(const std::vector<std::string>& arguments);

// "1,4,7-12" as the ordinals 1, 4, 7, 8, ..., 12, ascending and without repeats.
std::vector<int> ParseOrdinalList(const std::string& list);

// The usage lines, shown after a usage error.
std::string ShortUsage();
// The whole text of --help: the usage, the commands, the options and examples; with a
// command, that command's usage, what it does, its options and an example.
std::string UsageText(Command command = Command::kHelp);
// What a start without arguments in a console of its own (a double-click in Explorer) shows:
// the usage, that this is a command-line program, and how to close the console.
std::string OwnConsoleText();

}  // namespace routix::cli
