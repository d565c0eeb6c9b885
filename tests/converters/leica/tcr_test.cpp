// The TCR 307 and TCR 407 commands. The three measurement commands share their last pass, so
// its rules (backsight, routing, skipped items) are tested once for each way a command finds
// its backsight: after the set-up (TCR 307, IDX) or by its own line (MDT).
#include <gtest/gtest.h>

#include <string>

#include "support/byte_cases.hpp"
#include "support/convert.hpp"

namespace korvath::test {
namespace {

constexpr std::string_view kTcr307 = "leica-tcr307", kIdx = "leica-tcr407-idx",
                           kMdt = "leica-tcr407-mdt", kCoords = "leica-tcr407-coords";
const Files kUntouched = {"", ""};  // as the overwrite check left them

// TCR 307: the set-up S ST1 1.600 and its backsight D ST0 with the reading 350.
const std::string kSetup = "S ST1 1.600\r\nD ST0 1.500 350.0000 99.0000 120.000\r\n";
const std::string kBacksight = "ST0,ST1,ST0, 1.5 , 0 , 99 , 120 , 1.6 \r\n";

// TCR 407 IDX: a SETUP block, a SLOPE table and one of its records of eleven items, whose
// `values` are Hz, Vz, slope distance and reflector height.
std::string setup(std::string_view name, std::string_view height) {
  return "\tSETUP\r\n\t\tSTN_NO\t1\r\n\t\tSTN_ID\t" + std::string(name) + "\r\n\t\tINST_HT\t" +
         std::string(height) + "\r\n\tEND SETUP\r\n";
}
std::string slope(std::string_view records) {
  return "\tSLOPE(TgtNo, TgtID, CfgNo, Hz, Vz, SDist, RefHt, Date, Ppm, ApplType, Flags)\r\n" +
         std::string(records) + "\tEND SLOPE\r\n";
}
std::string record(std::string_view target, std::string_view values) {
  return "\t\t500004,\t" + std::string(target) + ",\t1,\t" + std::string(values) +
         ",\t21-09-2004/08:45:47.0,\t-0.000000,\t107,\t00001100;\r\n";
}

// TCR 407 coordinates: the point table's heading, and the next tables of the point database,
// whose first eight items (THEMINFO heading, END THEMINFO, ANNOTATIONS heading) have
// "PointID" second and so end the point table.
const std::string kHeading =
    "DATABASE\r\n\tPOINTS(PointNo, PointID, East, North, Elevation, Code, Date, CLASS)\r\n";
const std::string kNextTable =
    "\t\tTHEMINFO(PointNo, PointID, Attribute, Value)\r\n\t\tEND THEMINFO\r\n"
    "\t\tANNOTATIONS(PointNo, PointID, Annotation)\r\n\t\tEND ANNOTATIONS\r\n\tEND POINTS\r\n";

const OutputCase kOutputs[] = {
    {kTcr307, "Tcr307WorkedExample",
     "S   ST1   1.600\r\nD  ST0  1.500  350.0000  99.0000  120.000\r\n"
     "D  101  1.500  10.0000  98.7654  25.432\r\n",
     Files{kBacksight, " 101 ,ST1,ST0, 1.5 , 60 , 98.7654 , 25.432 , 1.6 \r\n"}},
    // The first observation after a set-up is a station even when numbered; later ones go by
    // name: text and 0 to the station file, 0101 to the point file as a number.
    {kTcr307, "Tcr307FirstAfterSetupNamesAndZeroAreStations",
     "S ST1 1.6\r\nD 100 1.5 350.0000 99.0000 120.000\r\nD ST2 1.5 360.0000 99.0000 80.000\r\n"
     "D 0 1.5 370.0000 99.0000 90.000\r\nD 0101 1.5 380.0000 99.0000 70.000\r\n",
     Files{
         " 100 ,ST1, 100 , 1.5 , 0 , 99 , 120 , 1.6 \r\n"
         "ST2,ST1, 100 , 1.5 , 10 , 99 , 80 , 1.6 \r\n 0 ,ST1, 100 , 1.5 , 20 , 99 , 90 , 1.6 \r\n",
         " 101 ,ST1, 100 , 1.5 , 30 , 99 , 70 , 1.6 \r\n"}},
    // Lines under 25 characters get vertical angle and distance 0; a complete one among them is
    // written once, its surplus values skipped.
    {kTcr307, "Tcr307ShortObservationsReadZeroAndAreWrittenOnce",
     kSetup + "D 5 1.5 123.4567\r\nD 7 1.5 10.0 99.0 12.345\r\n",
     Files{kBacksight,
           " 5 ,ST1,ST0, 1.5 , 173.4567 , 0 , 0 , 1.6 \r\n"
           " 7 ,ST1,ST0, 1.5 , 60 , 99 , 12.345 , 1.6 \r\n"}},
    // Each item of the line counts as a record, so ST0 no longer directly follows the set-up;
    // "B" marks no backsight here.
    {kTcr307, "Tcr307OtherItemsAreSkippedButCounted",
     "S ST1 1.6\r\nB 9 rain\r\nD ST0 1.5 350.0000 99.0000 120.000\r\n",
     Files{"ST0,ST1,, 1.5 , 350 , 99 , 120 , 1.6 \r\n", ""}},

    // The first observation of the file is the backsight even without a set-up; the next
    // station's first observation is its own; 400 is added once and never taken off; the
    // height is read up to two characters before its semicolon.
    {kIdx, "IdxTableBeforeAnySetupThenASecondStation",
     slope(record("\"ST9\"", "300,99,1,1") + record("\"4\"", "100,99,2,1")) +
         setup("\"ST2\"", "1.420099;") +
         slope(record("\"ST1\"", "10,101,2,1") + record("6", "450,99,3,1")),
     Files{"ST9,,ST9, 1 , 0 , 99 , 1 ,\r\nST1,ST2,ST1, 1 , 0 , 101 , 2 , 1.42 \r\n",
           " 4 ,,ST9, 1 , 200 , 99 , 2 ,\r\n 6 ,ST2,ST1, 1 , 440 , 99 , 3 , 1.42 \r\n"}},
    // Blanks are trimmed, then tabs removed, before the keyword test; lower case does not
    // match; other lines are skipped. The name keeps what follows its quotes, and a height
    // that is no number is 0.
    {kIdx, "IdxKeywordsFreedOfTabsNameCutAtItsColumn",
     "HEADER\r\n\t SETUP\r\n\t\tSET\tUP\r\n\r\n\t\tSTN_ID\t\"P1\")\r\n\tINST_HT\tabc;xyz\r\n"
     "\tSLOPE\r\n" +
         record("\"9\"", "50,99,10,1") + "\tEND\t SLOPE\r\n\tsetup\r\n\r\nSTN_IDxQ\r\nshort\r\n",
     Files{"", " 9 ,P1), 9 , 1 , 0 , 99 , 10 , 0 \r\n"}},

    // The backsight line is written too, reduced to 0; each set-up with its own backsight
    // reduces to it, the third, without one, keeps the second's.
    {kMdt, "MdtBacksightHoldsUntilTheNextOne",
     "JOB 21-09-2004\r\n9000000001 0.000 0.000 0.000 1.550 5 6 7 8\r\n"
     "-000000002 350.0000 99.0000 120.000 1.500 0\r\n"
     "0000001001 123.4567 98.7654 25.432 1.500 0 0 0\r\n"
     "0000000ST3 10.0000 100.0000 50.000 1.600 0 0 0\r\n9000000005 0 0 0 1.4 0 0 0 0\r\n"
     "-000000001 200.0000 101 10 1.3 0\r\n0000000000 250.0000 99 12 1.3 0 0 0\r\n"
     "9000000003 0 0 0 1.6 0 0 0 0\r\n0000000006 150.0000 99 13 1.3 0 0 0\r\n",
     Files{
         "ST3, 1 , 2 , 1.6 , 60 , 100 , 50 , 1.55 \r\n 0 , 5 , 1 , 1.3 , 50 , 99 , 12 , 1.4 \r\n",
         " 2 , 1 , 2 , 1.5 , 0 , 99 , 120 , 1.55 \r\n"
         " 1001 , 1 , 2 , 1.5 , 173.4567 , 98.7654 , 25.432 , 1.55 \r\n"
         " 1 , 5 , 1 , 1.3 , 0 , 101 , 10 , 1.4 \r\n 6 , 3 , 1 , 1.3 , 350 , 99 , 13 , 1.6 \r\n"}},
    // Lines of other codes write nothing; before the first backsight nothing is reduced; a
    // surplus value lands where a letter is expected: skipped once, the next records in step.
    {kMdt, "MdtOtherCodesAndSurplusValuesSkipped",
     "JOB\r\n1234567890 1 2 3 4 5 6 7\r\nX\r\n\r\n   0000000004 10 99 5 1.5 0 0 0   \r\n"
     "-000000002 100 99 10 1.5 0\r\n0000000003 150 99 11 1.5 0 0 0 9\r\n"
     "0000000004 160 99 12 1.5 0 0 0\r\n",
     Files{"",
           " 4 ,,, 1.5 , 10 , 99 , 5 ,\r\n 2 ,, 2 , 1.5 , 0 , 99 , 10 ,\r\n"
           " 3 ,, 2 , 1.5 , 50 , 99 , 11 ,\r\n 4 ,, 2 , 1.5 , 60 , 99 , 12 ,\r\n"}},

    // Quoted names are text, bare ones numbers; coordinates that read as 0 (zero, empty, a
    // word, -0.000) become the number 0, others keep their form; nothing after PointID is read.
    {kCoords, "CoordsNamesAndCoordinatesInTheirForms",
     kHeading + "\t\t1, \"A1\", 1000.0000, 2000.5000, 0, \"\", x, y\r\n" +
         "\t\t2,\t12,\t1.5,\t-5.25,\t.5,\t\"\",\td,\tFIX;\r\n" +
         "\t\t500004,\t\"2000\", , , ,\"\",\t21-09-2004/08:45:47.0\t,\tMEAS;\r\n" +
         "\t\t3,\t\"P3\",\t12abc,\tabc,\t-0.000,\t\"\",\td,\tFIX;\r\n" + kNextTable +
         "\t\t4,\t\"B\",\t1,\t2,\t3,\t\"\",\td,\tFIX;\r\n",
     Files{"A1, 1000 , 2000.5 , 0 \r\n 12 , 1.5 ,-5.25 , .5 \r\n"
           "2000, 0 , 0 , 0 \r\nP3,12abc, 0 , 0 \r\n"}},
    // Trimmed of blanks, the heading needs exactly one other character before "POINTS".
    {kCoords, "CoordsHeadingNeedsExactlyOneTabAfterTheBlanks",
     "POINTS(PointNo)\r\n\t\tPOINTS(PointNo)\r\n    POINTS(PointNo)\r\n\tpoints(PointNo)\r\n"
     "   \tPOINTS(PointNo)\r\n1,\"A\",1,2,3,4,5,6\r\n" +
         kNextTable,
     Files{"A, 1 , 2 , 3 \r\n"}},
};
INSTANTIATE_TEST_SUITE_P(LeicaTcr, OutputBytes, ::testing::ValuesIn(kOutputs),
                         case_name<OutputCase>);

// IDX declaring its angle unit in the header: a set-up, its backsight and one point, whose
// `values` are Hz, Vz, slope distance and reflector height.
std::string idx_in(std::string_view unit, std::string_view backsight, std::string_view point) {
  return "HEADER\r\n\tUNITS\r\n\t\tANGULAR " + std::string(unit) +
         "\r\n\t\tLINEAR  METRE\r\n\tEND UNITS\r\nEND HEADER\r\n" + setup("\"ST1\"", "1.600000;") +
         slope(record("\"ST2\"", backsight) + record("\"1001\"", point));
}
Files idx_out(std::string_view vertical, std::string_view direction,
              std::string_view point_vertical) {
  return {"ST2,ST1,ST2, 1.5 , 0 ," + std::string(vertical) + ", 120 , 1.6 \r\n",
          " 1001 ,ST1,ST2, 1.5 ," + std::string(direction) + "," + std::string(point_vertical) +
              ", 25.432 , 1.6 \r\n"};
}

const OutputCase kIdxUnits[] = {
    {kIdx, "IdxGonPassesAsRead",
     idx_in("GON", "10.1234,99.0000,120.0000,1.5", "123.4567,98.7654,25.4320,1.5"),
     idx_out(" 99 ", " 113.3333 ", " 98.7654 ")},
    // Missing digits are zeros (87.4 is 87 degrees 40 minutes); seconds have decimals.
    {kIdx,
     "IdxDmsToGradsBeforeTheReduction",
     idx_in("DMS", "17.573160,87.4,120.0000,1.5", "336.263640,12.30305,25.4320,1.5"),
     idx_out(" 97.4074074074074 ", " 353.871851851852 ", " 13.8983024691358 "),
     {"3: γωνίες σε «DMS» (μοίρες, πρώτα, δεύτερα): μετατράπηκαν σε βαθμούς"}},
    {kIdx,
     "IdxDegToGrads",
     idx_in("DEG", "90,45.5,120.0000,1.5", "10,.9,25.4320,1.5"),
     idx_out(" 50.5555555555556 ", " 311.111111111111 ", " 1 "),
     {"3: γωνίες σε «DEG» (δεκαδικές μοίρες): μετατράπηκαν σε βαθμούς"}},
    {kIdx,
     "IdxMilToGrads",
     idx_in("MIL", "3200,1600,120.0000,1.5", "800,100,25.4320,1.5"),
     idx_out(" 100 ", " 250 ", " 6.25 "),
     {"3: γωνίες σε «MIL» (χιλιοστά (mil)): μετατράπηκαν σε βαθμούς"}},
};
INSTANTIATE_TEST_SUITE_P(LeicaTcrUnits, OutputBytes, ::testing::ValuesIn(kIdxUnits),
                         case_name<OutputCase>);

// A short IDX record takes its last items from the next lines, "END SLOPE" among them, and
// the table then runs on to the end of the file.
const std::string kShortRecord = "\tSLOPE(TgtNo)\r\n\t\t1,\t\"A\",\t1,\t10,\t99\r\n\tEND SLOPE\r\n";
const FailureCase kFailures[] = {
    {kTcr307, "Tcr307ReadingThatIsNotANumber", kSetup + "D 7 1.5 10.0000x 99.0000 12.000\r\n",
     Fault::not_a_number, "input.dat", 3, Files{kBacksight, ""}},
    {kIdx, "IdxHeightLineUnderTenCharacters", setup("\"ST1\"", "1;"), Fault::line_too_short,
     "input.dat", 4, kUntouched},
    {kIdx, "IdxShortRecordSwallowsEndSlope", kShortRecord, Fault::read_past_end, "input.dat", 4,
     kUntouched},
    {kIdx, "IdxDirectionThatIsNoNumber", slope(record("\"1\"", "1O.5,2,3,4")), Fault::not_a_number,
     "input.dat", 2, kUntouched},
    {kMdt, "MdtEmptyFileHasNoFirstLine", "", Fault::read_past_end, "input.dat", 1, kUntouched},
    {kMdt, "MdtRecordCutShort", "JOB\r\n-000000002 100 99 10 1.5 0\r\n0000000003 150 99 11\r\n",
     Fault::read_past_end, "input.dat", 3, Files{"", " 2 ,, 2 , 1.5 , 0 , 99 , 10 ,\r\n"}},
    {kCoords, "CoordsTableWithoutPointId", kHeading + "1,\"A\",1,2,3,4,5,6\r\n\tEND POINTS\r\n",
     Fault::read_past_end, "input.dat", 5, Files{"A, 1 , 2 , 3 \r\n"}},
};
INSTANTIATE_TEST_SUITE_P(LeicaTcr, FailureBytes, ::testing::ValuesIn(kFailures),
                         case_name<FailureCase>);

// Runs of blanks to commas, one per full 30 and one for the rest, tabs kept; then only "D"
// lines under 25 characters are completed.
TEST(LeicaTcrScratch, Tcr307BlankRunsToCommasThenShortObservationsCompleted) {
  const std::string runs = "a" + std::string(30, ' ') + "b" + std::string(31, ' ') + "c" +
                           std::string(60, ' ') + "d" + std::string(61, ' ') + "e\tf";
  const auto out = convert_bytes(
      kTcr307, "   " + runs + "  \r\nD 7 1.5 10.0 99.0 12.345\r\nD 7 1.5 10.0 99.0 12.3456\r\n");
  ASSERT_EQ(out.status, Outcome::Status::converted);
  const std::string lines = "a,b,,c,,d,,,e\tf\r\nD,7,1.5,10.0,99.0,12.345";
  EXPECT_EQ(out.scratch("/L307hlp.txt"), lines + "\r\nD,7,1.5,10.0,99.0,12.3456\r\n");
  EXPECT_EQ(out.scratch("/L307hlp2.txt"), lines + ",0.0000,0.000\r\nD,7,1.5,10.0,99.0,12.3456\r\n");
}

TEST(LeicaTcrScratch, IdxSetupAndTableAsRecordsThenObservations) {
  const auto out =
      convert_bytes(kIdx, setup("\"ST1\"", "1.600000;") +
                              slope(record("\"ST2\"", "10.1234,99.0000,120.0000,1.5") +
                                    record("\"1001\"", "123.4567,98.7654,25.4320,1.5") +
                                    record("\"0012\"", "10.0000,101.0000,,0.0000")));
  ASSERT_EQ(out.status, Outcome::Status::converted);
  EXPECT_EQ(out.scratch("/lei3hlp.txt"),
            "S,ST1, 1.6 \r\nD,ST2, 10.1234 , 99 , 120 , 1.5 \r\n"
            "D,1001, 123.4567 , 98.7654 , 25.432 , 1.5 \r\nD,0012, 10 , 101 ,, 0 \r\n");
  EXPECT_EQ(out.file(0), "ST2,ST1,ST2, 1.5 , 0 , 99 , 120 , 1.6 \r\n");
  EXPECT_EQ(out.file(1),
            " 1001 ,ST1,ST2, 1.5 , 113.3333 , 98.7654 , 25.432 , 1.6 \r\n"
            " 12 ,ST1,ST2, 0 , 399.8766 , 101 ,, 1.6 \r\n");
}

// MDT names lose their code character and the zeros after it, unless only zeros follow;
// every blank becomes a comma, two in a row an empty value.
TEST(LeicaTcrScratch, MdtNamesLoseTheirCodeAndZerosAndBlanksBecomeCommas) {
  const auto out = convert_bytes(kMdt,
                                 "JOB\r\n9000000012 1.000 2.000 3.000 1.550 5 6 7 8\r\n"
                                 "-000000005 1  2 3 4 5\r\n00000012A4 1 2 3 4 5 6 7\r\n"
                                 "9000000000 1 2 3 4 5 6 7 8\r\n");
  ASSERT_EQ(out.status, Outcome::Status::converted);
  EXPECT_EQ(out.scratch("/lei3hlp.txt"),
            "S,12,1.000,2.000,3.000,1.550,5,6,7,8\r\nB,5,1,,2,3,4,5\r\nD,12A4,1,2,3,4,5,6,7\r\n"
            "S,9000000000,1,2,3,4,5,6,7,8\r\n");
}

}  // namespace
}  // namespace korvath::test
