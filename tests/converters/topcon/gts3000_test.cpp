#include <gtest/gtest.h>

#include "support/convert.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;
using test::convert_bytes;

TEST(TopconGts3000, ScratchFilesOfTheWorkedExample) {
  const auto out = convert_bytes(
      "topcon-gts3000",
      "1,ST1,1.550\n2,ST2,350.0000,98.0000,120.500,1.600\n2,101,10.0000,99.5000,45.250,1.300");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/Top300hlp.txt"),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs17 1,ST1,1.550\r\n"
            "2,ST2,350.0000,98.0000,120.500,1.600\r\n"
            "2,101,10.0000,99.5000,45.250,1.300\r\n"
            "}\r\n"
            "\r\n");
  EXPECT_EQ(out.scratch("/Top3000hlp.txt"),
            "1,ST1,1.550\r\n2,ST2,350.0000,98.0000,120.500,1.600\r\n"
            "2,101,10.0000,99.5000,45.250,1.300\r\n");
}

TEST(TopconGts3000, DataLinesAreWrittenUntrimmed) {
  const auto out = convert_bytes("topcon-gts3000", "1,S1,1.5\n  \n }\n 2,S2,10,99,30,1.2 \n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/Top3000hlp.txt"), "1,S1,1.5\r\n 2,S2,10,99,30,1.2 \r\n");
}

TEST(TopconGts3000, CrLfLinesJoinAndTheNextKeyIsNoNumber) {
  const auto out = convert_bytes("topcon-gts3000", "1,ST1,1.550\r\n2,ST2,350,98,120.5,1.6\r\n");
  EXPECT_EQ(out.scratch("/Top3000hlp.txt"), "1,ST1,1.5502,ST2,350,98,120.5,1.6\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->detail(), "ST2");
  EXPECT_EQ(out.file(0), "");
  EXPECT_EQ(out.file(1), "");
}

struct ErrorCase {
  const char* name;
  std::string_view input;
  Fault fault;
  std::uint64_t line;  // in the second scratch file; past its end: the line after the last
};

const ErrorCase kGts3000Errors[] = {
    {"TextKey", "1,S1,1.5\nSTN,S2,1.4\n", Fault::not_a_number, 2},
    {"EmptyFirstDataLineIsAnEmptyKey", "\n1,S1,1.5\n", Fault::not_a_number, 1},
    {"ReadingThatIsText", "1,S1,1.5\n2,S2,10x,99,30,1.2\n", Fault::not_a_number, 2},
    {"RecordCutShort", "1,S1,1.5\n2,S2,10,99\n", Fault::read_past_end, 3},
    {"SetUpCutShort", "1,S1", Fault::read_past_end, 2},
};

class TopconGts3000Errors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(TopconGts3000Errors, TakeTheErrorPathAtTheirLine) {
  const auto out = convert_bytes("topcon-gts3000", GetParam().input);
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), GetParam().fault);
  EXPECT_EQ(out.error->line(), GetParam().line);
  EXPECT_EQ(out.file(1), "");
}

INSTANTIATE_TEST_SUITE_P(TopconGts3000, TopconGts3000Errors, ::testing::ValuesIn(kGts3000Errors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TopconGts3000, ErrorKeepsTheLinesWrittenBefore) {
  const auto out = convert_bytes("topcon-gts3000", "1,S1,1.5\n2,S2,10,99,30,1.2\nX\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.file(0), "S2,S1,S2, 1.2 , 0 , 99 , 30 , 1.5 \r\n");
}

}  // namespace
}  // namespace korvath
