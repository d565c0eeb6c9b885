// Runs every case file of tests/cases/ (support/case_file.hpp): one test per file, named after
// its command and its own name, "SouthMesBlankLinesAreDropped".
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/case_file.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> case_files() {
  std::vector<fs::path> paths;
  for (const auto& entry : fs::recursive_directory_iterator(KORVATH_CASES))
    if (entry.path().extension() == ".case") paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  return paths;
}

class Case : public ::testing::TestWithParam<fs::path> {};

TEST_P(Case, Converts) {
  const CaseFile c = read_case(GetParam());
  const Converted out = convert_bytes(c.command, c.input);
  if (c.fault) {
    ASSERT_EQ(out.status, Outcome::Status::failed);
    EXPECT_EQ(out.error->fault(), *c.fault) << out.error->what();
    EXPECT_EQ(out.error->file(), *out.dir / c.fault_file);
    EXPECT_EQ(out.error->line(), c.fault_line);
  } else {
    ASSERT_EQ(out.status, c.invalid ? Outcome::Status::invalid_input : Outcome::Status::converted)
        << (out.error ? out.error->what() : "");
  }
  std::vector<std::string> notes;
  for (const Note& note : out.notes) {
    EXPECT_EQ(note.file, *out.dir / "input.dat");
    notes.push_back(std::to_string(note.line) + ": " + note.text);
  }
  EXPECT_EQ(notes, c.notes);
  if (c.written) {
    std::vector<std::string> written;
    for (const WrittenFile& file : out.written)
      written.push_back(fs::path(file.path).filename().string() + " " + std::to_string(file.lines));
    EXPECT_EQ(written, *c.written);
  }
  Files files = files_in(out.dir->path());
  EXPECT_EQ(files["input.dat"], c.input) << "the input was changed";
  files.erase("input.dat");
  for (const auto& [name, bytes] : c.files) {
    const auto written = files.find(name);
    if (written == files.end()) {
      ADD_FAILURE() << name << " was not written";
    } else {
      EXPECT_EQ(spelt(written->second), spelt(bytes)) << name;
      files.erase(written);
    }
  }
  for (const auto& [name, bytes] : files)
    ADD_FAILURE() << name << " was written:\n" << spelt(bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, Case, ::testing::ValuesIn(case_files()),
                         [](const auto& info) { return read_case(info.param).name; });

}  // namespace
}  // namespace korvath::test
