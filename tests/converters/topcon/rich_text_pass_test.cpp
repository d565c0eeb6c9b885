#include "converters/topcon/rich_text_pass.hpp"

#include <gtest/gtest.h>

#include <random>

#include "converters/topcon/rich_text.hpp"
#include "flow/text.hpp"
#include "support/files.hpp"

namespace korvath::topcon {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

// The pass on the whole text: every line end made the bare line feed of the records, the text
// rendered whole, stripped of "\par ", one more CR LF.
std::string whole_text_pass(const std::string& input) {
  const std::string records =
      replace_all(replace_all(test::read_file(input), "\r\n", "\n"), "\r", "\n");
  return replace_all(rich_text_rendering(records), "\\par ", "") + "\r\n";
}

// Inputs where streaming can go wrong: line ends of every kind, marks and their beginnings in
// the data, and each of them cut by the end of the 64 KiB read buffer at every byte.
std::vector<std::string> awkward_inputs() {
  std::vector<std::string> inputs = {"",
                                     "\r",
                                     "\n",
                                     "\\",
                                     "1,S1\r2,S2\r",
                                     "a\r\nb\nc\r\r\n\n\r",
                                     "2,\\par x,\\pa,\\\\par \n\\par ",
                                     "x\\par",
                                     "\\pa\n}"};
  constexpr std::size_t kBuffer = 1 << 16;
  for (std::string_view cut : {"\r", "\r\n", "\\par ", "\r\r\n\n", "\\\\par  \\par\\par "}) {
    for (std::size_t back = 0; back <= cut.size(); ++back) {
      std::string input(kBuffer - back, 'x');
      for (std::size_t i = 0; i < input.size(); i += 97) input[i] = '\n';
      inputs.push_back(input.append(cut).append("2,101\n"));
    }
  }
  std::mt19937 random(5);
  constexpr std::string_view kPieces[] = {"\r", "\n",  "\r\n", "\\", "\\par ",   "\\par",
                                          "p",  "ar ", " ",    "}",  "2,101,1.5"};
  for (int n = 0; n < 4; ++n) {
    std::string input;
    while (input.size() < 3 * kBuffer) input += kPieces[random() % std::size(kPieces)];
    inputs.push_back(std::move(input));
  }
  return inputs;
}

TEST(TopconRichTextPass, StreamedScratchFileIsTheWholeTextRendering) {
  TempDir dir;
  for (const std::string& input : awkward_inputs()) {
    write_file(dir / "in.dat", input);
    {
      RecordText in(dir / "in.dat");
      OutputFile rendering(dir / "Top300hlp.txt");
      rich_text_pass(in, rendering);
    }
    ASSERT_EQ(read_file(dir / "Top300hlp.txt"), whole_text_pass(dir / "in.dat"))
        << testing::PrintToString(input.substr(0, 80)) << ", " << input.size() << " bytes";
  }
}

}  // namespace
}  // namespace korvath::topcon
