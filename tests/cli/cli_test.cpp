// The command line through the real binary: arguments, exit statuses, and what it prints.
#include <gtest/gtest.h>

#include "support/case_file.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

using Result = test::ShellResult;
using test::korvath;
using test::shell;

std::string example() {
  return read_file(KORVATH_EXAMPLES "/leica-tc600.TC6");
}

const char* kExampleStations =
    "S7,S5,S1,1.5000,60.00000,98.76540,25.4320,1.6000\r\n"
    "S8,S7,S5,1.6000,310.00000,99.00000,31.2500,1.5500\r\n";

TEST(Cli, ConvertsAndReportsEveryOutputBeforeTheSuccessMessage) {
  TempDir dir;
  write_file(dir / "JOB.TC6", example());
  const Result r = korvath(dir, "convert leica-tc600 JOB.TC6 stations points.dat --scratch-dir=.");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "stations.txm: 2 γραμμές\npoints.txm: 5 γραμμές\n"
            "Η μετατροπή ολοκληρώθηκε επιτυχώς\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(read_file(dir / "stations.txm"), kExampleStations);
  EXPECT_EQ(read_file(dir / "JOB.TC6"), example());
  EXPECT_EQ(korvath(dir, "convert mnuLEICATC600 JOB.TC6 a b").status, 0);  // the menu name
  EXPECT_EQ(read_file(dir / "a.txm"), kExampleStations);
}

// One line: the cause, naming what was wrong, then where to look; never the whole help.
TEST(Cli, UsageErrorIsOneGreekLine) {
  TempDir dir;
  write_file(dir / "JOB.TC6", example());
  for (const test::TableRow& usage : test::read_table(KORVATH_CASES "/../cli/usage.table")) {
    const Result r = korvath(dir, usage.fields.at(1));
    EXPECT_EQ(r.status, 2) << usage.where;
    EXPECT_EQ(r.err, "korvath: " + usage.fields.at(2) + ". Δείτε: korvath --help\n");
    EXPECT_EQ(r.out, "") << usage.where;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "a.txm"));
}

TEST(Cli, OverwriteIsRefusedUnlessToldWhenNoOneCanAnswer) {
  TempDir dir;
  write_file(dir / "JOB.TC6", example());
  write_file(dir / "a.txm", "keep me\r\n");
  Result r = korvath(dir, "convert leica-tc600 JOB.TC6 a b");
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.err,
            "korvath: το «a.txm» υπάρχει ήδη και κρατήθηκε όπως ήταν· για να αντικατασταθεί: "
            "--overwrite=yes\n");
  EXPECT_EQ(read_file(dir / "a.txm"), "keep me\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "b.txm"));
  EXPECT_EQ(korvath(dir, "convert leica-tc600 JOB.TC6 a b --overwrite=no").status, 4);
  EXPECT_EQ(korvath(dir, "convert leica-tc600 '' a b").status, 4);  // no input: nothing to do
  r = korvath(dir, "convert leica-tc600 JOB.TC6 a b --overwrite=ask", "ο\n");
  EXPECT_EQ(r.status, 4);
  EXPECT_NE(r.err.find("«a.txm»: Προσοχή: Το αρχείο υπάρχει ήδη. Να επαναγραφεί;"),
            std::string::npos);
  EXPECT_EQ(read_file(dir / "a.txm"), "keep me\r\n");
  r = korvath(dir, "convert leica-tc600 JOB.TC6 a b --overwrite=ask", "ν\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(read_file(dir / "a.txm"), kExampleStations);
  write_file(dir / "a.txm", "again\r\n");
  EXPECT_EQ(korvath(dir, "convert leica-tc600 JOB.TC6 a b --overwrite=yes").status, 0);
  EXPECT_EQ(read_file(dir / "a.txm"), kExampleStations);
}

TEST(Cli, NotesTheUnitConvertedFrom) {
  TempDir dir;
  write_file(dir / "JOB.nik",
             "CO,Angle Units: DDDMMSS\r\nST,S1,,,,1.5,0,0\r\nSS,2,1.5,10,45.3000,90,0,P\r\n");
  const Result r = korvath(dir, "convert nikon-npl352-raw JOB.nik a b --scratch-dir=.");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "korvath: σημείωση: «JOB.nik»: γραμμή 1: γωνίες σε «DDDMMSS» (μοίρες, πρώτα, "
            "δεύτερα): μετατράπηκαν σε βαθμούς\n");
}

