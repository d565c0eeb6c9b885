#include <gtest/gtest.h>

#include <string>

#include "support/convert.hpp"

namespace korvath {
namespace {

using test::convert_bytes;
using Status = Outcome::Status;

// A SETUP block as the instrument writes it, tab-indented.
std::string setup(std::string_view station_line, std::string_view height_line) {
  return "\tSETUP\r\n\t\tSTN_NO\t500002\r\n\t\t" + std::string(station_line) + "\r\n\t\t" +
         std::string(height_line) + "\r\n\tEND SETUP\r\n";
}

// A SLOPE table of the given records, each a line of eleven items.
std::string slope(std::string_view records) {
  return "\tSLOPE(TgtNo, TgtID, CfgNo, Hz, Vz, SDist, RefHt, Date, Ppm, ApplType, Flags)\r\n" +
         std::string(records) + "\tEND SLOPE\r\n";
}

std::string record(std::string_view target, std::string_view hz, std::string_view vz,
                   std::string_view distance, std::string_view height) {
  return "\t\t500004,\t" + std::string(target) + ",\t1,\t" + std::string(hz) + ",\t" +
         std::string(vz) + ",\t" + std::string(distance) + ",\t" + std::string(height) +
         ",\t21-09-2004/08:45:47.0,\t-0.000000,\t107,\t00001100;\r\n";
}

const std::string kHeader = "HEADER\r\n\tVERSION 1.20\t\r\nEND HEADER\r\nTHEODOLITE\r\n";

TEST(LeicaTcr407Idx, SetupAndTableToScratchAndBothFiles) {
  const auto out = convert_bytes(
      "leica-tcr407-idx",
      kHeader + setup("STN_ID\t\"ST1\"", "INST_HT\t1.550000;") +
          slope(record("\"ST2\"", "350.000000", "99.000000", "120.000000", "1.500000") +
                record("\"1001\"", "123.456700", "98.765400", "25.432000", "1.500000") +
                record("\"0012\"", "10.000000", "101.000000", "", "0.000000")) +
          "END THEODOLITE\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/lei3hlp.txt"),
            "S,ST1, 1.55 \r\n"
            "D,ST2, 350 , 99 , 120 , 1.5 \r\n"
            "D,1001, 123.4567 , 98.7654 , 25.432 , 1.5 \r\n"
            "D,0012, 10 , 101 ,, 0 \r\n");
  EXPECT_EQ(out.file(0), "ST2,ST1,ST2, 1.5 , 0 , 99 , 120 , 1.55 \r\n");
  EXPECT_EQ(out.file(1),
            " 1001 ,ST1,ST2, 1.5 , 173.4567 , 98.7654 , 25.432 , 1.55 \r\n"
            " 12 ,ST1,ST2, 0 , 60 , 101 ,, 1.55 \r\n");
}

TEST(LeicaTcr407Idx, DirectionIsTheShortestDifference) {
  const auto out =
      convert_bytes("leica-tcr407-idx", setup("STN_ID\t\"S1\"", "INST_HT\t1.6000;") +
                                            slope(record("A", "10.1234", "100", "5", "1") +
                                                  record("7", "123.4567", "100", "5", "1")));
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), "A,S1,A, 1 , 0 , 100 , 5 , 1.6 \r\n");
  EXPECT_EQ(out.file(1), " 7 ,S1,A, 1 , 113.3333 , 100 , 5 , 1.6 \r\n");
}

TEST(LeicaTcr407Idx, SecondStationReducesToItsOwnFirstObservation) {
  const auto out =
      convert_bytes("leica-tcr407-idx", setup("STN_ID\t\"ST1\"", "INST_HT\t1.550000;") +
                                            slope(record("\"ST2\"", "350", "99", "120", "1.5") +
                                                  record("\"5\"", "10", "99", "20", "1.5")) +
                                            setup("STN_ID\t\"ST2\"", "INST_HT\t1.420000;") +
                                            slope(record("\"ST1\"", "100", "101", "120", "1.5") +
                                                  record("\"6\"", "90", "99", "30", "1.3")));
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0),
            "ST2,ST1,ST2, 1.5 , 0 , 99 , 120 , 1.55 \r\n"
            "ST1,ST2,ST1, 1.5 , 0 , 101 , 120 , 1.42 \r\n");
  EXPECT_EQ(out.file(1),
            " 5 ,ST1,ST2, 1.5 , 60 , 99 , 20 , 1.55 \r\n"
            " 6 ,ST2,ST1, 1.3 , 390 , 99 , 30 , 1.42 \r\n");
}

