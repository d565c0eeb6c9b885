// The catalogue is the one list of commands: every row brings its case folder, its example and its
// bench generator, and the README's and the man page's lists of commands follow it. A row added
// without them fails here, not silently in a test that skips it.
#include "converters/catalogue.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "bench/instrument_file.hpp"
#include "flow/text.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

namespace fs = std::filesystem;

int case_files(std::string_view command_id) {
  const fs::path folder = fs::path(KORVATH_CASES) / std::string(command_id);
  int count = 0;
  if (fs::is_directory(folder))
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".case") ++count;
  return count;
}

TEST(Catalogue, EveryRowHasItsCaseFolderExampleAndBenchGenerator) {
  for (const ConversionCommand& command : catalogue()) {
    EXPECT_GT(case_files(command.id), 0) << "no tests/cases/" << command.id << "/*.case";
    EXPECT_FALSE(test::example_of(command.id).empty()) << "no examples/" << command.id << ".*";
    EXPECT_TRUE(bench::has_generator(command.id))
        << "no generator for " << command.id << " in tests/bench/instrument_file.cpp";
  }
}

TEST(Catalogue, EveryCaseFolderAndExampleBelongsToARow) {
  for (const auto& entry : fs::directory_iterator(KORVATH_CASES))
    EXPECT_NE(find_command(entry.path().filename().string()), nullptr) << entry.path();
  for (const auto& entry : fs::directory_iterator(KORVATH_EXAMPLES))
    EXPECT_NE(find_command(entry.path().stem().string()), nullptr) << entry.path();
}

// The README's table of commands: one row per command, in the catalogue's order, with its menu.
TEST(Catalogue, TheReadmeListsEveryCommandWithItsMenuInOrder) {
  const std::string readme = test::read_file(fs::path(KORVATH_EXAMPLES) / ".." / "README.md");
  std::size_t at = 0;
  for (const ConversionCommand& command : catalogue()) {
    const std::string row = "| `" + std::string(command.id) + "` | " + menu_label(command) + " |";
    const std::size_t found = readme.find(row, at);
    EXPECT_NE(found, std::string::npos) << "README.md lacks, or lists out of order: " << row;
    if (found != std::string::npos) at = found;
  }
}

// The man page's list of commands: the id in bold, then the menu on the next line.
TEST(Catalogue, TheManPageListsEveryCommandWithItsMenuInOrder) {
  const std::string page =
      test::read_file(fs::path(KORVATH_EXAMPLES) / ".." / "share" / "man" / "korvath.1");
  std::size_t at = 0;
  for (const ConversionCommand& command : catalogue()) {
    const std::string entry =
        ".B " + replace_all(command.id, "-", "\\-") + "\n" + menu_label(command) + ":";
    const std::size_t found = page.find(entry, at);
    EXPECT_NE(found, std::string::npos) << "korvath.1 lacks, or lists out of order: " << entry;
    if (found != std::string::npos) at = found;
  }
}

}  // namespace
}  // namespace korvath
