#include <gtest/gtest.h>

#include <filesystem>

#include "converters/catalogue.hpp"
#include "flow/input_kind.hpp"
#include "flow/output_file.hpp"
#include "flow/overwrite.hpp"
#include "flow/report.hpp"
#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "support/convert.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;
using test::read_file;
using test::TempDir;
using test::write_file;

TEST(ConfirmOverwrite, AsksOnlyForAFileWithContent) {
  TempDir dir;
  ScriptedPlatform ui;
  ui.yes_no_answers = {false};
  confirm_overwrite(dir / "new.txm", ui);  // created empty, no question
  EXPECT_TRUE(overwrite_allowed);
  EXPECT_TRUE(std::filesystem::exists(dir / "new.txm"));
  confirm_overwrite(dir / "new.txm", ui);  // exists but empty: still no question
  EXPECT_TRUE(ui.dialog_titles.empty());
  write_file(dir / "full.txm", "x\r\n");
  confirm_overwrite(dir / "full.txm", ui);
  EXPECT_FALSE(overwrite_allowed);
  EXPECT_EQ(ui.dialog_titles, (std::vector<std::string>{"Προσοχή:"}));
  EXPECT_EQ(read_file(dir / "full.txm"), "x\r\n");  // appending changes nothing
  EXPECT_THROW(confirm_overwrite(dir / "no-such-folder/x.txm", ui), ConversionError);
}

// A TC 600 file with one set-up and one detail point.
const std::string kTc600 =
    "410000-00000003 420000+00000005 430000+00000001 440000+00000160 \r\n"
    "110000+00000001 210000+35000000 220000+10000000 310000+00045210 510000+00000000 "
    "870000+00001500 880000+00000000 \r\n"
    "110000+00000012 210000+21000100 220000+10120000 310000+00012345 510000+00000000 "
    "870000+00001500 880000+00000000 \r\n";

struct FlowRun : test::Session {
  Outcome outcome;

  explicit FlowRun(std::string_view input_bytes) : Session("job.TC6", input_bytes) {}
  Status run(std::string_view id = "leica-tc600") {
    outcome = run_command(*find_command(id), ui);
    return outcome.status;
  }
};

TEST(Flow, ConvertsAndReportsSuccessWithTheLinesWritten) {
  FlowRun r(kTc600);
  r.save({"st", "pt.dat"});
  ASSERT_EQ(r.run(), Status::converted);
  EXPECT_EQ(r.ui.dialog_titles, (std::vector<std::string>{"Άνοιγμα αρχείου WILD TC 600",
                                                          "Αποθήκευση αρχείου μετρήσεων στάσεων",
                                                          "Αποθήκευση αρχείου μετρήσεων σημείων"}));
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_EQ(r.ui.messages[0].text, "Η μετατροπή ολοκληρώθηκε επιτυχώς");
  EXPECT_EQ(r.ui.messages[0].details,
            r.dir / "st.txm" + ": 0 γραμμές\n" + r.dir / "pt.txm" + ": 1 γραμμή");
}

TEST(Flow, CancelledOrEmptyInputEndsSilently) {
  FlowRun cancelled(kTc600);
  cancelled.ui.open_answers = {std::nullopt};
  EXPECT_EQ(cancelled.run(), Status::failed);
  EXPECT_EQ(cancelled.outcome.error->fault(), Fault::cancelled);
  EXPECT_TRUE(cancelled.ui.messages.empty());

  FlowRun empty(kTc600);
  empty.ui.open_answers = {std::string()};
  EXPECT_EQ(empty.run(), Status::ended);
  EXPECT_TRUE(empty.ui.messages.empty());
  EXPECT_EQ(empty.ui.dialog_titles.size(), 1u);
}

TEST(Flow, EarlyOrderEmptiesTheStationFileBeforeAPointFileIsDeclined) {
  FlowRun r(kTc600);
  write_file(r.dir / "st.txm", "old stations\r\n");
  write_file(r.dir / "pt.txm", "old points\r\n");
  r.save({"st", "pt"});
  r.ui.yes_no_answers = {true, false};
  EXPECT_EQ(r.run(), Status::ended);
  EXPECT_EQ(r.out("st.txm"), "");
  EXPECT_EQ(r.out("pt.txm"), "old points\r\n");
  EXPECT_TRUE(r.ui.messages.empty());
}

