// Which command a file fits, beyond the rows of tests/tables/detect.table: every example whatever
// its line ends, every long download, and how the prefix is cut into lines.
#include "converters/detect.hpp"

#include <gtest/gtest.h>

#include "bench/instrument_file.hpp"
#include "converters/catalogue.hpp"
#include "flow/text.hpp"
#include "safety/safety_cases.hpp"

namespace korvath {
namespace {

TEST(Detect, EveryCommandsExampleFitsItWhateverItsLineEndsOrAByteOrderMark) {
  for (const ConversionCommand& command : catalogue()) {
    ASSERT_NE(command.signature, nullptr) << command.id;
    const std::string example = safety::example_bytes(command.id);
    for (const std::string_view end : {"\r\n", "\r", "\n"})
      EXPECT_TRUE(
          command.signature(Prefix::of(safety::with_line_ends(example, {end}), true)).fits())
          << command.id << " with line ends " << testing::PrintToString(end);
    EXPECT_EQ(command.signature(Prefix::of(std::string(kByteOrderMark) + example, true)).score,
              command.signature(Prefix::of(example, true)).score)
        << command.id << " after a byte order mark";
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

// A serial dump sent without line ends is one line, which a long one has cut by the prefix.
TEST(Detect, ABareSerialDumpLongerThanThePrefixFitsTheGts200Command) {
  std::string dump = "_'1_(_)1.500";
  while (dump.size() < 2 * kPrefixBytes)
    dump += "_+2_ ?+00010000m1000000+0000000g+00009960t**+00+00100_*_,1.500";
  const std::vector<Detection> fits = rank_commands(Prefix::of(dump, true));
  ASSERT_EQ(fits.size(), 1u);
  EXPECT_EQ(fits.front().command->id, "topcon-gts200");
}

TEST(Prefix, CutsLinesAtCrLfAndCrLfAlikeAndDropsALineCutShort) {
  const Prefix whole = Prefix::of("a\r\nb\rc\nd", true);
  EXPECT_EQ(whole.lines, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_TRUE(whole.cr);
  EXPECT_TRUE(whole.lone_lf);
  EXPECT_EQ(Prefix::of("a\nb", false).lines, std::vector<std::string>{"a"});
  EXPECT_EQ(Prefix::of("a\nb", false).cut, "b");
  const std::string big(kPrefixBytes + 10, 'x');
  const Prefix cut = Prefix::of("line\n" + big, true);
  EXPECT_FALSE(cut.whole);
  EXPECT_EQ(cut.lines, std::vector<std::string>{"line"});
}

}  // namespace
}  // namespace korvath
