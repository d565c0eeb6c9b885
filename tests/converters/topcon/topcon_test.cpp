// The three Topcon commands byte for byte: both measurement files, the scratch files, and the
// error path, one row per behaviour.
#include <gtest/gtest.h>

#include <filesystem>

#include "flow/text.hpp"
#include "support/byte_cases.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

constexpr std::string_view kGts = "topcon-gts3000";
constexpr std::string_view kRaw = "topcon-gts3000-raw";
constexpr std::string_view kWordpad = "topcon-gts3000-raw-wordpad";

const std::string kGtsExample =
    "1,ST1,1.550\n2,ST2,350.0000,98.0000,120.500,1.600\n2,101,10.0000,99.5000,45.250,1.300";
const std::string kRawExample =
    "STN     ST1,1.550,X\nBS      ST2,1.600\nSD      350.0000,98.0000,120.500\n"
    "SS      101,1.300,P\nHV      10.0000,99.5000";

const OutputCase kGtsOutputs[] = {
    {kGts,
     "WorkedExample",
     kGtsExample,
     {"ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n",
      " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 45.25 , 1.55 \r\n"}},
    {kGts,
     "FirstObservationWithoutSetUpIsTheBacksight",
     "2,S5,100,99,10,1.5\n2,8,150,99,20,1.4\n",
     {"S5,,S5, 1.5 , 0 , 99 , 10 ,\r\n", " 8 ,,S5, 1.4 , 50 , 99 , 20 ,\r\n"}},
    {kGts,
     "PointZeroAndNamesToStations12AToPoints",
     "1,S1,1.5\n2,S2,0,100,50,1.6\n2,0,10,100,5,1\n2,T2,20,100,6,1\n2,12A,30,100,7,1\n",
     {"S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n 0 ,S1,S2, 1 , 10 , 100 , 5 , 1.5 \r\n"
      "T2,S1,S2, 1 , 20 , 100 , 6 , 1.5 \r\n",
      "12A,S1,S2, 1 , 30 , 100 , 7 , 1.5 \r\n"}},
    {kGts,
     "TwoSetUpsKeyed01And1Point0BacksightAfterTheSecond",
     "01,S1,1.5\n1.0,S2,1.4\n2.0,S3,100,99,30,1.2\n2,9,50,99,10,1.1\n",
     {"S3,S2,S3, 1.2 , 0 , 99 , 30 , 1.4 \r\n", " 9 ,S2,S3, 1.1 , 350 , 99 , 10 , 1.4 \r\n"}},
    // A record type this converter does not know counts as a record and writes nothing.
    {kGts,
     "UnknownRecordsAreCountedAndSkipped",
     "1,S1,1.5\n9\n2,4,150,99,10,1.1\n9\n2,5,160,99,20,1.1\n",
     {"", " 4 ,S1,, 1.1 , 150 , 99 , 10 , 1.5 \r\n 5 ,S1,, 1.1 , 160 , 99 , 20 , 1.5 \r\n"}},
    {kGts,
     "TextItemsPassUnchanged",
     "1,\"S 1\",H1\n2,S2,10,V,D,T\n",
     {"S2,S 1,S2,T, 0 ,V,D,H1\r\n", ""}},
};
INSTANTIATE_TEST_SUITE_P(TopconGts3000, OutputBytes, ::testing::ValuesIn(kGtsOutputs),
                         case_name<OutputCase>);