// Every output and the ODR file are checked, and every question asked, before any file is
// created or emptied.
TEST(Cli, RefusesOrKeepsBeforeTouchingAnyFile) {
  TempDir dir;
  write_file(dir / "JOB.txm", example());
  const Result r = korvath(dir, "convert leica-tc600 JOB.txm new JOB --overwrite=yes");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("korvath: Το αρχείο «JOB.txm» δεν μπορεί να είναι", 0), 0u) << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_EQ(read_file(dir / "JOB.txm"), example());
  EXPECT_FALSE(std::filesystem::exists(dir / "new.txm"));

  write_file(dir / "P.raw", read_file(KORVATH_EXAMPLES "/pentax-mes.raw"));
  write_file(dir / "pt.txm.ODR", "keep me\r\n");
  const Result odr = korvath(dir, "convert pentax-mes P.raw st pt --overwrite=no --scratch-dir=.");
  EXPECT_EQ(odr.status, 4);
  EXPECT_EQ(odr.err,
            "korvath: το «pt.txm.ODR» υπάρχει ήδη και κρατήθηκε όπως ήταν· για να "
            "αντικατασταθεί: --overwrite=yes\n");
  EXPECT_EQ(read_file(dir / "pt.txm.ODR"), "keep me\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "st.txm"));
  EXPECT_FALSE(std::filesystem::exists(dir / "pt.txm"));
  EXPECT_EQ(
      korvath(dir, "convert pentax-mes P.raw st pt --overwrite=ask --scratch-dir=.", "ν\n").status,
      0);
  EXPECT_NE(read_file(dir / "pt.txm.ODR"), "keep me\r\n");
}

// Several files: each its own conversion and report, in order, whatever fails, then a summary;
// two at once write and print the very same.
TEST(Cli, ConvertsManyFilesEachOnItsOwn) {
  TempDir dir;
  write_file(dir / "A.TC6", example());
  write_file(dir / "B.TC6", "too short\r\n");
  write_file(dir / "C.job.TC6", example() +
                                    "410000-00000002 420000+00000007 430000+00000000 "
                                    "440000+00000000 \r\n");
  write_file(dir / "D", example());
  std::filesystem::create_directory(dir / "out");
  const std::string args = "convert leica-tc600 --to out A.TC6 B.TC6 C.job.TC6 D missing.TC6";
  const Result one = korvath(dir, args);
  EXPECT_EQ(one.status, 3);  // the first that did not convert: B, not a valid file
  EXPECT_EQ(one.out,
            "A.TC6:\nout/A_stations.txm: 2 γραμμές\nout/A_points.txm: 5 γραμμές\n"
            "Η μετατροπή ολοκληρώθηκε επιτυχώς\n"
            "B.TC6:\nC.job.TC6:\n"
            "D:\nout/D_stations.txm: 2 γραμμές\nout/D_points.txm: 5 γραμμές\n"
            "Η μετατροπή ολοκληρώθηκε επιτυχώς\n"
            "missing.TC6:\n"
            "Σύνοψη: 2 μετατράπηκαν, 2 απέτυχαν, 1 απορρίφθηκε\n");
  EXPECT_EQ(one.err,
            "korvath: Δεν είναι έγκυρο αρχείο\n"
            "korvath: «B.TC6»: γραμμή 1: έχει 9 χαρακτήρες· η εντολή δέχεται γραμμές των 64 και "
            "112\n"
            "korvath: σφάλμα: «C.job.TC6»: γραμμή 17: ανάγνωση πέρα από το τέλος του αρχείου\n"
            "korvath: σφάλμα: «missing.TC6»: δεν ανοίγει για ανάγνωση (No such file or "
            "directory)\n");
  EXPECT_EQ(read_file(dir / "out/D_stations.txm"), kExampleStations);
  EXPECT_FALSE(std::filesystem::exists(dir / "out/B_stations.txm"));
  EXPECT_EQ(read_file(dir / "out/C.job_stations.txm"), kExampleStations);
  const std::string points = read_file(dir / "out/A_points.txm");

  const Result two = korvath(dir, args + " -j 2 --overwrite=yes");
  EXPECT_EQ(two.status, 3);
  EXPECT_EQ(two.out, one.out);
  EXPECT_EQ(two.err, one.err);
  EXPECT_EQ(read_file(dir / "out/A_points.txm"), points);
  EXPECT_EQ(read_file(dir / "out/D_points.txm"), points);

  EXPECT_EQ(korvath(dir, "convert leica-tc600 --to out A.TC6 D").status, 4);  // kept: both
}