TEST(Flow, LateOrderTouchesNoOutputBeforeTheConversion) {
  FlowRun r("");
  write_file(r.dir / "st.txm", "old stations\r\n");
  r.ui.save_answers = {r.dir / "st", std::nullopt};  // the point dialog is cancelled
  ConversionCommand late = *find_command("leica-tc600");
  late.opening = Opening::late;
  late.validate = nullptr;
  EXPECT_EQ(run_command(late, r.ui).status, Status::failed);
  EXPECT_EQ(r.out("st.txm"), "old stations\r\n");
}

TEST(Flow, CancelledPointDialogLeavesTheEmptyFileOfTheOverwriteCheck) {
  FlowRun r(kTc600);
  r.ui.save_answers = {r.dir / "st", std::nullopt};
  EXPECT_EQ(r.run(), Status::failed);
  EXPECT_EQ(r.outcome.error->fault(), Fault::cancelled);
  EXPECT_EQ(r.out("st.txm"), "");
}

// The failure line: the file's name and the offending text quoted on one line (the quoting's
// edges: tests/tables/names.table), the line when there is one.
TEST(Report, FailureLineNamesTheFileTheLineAndTheText) {
  EXPECT_EQ(failure_line({Fault::not_a_number, {"/μετρήσεις/a\nb.raw", 7}, "12.5\t3"}),
            "«/μετρήσεις/a\\x0Ab.raw»: γραμμή 7: η τιμή δεν είναι αριθμός («12.5\\x093»)");
  EXPECT_EQ(failure_line({Fault::write_failed, {}}), "αποτυχία εγγραφής");
}

TEST(Report, SuccessSaysFirstWhenNothingWasWrittenThenFilesThenNotes) {
  Outcome empty;
  empty.status = Status::converted;
  empty.written = {{"st.txm", 0}, {"pt.txm", 0}};
  empty.notes = {{"job", 3, "μονάδα"}};
  EXPECT_EQ(success_details(empty),
            "Δεν γράφτηκε καμία γραμμή.\nst.txm: 0 γραμμές\npt.txm: 0 γραμμές\n«job»: γραμμή 3: "
            "μονάδα");
  empty.looks_like = "NIKON / RAW";
  EXPECT_EQ(success_details(empty),
            "Δεν γράφτηκε καμία γραμμή· το αρχείο μοιάζει με NIKON / RAW.\nst.txm: 0 γραμμές\n"
            "pt.txm: 0 γραμμές\n«job»: γραμμή 3: μονάδα");
  empty.written[1].lines = 2;
  EXPECT_EQ(success_details(empty),
            "st.txm: 0 γραμμές\npt.txm: 2 γραμμές\n«job»: γραμμή 3: μονάδα");
  empty.empty_input = true;
  empty.fit_warning = "το αρχείο δεν μοιάζει με αρχείο SOUTH / ΜΕΤΡΗΣΕΙΣ";
  EXPECT_EQ(success_details(empty),
            "Το αρχείο εισόδου είναι κενό\nτο αρχείο δεν μοιάζει με αρχείο SOUTH / ΜΕΤΡΗΣΕΙΣ\n"
            "st.txm: 0 γραμμές\npt.txm: 2 γραμμές\n«job»: γραμμή 3: μονάδα");
}

