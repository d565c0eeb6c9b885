// One synopsis: `korvath --help`, the README and the man page give the same usage lines, in the
// same order.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.hpp"

namespace korvath {
namespace {

const std::filesystem::path kProject = std::filesystem::path(KORVATH_EXAMPLES) / "..";

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The forms the help ends with, each indented by two blanks.
std::vector<std::string> help_synopsis() {
  const test::TempDir dir;
  std::vector<std::string> forms;
  for (const std::string& line : lines_of(test::korvath(dir, "--help").out))
    if (line.starts_with("  korvath")) forms.push_back(line.substr(2));
  return forms;
}

// The README's block of forms under "## The command line", each indented by four blanks.
std::vector<std::string> readme_synopsis() {
  const std::string readme = test::read_file(kProject / "README.md");
  std::vector<std::string> forms;
  bool in_section = false;
  for (const std::string& line : lines_of(readme)) {
    if (line.starts_with("## ")) in_section = line == "## The command line";
    if (!in_section) continue;
    if (line.starts_with("    korvath"))
      forms.push_back(line.substr(4));
    else if (!forms.empty())
      break;
  }
  return forms;
}

// A macro's arguments: blank-separated, a "quoted" one keeping its blanks.
std::vector<std::string> arguments(const std::string& text) {
  std::vector<std::string> args;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == ' ') {
      ++i;
    } else if (text[i] == '"') {
      const std::size_t end = text.find('"', i + 1);
      args.push_back(text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      const std::size_t end = std::min(text.find(' ', i), text.size());
      args.push_back(text.substr(i, end - i));
      i = end;
    }
  }
  return args;
}

std::string unescaped(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
    } else if (text.compare(i, 2, "\\-") == 0) {
      out += '-';
      ++i;
    } else if (text.compare(i, 2, "\\&") == 0) {
      ++i;
    } else if (text.compare(i, 2, "\\f") == 0) {
      i += 2;  // a font change: \fI, \fB, \fR, \fP
    } else {
      ADD_FAILURE() << "an escape the test does not read: " << text;
    }
  }
  return out;
}

// The text of the man page's .SY ... .YS blocks: .B and .I join their words with blanks, the
// alternating macros (.RB, .IR, ...) without, and a line ending in \c runs into the next.
std::vector<std::string> man_synopsis() {
  const std::string page = test::read_file(kProject / "share" / "man" / "korvath.1");
  std::vector<std::string> forms;
  std::string form;
  bool in_form = false, joined = false;
  for (const std::string& line : lines_of(page)) {
    if (line.starts_with(".SY ")) {
      form = line.substr(4);
      in_form = true;
      joined = false;
      continue;
    }
    if (!in_form || line.starts_with(".\\\"")) continue;
    if (line == ".YS") {
      forms.push_back(form);
      in_form = false;
      continue;
    }
    std::string text = line;
    if (line.starts_with('.')) {
      const std::size_t blank = std::min(line.find(' '), line.size());
      const std::string macro = line.substr(1, blank - 1);
      const std::vector<std::string> args =
          arguments(blank < line.size() ? line.substr(blank + 1) : "");
      text.clear();
      for (const std::string& arg : args) {
        if (!text.empty() && (macro == "B" || macro == "I")) text += ' ';
        text += arg;
      }
      EXPECT_TRUE(macro == "B" || macro == "I" || macro == "RB" || macro == "BR" || macro == "RI" ||
                  macro == "IR")
          << line;
    }
    const bool continues = text.ends_with("\\c");
    if (continues) text.resize(text.size() - 2);
    form += (joined ? "" : " ") + unescaped(text);
    joined = continues;
  }
  return forms;
}

TEST(Synopsis, HelpReadmeAndManPageGiveTheSameForms) {
  const std::vector<std::string> help = help_synopsis();
  ASSERT_GE(help.size(), 5u);
  EXPECT_EQ(readme_synopsis(), help);
  EXPECT_EQ(man_synopsis(), help);
}

}  // namespace
}  // namespace korvath
