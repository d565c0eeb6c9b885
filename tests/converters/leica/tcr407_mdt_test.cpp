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

const ByteCase kMdt[] = {
    {"SetupBacksightAndObservations",
     "JOB 21-09-2004\r\n"
     "9000000001 0.000 0.000 0.000 1.550 5 6 7 8\r\n"
     "-000000002 350.0000 99.0000 120.000 1.500 0\r\n"
     "0000001001 123.4567 98.7654 25.432 1.500 0 0 0\r\n"
     "0000000ST3 10.0000 100.0000 50.000 1.600 0 0 0\r\n",
     "ST3, 1 , 2 , 1.6 , 60 , 100 , 50 , 1.55 \r\n",
     " 2 , 1 , 2 , 1.5 , 0 , 99 , 120 , 1.55 \r\n"
     " 1001 , 1 , 2 , 1.5 , 173.4567 , 98.7654 , 25.432 , 1.55 \r\n"},
    {"ObservationsBeforeAnyBacksightAreUnreduced",
     "JOB\r\n0000000007 123.4567 98.0000 10.000 1.500 0 0 0\r\n", "",
     " 7 ,,, 1.5 , 123.4567 , 98 , 10 ,\r\n"},
    {"EachSetupReducesToItsOwnBacksight",
     "JOB\r\n9000000001 0 0 0 1.5 0 0 0 0\r\n-000000005 100.0000 99 10 1.3 0\r\n"
     "00000000A1 50.0000 99 11 1.3 0 0 0\r\n9000000005 0 0 0 1.4 0 0 0 0\r\n"
     "-000000001 200.0000 101 10 1.3 0\r\n0000000000 250.0000 99 12 1.3 0 0 0\r\n",
     "A1, 1 , 5 , 1.3 , 350 , 99 , 11 , 1.5 \r\n"
     " 0 , 5 , 1 , 1.3 , 50 , 99 , 12 , 1.4 \r\n",
     " 5 , 1 , 5 , 1.3 , 0 , 99 , 10 , 1.5 \r\n 1 , 5 , 1 , 1.3 , 0 , 101 , 10 , 1.4 \r\n"},
    {"SetupWithoutBacksightKeepsThePreviousOne",
     "JOB\r\n9000000001 0 0 0 1.5 0 0 0 0\r\n-9ABCDEFGH 100.0000 99 10 1.3 0\r\n"
     "9000000002 0 0 0 1.6 0 0 0 0\r\n0000000003 50.0000 99 11 1.3 0 0 0\r\n",
     "",
     "9ABCDEFGH, 1 ,9ABCDEFGH, 1.3 , 0 , 99 , 10 , 1.5 \r\n"
     " 3 , 2 ,9ABCDEFGH, 1.3 , 350 , 99 , 11 , 1.6 \r\n"},
    {"LinesWithOtherCodesWriteNothing",
     "JOB\r\n1234567890 1 2 3 4 5 6 7\r\nX\r\n\r\n   0000000004 10 99 5 1.5 0 0 0   \r\n", "",
     " 4 ,,, 1.5 , 10 , 99 , 5 ,\r\n"},
    // A surplus value lands where a letter is expected; it is skipped, and the next records
    // are read in step again.
    {"SurplusValueIsSkippedOnce",
     "JOB\r\n-000000002 100 99 10 1.5 0\r\n0000000003 150 99 11 1.5 0 0 0 9\r\n"
     "0000000004 160 99 12 1.5 0 0 0\r\n",
     "",
     " 2 ,, 2 , 1.5 , 0 , 99 , 10 ,\r\n 3 ,, 2 , 1.5 , 50 , 99 , 11 ,\r\n"
     " 4 ,, 2 , 1.5 , 60 , 99 , 12 ,\r\n"},
};

class LeicaTcr407MdtBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(LeicaTcr407MdtBytes, WritesBothFilesExactly) {
  const auto out = convert_bytes("leica-tcr407-mdt", GetParam().input);
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(LeicaTcr407Mdt, LeicaTcr407MdtBytes, ::testing::ValuesIn(kMdt),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeicaTcr407MdtScratch, NamesLoseTheirCodeAndZerosAndBlanksBecomeCommas) {
  const auto out = convert_bytes("leica-tcr407-mdt",
                                 "JOB\r\n"
                                 "9000000012 1.000 2.000 3.000 1.550 5 6 7 8\r\n"
                                 "-000000005 1  2 3 4 5\r\n"
                                 "0000001234 1 2 3 4 5 6 7\r\n"
                                 "9012345678 1 2 3 4 5 6 7 8\r\n"
                                 "9ABCDEFGHI 1 2 3 4 5 6 7 8\r\n"
                                 "9000000000 1 2 3 4 5 6 7 8\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/lei3hlp.txt"),
            "S,12,1.000,2.000,3.000,1.550,5,6,7,8\r\n"
            "B,5,1,,2,3,4,5\r\n"
            "D,1234,1,2,3,4,5,6,7\r\n"
            "S,12345678,1,2,3,4,5,6,7,8\r\n"
            "S,ABCDEFGHI,1,2,3,4,5,6,7,8\r\n"
            "S,9000000000,1,2,3,4,5,6,7,8\r\n");
}

TEST(LeicaTcr407MdtErrors, EmptyFileHasNoFirstLine) {
  const auto out = convert_bytes("leica-tcr407-mdt", "");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.error->line(), 1u);
}

TEST(LeicaTcr407MdtErrors, RecordCutShortReadsPastTheEndOfTheScratchFile) {
  const auto out = convert_bytes("leica-tcr407-mdt",
                                 "JOB\r\n-000000002 100 99 10 1.5 0\r\n0000000003 150 99 11\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.file(1), " 2 ,, 2 , 1.5 , 0 , 99 , 10 ,\r\n");
}

}  // namespace
}  // namespace korvath
