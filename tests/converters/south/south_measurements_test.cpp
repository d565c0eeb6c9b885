#include <gtest/gtest.h>

#include <string>

#include "support/byte_cases.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

constexpr std::string_view kSouth = "south-mes";

TEST(SouthMes, WorkedExampleGivesRowsAndReducedRecords) {
  const Converted out = convert_bytes(kSouth,
                                      "ST1 1.550\r\nST2 1.600 350.0000 98.0000 120.500\r\n"
                                      "101  1.300 10.0000 99.5000 **********\r\n");
  ASSERT_EQ(out.status, Outcome::Status::converted);
  EXPECT_EQ(out.scratch("/ConvSou.txt"),
            "ST1,1.550,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV,NOTAV\r\n"
            "ST2,1.600,350.0000,98.0000,120.500,NOTAV,NOTAV,NOTAV,NOTAV\r\n"
            "101,1.300,10.0000,99.5000,**********,NOTAV,NOTAV,NOTAV,NOTAV\r\n");
  EXPECT_EQ(out.file(0), "ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n");
  EXPECT_EQ(out.file(1), " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n");
}

const std::string kSetup = "ST1 1.5\r\nS2 1.6 350 99 10\r\n";
const std::string kBacksight = "S2,ST1,S2, 1.6 , 0 , 99 , 10 , 1.5 \r\n";

const OutputCase kOutputs[] = {
    // Runs of blanks, leading and trailing ones too, cut like one blank; a tab does not cut.
    // Values after the fifth are dropped, up to nine; missing ones are "NOTAV".
    {kSouth,
     "ValuesCutAtBlanks",
     "   ST1    1.5   \r\nS2  1.6   350    99 10   \r\nP7 1.300 10 98.7650 45.678 X1\r\n"
     "8 1.3 0 99 10 a b c d\r\nST2\t1.4\r\nS1 1.6 0\r\nST3 1.5\r\nS3 1.6 0 99\r\n",
     {kBacksight +
          "P7,ST1,S2, 1.3 , 60 , 98.765 , 45.678 , 1.5 \r\n"
          "S1,ST2\t1.4,S1, 1.6 , 0 ,NOTAV,NOTAV,NOTAV\r\nS3,ST3,S3, 1.6 , 0 , 99 ,NOTAV, 1.5 \r\n",
      " 8 ,ST1,S2, 1.3 , 50 , 99 , 10 , 1.5 \r\n"}},
    // The row right after a station row is its backsight; later rows are reduced by it.
    {kSouth,
     "EachStationHasItsBacksight",
     kSetup + "1 1.3 10 98 20\r\nS3 1.3 349.5 98 40\r\nST2 1.4\r\nS1 1.6 200 99 10\r\n"
              "7 1.3 250 98 20\r\n",
     {kBacksight +
          "S3,ST1,S2, 1.3 , 399.5 , 98 , 40 , 1.5 \r\nS1,ST2,S1, 1.6 , 0 , 99 , 10 , 1.4 \r\n",
      " 1 ,ST1,S2, 1.3 , 60 , 98 , 20 , 1.5 \r\n 7 ,ST2,S1, 1.3 , 50 , 98 , 20 , 1.4 \r\n"}},
    // A blank line is no record: it neither re-stations nor takes the backsight's place. An
    // observation before any station is the backsight, with empty station and height.
    {kSouth,
     "BlankLinesAreDropped",
     "\r\nP1 1.3 50 99 10\r\n4 1.3 60 99 10\r\nST1 1.5\r\n\r\n    \r\nS2 1.6 350 99 10\r\n\r\n"
     "1 1.3 10 98 20\r\n",
     {"P1,,P1, 1.3 , 0 , 99 , 10 ,\r\n" + kBacksight,
      " 4 ,,P1, 1.3 , 10 , 99 , 10 ,\r\n 1 ,ST1,S2, 1.3 , 60 , 98 , 20 , 1.5 \r\n"}},
};
INSTANTIATE_TEST_SUITE_P(SouthMes, OutputBytes, ::testing::ValuesIn(kOutputs),
                         case_name<OutputCase>);

const FailureCase kFailures[] = {
    {kSouth,
     "TenthValueStopsPassOne",
     "ST1 1.5\r\nP1 1 2 3 4 5 6 7 8 9\r\n",
     Fault::too_many_values,
     "input.dat",
     2,
     {"", ""}},
    {kSouth,
     "TextReadingStopsPassTwo",
     kSetup + "7 1.3 12x 98 5\r\n",
     Fault::not_a_number,
     "input.dat",
     3,
     {kBacksight, ""}},
};
INSTANTIATE_TEST_SUITE_P(SouthMes, FailureBytes, ::testing::ValuesIn(kFailures),
                         case_name<FailureCase>);

}  // namespace
}  // namespace korvath::test
