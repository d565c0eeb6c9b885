#include <gtest/gtest.h>

#include "support/convert.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;
using test::convert_bytes;

// The worked example: raw records separated by bare line feeds, keys filled to eight columns.
constexpr std::string_view kWorkedExample =
    "STN     ST1,1.550,X\nBS      ST2,1.600\nSD      350.0000,98.0000,120.500\n"
    "SS      101,1.300,P\nHV      10.0000,99.5000";

struct ByteCase {
  const char* name;
  std::string_view input, stations, points;
};

const ByteCase kRaw[] = {
    {"WorkedExample", kWorkedExample, "ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n",
     " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n"},
    {"HvDirectlyAfterBsSetsTheBacksight", "STN     S1,1.5,\nBS      S2,1.6\nHV      350,100\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 0 , 1.5 \r\n", ""},
    {"SideShotBetweenBsAndMeasurementKeepsTheOldDirection",
     "STN     S1,1.5,\nBS      S2,1.6\nSS      7,1.3,C\nSD      350,100,20\n", "",
     " 7 ,S1,S2, 1.3 , 350 , 100 , 20 , 1.5 \r\n"},
    {"FirstMeasurementWithoutBsSetsTheBacksightAndGoesToPoints",
     "SD      100,99,10\nSS      5,1.3,C\nSD      150,99,20\n", "",
     ",,,, 0 , 99 , 10 ,\r\n 5 ,,, 1.3 , 50 , 99 , 20 ,\r\n"},
    {"PointZeroToStationsAnd12AToPoints",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      0,1,C\nSD      10,100,5\n"
     "SS      12A,1,C\nSD      30,100,7\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n 0 ,S1,S2, 1 , 10 , 100 , 5 , 1.5 \r\n",
     "12A,S1,S2, 1 , 30 , 100 , 7 , 1.5 \r\n"},
    {"TwoMeasurementsOfOneTarget",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      8,1.2,C\nSD      10,100,5\n"
     "HV      10.5,100\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n",
     " 8 ,S1,S2, 1.2 , 10 , 100 , 5 , 1.5 \r\n 8 ,S1,S2, 1.2 , 10.5 , 100 , 0 , 1.5 \r\n"},
    {"NewStationKeepsThePreviousBacksight",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      100,100,50\nSTN     S3,1.4,\nSS      9,1.3,C\n"
     "SD      50,100,5\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", " 9 ,S3,S2, 1.3 , 350 , 100 , 5 , 1.4 \r\n"},
    {"OtherKeysAndBlankLinesAreDropped",
     "JOB     X\n\nSTN     S1,1.5,\nXYZ     1,2,3\nBS      S2,1.6\n}\nSD      0,100,50\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", ""},
    {"ShiftedItemsInTheKeyPlaceAreSkipped",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      8,1.2\nSD      10,100,5\n"
     "SS      9,1.1,C\nSD      20,100,6\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", " 9 ,S1,S2, 1.1 , 20 , 100 , 6 , 1.5 \r\n"},
};

class TopconGts3000RawBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(TopconGts3000RawBytes, WritesBothFilesExactly) {
  const auto out = convert_bytes("topcon-gts3000-raw", GetParam().input);
  ASSERT_EQ(out.status, Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(TopconGts3000Raw, TopconGts3000RawBytes, ::testing::ValuesIn(kRaw),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TopconGts3000Raw, ScratchFilesOfTheWorkedExample) {
  const auto out = convert_bytes("topcon-gts3000-raw", kWorkedExample);
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/Top300hlp.txt"),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs17 STN     ST1,1.550,X\r\n"
            "BS      ST2,1.600\r\nSD      350.0000,98.0000,120.500\r\n"
            "SS      101,1.300,P\r\nHV      10.0000,99.5000\r\n}\r\n\r\n");
  EXPECT_EQ(out.scratch("/Top3000hlp.txt"),
            "STN     ,ST1,1.550,X\r\nBS      ,ST2,1.600\r\nSD      ,350.0000,98.0000,120.500\r\n"
            "SS      ,101,1.300,P\r\nHV      ,10.0000,99.5000\r\n");
}

TEST(TopconGts3000Raw, KeyLineRule) {
  // Data in the first eight columns is no key; a key line shorter than nine characters has empty
  // data; the first data line is tested like the others.
  const auto out = convert_bytes("topcon-gts3000-raw", "SS,1,2,3\n  HV\nSTN,S1\n  SD    x\n");
  EXPECT_EQ(out.scratch("/Top3000hlp.txt"), "  HV,\r\n  SD    ,x\r\n");
}

TEST(TopconGts3000Raw, CrLfLinesJoinIntoOneKeyLine) {
  const auto out = convert_bytes(
      "topcon-gts3000-raw", "STN     ST1,1.550,X\r\nBS      ST2,1.600\r\nSD      0,98,120\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/Top3000hlp.txt"),
            "STN     ,ST1,1.550,XBS      ST2,1.600SD      0,98,120\r\n");
  EXPECT_EQ(out.file(0), "");
  EXPECT_EQ(out.file(1), "");
}

TEST(TopconGts3000Raw, ReadingThatIsTextTakesTheErrorPath) {
  const auto out = convert_bytes("topcon-gts3000-raw", "BS      S2,1.6\nSD      10x,100,50\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->line(), 2u);
}

TEST(TopconGts3000Raw, RecordCutShortReadsPastTheEnd) {
  const auto out =
      convert_bytes("topcon-gts3000-raw", "BS      S2,1.6\nSD      0,100,50\nSD      1,2");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.file(0), "S2,,S2, 1.6 , 0 , 100 , 50 ,\r\n");
}

}  // namespace
}  // namespace korvath
