#include <gtest/gtest.h>

#include <string>

#include "support/byte_cases.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

constexpr std::string_view kTcr307 = "leica-tcr307";
// The set-up S ST1 1.600 and its backsight D ST0 with the reading 350.
const std::string kSetup = "S ST1 1.600\r\nD ST0 1.500 350.0000 99.0000 120.000\r\n";
const std::string kBacksight = "ST0,ST1,ST0, 1.5 , 0 , 99 , 120 , 1.6 \r\n";

const OutputCase kOutputs[] = {
    {kTcr307,
     "WorkedExample",
     "S   ST1   1.600\r\nD  ST0  1.500  350.0000  99.0000  120.000\r\n"
     "D  101  1.500  10.0000  98.7654  25.432\r\n",
     {kBacksight, " 101 ,ST1,ST0, 1.5 , 60 , 98.7654 , 25.432 , 1.6 \r\n"}},
    // The first observation after a set-up is a station even when numbered; later ones go by
    // name: text and 0 to the station file, 0101 and 7 to the point file.
    {kTcr307,
     "FirstAfterSetupNamesAndZeroAreStations",
     "S ST1 1.6\r\nD 100 1.5 350.0000 99.0000 120.000\r\nD ST2 1.5 360.0000 99.0000 80.000\r\n"
     "D 0 1.5 370.0000 99.0000 90.000\r\nD 0101 1.5 380.0000 99.0000 70.000\r\n"
     "D 7 1.5 10.0000 98.0000 12.000\r\n",
     {" 100 ,ST1, 100 , 1.5 , 0 , 99 , 120 , 1.6 \r\nST2,ST1, 100 , 1.5 , 10 , 99 , 80 , 1.6 \r\n"
      " 0 ,ST1, 100 , 1.5 , 20 , 99 , 90 , 1.6 \r\n",
      " 101 ,ST1, 100 , 1.5 , 30 , 99 , 70 , 1.6 \r\n 7 ,ST1, 100 , 1.5 , 60 , 98 , 12 , 1.6 "
      "\r\n"}},
    {kTcr307,
     "SecondSetupTakesItsOwnBacksight",
     kSetup +
         "S ST2 1.45\r\nD ST1 1.5 100.0000 101.0000 120.000\r\nD 8 1.3 90.0000 99.5000 15.500\r\n",
     {kBacksight + "ST1,ST2,ST1, 1.5 , 0 , 101 , 120 , 1.45 \r\n",
      " 8 ,ST2,ST1, 1.3 , 390 , 99.5 , 15.5 , 1.45 \r\n"}},
    // Lines under 25 characters get vertical angle and distance 0; a complete one among them is
    // written once, its surplus values skipped.
    {kTcr307,
     "ShortObservationsReadZeroAndAreWrittenOnce",
     kSetup + "D 5 1.5 123.4567\r\nD 7 1.5 10.0 99.0 12.345\r\n",
     {kBacksight,
      " 5 ,ST1,ST0, 1.5 , 173.4567 , 0 , 0 , 1.6 \r\n 7 ,ST1,ST0, 1.5 , 60 , 99 , 12.345 , 1.6 "
      "\r\n"}},
    // Each item of the note counts as a record, so ST0 no longer directly follows the set-up.
    {kTcr307,
     "OtherItemsAreSkippedButCounted",
     "S ST1 1.6\r\nNOTE rain\r\nD ST0 1.5 350.0000 99.0000 120.000\r\n",
     {"ST0,ST1,, 1.5 , 350 , 99 , 120 , 1.6 \r\n", ""}},
};
INSTANTIATE_TEST_SUITE_P(LeicaTcr307, OutputBytes, ::testing::ValuesIn(kOutputs),
                         case_name<OutputCase>);

const FailureCase kFailures[] = {
    {kTcr307,
     "ReadingThatIsNotANumber",
     kSetup + "D 7 1.5 10.0000x 99.0000 12.000\r\n",
     Fault::not_a_number,
     "L307hlp2.txt",
     3,
     {kBacksight, ""}},
    {kTcr307, "RecordCutShort", "S ST1\r\n", Fault::read_past_end, "L307hlp2.txt", 2, {"", ""}},
};
INSTANTIATE_TEST_SUITE_P(LeicaTcr307, FailureBytes, ::testing::ValuesIn(kFailures),
                         case_name<FailureCase>);

// Runs of blanks to commas, one per full 30 and one for the rest, tabs kept; then only "D"
// lines under 25 characters are completed.
TEST(LeicaTcr307Scratch, BlankRunsToCommasThenShortObservationsCompleted) {
  const std::string runs = "a" + std::string(30, ' ') + "b" + std::string(31, ' ') + "c" +
                           std::string(60, ' ') + "d" + std::string(61, ' ') + "e\tf";
  const auto out = convert_bytes(
      kTcr307, "   " + runs + "  \r\nD 7 1.5 10.0 99.0 12.345\r\nD 7 1.5 10.0 99.0 12.3456\r\n");
  ASSERT_EQ(out.status, Outcome::Status::converted);
  const std::string lines = "a,b,,c,,d,,,e\tf\r\nD,7,1.5,10.0,99.0,12.345";
  EXPECT_EQ(out.scratch("/L307hlp.txt"), lines + "\r\nD,7,1.5,10.0,99.0,12.3456\r\n");
  EXPECT_EQ(out.scratch("/L307hlp2.txt"), lines + ",0.0000,0.000\r\nD,7,1.5,10.0,99.0,12.3456\r\n");
}

}  // namespace
}  // namespace korvath::test
