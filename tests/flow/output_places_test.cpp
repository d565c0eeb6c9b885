// Where a conversion writes, when the place is not what it expects: an output that is a link
// to itself, a scratch file's name taken by a folder, an output the converter never opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "converters/catalogue.hpp"
#include "flow/run.hpp"
#include "support/convert.hpp"

namespace korvath {
namespace {

namespace fs = std::filesystem;
using Status = Outcome::Status;

constexpr std::string_view kSouth =
    "ST1 1.550\r\nST2 1.600 350.0000 98.0000 120.500\r\n101  1.300 10.0000 99.5000 **********\r\n";

// Links are followed a bounded number of times: a loop ends the run with the fault of the file
// that cannot be made, never a run that goes on for ever.
TEST(OutputPlaces, AnOutputThatIsALinkLoopFailsWithItsName) {
  test::Session s("job.txt", kSouth);
  fs::create_symlink("st.txm", s.dir / "st.txm");
  s.save({"st", "pt"});
  const Outcome outcome = run_command(*find_command("south-mes"), s.ui);
  ASSERT_EQ(outcome.status, Status::failed);
  EXPECT_EQ(outcome.error->fault(), Fault::cannot_create);
  EXPECT_EQ(outcome.error->file(), s.dir / "st.txm");
  EXPECT_TRUE(fs::is_symlink(s.dir / "st.txm"));
}

// A folder that holds a file is never removed for a scratch file: the conversion still writes
// its outputs, says the scratch file was not put in its place, and leaves no file of its own.
TEST(OutputPlaces, AScratchNameTakenByAFolderIsLeftAndTheUserTold) {
  test::Session s("job.txt", kSouth);
  fs::create_directory(s.dir / "ConvSou.txt");
  test::write_file(s.dir / "ConvSou.txt/kept", "kept");
  s.save({"st", "pt"});
  const Outcome outcome = run_command(*find_command("south-mes"), s.ui);
  ASSERT_EQ(outcome.status, Status::converted);
  EXPECT_EQ(s.out("st.txm"), "ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n");
  EXPECT_EQ(s.out("pt.txm"), " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n");
  ASSERT_EQ(outcome.notes.size(), 1u);
  EXPECT_EQ(outcome.notes[0].text,
            "ένα βοηθητικό αρχείο δεν μπήκε στη θέση του στον φάκελο " + s.dir.path().string());
  EXPECT_EQ(s.out("ConvSou.txt/kept"), "kept");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(s.dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"ConvSou.txt", "job.txt", "pt.txm", "st.txm"}));
}

// A converter that never asks for its outputs still leaves them, as the overwrite check made
// them: each is reported, with no line.
TEST(OutputPlaces, AnOutputNeverOpenedIsReportedWithNoLine) {
  test::Session s("job.txt", kSouth);
  s.save({"st", "pt"});
  ConversionCommand writes_nothing = *find_command("south-mes");
  writes_nothing.convert = [](Conversion&) {};
  const Outcome outcome = run_command(writes_nothing, s.ui);
  ASSERT_EQ(outcome.status, Status::converted);
  ASSERT_EQ(outcome.written.size(), 2u);
  EXPECT_EQ(outcome.written[0].path, s.dir / "st.txm");
  EXPECT_EQ(outcome.written[0].lines, 0u);
  EXPECT_EQ(outcome.written[1].path, s.dir / "pt.txm");
  EXPECT_EQ(outcome.written[1].lines, 0u);
  EXPECT_EQ(s.out("st.txm"), "");
}

}  // namespace
}  // namespace korvath
