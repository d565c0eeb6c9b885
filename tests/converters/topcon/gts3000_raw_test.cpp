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