TEST(LeicaTcr407Idx, KeywordsIndentedOrSplitByTabsAreFoundLowerCaseNot) {
  const auto out = convert_bytes(
      "leica-tcr407-idx", "\t\tSET\tUP\r\n\r\n\t\tSTN_ID\t\"P1\")\r\n\tINST_HT\tabc;xyz\r\n" +
                              slope(record("\"9\"", "50", "99", "10", "1")) +
                              "\tsetup\r\n\r\nSTN_IDxQ\r\nshort\r\n");
  ASSERT_EQ(out.status, Status::converted);
  // The name keeps what follows its quotes; a height that is no number is 0.
  EXPECT_EQ(out.scratch("/lei3hlp.txt"), "S,P1), 0 \r\nD,9, 50 , 99 , 10 , 1 \r\n");
  EXPECT_EQ(out.file(1), " 9 ,P1), 9 , 1 , 0 , 99 , 10 , 0 \r\n");
}

TEST(LeicaTcr407Idx, ObservationsBeforeAnySetupHaveNoStation) {
  const auto out = convert_bytes(
      "leica-tcr407-idx",
      slope(record("\"ST9\"", "300", "99", "1", "1") + record("\"4\"", "100", "99", "2", "1")));
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), "ST9,,ST9, 1 , 0 , 99 , 1 ,\r\n");
  EXPECT_EQ(out.file(1), " 4 ,,ST9, 1 , 200 , 99 , 2 ,\r\n");
}

// A target name with a comma reaches the scratch file unquoted and splits the record; the item
// left over where a letter is expected is skipped, and nothing is written twice.
TEST(LeicaTcr407Idx, ItemWhereALetterIsExpectedIsSkipped) {
  const auto out = convert_bytes(
      "leica-tcr407-idx",
      setup("STN_ID\t\"S1\"", "INST_HT\t1.6000;") +
          slope(record("\"A,1\"", "10", "100", "5", "1") + record("\"7\"", "30", "100", "6", "1")));
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/lei3hlp.txt"),
            "S,S1, 1.6 \r\nD,A,1, 10 , 100 , 5 , 1 \r\nD,7, 30 , 100 , 6 , 1 \r\n");
  EXPECT_EQ(out.file(0), "A,S1,A, 5 , 0 , 10 , 100 , 1.6 \r\n");
  EXPECT_EQ(out.file(1), " 7 ,S1,A, 1 , 29 , 100 , 6 , 1.6 \r\n");
}

TEST(LeicaTcr407Idx, NoSetupsOrTablesGiveEmptyFiles) {
  const auto out = convert_bytes("leica-tcr407-idx", kHeader + "END THEODOLITE\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), "");
  EXPECT_EQ(out.file(1), "");
}

TEST(LeicaTcr407IdxErrors, HeightLineUnderTenCharactersStopsAtItsLine) {
  const auto out =
      convert_bytes("leica-tcr407-idx", kHeader + setup("STN_ID\t\"ST1\"", "INST_HT\t1;"));
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::line_too_short);
  EXPECT_EQ(out.error->line(), 8u);
  EXPECT_EQ(out.error->file(), *out.dir / "input.dat");
}

TEST(LeicaTcr407IdxErrors, TableWithoutEndSlopeReadsPastTheEnd) {
  const auto out =
      convert_bytes("leica-tcr407-idx", "\tSLOPE(TgtNo)\r\n" + record("\"1\"", "1", "2", "3", "4"));
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.file(0), "");  // the first pass failed: the outputs were never written
}

// A short record takes its last items from the next line, so "END SLOPE" is read as data.
TEST(LeicaTcr407IdxErrors, ShortRecordSwallowsEndSlope) {
  const auto out = convert_bytes(
      "leica-tcr407-idx", "\tSLOPE(TgtNo)\r\n\t\t1,\t\"A\",\t1,\t10,\t99\r\n\tEND SLOPE\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
}

TEST(LeicaTcr407IdxErrors, DirectionThatIsNoNumberStopsInTheScratchFile) {
  const auto out = convert_bytes("leica-tcr407-idx", slope(record("\"1\"", "1O.5", "2", "3", "4")));
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->line(), 1u);
  EXPECT_EQ(out.error->file(), *out.dir / "lei3hlp.txt");
}

}  // namespace
}  // namespace korvath
