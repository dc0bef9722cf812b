#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "base/system_paths.h"

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

// What --help says of one option.
struct OptionHelp {
  std::string_view name;  // with its argument
  std::string_view text;
};

constexpr OptionHelp kNoExport{
    "--no-export",
    "convert the exports already in DYN instead of running db2asc.exe; nothing in the Server "
    "folder changes"};
constexpr OptionHelp kOverwrite{"--overwrite", "replace an existing output"};
constexpr OptionHelp kQuiet{"--quiet", "print nothing but errors"};
constexpr OptionHelp kSelect{"--select LIST",
                             "only these boundaries: all (the default) or IDs and ranges, "
                             "1,4,7-12; a repeated --select adds to them"};
constexpr OptionHelp kPolyline{"--polyline", "write boundaries as polylines instead of polygons"};
constexpr OptionHelp kPerBoundary{
    "--per-boundary", "write one shapefile set per boundary, named after its description"};
constexpr OptionHelp kPrj{
    "--prj FILE",
    "copy FILE, one line of WKT text naming the coordinate system of the routing system's map "
    "units (as a GIS exports it), beside every set written, as its .prj"};
constexpr OptionHelp kToolFolder{
    "--tool-folder DIR",
    "copy the export program's tool files from DIR instead of the site's tool folder"};
constexpr OptionHelp kJson{"--json",
                           "print one JSON array of objects with id, description and node_count"};
constexpr OptionHelp kHelp{"--help, -h", "show this help"};
constexpr OptionHelp kEndOfOptions{
    "--", "end the options: what follows is a path, even when it begins with -"};

// What --help says of one command.
struct CommandHelp {
  Command command;
  std::string_view name;
  std::span<const std::string_view> arguments;  // each kept on one line
  std::string_view summary;                     // for the list of commands
  std::string_view description;                 // for the command's own help
  std::span<const OptionHelp* const> options;
  std::string_view windows_example;  // the example on Windows, with its paths
  std::string_view posix_example;    // the same elsewhere
};

constexpr std::string_view kStreetsArguments[] = {
    "SERVER_FOLDER", "DESTINATION",   "[--no-export]", "[--tool-folder DIR]",
    "[--prj FILE]",  "[--overwrite]", "[--quiet]"};
constexpr const OptionHelp* kStreetsOptions[] = {&kNoExport, &kToolFolder, &kPrj, &kOverwrite,
                                                 &kQuiet};
constexpr std::string_view kBoundariesArguments[] = {
    "SERVER_FOLDER",    "DESTINATION",  "[--select all|LIST]", "[--polyline]",
    "[--per-boundary]", "[--prj FILE]", "[--overwrite]",       "[--quiet]"};
constexpr const OptionHelp* kBoundariesOptions[] = {&kSelect, &kPolyline,  &kPerBoundary,
                                                    &kPrj,    &kOverwrite, &kQuiet};
constexpr std::string_view kListArguments[] = {"SERVER_FOLDER", "[--json]"};
constexpr const OptionHelp* kListOptions[] = {&kJson};

