#include <gtest/gtest.h>

#include <string>

#include "support/convert.hpp"

namespace korvath {
namespace {

using test::convert_bytes;
using Status = Outcome::Status;

struct ByteCase {
  const char* name;
  std::string_view input, stations, points;
};

// The backsight of the set-up S ST1 1.6 on ST0 with reading 350.
constexpr std::string_view kBacksight = "ST0,ST1,ST0, 1.5 , 0 , 99 , 120 , 1.6 \r\n";

const ByteCase kTcr307[] = {
    {"SetupBacksightAndDetailPoint",
     "S   ST1   1.600\r\n"
     "D  ST0  1.500  350.0000  99.0000  120.000\r\n"
     "D  101  1.500  10.0000  98.7654  25.432\r\n",
     kBacksight, " 101 ,ST1,ST0, 1.5 , 60 , 98.7654 , 25.432 , 1.6 \r\n"},
    {"ShortObservationReadsVerticalAndDistanceAsZero",
     "S   ST1   1.600\r\n"
     "D  ST0  1.500  350.0000  99.0000  120.000\r\n"
     "D 5 1.5 123.4567\r\n",
     kBacksight, " 5 ,ST1,ST0, 1.5 , 173.4567 , 0 , 0 , 1.6 \r\n"},
    {"FirstObservationAfterSetupIsStationEvenWhenNumbered",
     "S ST1 1.6\r\nD 100 1.5 350.0000 99.0000 120.000\r\nD 7 1.5 10.0000 98.0000 12.000\r\n",
     " 100 ,ST1, 100 , 1.5 , 0 , 99 , 120 , 1.6 \r\n",
     " 7 ,ST1, 100 , 1.5 , 60 , 98 , 12 , 1.6 \r\n"},
    {"NamedTargetsAndPointZeroAreStations",
     "S ST1 1.6\r\nD ST0 1.5 350.0000 99.0000 120.000\r\n"
     "D ST2 1.5 360.0000 99.0000 80.0000\r\nD 0 1.5 370.0000 99.0000 90.0000\r\n"
     "D 0101 1.5 380.0000 99.0000 70.0000\r\n",
     "ST0,ST1,ST0, 1.5 , 0 , 99 , 120 , 1.6 \r\n"
     "ST2,ST1,ST0, 1.5 , 10 , 99 , 80 , 1.6 \r\n"
     " 0 ,ST1,ST0, 1.5 , 20 , 99 , 90 , 1.6 \r\n",
     " 101 ,ST1,ST0, 1.5 , 30 , 99 , 70 , 1.6 \r\n"},
    {"SecondSetupTakesItsOwnBacksight",
     "S ST1 1.6\r\nD ST0 1.5 350.0000 99.0000 120.000\r\n"
     "S ST2 1.45\r\nD ST1 1.5 100.0000 101.0000 120.000\r\nD 8 1.3 90.0000 99.5000 15.500\r\n",
     "ST0,ST1,ST0, 1.5 , 0 , 99 , 120 , 1.6 \r\nST1,ST2,ST1, 1.5 , 0 , 101 , 120 , 1.45 \r\n",
     " 8 ,ST2,ST1, 1.3 , 390 , 99.5 , 15.5 , 1.45 \r\n"},
    // An item where a letter is expected is skipped once; it still counts as a record, so the
    // observation after it is no longer the one directly after the set-up.
    {"OtherLinesAreSkippedButCounted",
     "S ST1 1.6\r\nNOTE measured in rain\r\nD ST0 1.5 350.0000 99.0000 120.000\r\n",
     "ST0,ST1,, 1.5 , 350 , 99 , 120 , 1.6 \r\n", ""},
    // A complete line under 25 characters is completed too; the surplus values are skipped
    // instead of writing the observation again.
    {"SurplusValuesOfACompletedLineAreNotWrittenTwice",
     "S ST1 1.6\r\nD ST0 1.5 350.0000 99.0000 120.000\r\nD 7 1.5 10.0 99.0 12.345\r\n"
     "D 8 1.5 20.0000 99.0000 13.000\r\n",
     kBacksight,
     " 7 ,ST1,ST0, 1.5 , 60 , 99 , 12.345 , 1.6 \r\n"
     " 8 ,ST1,ST0, 1.5 , 70 , 99 , 13 , 1.6 \r\n"},
    {"RunOfThirtyOneBlanksLeavesAnEmptyItem",
     "S ST1 1.6\r\nD ST0                               1.5 350.0000 99.0000 120.0000\r\n",
     "ST0,ST1,ST0,, 0 , 350 , 99 , 1.6 \r\n", ""},
    {"NoRecordsGiveEmptyFiles", "", "", ""},
};

class LeicaTcr307Bytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(LeicaTcr307Bytes, WritesBothFilesExactly) {
  const auto out = convert_bytes("leica-tcr307", GetParam().input);
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(LeicaTcr307, LeicaTcr307Bytes, ::testing::ValuesIn(kTcr307),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeicaTcr307Scratch, BlankRunsBecomeCommasOnePerThirty) {
  const std::string line = "a" + std::string(30, ' ') + "b" + std::string(31, ' ') + "c" +
                           std::string(60, ' ') + "d" + std::string(61, ' ') + "e\tf";
  const auto out = convert_bytes("leica-tcr307", "   " + line + "  \r\nS  ST1  1.6\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/L307hlp.txt"), "a,b,,c,,d,,,e\tf\r\nS,ST1,1.6\r\n");
}

TEST(LeicaTcr307Scratch, OnlyObservationsUnderTwentyFiveCharactersAreCompleted) {
  const auto out = convert_bytes("leica-tcr307",
                                 "S ST1 1.6\r\n"
                                 "D 7 1.5 10.0 99.0 12.345\r\n"   // 24 characters
                                 "D 7 1.5 10.0 99.0 12.3456\r\n"  // 25 characters
                                 "X 7\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/L307hlp2.txt"),
            "S,ST1,1.6\r\nD,7,1.5,10.0,99.0,12.345,0.0000,0.000\r\n"
            "D,7,1.5,10.0,99.0,12.3456\r\nX,7\r\n");
}

TEST(LeicaTcr307Errors, ReadingThatIsNotANumberStopsAtItsLine) {
  const auto out = convert_bytes("leica-tcr307",
                                 "S ST1 1.6\r\nD ST0 1.5 350.0000 99.0000 120.000\r\n"
                                 "D 7 1.5 10.0000x 99.0000 12.000\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->line(), 3u);
  EXPECT_EQ(out.file(0), kBacksight);  // lines written before the fault stay
}

TEST(LeicaTcr307Errors, RecordCutShortReadsPastTheEnd) {
  const auto out = convert_bytes("leica-tcr307", "S ST1\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
}

}  // namespace
}  // namespace korvath
