#include <gtest/gtest.h>

#include <string>

#include "support/byte_cases.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

constexpr std::string_view kMes = "pentax-mes", kTraverse = "pentax-mes-traverse";

// The station file, the point file and the listing beside "points" (a name without a point),
// then, where given, the scratch file.
struct ListingCase {
  std::string_view command;
  const char* name;
  std::string input;
  std::vector<std::string> files;
};
void PrintTo(const ListingCase& c, std::ostream* os) {
  *os << c.name;
}

class PentaxListingBytes : public ::testing::TestWithParam<ListingCase> {};

TEST_P(PentaxListingBytes, WritesEveryFileExactly) {
  const ListingCase& c = GetParam();
  const Converted out = convert_bytes(c.command, c.input);
  ASSERT_EQ(out.status, Outcome::Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), c.files.at(0));
  EXPECT_EQ(out.file(1), c.files.at(1));
  ASSERT_TRUE(std::filesystem::exists(out.dir->path() / "points.txm.ODR"));  // also when empty
  EXPECT_EQ(out.in_dir("points.txm.ODR"), c.files.at(2));
  if (c.files.size() > 3) {
    EXPECT_EQ(out.scratch("/PENhlp.txt"), c.files[3]);
  }
}

// Each instrument line closes with a character that pass 1 drops.
std::string group(std::string_view target, std::string_view distance = "10.5") {
  return "003 PPD " + std::string(target) + "X\r\n004 PFH 1.3X\r\n005 RTH 100X\r\n" +
         "006 RTV 99X\r\n007 RTD " + std::string(distance) + "X\r\n";
}
const std::string kOneSetup =
    "001 STS ST1X\r\n002 INH 1.500X\r\n003 PPD 101X\r\n004 PFH 1.300X\r\n"
    "005 RTH 123.4560X\r\n006 RTV 95.1230X\r\n007 RTD 45.678X\r\n";
const std::string kOneSetupScratch =
    "STS,ST1\r\nINH,1.500\r\nPPD,101\r\nPFH,1.300\r\nRTH,123.4560\r\nRTV,95.1230\r\nRTD,45.678\r\n";
const std::string kPoint101 = " 101 ,ST1,T-T-T, 1.3 , 123.456 , 95.123 , 45.678 , 1.5 \r\n";
const std::string kListing101 = "S ST1 1.5 \r\nD  101         1.3  123.456  95.123  45.678 \r\n";
const std::string kRow = " 1.3 , 100 , 99 , 10.5 ,";    // the values of a group(...)
const std::string kListed = "1.3  100  99  10.5 \r\n";  // and in the listing, after a blank

const ListingCase kListings[] = {
    {kMes, "OneSetup", kOneSetup, {"", kPoint101, kListing101, kOneSetupScratch}},
    {kMes,
     "NextStationMakesTheLastOneTheBacksight",
     kOneSetup + "008 STS ST2X\r\n009 INH 1.6X\r\n" + group("ST1") + group("102"),
     {"ST1,ST2,ST1," + kRow + " 1.6 \r\n", kPoint101 + " 102 ,ST2,ST1," + kRow + " 1.6 \r\n",
      kListing101 + "S ST2 1.6 \r\nD ST1          " + kListed + "D  102         " + kListed}},
    // Lines are trimmed before the key is cut; lines without one of the seven keys, blank and
    // short ones included, are dropped. A keyed line of nine characters has the value 0.
    {kMes,
     "LinesWithoutAKeyAreDropped",
     "\r\n   \r\nJOB\r\n12345678\r\n001 sts ST9X\r\n   001 STS ST1X\r\n  002 INH 1.5X  \r\n" +
         group("8", ""),
     {"", " 8 ,ST1,T-T-T, 1.3 , 100 , 99 , 0 , 1.5 \r\n",
      "S ST1 1.5 \r\nD  8           1.3  100  99  0 \r\n",
      "STS,ST1\r\nINH,1.5\r\nPPD,8\r\nPFH,1.3\r\nRTH,100\r\nRTV,99\r\nRTD,0\r\n"}},
    // The four lines after "PPD" are taken by position, whatever their keys; a group line out
    // of place and the rest of a value split at a comma are skipped.
    {kMes,
     "GroupReadByPositionOtherKeysSkipped",
     "007 RTD 55X\r\n001 STS A,BX\r\n003 PPD 9X\r\n005 RTH 100X\r\n004 PFH 1.3X\r\n007 RTD 10X\r\n"
     "006 RTV 99X\r\n006 RTV 1X\r\n",
     {"", " 9 ,A,T-T-T, 100 , 1.3 , 10 , 99 ,\r\n", "S AD  9        100  1.3  10  99 \r\n"}},
    // "D " and 12 characters fill a zone: a whole zone of blanks follows; 13 reach the next.
    {kMes,
     "ZoneAfterTheName",
     group("ABCDEFGHIJKL") + group("ABCDEFGHIJKLM"),
     {"ABCDEFGHIJKL,T-T-T,T-T-T," + kRow + "\r\nABCDEFGHIJKLM,T-T-T,T-T-T," + kRow + "\r\n", "",
      "D ABCDEFGHIJKL               " + kListed + "D ABCDEFGHIJKLM              " + kListed}},
    {kMes, "NoKeyGivesThreeEmptyFiles", "HEADER LINE\r\n001 XYZ 12X\r\n", {"", "", ""}},
    {kTraverse,
     "OneSetupAsTheKeyedDownloadGives",
     "STS:ST1\r\nINH:1.500\r\nPPD:101\r\nPFH:1.300\r\nRTH:123.4560\r\nRTV:95.1230\r\nRTD:45."
     "678\r\n",
     {"", kPoint101, kListing101, kOneSetupScratch}},
    // Lines whose first three characters are no key are dropped; "STS ST1" is kept but is no
    // key on reading. A kept line is trimmed, its colons turned into commas: "PPD:12:30" makes
    // the 30 the key of the group's first line, and every value moves by one item. The blank
    // after "STS:" goes when read, an empty value stays empty.
    {kTraverse,
     "ColonsBecomeCommas",
     "001 STS ST1X\r\n\r\nST\r\nsts:ST1\r\nSTS ST1\r\nSTS: ST2\r\n  PPD:12:30  \r\nPFH:1.3\r\n"
     "RTH:100\r\nRTV:99\r\nRTD:10.5\r\nPPD:7\r\nPFH:1.3\r\nRTH:100\r\nRTV:99\r\nRTD:\r\n",
     {"", " 12 ,ST2,T-T-T,PFH,RTH,RTV,RTD,\r\n 7 ,ST2,T-T-T, 1.3 , 100 , 99 ,,\r\n",
      "S ST2D  12    PFHRTHRTVRTD\r\nD  7           1.3  100  99 \r\n",
      "STS ST1\r\nSTS, ST2\r\nPPD,12,30\r\nPFH,1.3\r\nRTH,100\r\nRTV,99\r\nRTD,10.5\r\nPPD,7\r\n"
      "PFH,1.3\r\nRTH,100\r\nRTV,99\r\nRTD,\r\n"}},
};
INSTANTIATE_TEST_SUITE_P(PentaxMes, PentaxListingBytes, ::testing::ValuesIn(kListings),
                         [](const auto& info) { return std::string(info.param.name); });

