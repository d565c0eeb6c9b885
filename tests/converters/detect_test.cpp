// Which command a file fits, beyond the rows of tests/tables/detect.table: every example whatever
// its line ends, every long download, and how the prefix is cut into lines.
#include "converters/detect.hpp"

#include <gtest/gtest.h>

#include "bench/instrument_file.hpp"
#include "converters/catalogue.hpp"
#include "flow/text.hpp"
#include "safety/safety_cases.hpp"
#include "support/files.hpp"

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

// The window and `convert auto` choose among the best: a file's own command is always one of
// them, and a tie holds only commands that read the same file equally well.
TEST(Detect, EveryExampleIsAmongTheBestCommandsOfItsFileAndTiesAreEqual) {
  for (const ConversionCommand& command : catalogue()) {
    const Prefix prefix = Prefix::of(safety::example_bytes(command.id), true);
    const std::vector<Detection> best = best_commands(prefix);
    const std::vector<Detection> ranked = rank_commands(prefix);
    ASSERT_FALSE(best.empty()) << command.id;
    EXPECT_TRUE(std::any_of(best.begin(), best.end(),
                            [&](const Detection& d) { return d.command == &command; }))
        << command.id << " not among the best";
    for (std::size_t i = 0; i < best.size(); ++i) {
      EXPECT_EQ(best[i].command, ranked[i].command) << command.id;
      EXPECT_EQ(best[i].fit.score, ranked.front().fit.score) << command.id;
    }
  }
  EXPECT_TRUE(best_commands(Prefix::of("", true)).empty());
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

// After a conversion only the chosen command's signature is asked when it explains the whole
// prefix; the answer must be the one the full ranking gives, for every file and every choice:
// the examples, and an IDX file whose point table fills the prefix, which the measurements
// command half fits (its set-ups may lie beyond) and the coordinates command fits in full.
TEST(Detect, BetterFitAgreesWithTheFullRankingForEveryExampleAndChoice) {
  std::string points = "HEADER\r\nEND HEADER\r\nDATABASE\r\n\tPOINTS(PointNo, PointID, East)\r\n";
  while (points.size() <= kPrefixBytes)
    points +=
        "\t\t500001,\t\"101\",\t1020.4123,\t2028.9910,\t100.5210,\t\"\",\t14-05-2024,\tMEAS;\r\n";
  std::vector<std::string> downloads = {points};
  for (const ConversionCommand& command : catalogue())
    downloads.push_back(safety::example_bytes(command.id));
  const test::TempDir dir;
  const std::string path = dir / "download";
  int better_ones = 0;
  for (const std::string& download : downloads) {
    test::write_file(path, download);
    const std::vector<Detection> fits = rank_commands(read_prefix(path));
    for (const ConversionCommand& chosen : catalogue()) {
      const auto mine = std::find_if(fits.begin(), fits.end(),
                                     [&](const Detection& d) { return d.command == &chosen; });
      const bool better = !fits.empty() && fits.front().command != &chosen &&
                          (mine == fits.end() || mine->fit.score < fits.front().fit.score);
      const std::optional<Detection> got = better_fit(path, chosen);
      ASSERT_EQ(got.has_value(), better) << download.substr(0, 40) << " as " << chosen.id;
      if (got) {
        EXPECT_EQ(got->command, fits.front().command) << chosen.id;
        better_ones += mine != fits.end();
      }
    }
  }
  EXPECT_GT(better_ones, 0) << "no file fits its chosen command less well than another";
}

// The quick question a batch asks first never hides a warning: a file its command explains in
// full draws none, whatever the command and the download (UTF-16 text included).
TEST(Detect, AFileExplainedInFullDrawsNoFitWarning) {
  std::vector<std::string> downloads = {std::string("\xFF\xFES\0T\0\r\0\n\0", 10)};
  for (const ConversionCommand& command : catalogue())
    downloads.push_back(safety::example_bytes(command.id));
  const test::TempDir dir;
  const std::string path = dir / "download";
  const InputAdvice advice = detector_advice();
  int in_full = 0;
  for (const std::string& download : downloads) {
    test::write_file(path, download);
    const Prefix prefix = read_prefix(path);
    for (const ConversionCommand& chosen : catalogue()) {
      if (!explained_in_full(prefix, chosen)) continue;
      ++in_full;
      EXPECT_EQ(advice.fits_better(path, chosen), std::nullopt) << chosen.id;
    }
  }
  EXPECT_GT(in_full, 0) << "no example is explained in full by any command";
}

// An IDX file whose point table fills the first 64 KiB: its set-ups may lie beyond, so the
// measurement command fits it by half and says why; the coordinate command fits it in full.
TEST(Detect, AnIdxFileWithItsSetUpsBeyondThePrefixHalfFitsTheMeasurementCommand) {
  std::string idx = "HEADER\r\nEND HEADER\r\nDATABASE\r\n\tPOINTS(PointNo, PointID, East)\r\n";
  while (idx.size() <= kPrefixBytes)
    idx +=
        "\t\t500001,\t\"101\",\t1020.4123,\t2028.9910,\t100.5210,\t\"\",\t14-05-2024,\tMEAS;\r\n";
  idx += "\tEND POINTS\r\n\tSETUP\r\n\t\tSTN_ID\t\"ST1\"\r\n\tEND SETUP\r\n\tSLOPE(TgtNo)\r\n";
  const test::TempDir dir;
  test::write_file(dir / "job.idx", idx);
  const std::vector<Detection> fits = rank_commands(read_prefix(dir / "job.idx"));
  ASSERT_EQ(fits.size(), 2u);
  EXPECT_EQ(fits[0].command->id, "leica-tcr407-coords");
  EXPECT_EQ(fits[0].fit.score, 100);
  EXPECT_EQ(fits[1].command->id, "leica-tcr407-idx");
  EXPECT_EQ(fits[1].fit.score, 50);
  EXPECT_EQ(fits[1].fit.evidence,
            "γραμμή 1: HEADER· μπλοκ SETUP και πίνακες SLOPE όχι στα πρώτα 64 KiB");
  // The same file within the prefix: the set-ups are seen, and the file fits both in full.
  test::write_file(dir / "short.idx", idx.substr(0, 200) + idx.substr(idx.find("\tEND POINTS")));
  const std::vector<Detection> whole = rank_commands(read_prefix(dir / "short.idx"));
  ASSERT_EQ(whole.size(), 2u);
  for (const Detection& fit : whole) EXPECT_EQ(fit.fit.score, 100) << fit.command->id;
}

// The prefix of a file is read to its size and one byte more; around the prefix's own size, and
// for a file whose size says nothing (a kernel file), it is what the bytes make of it.
TEST(Prefix, ReadFromAFileIsTheSameAsFromItsBytes) {
  const test::TempDir dir;
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{1}, kPrefixBytes - 1, kPrefixBytes, kPrefixBytes + 1}) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += i % 50 == 49 ? '\n' : 'a';
    test::write_file(dir / "file", bytes);
    const Prefix read = read_prefix(dir / "file");
    const Prefix cut = Prefix::of(bytes, true);
    EXPECT_EQ(read.lines, cut.lines) << size;
    EXPECT_EQ(read.whole, cut.whole) << size;
  }
  // Text padded with NUL bytes past the prefix ends where its text ends: its last line counts.
  const std::string text = "S1 1.5\r\nP1 1.3 10.0000 99.5000 12.000";
  test::write_file(dir / "padded", text + std::string(kPrefixBytes + 100, '\0'));
  const Prefix padded = read_prefix(dir / "padded");
  EXPECT_TRUE(padded.whole);
  EXPECT_TRUE(padded.text);
  EXPECT_EQ(padded.lines, Prefix::of(text, true).lines);
  const Prefix kernel = read_prefix("/proc/self/status");
  EXPECT_TRUE(kernel.whole);
  EXPECT_GT(kernel.lines.size(), 5u);
}

}  // namespace
}  // namespace korvath
