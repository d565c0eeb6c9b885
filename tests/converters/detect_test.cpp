// Which command a file fits beyond the table of real files (tests/tables/detect.table): any line
// ends, long downloads, files of other kinds, and the warning of a better fit.
#include "converters/detect.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "bench/instrument_file.hpp"
#include "converters/catalogue.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

namespace fs = std::filesystem;

// Every line end (CR LF, CR or LF) written as `line_end`.
std::string with_line_ends(std::string_view text, std::string_view line_end) {
  std::string out;
  for (const std::string& line : Prefix::of(text, true).lines) out += line + std::string(line_end);
  return out;
}

TEST(Detect, EveryCommandsExampleFitsItWhateverItsLineEnds) {
  for (const ConversionCommand& command : catalogue()) {
    ASSERT_NE(command.signature, nullptr) << command.id;
    for (const auto& entry : fs::directory_iterator(KORVATH_EXAMPLES)) {
      if (entry.path().stem() != command.id) continue;
      const std::string example = test::read_file(entry.path());
      for (const std::string_view end : {"\r\n", "\r", "\n"})
        EXPECT_TRUE(command.signature(Prefix::of(with_line_ends(example, end), true)).fits())
            << command.id << " with line ends "
            << (end == "\n"   ? "LF"
                : end == "\r" ? "CR"
                              : "CR LF");
    }
  }
}

// A download longer than the prefix, so the signature sees its first 64 KiB only, cut in a line.
TEST(Detect, EveryCommandsLongDownloadComesOutWithItsCommandFirst) {
  for (const ConversionCommand& command : catalogue()) {
    if (!bench::has_generator(command.id)) continue;
    std::string download;
    bench::generate(command.id, 3 * kPrefixBytes, [&](std::string_view s) { download += s; });
    const std::vector<Detection> fits = rank_commands(Prefix::of(download, true));
    ASSERT_FALSE(fits.empty()) << command.id;
    EXPECT_EQ(fits.front().command, &command) << fits.front().command->id;
  }
}

struct Bytes {
  const char* name;
  std::string bytes;
};

TEST(Detect, FilesOfOtherKindsFitNone) {
  const Bytes kOthers[] = {
      {"Empty", ""},
      {"PlainText", "Dear surveyor,\r\nthe job of 14 May is attached.\r\nRegards 2024\r\n"},
      {"Binary", std::string("\x7f"
                             "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0",
                             20) +
                     "1,S1,1.5\n"},
      {"NumbersTable", "A0\t\t<compat> 0020\nBC\t\t<fraction> 0031 2044 0034\nC0\t\t0041 0300\n"},
  };
  for (const Bytes& other : kOthers)
    EXPECT_TRUE(rank_commands(Prefix::of(other.bytes, true)).empty()) << other.name;
}

TEST(Detect, SaysWhyAGsiFileOfOtherLineLengthsFitsNone) {
  const std::string word = "110001+00000001 ";
  std::string line;
  for (int i = 0; i < 11; ++i) line += word;
  const std::vector<Detection> misses = near_misses(Prefix::of(line + "\r\n" + line, true));
  ASSERT_EQ(misses.size(), 1u);
  EXPECT_EQ(misses[0].command->id, "leica-tc600");
  EXPECT_EQ(misses[0].fit.evidence,
            "λέξεις GSI των 16 χαρακτήρων, αλλά η γραμμή 1 έχει 176 χαρακτήρες· η εντολή δέχεται"
            " μόνο γραμμές των 64 και 112");
}

TEST(Prefix, CutsLinesAtCrLfAndCrLfAlikeAndDropsALineCutShort) {
  const Prefix whole = Prefix::of("a\r\nb\rc\nd", true);
  EXPECT_EQ(whole.lines, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_TRUE(whole.cr);
  EXPECT_TRUE(whole.lone_lf);
  EXPECT_EQ(Prefix::of("a\nb", false).lines, std::vector<std::string>{"a"});
  const std::string big(kPrefixBytes + 10, 'x');
  const Prefix cut = Prefix::of("line\n" + big, true);
  EXPECT_FALSE(cut.whole);
  EXPECT_EQ(cut.lines, std::vector<std::string>{"line"});
}

TEST(Detect, WarnsOnlyWhenAnotherCommandFitsBetter) {
  const fs::path examples(KORVATH_EXAMPLES);
  const auto better = [&](const char* file, std::string_view chosen) {
    const std::optional<Detection> fit =
        better_fit((examples / file).string(), *find_command(chosen));
    return fit ? std::string(fit->command->id) : std::string();
  };
  EXPECT_EQ(better("south-mes.txt", "leica-tcr307"), "south-mes");
  // Both Topcon raw commands read any line ends: neither fits a raw file better.
  EXPECT_EQ(better("topcon-gts3000-raw-wordpad.raw", "topcon-gts3000-raw"), "");
  EXPECT_EQ(better("south-mes.txt", "south-mes"), "");
  EXPECT_EQ(better("leica-tcr407-idx.idx", "leica-tcr407-coords"),
            "");  // the same file serves both
  EXPECT_EQ(better("no-such-file", "south-mes"), "");
}

}  // namespace
}  // namespace korvath
