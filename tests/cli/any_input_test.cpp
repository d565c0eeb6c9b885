// Conversions side by side and inputs of every kind, through the real binary: two runs that
// share a scratch file never mix their records, a link at a scratch name is never followed, and
// pipes, FIFOs, devices and a file without line ends all end at once, as they should.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "bench/instrument_file.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

// Every command is bounded by `timeout`, so a hang fails the test instead of holding it.
const std::string kKorvath = "timeout 20 '" KORVATH_BINARY "'";

std::string generated(std::string_view command, std::uint64_t bytes) {
  std::string text;
  bench::generate(command, bytes, [&](std::string_view s) { text.append(s); });
  return text;
}

// Two downloads for commands that share a scratch file, each converted alone first; then both
// at once, many times, with the scratch files in the same folder.
TEST(SideBySide, ConversionsSharingScratchFilesNeverMix) {
  TempDir dir;
  struct Run {
    std::string command, input;
  };
  const Run runs[] = {{"pentax-mes", "a"}, {"pentax-mes-traverse", "b"}};
  write_file(dir / "a", generated("pentax-mes", 3'000'000));
  write_file(dir / "b", generated("pentax-mes-traverse", 2'000'000));
  const auto convert = [&](const Run& run, const std::string& tag) {
    return " convert " + run.command + " " + run.input + " " + run.input + tag + "st " + run.input +
           tag + "pt --overwrite=yes --scratch-dir=. >/dev/null";
  };
  std::string alone_scratch[2];
  for (int i : {0, 1}) {
    ASSERT_EQ(test::korvath(dir, convert(runs[i], "alone")).status, 0);
    alone_scratch[i] = read_file(dir / "PENhlp.txt");
  }
  for (int round = 0; round < 6; ++round) {
    const std::string both = kKorvath + convert(runs[0], "both") + " & " + kKorvath +
                             convert(runs[1], "both") + " && wait $!";
    ASSERT_EQ(test::shell(dir, both).status, 0);
    for (const Run& run : runs) {
      for (const std::string part : {"st.txm", "pt.txm", "pt.txm.ODR"}) {
        ASSERT_EQ(read_file(dir / (run.input + "both" + part)),
                  read_file(dir / (run.input + "alone" + part)))
            << run.command << " " << part << " in round " << round;
      }
    }
    const std::string scratch = read_file(dir / "PENhlp.txt");
    EXPECT_TRUE(scratch == alone_scratch[0] || scratch == alone_scratch[1])
        << "the fixed-name scratch file is one whole run's, round " << round;
  }
}

TEST(SideBySide, ALinkAtAScratchNameIsReplacedNotFollowed) {
  for (const bool hard : {false, true}) {
    TempDir dir;
    write_file(dir / "job", read_file(KORVATH_EXAMPLES "/south-mes.txt"));
    write_file(dir / "victim", "not yours\n");
    if (hard) {
      fs::create_hard_link(dir / "victim", dir / "ConvSou.txt");
    } else {
      fs::create_symlink(dir / "victim", dir / "ConvSou.txt");
    }
    ASSERT_EQ(test::korvath(dir, "convert south-mes job st pt --scratch-dir=.").status, 0);
    EXPECT_EQ(read_file(dir / "victim"), "not yours\n") << hard;
    EXPECT_EQ(fs::hard_link_count(dir / "victim"), 1U) << hard;
    EXPECT_FALSE(fs::is_symlink(dir / "ConvSou.txt")) << hard;
    EXPECT_NE(read_file(dir / "ConvSou.txt"), "") << hard;
  }
}

// A run writes over the scratch file an earlier run left: what it leaves holds its own records
// only, whether it ends well or at a fault in the middle.
TEST(SideBySide, AScratchFileWrittenOverHoldsOnlyTheNewRecords) {
  const std::string example = read_file(KORVATH_EXAMPLES "/south-mes.txt");
  for (const std::string& input : {example, example + "1 2 3 4 5 6 7 8 9 10\n" + example}) {
    TempDir fresh, used;
    for (const TempDir* dir : {&fresh, &used}) write_file(*dir / "job", input);
    write_file(used / "long", generated("south-mes", 1'000'000));
    const std::string tail = " st pt --overwrite=yes --scratch-dir=. >/dev/null 2>&1";
    ASSERT_EQ(test::korvath(used, "convert south-mes long" + tail).status, 0);
    const int status = test::korvath(fresh, "convert south-mes job" + tail).status;
    EXPECT_EQ(test::korvath(used, "convert south-mes job" + tail).status, status);
    EXPECT_EQ(read_file(used / "ConvSou.txt"), read_file(fresh / "ConvSou.txt")) << status;
  }
}

TEST(AnyInput, PipesAndFifosConvertAsTheSameBytesInAFile) {
  TempDir dir;
  write_file(dir / "job", read_file(KORVATH_EXAMPLES "/south-mes.txt"));
  const std::string tail = " --overwrite=yes --scratch-dir=. >/dev/null";
  ASSERT_EQ(test::korvath(dir, "convert south-mes job st pt" + tail).status, 0);
  const std::string stations = read_file(dir / "st.txm"), points = read_file(dir / "pt.txm");
  ASSERT_NE(points, "");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  for (const std::string& how :
       {"cat job | " + kKorvath + " convert south-mes - st2 pt2",
        "cat job | " + kKorvath + " convert south-mes /dev/stdin st2 pt2",
        "(cat job > fifo &) ; " + kKorvath + " convert south-mes fifo st2 pt2"}) {
    std::filesystem::remove(dir / "pt2.txm");
    ASSERT_EQ(test::shell(dir, how + tail).status, 0) << how;
    EXPECT_EQ(read_file(dir / "st2.txm"), stations) << how;
    EXPECT_EQ(read_file(dir / "pt2.txm"), points) << how;
  }
}

TEST(AnyInput, DevicesAndFifoOutputsAreRefusedBeforeAnythingIsTouched) {
  TempDir dir;
  write_file(dir / "job", read_file(KORVATH_EXAMPLES "/south-mes.txt"));
  ASSERT_EQ(mkfifo((dir / "out.txm").c_str(), 0600), 0);
  for (const std::string how :
       {"convert south-mes /dev/zero st pt", "convert south-mes /dev/urandom st pt",
        "convert south-mes job out.txm pt"}) {
    const test::ShellResult r = test::korvath(dir, how);
    EXPECT_EQ(r.status, 1) << how;
    EXPECT_NE(r.err.find("κανονικό αρχείο"), std::string::npos) << how;
    EXPECT_FALSE(fs::exists(dir / "st.txm")) << how;
    EXPECT_FALSE(fs::exists(dir / "pt.txm")) << how;
  }
}

TEST(AnyInput, AFileWithoutLineEndsStopsAtItsFirstLine) {
  TempDir dir;
  // NOLINTNEXTLINE(bugprone-string-constructor): 50 MB without a line end is the point
  write_file(dir / "job", std::string(50'000'000, '7'));
  const test::ShellResult r = test::korvath(dir, "convert south-mes job st pt --scratch-dir=.");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("γραμμή 1: η γραμμή είναι πολύ μεγάλη"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace korvath
