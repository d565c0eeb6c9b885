#include <gtest/gtest.h>

#include <string>

#include "converters/catalogue.hpp"
#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "support/byte_cases.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

constexpr std::string_view kDos = "nikon-npl352-dos", kRaw = "nikon-npl352-raw";
const std::string kStation = "*,ST1,ST2,100.0000,1.600\r\n";
const std::string kSetup =
    "ST,ST1,,ST2,,1.600,0.0000,0.0000\r\nF1,ST2,1.500,30.000,100.0000,99.0000,0\r\n";
const std::string kBacksight = "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n";
const std::string kPoint1001 = " 1001 ,ST1,ST2, 1.5 , 113.3333 , 98.7654 , 25.432 , 1.6 \r\n";

const OutputCase kOutputs[] = {
    {kDos,
     "StationBacksightAndDetailPoint",
     kStation + "1001,25.432,1.500,98.7654,213.3333\r\nST2,30.000,1.500,99.0000,100.0000\r\n",
     {kBacksight, kPoint1001}},
    // Before the first station the values are empty and readings reduced by 0; a reading that
    // is text gives its leading number, or 0.
    {kDos,
     "ReadingsBeforeTheFirstStationAndTextReadings",
     "7,12.5,1.5,100,20\r\n*,S1,S2,5gon,1.6\r\n1,10,1.5,100,12.5x\r\n2,10,1.5,100,north\r\n",
     {"",
      " 7 ,,, 1.5 , 20 , 100 , 12.5 ,\r\n 1 ,S1,S2, 1.5 , 7.5 , 100 , 10 , 1.6 \r\n"
      " 2 ,S1,S2, 1.5 , 395 , 100 , 10 , 1.6 \r\n"}},
    // Records are five items whatever the lines; a shifted "*" starts a station where it falls.
    {kDos,
     "RecordsAreFiveItemsWhateverTheLines",
     "*,S1\r\nS2,0,1.6\r\n1,10,1.5,100,50,*\r\nS3,S1,100,1.7\r\n2,10,1.5,100,150\r\n",
     {"", " 1 ,S1,S2, 1.5 , 50 , 100 , 10 , 1.6 \r\n 2 ,S3,S1, 1.5 , 50 , 100 , 10 , 1.7 \r\n"}},
    {kRaw,
     "StationBacksightAndSideShot",
     kSetup + "SS,1001,1.500,25.432,213.3333,98.7654,0,CODE\r\n",
     {kBacksight, kPoint1001}},
    // Before any F1 the backsight name is empty and readings are reduced by 0 (an empty one
    // reads 0); the F1 goes to the station file even when numbered.
    {kRaw,
     "SideShotsBeforeAnyBacksightThenANumberedOne",
     "ST,1,,,,1.430,0,0\r\nSS,7,1.5,20,10,100,0,P\r\nSS,9,1.5,20,,100,0,P\r\n"
     "F1,2,1.5,40.1,300,100.5,0\r\nSS,3,1.5,8.9,310,102,0,P\r\n",
     {" 2 , 1 , 2 , 1.5 , 0 , 100.5 , 40.1 , 1.43 \r\n",
      " 7 , 1 ,, 1.5 , 10 , 100 , 20 , 1.43 \r\n 9 , 1 ,, 1.5 , 0 , 100 , 20 , 1.43 \r\n"
      " 3 , 1 , 2 , 1.5 , 10 , 102 , 8.9 , 1.43 \r\n"}},
    // A new station keeps the old backsight until its own F1; a side shot to S9 is a station.
    {kRaw,
     "NewStationKeepsTheOldBacksightUntilItsOwnF1",
     kSetup + "ST,ST2,,,,1.450,0,0\r\nSS,S9,1,2,150,3,0,X\r\nF1,ST1,1.2,30,250,101,0\r\n"
              "SS,10,1,2,300,3,0,X\r\n",
     {kBacksight +
          "S9,ST2,ST2, 1 , 50 , 3 , 2 , 1.45 \r\nST1,ST2,ST1, 1.2 , 0 , 101 , 30 , 1.45 \r\n",
      " 10 ,ST2,ST1, 1 , 50 , 3 , 2 , 1.45 \r\n"}},
    // Surplus items are dropped one by one; a short record takes its last item from the next
    // line, whose own items are then dropped.
    {kRaw,
     "RecordsAreReadByItemCount",
     kSetup + "SS,4,1,2,150,3,0,X,extra,1.5\r\nSS,5,1,2,160,3,P\r\nSS,6,1,2,170,3,0,X\r\n"
              "SS,7,1,2,180,3,0,X\r\n",
     {kBacksight,
      " 4 ,ST1,ST2, 1 , 50 , 3 , 2 , 1.6 \r\n 5 ,ST1,ST2, 1 , 60 , 3 , 2 , 1.6 \r\n"
      " 7 ,ST1,ST2, 1 , 80 , 3 , 2 , 1.6 \r\n"}},
};
INSTANTIATE_TEST_SUITE_P(Nikon, OutputBytes, ::testing::ValuesIn(kOutputs), case_name<OutputCase>);