constexpr CommandHelp kCommands[] = {
    {Command::kStreets, "streets", kStreetsArguments,
     "run the export program db2asc.exe and write the street network as one polyline "
     "shapefile at DESTINATION",
     "Runs the routing system's export program PRO\\db2asc.exe in SERVER_FOLDER and writes "
     "the street network as one polyline shapefile set at DESTINATION: one record with 25 "
     "fields per segment of DYN\\Mapfil.asc and then of DYN\\Second.asc. The run fails with "
     "\"Incompatible dictionary file.\" unless the export program ends with status 0 and "
     "writes DYN\\Mapfil.asc afresh.",
     kStreetsOptions, "routix2shp streets D:\\Routing\\Server D:\\maps\\roads.shp",
     "routix2shp streets /data/Server /maps/roads.shp"},
    {Command::kBoundaries, "boundaries", kBoundariesArguments,
     "write the boundaries of DYN\\Rxybnd.dat as Bnd_<name> beside DESTINATION, or one set "
     "per boundary, with Report.err beside them",
     "Writes the boundaries of DYN\\Rxybnd.dat and DYN\\Rxybxt.dat as polygons into one "
     "shapefile set named Bnd_ and the file name of DESTINATION, in the folder of "
     "DESTINATION, or into one set per boundary named after its description. Every outline is "
     "closed and clockwise; Report.err beside the sets lists the edges of a boundary that run "
     "back over each other. A selected boundary of fewer than two nodes is left out, and the "
     "run says how many were.",
     kBoundariesOptions,
     "routix2shp boundaries D:\\Routing\\Server D:\\maps\\zones.shp --select 1,4,7-12",
     "routix2shp boundaries /data/Server /maps/zones.shp --select 1,4,7-12"},
    {Command::kList, "list", kListArguments,
     "print the boundaries (ID, node count, description), one a line",
     "Prints the boundaries of DYN\\Rxybnd.dat that hold nodes, one a line: the ID that "
     "--select takes, the node count and the description, separated by tabs. A tab, carriage "
     "return, line feed or backslash inside a description is written as \\t, \\r, \\n or \\\\.",
     kListOptions, "routix2shp list D:\\Routing\\Server --json",
     "routix2shp list /data/Server --json"},
};

// The example of a command, with paths of the platform the program runs on.
std::string_view Example(const CommandHelp& command) {
  return base::kNativeSeparator == '\\' ? command.windows_example : command.posix_example;
}

constexpr size_t kWidth = 80;         // the lines of the help end before this column
constexpr size_t kOptionColumn = 19;  // where the texts of the options begin
constexpr size_t kCommandColumn = 14;

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// The words in lines shorter than kWidth: the first line begins with first (which may be
// longer than indent), the others with indent blanks.
std::string Wrap(std::string first, std::span<const std::string_view> words, size_t indent) {
  std::string text = std::move(first);
  size_t line_start = 0;
  bool line_empty = true;
  if (text.size() >= indent && !text.empty() && text.back() != ' ') text += ' ';
  text.resize(std::max(text.size(), indent), ' ');
  for (std::string_view word : words) {
    if (!line_empty && text.size() - line_start + 1 + word.size() >= kWidth) {
      text += '\n';
      line_start = text.size();
      text.append(indent, ' ');
      line_empty = true;
    }
    if (!line_empty) text += ' ';
    text += word;
    line_empty = false;
  }
  return text + '\n';
}

std::string Wrap(std::string first, std::string_view text, size_t indent) {
  return Wrap(std::move(first), Words(text), indent);
}

std::string UsageLine(const CommandHelp& command, std::string_view before) {
  std::string first = std::string(before) + "routix2shp " + std::string(command.name) + " ";
  const size_t indent = first.size();
  return Wrap(std::move(first), command.arguments, indent);
}

std::string OptionLine(const OptionHelp& option) {
  return Wrap("  " + std::string(option.name), option.text, kOptionColumn);
}

std::string CommandUsageText(const CommandHelp& command) {
  std::string text =
      UsageLine(command, "usage: ") + "\n" + Wrap("", command.description, 0) + "\noptions:\n";
  for (const OptionHelp* option : command.options) text += OptionLine(*option);
  text += OptionLine(kHelp) + OptionLine(kEndOfOptions);
  return text + "\nexample:\n  " + std::string(Example(command)) + "\n";
}

