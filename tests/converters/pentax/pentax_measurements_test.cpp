#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/convert.hpp"

namespace korvath::test {
namespace {

using Status = Outcome::Status;

// The listing beside the point file "points" (a chosen name without a point).
constexpr std::string_view kOdr = "points.txm.ODR";

// One setup and one detail point, each line closed by a character that pass 1 drops.
constexpr std::string_view kOneSetup =
    "001 STS ST1X\r\n002 INH 1.500X\r\n003 PPD 101X\r\n004 PFH 1.300X\r\n"
    "005 RTH 123.4560X\r\n006 RTV 95.1230X\r\n007 RTD 45.678X\r\n";

TEST(PentaxMes, OneSetupGivesScratchPointFileAndListing) {
  const Converted out = convert_bytes("pentax-mes", kOneSetup);
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/PENhlp.txt"),
            "STS,ST1\r\nINH,1.500\r\nPPD,101\r\nPFH,1.300\r\nRTH,123.4560\r\nRTV,95.1230\r\n"
            "RTD,45.678\r\n");
  EXPECT_EQ(out.file(0), "");
  EXPECT_EQ(out.file(1), " 101 ,ST1,T-T-T, 1.3 , 123.456 , 95.123 , 45.678 , 1.5 \r\n");
  EXPECT_EQ(out.in_dir(kOdr), "S ST1 1.5 \r\nD  101         1.3  123.456  95.123  45.678 \r\n");
}

struct MesCase {
  const char* name;
  std::string input, stations, points, odr;
};
void PrintTo(const MesCase& c, std::ostream* os) {
  *os << c.name;
}

std::string group(std::string_view target, std::string_view distance = "10.5") {
  return "003 PPD " + std::string(target) + "X\r\n004 PFH 1.3X\r\n005 RTH 100X\r\n" +
         "006 RTV 99X\r\n007 RTD " + std::string(distance) + "X\r\n";
}

const MesCase kMes[] = {
    {"NextStationMakesTheLastOneTheBacksight",
     std::string(kOneSetup) + "008 STS ST2X\r\n009 INH 1.6X\r\n" + group("ST1") + group("102"),
     "ST1,ST2,ST1, 1.3 , 100 , 99 , 10.5 , 1.6 \r\n",
     " 101 ,ST1,T-T-T, 1.3 , 123.456 , 95.123 , 45.678 , 1.5 \r\n"
     " 102 ,ST2,ST1, 1.3 , 100 , 99 , 10.5 , 1.6 \r\n",
     "S ST1 1.5 \r\nD  101         1.3  123.456  95.123  45.678 \r\nS ST2 1.6 \r\n"
     "D ST1          1.3  100  99  10.5 \r\nD  102         1.3  100  99  10.5 \r\n"},
    {"LeadingBlanksAreTrimmedBeforeTheKeyIsCut",
     "   001 STS ST1X\r\n  002 INH 1.5X  \r\n" + group("7"), "",
     " 7 ,ST1,T-T-T, 1.3 , 100 , 99 , 10.5 , 1.5 \r\n",
     "S ST1 1.5 \r\nD  7           1.3  100  99  10.5 \r\n"},
    {"NineCharacterLineHasTheValueZero", "001 STS ST1X\r\n" + group("5", ""), "",
     " 5 ,ST1,T-T-T, 1.3 , 100 , 99 , 0 ,\r\n", "S ST1D  5      1.3  100  99  0 \r\n"},
    {"LowerCaseKeysAreDropped", "001 sts ST9X\r\n001 STS ST1X\r\n002 inh 2X\r\n" + group("5"), "",
     " 5 ,ST1,T-T-T, 1.3 , 100 , 99 , 10.5 ,\r\n", "S ST1D  5      1.3  100  99  10.5 \r\n"},
    {"TargetNameRoutesTheRecord",
     "002 INH 1.5X\r\n" + group("0") + group("A5") + group("ST1") + group("5A") + group("007"),
     " 0 ,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 , 1.5 \r\n"
     "A5,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 , 1.5 \r\n"
     "ST1,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 , 1.5 \r\n",
     "5A,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 , 1.5 \r\n"
     " 7 ,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 , 1.5 \r\n",
     " 1.5 \r\nD  0           1.3  100  99  10.5 \r\nD A5           1.3  100  99  10.5 \r\n"
     "D ST1          1.3  100  99  10.5 \r\nD 5A           1.3  100  99  10.5 \r\n"
     "D  7           1.3  100  99  10.5 \r\n"},
    // The four lines after "PPD" are taken by position, whatever their keys.
    {"GroupIsReadByPosition",
     "003 PPD 9X\r\n005 RTH 100X\r\n004 PFH 1.3X\r\n007 RTD 10X\r\n006 RTV 99X\r\n", "",
     " 9 ,T-T-T,T-T-T, 100 , 1.3 , 10 , 99 ,\r\n", "D  9           100  1.3  10  99 \r\n"},
    // A line of the group out of place and the rest of a value split at a comma are keys of
    // no record: they are skipped and nothing is written twice.
    {"OtherKeysAreSkipped", "007 RTD 55X\r\n001 STS A,BX\r\n" + group("5") + "006 RTV 1X\r\n", "",
     " 5 ,A,T-T-T, 1.3 , 100 , 99 , 10.5 ,\r\n", "S AD  5        1.3  100  99  10.5 \r\n"},
    {"StationWithoutHeightContinuesTheListingLine", "001 STS ST1X\r\n" + group("101"), "",
     " 101 ,ST1,T-T-T, 1.3 , 100 , 99 , 10.5 ,\r\n", "S ST1D  101    1.3  100  99  10.5 \r\n"},
    // "D " and a 12-character name fill a zone exactly: a whole zone of blanks follows.
    {"NameFillingAZoneGetsAWholeZoneOfBlanks", group("ABCDEFGHIJKL"),
     "ABCDEFGHIJKL,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 ,\r\n", "",
     "D ABCDEFGHIJKL               1.3  100  99  10.5 \r\n"},
    {"LongNameMovesToTheZoneAfter", group("ABCDEFGHIJKLM"),
     "ABCDEFGHIJKLM,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 ,\r\n", "",
     "D ABCDEFGHIJKLM              1.3  100  99  10.5 \r\n"},
    // Blank lines and short headings carry no key: dropped, not the end of the conversion.
    {"BlankAndShortLinesWithoutKeyAreDropped",
     "\r\n   \r\nJOB\r\n12345678\r\n002 INH 1.5X\r\n" + group("8"), "",
     " 8 ,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 , 1.5 \r\n",
     " 1.5 \r\nD  8           1.3  100  99  10.5 \r\n"},
    {"NoKeyGivesThreeEmptyFiles", "HEADER LINE\r\n001 XYZ 12X\r\n", "", "", ""},
};

class PentaxMesBytes : public ::testing::TestWithParam<MesCase> {};

TEST_P(PentaxMesBytes, WritesAllThreeFilesExactly) {
  const Converted out = convert_bytes("pentax-mes", GetParam().input);
  ASSERT_EQ(out.status, Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
  EXPECT_TRUE(std::filesystem::exists(out.dir->path() / kOdr));  // created even when empty
  EXPECT_EQ(out.in_dir(kOdr), GetParam().odr);
}

INSTANTIATE_TEST_SUITE_P(PentaxMes, PentaxMesBytes, ::testing::ValuesIn(kMes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PentaxMesErrors, ShortKeyedLineStopsBeforeAnyOutput) {
  const Converted out = convert_bytes("pentax-mes", "001 STS ST1X\r\n\r\n009 RTDX\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::line_too_short);
  EXPECT_EQ(out.error->line(), 3u);
  EXPECT_EQ(out.scratch("/PENhlp.txt"), "STS,ST1\r\n");
  EXPECT_EQ(out.file(1), "");
  EXPECT_FALSE(std::filesystem::exists(out.dir->path() / kOdr));
}

TEST(PentaxMesErrors, GroupCutShortByTheEndKeepsEarlierRecords) {
  const Converted out =
      convert_bytes("pentax-mes", group("101") + "003 PPD 102X\r\n004 PFH 1.3X\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.file(1), " 101 ,T-T-T,T-T-T, 1.3 , 100 , 99 , 10.5 ,\r\n");
  EXPECT_EQ(out.in_dir(kOdr), "D  101         1.3  100  99  10.5 \r\n");
}

}  // namespace
}  // namespace korvath::test