// Raw records separated by bare line feeds, keys filled to eight columns.
const OutputCase kRawOutputs[] = {
    {kRaw,
     "WorkedExample",
     kRawExample,
     {"ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n",
      " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n"}},
    {kRaw,
     "HvBacksightAndTwoMeasurementsOfOneTarget",
     "STN     S1,1.5,\nBS      S2,1.6\nHV      350,100\nSS      8,1.2,C\nSD      10,100,5\n"
     "HV      10.5,100\n",
     {"S2,S1,S2, 1.6 , 0 , 100 , 0 , 1.5 \r\n",
      " 8 ,S1,S2, 1.2 , 60 , 100 , 5 , 1.5 \r\n 8 ,S1,S2, 1.2 , 60.5 , 100 , 0 , 1.5 \r\n"}},
    // Only the measurement directly after "BS" (or a first one, with no "BS") sets the
    // backsight direction; a measurement with no target named goes to the point file.
    {kRaw,
     "BacksightDirectionOnlyDirectlyAfterBsOrFirst",
     "SD      100,99,10\nSS      5,1.3,C\nSD      150,99,20\nBS      S2,1.6\nSS      7,1.3,C\n"
     "SD      350,100,20\n",
     {"",
      ",,,, 0 , 99 , 10 ,\r\n 5 ,,, 1.3 , 50 , 99 , 20 ,\r\n 7 ,,S2, 1.3 , 250 , 100 , 20 ,\r\n"}},
    {kRaw,
     "PointZeroToStations12AToPointsNewStationKeepsTheBacksight",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      100,100,50\nSS      0,1,C\nSD      10,100,5\n"
     "STN     S3,1.4,\nSS      12A,1,C\nSD      50,100,5\n",
     {"S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n 0 ,S1,S2, 1 , 310 , 100 , 5 , 1.5 \r\n",
      "12A,S3,S2, 1 , 350 , 100 , 5 , 1.4 \r\n"}},
    // "SS" without its point code: the next key is read from a data position and skipped.
    {kRaw,
     "ShiftedItemsInTheKeyPlaceAreSkipped",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      8,1.2\nSD      10,100,5\n"
     "SS      9,1.1,C\nSD      20,100,6\n",
     {"S2,S1,S2, 1.6 , 0 , 100 , 50 , 1.5 \r\n", " 9 ,S1,S2, 1.1 , 20 , 100 , 6 , 1.5 \r\n"}},
    {kRaw, "EmptyFile", "", {"", ""}},
    // "UNITS" declares distance and angle units; the note names the input's line, past a blank
    // one, whichever way the lines were read.
    {kRaw,
     "UnitsDegreesMinutesSecondsToGrads",
     "JOB     X\n\nUNITS   M,D\nSTN     ST1,1.550,X\nBS      ST2,1.600\nHV      45.00000,87.46350\n"
     "SS      101,1.300,P\nSD      74.39010,-.3,120.500\n",
     {"ST2,ST1,ST2, 1.6 , 0 , 97.5293209876543 , 0 , 1.55 \r\n",
      " 101 ,ST1,ST2, 1.3 , 32.9447530864198 ,-.555555555555556 , 120.5 , 1.55 \r\n"},
     {"3: γωνίες σε «D» (μοίρες, πρώτα, δεύτερα): μετατράπηκαν σε βαθμούς"}},
    {kRaw,
     "UnitsGradsAsReadFeetNoted",
     "UNITS   F,G\n" + kRawExample,
     {"ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n",
      " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n"},
     {"1: αποστάσεις σε «F»: γράφτηκαν όπως διαβάστηκαν"}},
};
INSTANTIATE_TEST_SUITE_P(TopconGts3000Raw, OutputBytes, ::testing::ValuesIn(kRawOutputs),
                         case_name<OutputCase>);

// The same raw records with CR LF line ends give the same files through the WordPad command.
std::vector<OutputCase> saved_by_wordpad() {
  std::vector<OutputCase> cases(std::begin(kRawOutputs), std::end(kRawOutputs));
  for (OutputCase& c : cases)
    c = {kWordpad, c.name, replace_all(c.input, "\n", "\r\n"), c.files, c.notes};
  return cases;
}
INSTANTIATE_TEST_SUITE_P(TopconGts3000RawWordpad, OutputBytes,
                         ::testing::ValuesIn(saved_by_wordpad()), case_name<OutputCase>);

