// Both files byte for byte, one row per behaviour, for the two commands that take their
// records through the rich-text pass.
#include <gtest/gtest.h>

#include "support/convert.hpp"

namespace korvath {
namespace {

constexpr const char* kGts3000Id = "topcon-gts3000";
constexpr const char* kRawId = "topcon-gts3000-raw";

struct ByteCase {
  const char* command;
  const char* name;
  std::string_view input, stations, points;
};

const ByteCase kGts3000[] = {
    {kGts3000Id, "WorkedExample",
     "1,ST1,1.550\n2,ST2,350.0000,98.0000,120.500,1.600\n2,101,10.0000,99.5000,45.250,1.300",
     "ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n",
     " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 45.25 , 1.55 \r\n"},
    {kGts3000Id, "ReadingEqualToBacksightIsZero",
     "1,ST1,1.5\n2,S2,350,100,50,1.6\n2,7,350,100,20,1.3\n",
     "S2,ST1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", " 7 ,ST1,S2, 1.3 , 0 , 100 , 20 , 1.5 \r\n"},
    {kGts3000Id, "FirstObservationWithoutSetUpIsTheBacksight",
     "2,S5,100,99,10,1.5\n2,8,150,99,20,1.4\n", "S5,,S5, 1.5 , 0 , 99 , 10 ,\r\n",
     " 8 ,,S5, 1.4 , 50 , 99 , 20 ,\r\n"},
    {kGts3000Id, "PointZeroAndNamesToStationsNumbersTo12AToPoints",
     "1,S1,1.5\n2,S2,0,100,50,1.6\n2,0,10,100,5,1\n2,T2,20,100,6,1\n2,12A,30,100,7,1\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n 0 ,S1,S2, 1 , 10 , 100 , 5 , 1.5 \r\n"
     "T2,S1,S2, 1 , 20 , 100 , 6 , 1.5 \r\n",
     "12A,S1,S2, 1 , 30 , 100 , 7 , 1.5 \r\n"},
    {kGts3000Id, "KeysWrittenOnePointZeroOrZeroOne",
     "01,S1,1.5\n2.0,S2,10,100,50,1.6\n1.0,S3,1.4\n", "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n",
     ""},
    {kGts3000Id, "TwoSetUpsInARowBacksightAfterTheSecond",
     "1,S1,1.5\n1,S2,1.4\n2,S3,100,99,30,1.2\n2,9,50,99,10,1.1\n",
     "S3,S2,S3, 1.2 , 0 , 99 , 30 , 1.4 \r\n", " 9 ,S2,S3, 1.1 , 350 , 99 , 10 , 1.4 \r\n"},
    {kGts3000Id, "BlankAndBraceLinesNeverReachTheRecords",
     "1,S1,1.5\n   \n } \n\n2,S2,10,99,30,1.2\n", "S2,S1,S2, 1.2 , 0 , 99 , 30 , 1.5 \r\n", ""},
    {kGts3000Id, "UnknownRecordNumberIsSkipped",
     "1,S1,1.5\n2,S2,100,99,30,1.2\n9\n2,4,150,99,10,1.1\n",
     "S2,S1,S2, 1.2 , 0 , 99 , 30 , 1.5 \r\n", " 4 ,S1,S2, 1.1 , 50 , 99 , 10 , 1.5 \r\n"},
    {kGts3000Id, "UnknownRecordRightAfterSetUpLeavesNoBacksight",
     "1,S1,1.5\n7\n2,4,150,99,10,1.1\n", "", " 4 ,S1,, 1.1 , 150 , 99 , 10 , 1.5 \r\n"},
    {kGts3000Id, "TextItemsPassUnchanged", "1,\"S 1\",H1\n2,S2,10,V,D,T\n",
     "S2,S 1,S2,T, 0 ,V,D,H1\r\n", ""},
};

// Raw records separated by bare line feeds, keys filled to eight columns.
const ByteCase kRaw[] = {
    {kRawId, "WorkedExample",
     "STN     ST1,1.550,X\nBS      ST2,1.600\nSD      350.0000,98.0000,120.500\n"
     "SS      101,1.300,P\nHV      10.0000,99.5000",
     "ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n",
     " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n"},
    {kRawId, "HvDirectlyAfterBsSetsTheBacksight",
     "STN     S1,1.5,\nBS      S2,1.6\nHV      350,100\n", "S2,S1,S2, 1.6 , 0 , 100 , 0 , 1.5 \r\n",
     ""},
    {kRawId, "SideShotBetweenBsAndMeasurementKeepsTheOldDirection",
     "STN     S1,1.5,\nBS      S2,1.6\nSS      7,1.3,C\nSD      350,100,20\n", "",
     " 7 ,S1,S2, 1.3 , 350 , 100 , 20 , 1.5 \r\n"},
    {kRawId, "FirstMeasurementWithoutBsSetsTheBacksightAndGoesToPoints",
     "SD      100,99,10\nSS      5,1.3,C\nSD      150,99,20\n", "",
     ",,,, 0 , 99 , 10 ,\r\n 5 ,,, 1.3 , 50 , 99 , 20 ,\r\n"},
    {kRawId, "PointZeroToStationsAnd12AToPoints",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      0,1,C\nSD      10,100,5\n"
     "SS      12A,1,C\nSD      30,100,7\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n 0 ,S1,S2, 1 , 10 , 100 , 5 , 1.5 \r\n",
     "12A,S1,S2, 1 , 30 , 100 , 7 , 1.5 \r\n"},
    {kRawId, "TwoMeasurementsOfOneTarget",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      8,1.2,C\nSD      10,100,5\n"
     "HV      10.5,100\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n",
     " 8 ,S1,S2, 1.2 , 10 , 100 , 5 , 1.5 \r\n 8 ,S1,S2, 1.2 , 10.5 , 100 , 0 , 1.5 \r\n"},
    {kRawId, "NewStationKeepsThePreviousBacksight",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      100,100,50\nSTN     S3,1.4,\nSS      9,1.3,C\n"
     "SD      50,100,5\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", " 9 ,S3,S2, 1.3 , 350 , 100 , 5 , 1.4 \r\n"},
    {kRawId, "OtherKeysAndBlankLinesAreDropped",
     "JOB     X\n\nSTN     S1,1.5,\nXYZ     1,2,3\nBS      S2,1.6\n}\nSD      0,100,50\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", ""},
    {kRawId, "ShiftedItemsInTheKeyPlaceAreSkipped",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      8,1.2\nSD      10,100,5\n"
     "SS      9,1.1,C\nSD      20,100,6\n",
     "S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", " 9 ,S1,S2, 1.1 , 20 , 100 , 6 , 1.5 \r\n"},
};

class TopconBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(TopconBytes, WritesBothFilesExactly) {
  const auto out = test::convert_bytes(GetParam().command, GetParam().input);
  ASSERT_EQ(out.status, Outcome::Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
}

const auto kName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(TopconGts3000, TopconBytes, ::testing::ValuesIn(kGts3000), kName);
INSTANTIATE_TEST_SUITE_P(TopconGts3000Raw, TopconBytes, ::testing::ValuesIn(kRaw), kName);

}  // namespace
}  // namespace korvath