TEST(Cli, WarnsWhenAnotherCommandFitsTheFileBetter) {
  TempDir dir;
  write_file(dir / "JOB.txt", read_file(KORVATH_EXAMPLES "/south-mes.txt"));
  const Result r = korvath(dir, "convert leica-tcr307 JOB.txt a b --scratch-dir=.");
  EXPECT_NE(r.err.find("korvath: προειδοποίηση: το «JOB.txt» ταιριάζει καλύτερα στην εντολή "
                       "south-mes (SOUTH / ΜΕΤΡΗΣΕΙΣ): γραμμές στάσεων"),
            std::string::npos)
      << r.err;
  // A pipe is not looked at before the conversion; a success that wrote nothing says what the
  // file looks like.
  const Result piped =
      korvath(dir, "convert nikon-npl352-raw - a b --overwrite=yes --scratch-dir=.",
              read_file(KORVATH_EXAMPLES "/pentax-mes.raw"));
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.err,
            "korvath: προειδοποίηση: Δεν γράφτηκε καμία γραμμή· το αρχείο μοιάζει με PENTAX / "
            "ΜΕΤΡΗΣΕΙΣ RAW (pentax-mes).\n");
}

TEST(Cli, DetectNamesTheFittingCommandsBestFirst) {
  TempDir dir;
  write_file(dir / "JOB.raw", read_file(KORVATH_EXAMPLES "/topcon-gts3000-raw-wordpad.raw"));
  write_file(dir / "letter.txt", "Dear surveyor,\r\nthe job is attached.\r\n");
  const Result fits = korvath(dir, "detect JOB.raw");
  EXPECT_EQ(fits.status, 0);
  const std::string keys = "κλειδιά STN/BS/SS/SD/HV στις στήλες 1–8· γραμμή 3: UNITS   M,G";
  EXPECT_EQ(fits.out,
            "JOB.raw:\n"
            "  topcon-gts3000-raw-wordpad  TOPCON / GPT 3000 RAW (WordPad Saved)  " +
                keys +
                "\n"
                "  topcon-gts3000-raw          TOPCON / GPT 3000 RAW                  " +
                keys + "\n");
  const Result none = korvath(dir, "detect JOB.raw letter.txt");
  EXPECT_EQ(none.status, 1);
  EXPECT_TRUE(none.out.ends_with("letter.txt:\n  δεν αναγνωρίστηκε\n")) << none.out;
  const Result missing = korvath(dir, "detect JOB.raw nowhere.raw");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "korvath: «nowhere.raw»: δεν ανοίγει για ανάγνωση\n");
}

TEST(Cli, DetectReadsAPipeOnlyUpToItsFirst64KiB) {
  TempDir dir;
  std::string big;
  while (big.size() < 100000) big += read_file(KORVATH_EXAMPLES "/south-mes.txt");
  write_file(dir / "big.txt", big);
  const Result r =
      shell(dir, "cat big.txt | { '" KORVATH_BINARY "' detect /dev/stdin > out; wc -c; }");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(std::stoul(r.out), big.size() - 65536);
  EXPECT_NE(read_file(dir / "out").find("south-mes"), std::string::npos);
}

TEST(Cli, HelpAndVersionInGreek) {
  TempDir dir;
  const Result version = korvath(dir, "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "korvath 1.1\n");
  for (const char* args : {"--help", "convert --help", "detect -h"}) {
    const Result help = korvath(dir, args);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Χρήση: korvath"), std::string::npos) << help.out;
    for (const char* english : {"Usage", "Options", "Positionals", "Subcommands", "SUBCOMMAND",
                                "REQUIRED", "TEXT", "Print this", "Display program"})
      EXPECT_EQ(help.out.find(english), std::string::npos) << args << ": " << english;
  }
  EXPECT_NE(korvath(dir, "--help").out.find("--to DIR FILE..."), std::string::npos);
}

// Small faults of the process: each ends with its line and its status, never a signal.
TEST(Cli, FullOutputFileLimitAndNoDisplayEndWithAMessage) {
  TempDir dir;
  std::string big;
  for (int i = 0; i < 40; ++i) big += example();
  write_file(dir / "BIG.TC6", big);
  Result r = korvath(dir, "list > /dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("korvath: αποτυχία εγγραφής στην τυπική έξοδο (", 0), 0u) << r.err;

  r = shell(dir, "ulimit -f 2; '" KORVATH_BINARY "' convert leica-tc600 BIG.TC6 st pt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("korvath: σφάλμα: «st.txm»: αποτυχία εγγραφής (", 0), 0u) << r.err;

  r = shell(dir, "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:77 '" KORVATH_BINARY "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("korvath: ", 0), 0u) << r.err;
}

}  // namespace
}  // namespace korvath
