// The command line end to end. Each cases/NAME.case runs shell commands in a temporary folder,
// routix2shp (the tests' copy, beside its stand-in tool folder) and routix2shp-sample on the
// PATH. "$ COMMAND" runs one; the lines after it are all that it prints, "> " a line of
// standard output, "! " one of standard error, then "exit N" unless its status is 0, with
// {TMP} for the folder and {SECONDS} for a run's seconds. "= PATH" compares the file byte for
// byte with cases/NAME/PATH, which ROUTIX_REGENERATE=1 writes from the build at hand; "? COMMAND"
// skips the case unless the command succeeds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(ROUTIX_CASES)) {
    if (entry.path().extension() == ".case") names.push_back(entry.path().stem().string());
  }
  return names;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, Case) {
  const fs::path file = fs::path(ROUTIX_CASES) / (GetParam() + ".case");
  testing::TempFolder folder, errors;
  const std::string tmp = folder.path().string(), error_file = errors.Path("error");
  // What the command prints, as the lines of a case.
  auto run = [&](const std::string& command) {
    const testing::CommandResult result =
        testing::RunCommand("{ export PATH=" ROUTIX_PROGRAM_FOLDER ":" ROUTIX_BUILD_FOLDER
                            ":\"$PATH\" MAN_PAGE=" ROUTIX_MAN_PAGE " COMPLETION=" ROUTIX_COMPLETION
                            " BUILD=" ROUTIX_BUILD_FOLDER " CMAKE=" ROUTIX_CMAKE "; cd " +
                            testing::ShellQuote(tmp) + " || exit\n" + command + "\n} 2>" +
                            testing::ShellQuote(error_file));
    std::string printed;
    for (const auto& [mark, text] :
         {std::pair{">", result.output}, {"!", testing::ReadFileBytes(error_file)}}) {
      std::istringstream lines(text);
      for (std::string line; std::getline(lines, line);)
        printed += mark + std::string(line.empty() ? "" : " ") + line + "\n";
    }
    if (result.exit_status != 0) printed += "exit " + std::to_string(result.exit_status) + "\n";
    for (size_t at; (at = printed.find(tmp)) != std::string::npos;)
      printed.replace(at, tmp.size(), "{TMP}");
    return std::regex_replace(printed, std::regex(" in [0-9]+\\.[0-9][0-9] s\\."),
                              " in {SECONDS} s.");
  };
  std::ifstream lines(file);
  std::string line, command, expected;
  for (bool more = true; more;) {
    more = static_cast<bool>(std::getline(lines, line));
    if (!more) line = "$ ";  // the end of the file ends the last command's lines
    if (line.empty() || line[0] == '#') continue;
    const std::string rest = line.size() > 2 ? line.substr(2) : "";
    if (line[0] == '>' || line[0] == '!' || line.starts_with("exit ")) {
      expected += line + "\n";
      continue;
    }
    if (!command.empty()) {
      EXPECT_EQ(run(command), expected) << command;
    }
    command.clear(), expected.clear();
    if (line.starts_with("$ ")) {
      command = rest;
    } else if (line.starts_with("? ") && ("\n" + run(rest)).find("\nexit ") != std::string::npos) {
      GTEST_SKIP() << rest << " fails here";
    } else if (line.starts_with("= ")) {
      const fs::path expected_file = file.parent_path() / GetParam() / rest;
      const std::string bytes = testing::ReadFileBytes(folder.path() / rest);
      if (getenv("ROUTIX_REGENERATE") != nullptr) {
        fs::create_directories(expected_file.parent_path());
        testing::WriteFileBytes(expected_file, bytes);
      }
      EXPECT_TRUE(bytes == testing::ReadFileBytes(expected_file)) << rest << " differs";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(CaseNames()),
                         [](const auto& test) { return test.param; });

}  // namespace
}  // namespace routix::cli
