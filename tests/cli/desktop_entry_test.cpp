// The desktop entry offers Korvath for every download an open dialog names, through the MIME
// types share/mime/packages/korvath.xml declares.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "converters/catalogue.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

const std::filesystem::path kShare = std::filesystem::path(KORVATH_EXAMPLES) / ".." / "share";

std::set<std::string> matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator(); ++it)
    found.insert((*it)[1]);
  return found;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The patterns of the open filters ("label|*.gsi;*.GSI|label|*.*|"), but "all files".
std::set<std::string> filter_patterns() {
  std::set<std::string> patterns;
  for (const ConversionCommand& command : catalogue()) {
    const std::string filter(command.open_filter);
    std::size_t field = 0;
    for (std::size_t at = 0, bar; (bar = filter.find('|', at)) != std::string::npos;
         at = bar + 1, ++field) {
      if (field % 2 == 0) continue;
      const std::string list = filter.substr(at, bar - at);
      for (std::size_t from = 0, end; from <= list.size(); from = end + 1) {
        end = std::min(list.find(';', from), list.size());
        if (const std::string pattern = list.substr(from, end - from); pattern != "*.*")
          patterns.insert(lower(pattern));
      }
    }
  }
  return patterns;
}

TEST(DesktopEntry, EveryOpenFilterPatternHasAType) {
  const std::string xml = test::read_file(kShare / "mime" / "packages" / "korvath.xml");
  const std::set<std::string> globs = matches(xml, std::regex("<glob pattern=\"([^\"]+)\"/>"));
  const std::set<std::string> patterns = filter_patterns();
  EXPECT_FALSE(patterns.empty());
  for (const std::string& pattern : patterns)
    EXPECT_TRUE(globs.contains(pattern)) << "korvath.xml has no glob " << pattern;
  for (const std::string& glob : globs)
    EXPECT_TRUE(patterns.contains(glob)) << "no open dialog names " << glob;
}

TEST(DesktopEntry, OpensFilesOfEveryDeclaredType) {
  const std::string xml = test::read_file(kShare / "mime" / "packages" / "korvath.xml");
  const std::string entry = test::read_file(kShare / "applications" / "korvath.desktop");
  const std::set<std::string> declared = matches(xml, std::regex("<mime-type type=\"([^\"]+)\">"));
  std::smatch line;
  ASSERT_TRUE(std::regex_search(entry, line, std::regex("\\nMimeType=([^\\n]*)\\n")));
  const std::string list = line[1];
  EXPECT_EQ(matches(list, std::regex("([^;]+);")), declared);
  EXPECT_NE(entry.find("\nExec=korvath %F\n"), std::string::npos);
}

}  // namespace
}  // namespace korvath