const CommandHelp* FindCommand(std::string_view name) {
  for (const CommandHelp& command : kCommands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

bool TakesOption(const CommandHelp& command, std::string_view name) {
  return std::any_of(command.options.begin(), command.options.end(),
                     [&](const OptionHelp* option) { return Words(option->name)[0] == name; });
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
  const std::string& name = arguments[0];
  if (name == "--help" || name == "-h") return options;
  if (name == "--version") {
    options.command = Command::kVersion;
    return options;
  }
  const CommandHelp* command = FindCommand(name);
  if (command == nullptr) throw UsageError("unknown command \"" + name + "\"");
  options.command = command->command;

  std::vector<std::string> positional;
  bool options_ended = false;
  bool select_all = false;  // all the boundaries, whatever else --select names
  std::vector<int> selected;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const bool is_option = !options_ended && arg.size() > 1 && arg[0] == '-';
    if (!is_option) {
      positional.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      CliOptions help;
      help.help_for = command->command;
      return help;
    } else if (!TakesOption(*command, arg)) {
      throw UsageError("unknown option \"" + arg + "\" for " + name);
    } else if (arg == "--prj") {
      if (++i == arguments.size()) throw UsageError("--prj needs a projection file");
      options.projection_file = arguments[i];
    } else if (arg == "--tool-folder") {
      if (++i == arguments.size()) throw UsageError("--tool-folder needs a folder");
      options.tool_folder = arguments[i];
    } else if (arg == "--select") {
      if (++i == arguments.size())
        throw UsageError("--select needs all or a list such as 1,4,7-12");
      if (arguments[i] == "all") {
        select_all = true;
      } else {
        std::vector<int> more = ParseOrdinalList(arguments[i]);
        selected.insert(selected.end(), more.begin(), more.end());
        std::sort(selected.begin(), selected.end());
        selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
      }
    } else {
      options.no_export |= arg == "--no-export";
      options.overwrite |= arg == "--overwrite";
      options.quiet |= arg == "--quiet";
      options.polyline |= arg == "--polyline";
      options.per_boundary |= arg == "--per-boundary";
      options.json |= arg == "--json";
    }
  }
  const size_t paths = options.command == Command::kList ? 1 : 2;
  if (positional.size() != paths) {
    throw UsageError(name + " takes " +
                     (paths == 2 ? "SERVER_FOLDER and DESTINATION" : "SERVER_FOLDER"));
  }
  if (!select_all && !selected.empty()) options.select = std::move(selected);
  options.server_folder = positional[0];
  if (paths == 2) options.destination = positional[1];
  return options;
}

std::string ShortUsage() {
  std::string text = "usage:\n";
  for (const CommandHelp& command : kCommands) text += UsageLine(command, "  ");
  return text + "  routix2shp COMMAND --help\n  routix2shp --help\n  routix2shp --version\n";
}

std::string UsageText(Command command) {
  for (const CommandHelp& help : kCommands) {
    if (help.command == command) return CommandUsageText(help);
  }
  std::string text = ShortUsage() +
                     "\nConverts the data folder of the Routix routing system (its Server folder) "
                     "into\nESRI Shapefiles.\n\n" +
                     Wrap("",
                          "Any run into a destination folder first repairs what a killed run "
                          "left there: it completes a set that was being put in place and "
                          "removes the run's temporary files.",
                          0) +
                     "\ncommands:\n";
  for (const CommandHelp& help : kCommands) {
    text += Wrap("  " + std::string(help.name), help.summary, kCommandColumn);
  }
  text += "\noptions:\n";
  for (const OptionHelp* option : {&kNoExport, &kToolFolder, &kPrj, &kOverwrite, &kQuiet, &kSelect,
                                   &kPolyline, &kPerBoundary, &kJson}) {
    text += OptionLine(*option);
  }
  text += OptionLine({"--help, -h", "show this help, or with a command that command's help"}) +
          OptionLine(kEndOfOptions) + "\nexamples:\n";
  for (const CommandHelp& help : kCommands) text += "  " + std::string(Example(help)) + "\n";
  return text + "\n" +
         Wrap("",
              "exit status: 0 done; 1 refused or failed, an ID that --select names and the "
              "list does not hold among them; 2 a malformed command line; 130 stopped by "
              "Ctrl+C; 143 stopped by SIGTERM.",
              0) +
         "\nWhat goes to a file or a pipe instead of a terminal is UTF-8 text.\n";
}

std::string OwnConsoleText() {
  return UsageText() +
         "\nroutix2shp is a command-line program: run it in Command Prompt or PowerShell.\n"
         "For the window, start routix2shp-gui.exe.\n"
         "\nPress Enter to close this window.\n";
}

}  // namespace routix::cli