// Each declared angle unit: the backsight F1 then a side shot, their readings converted before
// the reduction and their vertical angles written as numbers.
std::string with_unit(std::string_view header, std::string_view f1_angles,
                      std::string_view ss_angles) {
  return std::string(header) + "ST,ST1,,ST2,,1.600,0.0000,0.0000\r\nF1,ST2,1.500,30.000," +
         std::string(f1_angles) + ",0\r\nSS,1001,1.500,25.432," + std::string(ss_angles) +
         ",0,CODE\r\n";
}
const std::string kUnitsHeader = "CO,Nikon RAW data format V2.00\r\nCO,Dist Units: Metres\r\n";

const OutputCase kUnits[] = {
    {kRaw,
     "GonsPassAsRead",
     with_unit(kUnitsHeader + "CO,Angle Units: Gons\r\n", "100.0000,99.0000", "213.3333,98.7654"),
     {kBacksight, kPoint1001}},
    // Sign on the whole value; 87.46350 is 87.4635; the note names the declaration's line.
    {kRaw,
     "DddmmssToGrads",
     with_unit(kUnitsHeader + "CO,Angle Units: DDDMMSS\r\n", "17.57316,87.46350", "336.26364,-.3"),
     {"ST2,ST1,ST2, 1.5 , 0 , 97.5293209876543 , 30 , 1.6 \r\n",
      " 1001 ,ST1,ST2, 1.5 , 353.871851851852 ,-.555555555555556 , 25.432 , 1.6 \r\n"},
     {"3: γωνίες σε «DDDMMSS» (μοίρες, πρώτα, δεύτερα): μετατράπηκαν σε βαθμούς"}},
    // A declaration governs the records after it only; tabs and blanks around it do not count.
    {kRaw,
     "DegreesFromTheirDeclarationOn",
     "ST,ST1,,ST2,,1.600,0,0\r\nF1,ST2,1.500,30.000,100,90,0\r\n"
     " \tCO,Angle\t Units: Degrees \r\nSS,1001,1.500,25.432,10,.9,0,CODE\r\n",
     {"ST2,ST1,ST2, 1.5 , 0 , 90 , 30 , 1.6 \r\n",
      " 1001 ,ST1,ST2, 1.5 , 311.111111111111 , 1 , 25.432 , 1.6 \r\n"},
     {"3: γωνίες σε «Degrees» (δεκαδικές μοίρες): μετατράπηκαν σε βαθμούς"}},
    {kRaw,
     "MilsToGradsFeetNoted",
     with_unit("CO,Dist Units: Feet\r\nCO,Angle Units: Mils\r\n", "3200,1600", "800,100"),
     {"ST2,ST1,ST2, 1.5 , 0 , 100 , 30 , 1.6 \r\n",
      " 1001 ,ST1,ST2, 1.5 , 250 , 6.25 , 25.432 , 1.6 \r\n"},
     {"1: αποστάσεις σε «Feet»: γράφτηκαν όπως διαβάστηκαν",
      "2: γωνίες σε «Mils» (χιλιοστά (mil)): μετατράπηκαν σε βαθμούς"}},
    // Case counts: an unknown word leaves the values as read, and says so.
    {kRaw,
     "UnknownUnitLeavesValuesAsRead",
     with_unit("CO,Angle Units: gons\r\n", "100.0000,99.0000", "213.3333,98.7654"),
     {kBacksight, kPoint1001},
     {"1: άγνωστη μονάδα γωνιών «gons»: οι γωνίες γράφτηκαν όπως διαβάστηκαν"}},
};
INSTANTIATE_TEST_SUITE_P(NikonUnits, OutputBytes, ::testing::ValuesIn(kUnits),
                         case_name<OutputCase>);

