// A download converts the same whichever line ends it passed through on its way (a Unix tool, a
// git checkout, an old editor): for every command, a file and its twins with every line end
// written as CR LF, CR, LF or a mix of them give the same outputs and the same scratch files. So
// do its twin saved as UTF-8 by an editor that puts a byte order mark before the first line, and
// its twins padded by a transfer program with DOS end-of-file marks (Ctrl-Z) or with NULs.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "flow/text.hpp"
#include "safety/safety_cases.hpp"
#include "support/case_file.hpp"
#include "support/convert.hpp"

namespace korvath::safety {
namespace {

class LineEndTwins : public ::testing::TestWithParam<const ConversionCommand*> {};

// Every file the run leaves but the input: outputs, scratch files, the `.ODR` listing.
test::Files left_by(const test::Converted& run) {
  test::Files files = test::files_in(run.dir->path());
  files.erase("input.dat");
  return files;
}

void expect_same_conversion(const ConversionCommand& command, const std::string& source) {
  const test::Converted first = test::convert_bytes(command.id, source);
  std::vector<std::pair<std::string, std::string>> twins;  // what was changed, the bytes
  for (const std::vector<std::string_view>& ends :
       {std::vector<std::string_view>{"\r\n"}, {"\r"}, {"\n"}, {"\n", "\r\n", "\r"}})
    twins.emplace_back(testing::PrintToString(ends), with_line_ends(source, ends));
  twins.emplace_back("byte order mark", std::string(kByteOrderMark) + source);
  twins.emplace_back("end-of-file marks", source + "\x1a\r\n" + std::string(200, kEndOfFileMark));
  twins.emplace_back("NUL padding", source + std::string(5000, kNulPadding));
  for (const auto& [shown, bytes] : twins) {
    const test::Converted twin = test::convert_bytes(command.id, bytes);
    ASSERT_EQ(twin.status, first.status) << shown;
    if (first.error) {
      EXPECT_EQ(twin.error->fault(), first.error->fault()) << shown;
      EXPECT_EQ(twin.error->line(), first.error->line()) << shown;
    }
    EXPECT_EQ(left_by(twin), left_by(first)) << shown;
  }
}

TEST_P(LineEndTwins, ConvertAlike) {
  const ConversionCommand& command = *GetParam();
  for (const std::string& source : {example_bytes(command.id), generated_bytes(command.id)})
    if (!source.empty()) expect_same_conversion(command, source);
}

INSTANTIATE_TEST_SUITE_P(Safety, LineEndTwins, ::testing::ValuesIn(built_commands()),
                         [](const auto& info) { return test::test_name(info.param->id); });

}  // namespace
}  // namespace korvath::safety
