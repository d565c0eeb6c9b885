#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "converters/catalogue.hpp"
#include "converters/nikon/byte_case.hpp"
#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "support/convert.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;
using test::ByteCase;
using test::convert_bytes;
using test::read_file;
using test::TempDir;
using test::write_file;

constexpr std::string_view kCommand = "nikon-npl352-dos";
constexpr std::string_view kStation = "*,ST1,ST2,100.0000,1.600\r\n";

const ByteCase kDos[] = {
    {"DetailPointReducedToTheBacksight",
     std::string(kStation) + "1001,25.432,1.500,98.7654,213.3333\r\n", "",
     " 1001 ,ST1,ST2, 1.5 , 113.3333 , 98.7654 , 25.432 , 1.6 \r\n"},
    {"BacksightGoesToTheStationFileWithZero",
     std::string(kStation) + "ST2,30.000,1.500,99.0000,100.0000\r\n",
     "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n", ""},
    {"NegativeDifferenceGetsFourHundredOnce",
     "*,S1,S2,350,1.6\r\n1,10,1.5,100,10\r\n*,S1,S2,10,1.6\r\n2,10,1.5,100,350\r\n", "",
     " 1 ,S1,S2, 1.5 , 60 , 100 , 10 , 1.6 \r\n 2 ,S1,S2, 1.5 , 340 , 100 , 10 , 1.6 \r\n"},
    {"DifferenceOfFourHundredOrMoreStaysAsItIs", "*,S1,S2,-50,1.6\r\n3,10,1.5,100,380\r\n", "",
     " 3 ,S1,S2, 1.5 , 430 , 100 , 10 , 1.6 \r\n"},
    {"BeforeTheFirstStationValuesAreEmptyAndReducedByZero",
     "7,12.5,1.5,100,20\r\n8,12.5,1.5,100,-5\r\n", "",
     " 7 ,,, 1.5 , 20 , 100 , 12.5 ,\r\n 8 ,,, 1.5 , 395 , 100 , 12.5 ,\r\n"},
    {"RoutingByTheLeadingNumberOfTheTarget",
     std::string(kStation) + "0,1,1,1,100\r\nA12,1,1,1,100\r\n12A,1,1,1,100\r\n",
     " 0 ,ST1,ST2, 1 , 0 , 1 , 1 , 1.6 \r\nA12,ST1,ST2, 1 , 0 , 1 , 1 , 1.6 \r\n",
     "12A,ST1,ST2, 1 , 0 , 1 , 1 , 1.6 \r\n"},
    {"OnlyStationRecordsLeaveBothFilesEmpty", std::string(kStation) + "*,ST2,ST1,0,1.5\r\n", "",
     ""},
    {"ValuesKeepTheFormTheyWereReadIn", "*,5,ST9,0.5,1.550\r\n101,0.500, 1.50 ,,000.0\r\n", "",
     " 101 , 5 ,ST9, 1.5 , 399.5 ,, .5 , 1.55 \r\n"},
    {"TextReadingsGiveTheirLeadingNumber",
     "*,S1,S2,5gon,1.6\r\n1,10,1.5,100,12.5x\r\n2,10,1.5,100,north\r\n", "",
     " 1 ,S1,S2, 1.5 , 7.5 , 100 , 10 , 1.6 \r\n 2 ,S1,S2, 1.5 , 395 , 100 , 10 , 1.6 \r\n"},
    {"TextValuesPassThroughUnchanged", "*,S1,S2,0,hi?\r\n9,far,tall,steep,1\r\n", "",
     " 9 ,S1,S2,tall, 1 ,steep,far,hi?\r\n"},
    {"RecordsAreFiveItemsWhateverTheLines",
     "*,S1\r\nS2,100,1.6\r\n1001,25.432,1.5,98.7654,213.3333,1002,25,1.5,98,300\r\n", "",
     " 1001 ,S1,S2, 1.5 , 113.3333 , 98.7654 , 25.432 , 1.6 \r\n"
     " 1002 ,S1,S2, 1.5 , 200 , 98 , 25 , 1.6 \r\n"},
    {"ShiftedStarStartsAStationRecordWhereItFalls",
     "*,S1,S2,0,1.6\r\n1,10,1.5,100,50,*\r\nS3,S1,100,1.7\r\n2,10,1.5,100,150\r\n", "",
     " 1 ,S1,S2, 1.5 , 50 , 100 , 10 , 1.6 \r\n 2 ,S3,S1, 1.5 , 50 , 100 , 10 , 1.7 \r\n"},
    {"LineFeedsSeparateItemsLikeCrLf", "*,S1,S2,0,1.6\n1,10,1.5,100,50\n", "",
     " 1 ,S1,S2, 1.5 , 50 , 100 , 10 , 1.6 \r\n"},
    {"QuotedItemsAreText", "\"*\",S1,S2,0,1.6\r\n\"12\",10,1.5,100,50\r\n", "",
     "12,S1,S2, 1.5 , 50 , 100 , 10 , 1.6 \r\n"},
    {"EmptyFileWritesNothing", "", "", ""},
};

class NikonDosBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(NikonDosBytes, WritesBothFilesExactly) {
  test::expect_converted(kCommand, GetParam());
}

INSTANTIATE_TEST_SUITE_P(NikonDos, NikonDosBytes, ::testing::ValuesIn(kDos), test::case_name);

TEST(NikonDosErrors, RecordCutShortKeepsTheLinesWrittenBefore) {
  const auto out =
      convert_bytes(kCommand, std::string(kStation) + "1,10,1.5,100,150\r\nST2,30.000,1.500\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.error->line(), 4u);  // the line after the last: the record never ended
  EXPECT_NE(out.error->file().find("input.dat"), std::string::npos);
  EXPECT_EQ(out.file(0), "");
  EXPECT_EQ(out.file(1), " 1 ,ST1,ST2, 1.5 , 50 , 100 , 10 , 1.6 \r\n");
  EXPECT_TRUE(out.ui.messages.empty());
}

TEST(NikonDosErrors, TrailingBlankLineIsARecordCutShort) {
  const auto out = convert_bytes(kCommand, std::string(kStation) + "\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
}

// The opening order: the station file is created right after its own confirmation and the input
// is opened only after both outputs.
struct DosRun {
  TempDir dir;
  ScriptedPlatform ui;
  std::string input = dir / "job.cmt";

  DosRun() {
    ui.folder = dir.path().string();
    ui.open_answers = {input};
    ui.save_answers = {dir / "st", dir / "pt"};
    write_file(dir / "st.txm", "old stations\r\n");
    write_file(dir / "pt.txm", "old points\r\n");
  }
  Outcome run(std::string_view id = kCommand) { return run_command(*find_command(id), ui); }
  std::string out(std::string_view name) const { return read_file(dir / name); }
};

class WatchesTheStationFile : public ScriptedPlatform {
 public:
  explicit WatchesTheStationFile(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> ask_save_path(std::string_view title,
                                           std::string_view filter) override {
    if (title == "Αποθήκευση αρχείου μετρήσεων σημείων") seen = read_file(path_);
    return ScriptedPlatform::ask_save_path(title, filter);
  }
  std::string seen = "<point dialog not shown>";

 private:
  std::string path_;
};

TEST(NikonDosOpening, StationFileIsEmptyWhileThePointDialogIsShown) {
  DosRun r;
  write_file(r.input, std::string(kStation) + "ST2,30,1.5,99,100\r\n");
  WatchesTheStationFile ui(r.dir / "st.txm");
  ui.folder = r.ui.folder;
  ui.open_answers = r.ui.open_answers;
  ui.save_answers = r.ui.save_answers;
  EXPECT_EQ(run_command(*find_command(kCommand), ui).status, Status::converted);
  EXPECT_EQ(ui.seen, "");
  EXPECT_EQ(r.out("st.txm"), "ST2,ST1,ST2, 1.5 , 0 , 99 , 30 , 1.6 \r\n");
  EXPECT_EQ(r.out("pt.txm"), "");
}

TEST(NikonDosOpening, DecliningThePointFileLeavesTheStationFileEmptied) {
  DosRun r;
  write_file(r.input, std::string(kStation));
  r.ui.yes_no_answers = {true, false};
  EXPECT_EQ(r.run().status, Status::ended);
  EXPECT_EQ(r.out("st.txm"), "");
  EXPECT_EQ(r.out("pt.txm"), "old points\r\n");
  EXPECT_TRUE(r.ui.messages.empty());
}

TEST(NikonDosOpening, CancellingThePointDialogLeavesTheStationFileEmptied) {
  DosRun r;
  write_file(r.input, std::string(kStation));
  r.ui.save_answers = {r.dir / "st", std::nullopt};
  EXPECT_EQ(r.run().status, Status::failed);
  EXPECT_EQ(r.out("st.txm"), "");
  EXPECT_EQ(r.out("pt.txm"), "old points\r\n");
}

TEST(NikonDosOpening, MissingInputIsOpenedAfterBothOutputsWereEmptied) {
  DosRun r;  // no input file written
  const Outcome outcome = r.run();
  ASSERT_EQ(outcome.status, Status::failed);
  EXPECT_EQ(outcome.error->fault(), Fault::cannot_open);
  EXPECT_EQ(r.out("st.txm"), "");
  EXPECT_EQ(r.out("pt.txm"), "");
}

}  // namespace
}  // namespace korvath
