#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/convert.hpp"

namespace korvath::test {
namespace {

using Status = Outcome::Status;

TEST(SouthMes, StationBacksightAndPointGiveRowsAndReducedRecords) {
  const Converted out = convert_bytes("south-mes",
                                      "ST1 1.550\r\nST2 1.600 350.0000 98.0000 120.500\r\n101  "
                                      "1.300 10.0000 99.5000 **********\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/ConvSou.txt"),
            "ST1,1.550,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV\r\n"
            "ST2,1.600,350.0000,98.0000,120.500,NOTAV,NOTAV,NOTAV,NOTAV\r\n"
            "101,1.300,10.0000,99.5000,**********,NOTAV,NOTAV,NOTAV,NOTAV\r\n");
  EXPECT_EQ(out.file(0), "ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n");
  EXPECT_EQ(out.file(1), " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n");
}

struct SouthCase {
  const char* name;
  std::string input, stations, points;
};
void PrintTo(const SouthCase& c, std::ostream* os) {
  *os << c.name;
}

const SouthCase kSouth[] = {
    {"SixthValueIsDropped", "ST1 1.550\r\nP7 1.300 123.4560 98.7650 45.678 X1\r\n",
     "P7,ST1,P7, 1.3 , 0 , 98.765 , 45.678 , 1.55 \r\n", ""},
    {"RunsOfBlanksCutLikeOne",
     "   ST1    1.5   \r\nS2  1.6   100    99 10   \r\n  5 1.3 150 98 20\r\n",
     "S2,ST1,S2, 1.6 , 0 , 99 , 10 , 1.5 \r\n", " 5 ,ST1,S2, 1.3 , 50 , 98 , 20 , 1.5 \r\n"},
    {"TabIsPartOfTheValue", "ST1\t1.5\r\nS2 1.6 0 99 10\r\n",
     "S2,ST1\t1.5,S2, 1.6 , 0 , 99 , 10 ,NOTAV\r\n", ""},
    {"EveryLaterObservationIsReducedToTheBacksight",
     "ST1 1.5\r\nS2 1.6 350 99 10\r\n1 1.3 10 98 20\r\n2 1.3 350 98 30\r\nS3 1.3 349.5 98 40\r\n",
     "S2,ST1,S2, 1.6 , 0 , 99 , 10 , 1.5 \r\nS3,ST1,S2, 1.3 , 399.5 , 98 , 40 , 1.5 \r\n",
     " 1 ,ST1,S2, 1.3 , 60 , 98 , 20 , 1.5 \r\n 2 ,ST1,S2, 1.3 , 0 , 98 , 30 , 1.5 \r\n"},
    {"NewStationTakesANewBacksight",
     "ST1 1.5\r\nS2 1.6 100 99 10\r\nST2 1.4\r\nS1 1.6 200 99 10\r\n7 1.3 250 98 20\r\n",
     "S2,ST1,S2, 1.6 , 0 , 99 , 10 , 1.5 \r\nS1,ST2,S1, 1.6 , 0 , 99 , 10 , 1.4 \r\n",
     " 7 ,ST2,S1, 1.3 , 50 , 98 , 20 , 1.4 \r\n"},
    // A blank line is no record: it neither re-stations nor takes the backsight's place.
    {"BlankLinesAreDropped",
     "\r\nST1 1.5\r\n\r\n    \r\nS2 1.6 350 99 10\r\n\r\n1 1.3 10 98 20\r\n",
     "S2,ST1,S2, 1.6 , 0 , 99 , 10 , 1.5 \r\n", " 1 ,ST1,S2, 1.3 , 60 , 98 , 20 , 1.5 \r\n"},
    {"OneValueIsAStationWithoutHeight", "ST1\r\nS2 1.6 0 99 10\r\n",
     "S2,ST1,S2, 1.6 , 0 , 99 , 10 ,NOTAV\r\n", ""},
    {"ThreeValuesLeaveAngleAndDistanceNotAvailable", "ST1 1.5\r\nS2 1.6 0\r\n",
     "S2,ST1,S2, 1.6 , 0 ,NOTAV,NOTAV, 1.5 \r\n", ""},
    {"NineValuesAreAccepted", "ST1 1.5\r\n8 1.3 0 99 10 a b c d\r\n", "",
     " 8 ,ST1, 8 , 1.3 , 0 , 99 , 10 , 1.5 \r\n"},
    {"ObservationBeforeAnyStationIsTheBacksight", "P1 1.3 50 99 10\r\n4 1.3 60 99 10\r\n",
     "P1,,P1, 1.3 , 0 , 99 , 10 ,\r\n", " 4 ,,P1, 1.3 , 10 , 99 , 10 ,\r\n"},
    {"PointZeroIsAStationObservation",
     "ST1 1.5\r\nS2 1.6 0 99 10\r\n0 1.3 10 98 5\r\n12A 1 20 97 6\r\n",
     "S2,ST1,S2, 1.6 , 0 , 99 , 10 , 1.5 \r\n 0 ,ST1,S2, 1.3 , 10 , 98 , 5 , 1.5 \r\n",
     "12A,ST1,S2, 1 , 20 , 97 , 6 , 1.5 \r\n"},
};

class SouthMesBytes : public ::testing::TestWithParam<SouthCase> {};

TEST_P(SouthMesBytes, WritesBothFilesExactly) {
  const Converted out = convert_bytes("south-mes", GetParam().input);
  ASSERT_EQ(out.status, Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(SouthMes, SouthMesBytes, ::testing::ValuesIn(kSouth),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SouthMesErrors, TenthValueStopsAtItsLineBeforeAnyOutput) {
  const Converted out = convert_bytes("south-mes", "ST1 1.5\r\nP1 1 2 3 4 5 6 7 8 9\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::too_many_values);
  EXPECT_EQ(out.error->line(), 2u);
  EXPECT_EQ(out.file(0), "");
  EXPECT_EQ(out.scratch("/ConvSou.txt"), "ST1,1.5,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV\r\n");
}

TEST(SouthMesErrors, TextReadingStopsAndKeepsEarlierRecords) {
  const Converted out =
      convert_bytes("south-mes", "ST1 1.5\r\nS2 1.6 0 99 10\r\n7 1.3 12x 98 5\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->line(), 3u);
  EXPECT_EQ(out.file(0), "S2,ST1,S2, 1.6 , 0 , 99 , 10 , 1.5 \r\n");
  EXPECT_EQ(out.file(1), "");
}

}  // namespace
}  // namespace korvath::test
