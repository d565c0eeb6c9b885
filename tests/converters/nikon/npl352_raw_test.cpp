#include <gtest/gtest.h>

#include <string>

#include "converters/catalogue.hpp"
#include "converters/nikon/byte_case.hpp"
#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "support/convert.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;
using test::ByteCase;
using test::convert_bytes;

constexpr std::string_view kCommand = "nikon-npl352-raw";
constexpr std::string_view kScratch = "/nikhelp.txt";
const std::string kSetup =
    "ST,ST1,,ST2,,1.600,0.0000,0.0000\r\nF1,ST2,1.500,30.000,100.0000,99.0000,0\r\n";

const ByteCase kRaw[] = {
    {"StationBacksightAndSideShot", kSetup + "SS,1001,1.500,25.432,213.3333,98.7654,0,CODE\r\n",
     "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n",
     " 1001 ,ST1,ST2, 1.5 , 113.3333 , 98.7654 , 25.432 , 1.6 \r\n"},
    {"SideShotBelowTheBacksightGetsFourHundredOnce",
     "ST,S1,,,,1.6,0,0\r\nF1,S2,1.5,30,350,99,0\r\nSS,7,1.5,20,10,100,0,P\r\n",
     "S2,S1,S2, 1.5 , 0 , 99 , 30 , 1.6 \r\n", " 7 ,S1,S2, 1.5 , 60 , 100 , 20 , 1.6 \r\n"},
    {"SideShotBeforeAnyBacksightIsReducedByZero",
     "ST,S1,,,,1.6,0,0\r\nSS,7,1.5,20,10,100,0,P\r\nSS,8,1.5,20,-10,100,0,P\r\n", "",
     " 7 ,S1,, 1.5 , 10 , 100 , 20 , 1.6 \r\n 8 ,S1,, 1.5 , 390 , 100 , 20 , 1.6 \r\n"},
    {"SideShotsRoutedByTheLeadingNumberOfTheTarget",
     kSetup + "SS,A5,1,2,100,3,0,X\r\nSS,0,1,2,100,3,0,X\r\nSS,5A,1,2,100,3,0,X\r\n",
     "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\nA5,ST1,ST2, 1 , 0 , 3 , 2 , 1.6 \r\n"
     " 0 ,ST1,ST2, 1 , 0 , 3 , 2 , 1.6 \r\n",
     "5A,ST1,ST2, 1 , 0 , 3 , 2 , 1.6 \r\n"},
    {"NumberedBacksightStillGoesToTheStationFile",
     "ST,1,,,,1.430,0,0\r\nF1,2,1.5,40.1,300,100.5,0\r\nSS,3,1.5,8.9,310,102,0,P\r\n",
     " 2 , 1 , 2 , 1.5 , 0 , 100.5 , 40.1 , 1.43 \r\n",
     " 3 , 1 , 2 , 1.5 , 10 , 102 , 8.9 , 1.43 \r\n"},
    {"UnnamedBacksightLeavesTheNamesEmpty",
     "ST,1,,,,1.430,0.0000,0.0000\r\nF1,,1.500,,0.0000,110.5344,13:47:08\r\n"
     "SS,2,1.500,8.986,107.9916,102.3376,14:00:04,P\r\n",
     ", 1 ,, 1.5 , 0 , 110.5344 ,, 1.43 \r\n",
     " 2 , 1 ,, 1.5 , 107.9916 , 102.3376 , 8.986 , 1.43 \r\n"},
    {"NewStationKeepsTheOldBacksightUntilItsOwnF1",
     kSetup + "ST,ST2,,,,1.450,0,0\r\nSS,9,1,2,150,3,0,X\r\nF1,ST1,1.2,30,250,101,0\r\n"
              "SS,10,1,2,300,3,0,X\r\n",
     "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\nST1,ST2,ST1, 1.2 , 0 , 101 , 30 , 1.45 \r\n",
     " 9 ,ST2,ST2, 1 , 50 , 3 , 2 , 1.45 \r\n 10 ,ST2,ST1, 1 , 50 , 3 , 2 , 1.45 \r\n"},
    {"EmptyReadingCountsAsZero", kSetup + "SS,4,1,2,,3,0,X\r\n",
     "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n", " 4 ,ST1,ST2, 1 , 300 , 3 , 2 , 1.6 \r\n"},
    {"SurplusItemsAreDroppedOneByOne",
     kSetup + "SS,4,1,2,150,3,0,X,extra,1.5\r\nSS,5,1,2,160,3,0,X\r\n",
     "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n",
     " 4 ,ST1,ST2, 1 , 50 , 3 , 2 , 1.6 \r\n 5 ,ST1,ST2, 1 , 60 , 3 , 2 , 1.6 \r\n"},
    {"ShortRecordTakesItsLastItemFromTheNextLine",
     kSetup + "SS,4,1,2,150,3,P\r\nSS,5,1,2,160,3,0,X\r\nSS,6,1,2,170,3,0,X\r\n",
     "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n",
     " 4 ,ST1,ST2, 1 , 50 , 3 , 2 , 1.6 \r\n 6 ,ST1,ST2, 1 , 70 , 3 , 2 , 1.6 \r\n"},
    {"OnlyStationsGiveEmptyFiles", "CO,Nikon RAW data format V2.00\r\nST,S1,,,,1.6,0,0\r\n", "",
     ""},
    {"LineFeedOnlyFileIsOneLineOfItsFirstType",
     "CO,heading\nST,S1,,,,1.6,0,0\nF1,S2,1.5,30,100,99,0\nSS,7,1.5,20,110,100,0,P\n", "", ""},
};

class NikonRawBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(NikonRawBytes, WritesBothFilesExactly) {
  test::expect_converted(kCommand, GetParam());
}

INSTANTIATE_TEST_SUITE_P(NikonRaw, NikonRawBytes, ::testing::ValuesIn(kRaw), test::case_name);

TEST(NikonRawScratch, KeepsOnlyStF1AndSsLinesUnchanged) {
  const auto out = convert_bytes(
      kCommand,
      "CO,Nikon RAW data format V2.00\r\nMP,1,,0.000,0.000,0.000,ST\r\nST,S1,,,,1.6,0,0\r"
      " SS,8,1.5,20,10,100,0,P\r\nss,9,1.5,20,10,100,0,P\r\n*SS,10,1.5,20,10,100,0,P\r\n"
      "F1,S2,1.5,30,350,99,0\r\nS\r\nSO,11,,1.5,20,10,100,0\r\nSS,7,1.5,20,10,100,0,P");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch(kScratch),
            "ST,S1,,,,1.6,0,0\r\nF1,S2,1.5,30,350,99,0\r\nSS,7,1.5,20,10,100,0,P\r\n");
  EXPECT_EQ(out.file(1), " 7 ,S1,S2, 1.5 , 60 , 100 , 20 , 1.6 \r\n");
}

TEST(NikonRawErrors, TextReadingIsAnErrorAndKeepsTheLinesWrittenBefore) {
  const auto out = convert_bytes(kCommand, kSetup + "SS,4,1,2,150,3,0,X\r\nSS,5,1,2,12x,3,0,X\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->detail(), "12x");
  EXPECT_EQ(out.error->line(), 4u);  // fourth line of the scratch file
  EXPECT_NE(out.error->file().find("nikhelp.txt"), std::string::npos);
  EXPECT_EQ(out.file(0), "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n");
  EXPECT_EQ(out.file(1), " 4 ,ST1,ST2, 1 , 50 , 3 , 2 , 1.6 \r\n");
  EXPECT_TRUE(out.ui.messages.empty());
}

TEST(NikonRawErrors, TextBacksightReadingIsAnError) {
  const auto out = convert_bytes(kCommand, "ST,S1,,,,1.6,0,0\r\nF1,S2,1.5,30,N45E,99,0\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.file(0), "");
}

TEST(NikonRawErrors, RecordCutShortAtTheEndOfTheScratchFile) {
  const auto out = convert_bytes(kCommand, kSetup + "SS,4,1,2,150\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.error->line(), 4u);
  EXPECT_EQ(out.file(0), "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n");
  EXPECT_EQ(out.file(1), "");
}

TEST(NikonRawOpening, MissingInputLeavesBothOutputsUntouched) {
  test::TempDir dir;
  test::write_file(dir / "st.txm", "old stations\r\n");
  ScriptedPlatform ui;
  ui.folder = dir.path().string();
  ui.open_answers = {dir / "missing.nik"};
  ui.save_answers = {dir / "st", dir / "pt"};
  const Outcome outcome = run_command(*find_command(kCommand), ui);
  ASSERT_EQ(outcome.status, Status::failed);
  EXPECT_EQ(outcome.error->fault(), Fault::cannot_open);
  EXPECT_EQ(test::read_file(dir / "st.txm"), "old stations\r\n");
}

}  // namespace
}  // namespace korvath
