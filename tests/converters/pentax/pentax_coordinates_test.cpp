#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/convert.hpp"

namespace korvath::test {
namespace {

using Status = Outcome::Status;

struct CoordinateCase {
  const char* name;
  const char* command;
  std::string input, coordinates;
};
void PrintTo(const CoordinateCase& c, std::ostream* os) {
  *os << c.name;
}

const CoordinateCase kCoordinates[] = {
    {"NameAndThreeCoordinatesOfSixItems", "pentax-cor", "P7,1000.250,2000.100,100.000,CODE,1\r\n",
     "P7, 1000.25 , 2000.1 , 100 \r\n"},
    {"NumberNameGetsBlanksQuotedNameDoesNot", "pentax-cor",
     "12,1000,2000,100,A,B\r\n\"12\",1000,2000,100,A,B\r\n",
     " 12 , 1000 , 2000 , 100 \r\n12, 1000 , 2000 , 100 \r\n"},
    {"EmptyCoordinateLeavesTwoCommas", "pentax-cor", "P1,1000,,100,A,B\r\n",
     "P1, 1000 ,, 100 \r\n"},
    {"NegativeAndSmallCoordinates", "pentax-cor", "P2,-12.5,0.5,0,A,B\r\n",
     "P2,-12.5 , .5 , 0 \r\n"},
    {"EmptyInputGivesEmptyFile", "pentax-cor", "", ""},
    {"DuplicateNamesGiveTwoLines", "pentax-cor", "P1,1,2,3,,\r\nP1,4,5,6,,\r\n",
     "P1, 1 , 2 , 3 \r\nP1, 4 , 5 , 6 \r\n"},
};

// A point line is longer than 40 characters once trimmed; the lead of six characters and the
// closing character go, and the colons become commas.
const std::string kFortyOne = "PT0001" + std::string(34, '7') + ";";

const CoordinateCase kTraverse[] = {
    {"ValuesAreCopiedAsListed", "pentax-cor-traverse",
     "PT0001   P7:  1000.250:  2000.100:  100.000;\r\n", "P7,  1000.250,  2000.100,  100.000\r\n"},
    {"FortyCharactersAreSkippedFortyOneConverted", "pentax-cor-traverse",
     kFortyOne.substr(1) + "\r\n" + kFortyOne + "\r\n", std::string(34, '7') + "\r\n"},
    {"LeadingBlanksDoNotCount", "pentax-cor-traverse",
     "      " + kFortyOne.substr(1) + "\r\n   " + kFortyOne + "\r\n",
     std::string(34, '7') + "\r\n"},
    {"TrailingBlanksDoNotHelp", "pentax-cor-traverse",
     "PT0001P7:1000.250:2000.100:100.000;          \r\n", ""},
    {"HeadingsAndBlankLinesAreSkipped", "pentax-cor-traverse", "POINT LISTING\r\n\r\n", ""},
};

class PentaxCorBytes : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(PentaxCorBytes, WritesTheCoordinateFileExactly) {
  const Converted out = convert_bytes(GetParam().command, GetParam().input);
  ASSERT_EQ(out.status, Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), GetParam().coordinates);
}

INSTANTIATE_TEST_SUITE_P(PentaxCor, PentaxCorBytes, ::testing::ValuesIn(kCoordinates),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(PentaxCorTraverse, PentaxCorBytes, ::testing::ValuesIn(kTraverse),
                         [](const auto& info) { return std::string(info.param.name); });

// Records are counted in items: four items a line shift the second record into the first.
TEST(PentaxCorErrors, ShortRecordsShiftAndTheLastRunsPastTheEnd) {
  const Converted out = convert_bytes("pentax-cor", "A,1,2,3\r\nB,4,5,6\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.file(0), "A, 1 , 2 , 3 \r\n");
}

TEST(PentaxCorErrors, BlankLineAfterTheLastRecordStartsARecordThatRunsPastTheEnd) {
  const Converted out = convert_bytes("pentax-cor", "P1,1,2,3,A,B\r\nP2,4,5,6,A,B\r\n\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.file(0), "P1, 1 , 2 , 3 \r\nP2, 4 , 5 , 6 \r\n");
}

}  // namespace
}  // namespace korvath::test