// A download that ends inside a record is worded for the surveyor, and each output left behind
// is named with what it holds.
TEST(Report, FailureSaysWhereTheDownloadWasCutAndWhatWasLeft) {
  Outcome failed;
  failed.status = Status::failed;
  failed.error = ConversionError(Fault::read_past_end, {"job.nik", 12});
  failed.left = {{"st.txm", 12}, {"pt.txm", 1}, {"x.ODR", 0}};
  EXPECT_EQ(failure_text(failed),
            "«job.nik»: η λήψη μοιάζει κομμένη στη γραμμή 12 (το αρχείο τελειώνει στη μέση μιας "
            "εγγραφής): κατεβάστε την ξανά από το όργανο");
  EXPECT_EQ(failure_details(failed),
            "«st.txm» κρατά 12 γραμμές, γραμμένες πριν από το σφάλμα\n«pt.txm» κρατά 1 γραμμή, "
            "γραμμένη πριν από το σφάλμα\n«x.ODR» έμεινε κενό");
  failed.empty_input = true;
  failed.left.clear();
  EXPECT_EQ(failure_text(failed), "Το αρχείο εισόδου είναι κενό");
  EXPECT_EQ(failure_details(failed), "");
}

// A run that wrote nothing gets the warning icon over the same text; an empty input says so
// before anything else.
TEST(Flow, EmptyInputSaysSoFirstUnderTheWarningIcon) {
  const test::Converted out = test::convert_bytes("south-mes", "\r\n\x1A");
  ASSERT_EQ(out.status, Status::converted);
  ASSERT_EQ(out.ui.messages.size(), 1u);
  EXPECT_EQ(out.ui.messages[0].text, kConverted);
  EXPECT_EQ(out.ui.messages[0].icon, Icon::warning);
  EXPECT_TRUE(out.ui.messages[0].details.starts_with("Το αρχείο εισόδου είναι κενό\n"))
      << out.ui.messages[0].details;
  const test::Converted wrote = test::convert_bytes("south-mes", "ST1 1.5\r\nP1 1.3 10 99 5\r\n");
  ASSERT_EQ(wrote.ui.messages.size(), 1u);
  EXPECT_EQ(wrote.ui.messages[0].icon, Icon::information);
}

TEST(Flow, CommandWithoutConverterSaysSoAndOpensNoDialog) {
  ConversionCommand unbuilt = *find_command("leica-tc600");
  unbuilt.convert = nullptr;
  ScriptedPlatform ui;
  EXPECT_EQ(run_command(unbuilt, ui).status, Status::not_built);
  EXPECT_TRUE(ui.dialog_titles.empty());
  ASSERT_EQ(ui.messages.size(), 1u);
}

// A read or a write the system fails is the error path, never a success.
TEST(Flow, InputThatCannotBeReadIsTheErrorPath) {
  FlowRun r("");
  r.ui.open_answers = {"/proc/self/mem"};  // opens, but reading its first byte fails
  r.save({"st", "pt"});
  ASSERT_EQ(r.run("south-mes"), Status::failed);
  EXPECT_EQ(r.outcome.error->fault(), Fault::cannot_open);
  EXPECT_EQ(r.outcome.error->file(), "/proc/self/mem");
}

TEST(OutputFile, WriteToAFullDeviceFailsOnClose) {
  OutputFile full("/dev/full");
  full.write_line("ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 ");
  try {
    full.close();
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::write_failed);
    EXPECT_EQ(e.file(), "/dev/full");
  }
}

// The copy of a pipe counts lines as the readers do (CR LF, CR and LF each end one) and stops at
// the first line over the bound, or past the most bytes it may take.
TEST(StreamCopy, StopsAtALongLineOrPastItsMostBytes) {
  TempDir dir;
  // NOLINTNEXTLINE(bugprone-string-constructor): a line over the bound is the point
  write_file(dir / "long", "a\r\nb\rc\n\r" + std::string(kLongestLine + 1, 'x'));
  OutputFile copy(dir / "copy");
  try {
    copy_stream(dir / "long", copy);
    ADD_FAILURE() << "the long line was copied";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::line_too_long);
    EXPECT_EQ(e.line(), 5u);
  }
  write_file(dir / "short", "a\r\nb\r\n");
  OutputFile again(dir / "copy");
  try {
    copy_stream(dir / "short", again, 5);
    ADD_FAILURE() << "the copy went past its most bytes";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::stream_too_large);
  }
  OutputFile whole(dir / "copy");
  copy_stream(dir / "short", whole, 6);
  EXPECT_EQ(read_file(dir / "copy"), "a\r\nb\r\n");
}

}  // namespace
}  // namespace korvath
