// The command line through the real binary: arguments, exit statuses, and what it prints.
#include <gtest/gtest.h>

#include "flow/version.hpp"
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

constexpr bool kWithWindow = KORVATH_WITH_WINDOW;  // `korvath-window` was built beside `korvath`

// A file of the session's folder, or of the project ("examples/...").
std::filesystem::path located(const TempDir& dir, const std::string& name) {
  if (name.starts_with("examples/")) return std::filesystem::path(KORVATH_EXAMPLES) / ".." / name;
  return dir / name;
}

// Runs tests/cli/*.session, each in a fresh folder, row by row (tables, support/case_file.hpp):
//   copy | FROM | TO          a file of the folder or of the project into the folder
//   write | NAME | BYTES      (append: at its end) bytes into a file, its folder made
//   run | ARGS | STDIN | STATUS | STDOUT | STDERR    the real binary; "*": any output
//   file | NAME | BYTES       the file holds these bytes; "<none>": there is no such file
//   same | NAME | OTHER       the file holds the other's bytes
TEST(Cli, Sessions) {
  for (const auto& entry : std::filesystem::directory_iterator(KORVATH_CASES "/../cli")) {
    if (entry.path().extension() != ".session") continue;
    const TempDir dir;
    for (const test::TableRow& row : test::read_table(entry.path())) {
      SCOPED_TRACE(row.where);
      const std::vector<std::string>& f = row.fields;
      const std::filesystem::path path = located(dir, f.at(1));
      if (f[0] == "copy") {
        write_file(dir / f.at(2), read_file(path));
      } else if (f[0] == "write" || f[0] == "append") {
        std::filesystem::create_directories(path.parent_path());
        write_file(path, (f[0] == "append" ? read_file(path) : "") + f.at(2));
      } else if (f[0] == "file" || f[0] == "same") {
        const std::string bytes = f[0] == "same" ? read_file(located(dir, f.at(2))) : f.at(2);
        EXPECT_EQ(std::filesystem::exists(path) ? read_file(path) : "<none>", bytes);
      } else {
        ASSERT_EQ(f[0], "run");
        const Result r = korvath(dir, f.at(1), f.at(2));
        EXPECT_EQ(r.status, std::stoi(f.at(3)));
        EXPECT_EQ(f.at(4) == "*" ? "*" : r.out, f[4]);
        EXPECT_EQ(f.at(5) == "*" ? "*" : r.err, f[5]);
      }
    }
  }
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
  EXPECT_EQ(version.out, "korvath " + std::string(kVersion) + "\n");
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
  for (int i = 0; i < 40; ++i) big += read_file(KORVATH_EXAMPLES "/leica-tc600.TC6");
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

// `korvath` alone or with files to open starts the window (which, given no display, says so);
// a word that is no command and no file stays a mistyped command.
TEST(Cli, WindowOpensAloneOrWithFiles) {
  if (!kWithWindow) GTEST_SKIP() << "built without the window";
  TempDir dir;
  write_file(dir / "JOB.TC6", read_file(KORVATH_EXAMPLES "/leica-tc600.TC6"));
  const std::string no_display =
      "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:77 '" KORVATH_BINARY "'";
  for (const std::string arguments : {"", " JOB.TC6", " JOB.TC6 other.TC6"}) {
    const Result r = shell(dir, no_display + arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_NE(r.err.find("δεν βρέθηκε οθόνη για το παράθυρο"), std::string::npos) << r.err;
  }
  const Result typo = shell(dir, no_display + " JOB.TC7");
  EXPECT_EQ(typo.err, "korvath: άγνωστη εντολή «JOB.TC7». Δείτε: korvath --help\n");
}

// The file manager's files reach the window as they were given, blanks and all: a stand-in
// `korvath-window` beside a copy of `korvath` prints the arguments it was started with.
TEST(Cli, WindowGetsTheFilesToOpen) {
  if (!kWithWindow) GTEST_SKIP() << "built without the window";
  TempDir dir;
  std::filesystem::copy_file(KORVATH_BINARY, dir / "korvath");
  write_file(dir / "korvath-window", "#!/bin/sh\nprintf '%s\\n' \"$@\"\n");
  std::filesystem::permissions(dir / "korvath-window", std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  write_file(dir / "A B.TC6", "");
  write_file(dir / "C.gsi", "");
  const Result r = shell(dir, "./korvath 'A B.TC6' C.gsi");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "A B.TC6\nC.gsi\n");
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace korvath