const FailureCase kFailures[] = {
    {kDos,
     "DosRecordCutShort",
     kStation + "1,10,1.5,100,150\r\nST2,30.000,1.500\r\n",
     Fault::read_past_end,
     "input.dat",
     4,
     {"", " 1 ,ST1,ST2, 1.5 , 50 , 100 , 10 , 1.6 \r\n"}},
    {kRaw,
     "RawTextReading",
     kSetup + "SS,4,1,2,150,3,0,X\r\nSS,5,1,2,12x,3,0,X\r\n",
     Fault::not_a_number,
     "input.dat",
     4,
     {kBacksight, " 4 ,ST1,ST2, 1 , 50 , 3 , 2 , 1.6 \r\n"}},
    {kRaw,
     "RawSixtyMinutesIsNoAngle",
     "CO,Angle Units: DDDMMSS\r\n" + kSetup +
         "SS,4,1,2,10.5959,3,0,X\r\nSS,5,1,2,10.6000,3,0,X\r\n",
     Fault::not_an_angle,
     "input.dat",
     5,
     {"ST2,ST1,ST2, 1.5 , 0 , 110 , 30 , 1.6 \r\n",
      " 4 ,ST1,ST2, 1 , 301.110802469136 , 3.33333333333333 , 2 , 1.6 \r\n"}},
};
INSTANTIATE_TEST_SUITE_P(Nikon, FailureBytes, ::testing::ValuesIn(kFailures),
                         case_name<FailureCase>);

// Pass 1 keeps the ST, F1 and SS lines unchanged: exactly those two characters first.
TEST(NikonRaw, ScratchKeepsOnlyStF1AndSsLines) {
  const auto out = convert_bytes(
      kRaw,
      "CO,Nikon RAW data format V2.00\r\nMP,1,,0.000,0.000,0.000,ST\r\nST,S1,,,,1.6,0,0\r"
      " SS,8,1.5,20,10,100,0,P\r\nss,9,1.5,20,10,100,0,P\r\n*SS,10,1.5,20,10,100,0,P\r\n"
      "F1,S2,1.5,30,350,99,0\r\nS\r\nSO,11,,1.5,20,10,100,0\r\nSS,7,1.5,20,10,100,0,P");
  ASSERT_EQ(out.status, Outcome::Status::converted);
  EXPECT_EQ(out.scratch("/nikhelp.txt"),
            "ST,S1,,,,1.6,0,0\r\nF1,S2,1.5,30,350,99,0\r\nSS,7,1.5,20,10,100,0,P\r\n");
  EXPECT_EQ(out.file(1), " 7 ,S1,S2, 1.5 , 60 , 100 , 20 , 1.6 \r\n");
}

// The DOS command opens its outputs early: declining the point file leaves the station file
// emptied already (the input, never opened, need not exist).
TEST(NikonDos, DecliningThePointFileLeavesTheStationFileEmptied) {
  TempDir dir;
  write_file(dir / "st.txm", "old stations\r\n");
  write_file(dir / "pt.txm", "old points\r\n");
  ScriptedPlatform ui;
  ui.folder = dir.path().string();
  ui.open_answers = {dir / "job.cmt"};
  ui.save_answers = {dir / "st", dir / "pt"};
  ui.yes_no_answers = {true, false};
  EXPECT_EQ(run_command(*find_command(kDos), ui).status, Outcome::Status::ended);
  EXPECT_EQ(read_file(dir / "st.txm"), "");
  EXPECT_EQ(read_file(dir / "pt.txm"), "old points\r\n");
}

}  // namespace
}  // namespace korvath::test