const FailureCase kFailures[] = {
    {kGts, "GtsEmptyFileIsAnEmptyKey", "", Fault::not_a_number, "input.dat", 1, {"", ""}},
    {kGts,
     "GtsReadingThatIsTextKeepsTheLinesBefore",
     "1,S1,1.5\n2,S2,10,99,30,1.2\n2,7,10x,99,30,1.2\n",
     Fault::not_a_number,
     "input.dat",
     3,
     {"S2,S1,S2, 1.2 , 0 , 99 , 30 , 1.5 \r\n", ""}},
    {kGts,
     "GtsRecordCutShort",
     "1,S1,1.5\n2,S2,10,99\n",
     Fault::read_past_end,
     "input.dat",
     2,
     {"", ""}},
    {kRaw,
     "RawReadingThatIsTextKeepsTheLinesBefore",
     "BS      S2,1.6\nSD      0,100,50\nSD      10x,100,50\n",
     Fault::not_a_number,
     "input.dat",
     3,
     {"S2,,S2, 1.6 , 0 , 100 , 50 ,\r\n", ""}},
    {kWordpad,
     "WordpadRecordCutShort",
     "BS      S2,1.6\r\nSD      1,2",
     Fault::read_past_end,
     "input.dat",
     2,
     {"", ""}},
};
INSTANTIATE_TEST_SUITE_P(Topcon, FailureBytes, ::testing::ValuesIn(kFailures),
                         case_name<FailureCase>);

struct ScratchCase {
  const char* name;
  std::string_view command, input, scratch, content;
};

const ScratchCase kScratch[] = {
    {"GtsWorkedExampleRendering", kGts, kGtsExample, "Top300hlp.txt",
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n"
     "\\viewkind4\\uc1\\pard\\f0\\fs17 1,ST1,1.550\r\n2,ST2,350.0000,98.0000,120.500,1.600\r\n"
     "2,101,10.0000,99.5000,45.250,1.300\r\n}\r\n\r\n"},
    {"GtsWorkedExampleRecords", kGts, kGtsExample, "Top3000hlp.txt",
     "1,ST1,1.550\r\n2,ST2,350.0000,98.0000,120.500,1.600\r\n"
     "2,101,10.0000,99.5000,45.250,1.300\r\n"},
    {"GtsDataLinesUntrimmedBlankAndBraceLinesDropped", kGts,
     " 1,S1,1.5 \n  \n }\n\n 2,S2,10,99,30,1.2 \n", "Top3000hlp.txt",
     " 1,S1,1.5 \r\n 2,S2,10,99,30,1.2 \r\n"},
    {"RawWorkedExampleKeyLines", kRaw, kRawExample, "Top3000hlp.txt",
     "STN     ,ST1,1.550,X\r\nBS      ,ST2,1.600\r\nSD      ,350.0000,98.0000,120.500\r\n"
     "SS      ,101,1.300,P\r\nHV      ,10.0000,99.5000\r\n"},
    // Data in the first eight columns is no key; a key line of under nine characters has empty
    // data; the first data line is tested like the others.
    {"RawKeyLineRule", kRaw, "SS,1,2,3\nJOB     X\n\n  HV\n}\nSTN,S1\n  SD    x\n",
     "Top3000hlp.txt", "  HV,\r\n  SD    ,x\r\n"},
    {"WordpadFirstLineIsARecordOtherLinesDropped", kWordpad,
     "STN     S1,1.5,\r\n\r\n}\r\nJOB     J\rBS      S2\r\nHV  \r\n", "Top300hlp.txt",
     "STN     ,S1,1.5,\r\nBS      ,S2\r\nHV  ,\r\n"},
};

class TopconScratch : public ::testing::TestWithParam<ScratchCase> {};
TEST_P(TopconScratch, HoldsExactly) {
  const Converted out = convert_bytes(GetParam().command, GetParam().input);
  EXPECT_EQ(out.in_dir(GetParam().scratch), GetParam().content);
  // Only the rich-text commands write the second scratch file.
  EXPECT_EQ(std::filesystem::exists(out.dir->path() / "Top3000hlp.txt"),
            GetParam().command != kWordpad);
}
INSTANTIATE_TEST_SUITE_P(Topcon, TopconScratch, ::testing::ValuesIn(kScratch),
                         case_name<ScratchCase>);

}  // namespace
}  // namespace korvath::test