const FailureCase kFailures[] = {
    // A keyed line too short for its value stops pass 1; a blank line before it does not.
    {kMes,
     "KeyedLineTooShort",
     "001 STS ST1X\r\n\r\n009 RTDX\r\n",
     Fault::line_too_short,
     "input.dat",
     3,
     {"", ""}},
};
INSTANTIATE_TEST_SUITE_P(PentaxMes, FailureBytes, ::testing::ValuesIn(kFailures),
                         case_name<FailureCase>);

constexpr std::string_view kCor = "pentax-cor", kCorTraverse = "pentax-cor-traverse";
// 41 characters: a point line. Without its first character it is 40, and skipped.
const std::string kFortyOne = "PT0001" + std::string(34, '7') + ";";

const OutputCase kCoordinates[] = {
    {kCor,
     "SixItemsARecord",
     "P7,1000.250,2000.100,100.000,CODE,1\r\n",
     {"P7, 1000.25 , 2000.1 , 100 \r\n"}},
    // Records are six items whatever the lines: three lines of four items are two records.
    {kCor,
     "SixItemsWhateverTheLines",
     "A,1,2,3\r\nB,4,5,6\r\nC,7,8,9\r\n",
     {"A, 1 , 2 , 3 \r\n 5 , 6 ,C, 7 \r\n"}},
    {kCorTraverse,
     "ValuesAreCopiedAsListed",
     "PT0001   P7:  1000.250:  2000.100:  100.000;\r\n",
     {"P7,  1000.250,  2000.100,  100.000\r\n"}},
    // Only lines over 40 characters once trimmed are point lines; the lead counts from the
    // first character that is no blank.
    {kCorTraverse,
     "FortyOneCharactersMakeAPointLine",
     "POINT LISTING\r\n\r\n" + kFortyOne.substr(1) + "\r\n" + kFortyOne + "\r\n      " +
         kFortyOne.substr(1) + "      \r\n   " + kFortyOne + "\r\n",
     {std::string(34, '7') + "\r\n" + std::string(34, '7') + "\r\n"}},
};
INSTANTIATE_TEST_SUITE_P(PentaxCor, OutputBytes, ::testing::ValuesIn(kCoordinates),
                         case_name<OutputCase>);

// A blank line after the last record starts a record that runs past the end.
const FailureCase kCoordinateFailures[] = {
    {kCor,
     "BlankLineAfterTheLastRecord",
     "P1,1,2,3,A,B\r\nP2,4,5,6,A,B\r\n\r\n",
     Fault::read_past_end,
     "input.dat",
     4,
     {"P1, 1 , 2 , 3 \r\nP2, 4 , 5 , 6 \r\n"}},
};
INSTANTIATE_TEST_SUITE_P(PentaxCor, FailureBytes, ::testing::ValuesIn(kCoordinateFailures),
                         case_name<FailureCase>);

}  // namespace
}  // namespace korvath::test
