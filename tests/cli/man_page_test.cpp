// The man page and the bash completion are kept by hand in packaging/: each must name exactly
// the commands and the long options that routix2shp --help names, so that none drifts from
// the others; and the completion completes what it names.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/command.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

using Words = std::set<std::string>;

// The first group of every match of pattern in text.
Words Matches(const std::string& text, const std::string& pattern) {
  Words words;
  const std::regex expression(pattern, std::regex::multiline);
  for (std::sregex_iterator it(text.begin(), text.end(), expression), end; it != end; ++it) {
    words.insert((*it)[1]);
  }
  return words;
}

// The command names of the "commands:" section of the help: its lines indented by two blanks.
Words HelpCommands(const std::string& help) {
  std::istringstream lines(help.substr(help.find("\ncommands:\n") + 1));
  std::string line;
  std::getline(lines, line);
  Words commands;
  while (std::getline(lines, line) && !line.empty()) {
    if (line.rfind("  ", 0) == 0 && line[2] != ' ')
      commands.insert(line.substr(2, line.find(' ', 2) - 2));
  }
  return commands;
}

TEST(ManPage, NamesTheCommandsAndOptionsThatTheHelpNames) {
  testing::CommandResult help =
      testing::RunCommand(testing::ShellQuote(ROUTIX_BUILT_PROGRAM) + " --help");
  ASSERT_EQ(help.exit_status, 0);
  // In roff a minus sign is written \-.
  const std::string man =
      std::regex_replace(testing::ReadFileBytes(ROUTIX_MAN_PAGE), std::regex(R"(\\-)"), "-");

  const Words commands = HelpCommands(help.output);
  EXPECT_EQ(commands, (Words{"streets", "boundaries", "list"}));
  EXPECT_EQ(Matches(man, R"(^\.B routix2shp ([a-z]+)$)"), commands);
  EXPECT_EQ(Matches(man, R"((--[a-z][a-z-]*))"), Matches(help.output, R"((--[a-z][a-z-]*))"));

  const std::string completion = testing::ReadFileBytes(ROUTIX_COMPLETION);
  EXPECT_EQ(Matches(completion, R"((--[a-z][a-z-]*))"),
            Matches(help.output, R"((--[a-z][a-z-]*))"));
  EXPECT_EQ(Matches(completion, R"(^    ([a-z]+)\))"), commands);
}

TEST(BashCompletion, CompletesACommandAnOptionAndAFolder) {
  testing::TempFolder folder;
  std::filesystem::create_directories(folder.path() / "Server");
  testing::WriteFileBytes(folder.path() / "Servers.txt", "not a folder");
  struct Row {
    std::string words;
    std::string completions;
  } rows[] = {
      {"routix2shp bou", "boundaries"},
      {"routix2shp streets Server --no", "--no-export"},
      {"routix2shp list Ser", "Server"},
      {"routix2shp boundaries Server b.shp --select ''", "all"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.words);
    testing::CommandResult result = testing::RunCommand(
        "cd " + testing::ShellQuote(folder.path().string()) + " && bash -c " +
        testing::ShellQuote("source " + testing::ShellQuote(ROUTIX_COMPLETION) +
                            " && COMP_WORDS=(" + row.words +
                            ") && COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && _routix2shp && "
                            "echo \"${COMPREPLY[*]}\"") +
        " 2>&1");
    EXPECT_EQ(result.output, row.completions + "\n");
  }
}

}  // namespace
}  // namespace routix::cli
