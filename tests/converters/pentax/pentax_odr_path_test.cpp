// The listing's name follows the chosen point file, and the listing may never be the input.
#include <gtest/gtest.h>

#include <string>

#include "converters/catalogue.hpp"
#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "support/files.hpp"

namespace korvath::test {
namespace {

using Status = Outcome::Status;

constexpr std::string_view kDownload =
    "001 STS ST1X\r\n002 INH 1.5X\r\n003 PPD 101X\r\n004 PFH 1.3X\r\n005 RTH 100X\r\n"
    "006 RTV 99X\r\n007 RTD 10X\r\n";
constexpr std::string_view kListing = "S ST1 1.5 \r\nD  101         1.3  100  99  10 \r\n";

// Runs pentax-mes on `input_name` in `dir`, the point file chosen as `point_name`.
Outcome run_pentax_mes(const TempDir& dir, std::string_view input_name, std::string_view point_name,
                       ScriptedPlatform& ui) {
  ui.folder = dir.path().string();
  ui.open_answers.push_back(dir / input_name);
  ui.save_answers.push_back(dir / "stations");
  ui.save_answers.push_back(dir / point_name);
  return run_command(*find_command("pentax-mes"), ui);
}

// JOB.DAT gives JOB.txm and JOB.ODR; JOB, without a point, gives JOB.txm and JOB.txm.ODR.
TEST(PentaxOdrPath, ListingIsNamedAfterTheChosenPointFile) {
  struct Names {
    const char *chosen, *points, *listing;
  };
  for (const Names& n :
       {Names{"JOB.DAT", "JOB.txm", "JOB.ODR"}, Names{"JOB", "JOB.txm", "JOB.txm.ODR"}}) {
    TempDir dir;
    write_file(dir / "job.raw", kDownload);
    ScriptedPlatform ui;
    ASSERT_EQ(run_pentax_mes(dir, "job.raw", n.chosen, ui).status, Status::converted) << n.chosen;
    EXPECT_EQ(read_file(dir / n.points), " 101 ,ST1,T-T-T, 1.3 , 100 , 99 , 10 , 1.5 \r\n");
    EXPECT_EQ(read_file(dir / n.listing), kListing);
  }
}

TEST(PentaxOdrPath, ListingThatWouldBeTheInputIsRefused) {
  TempDir dir;
  write_file(dir / "job.ODR", kDownload);
  ScriptedPlatform ui;
  const Outcome outcome = run_pentax_mes(dir, "job.ODR", "job.dat", ui);
  ASSERT_EQ(outcome.status, Status::refused);
  EXPECT_EQ(read_file(dir / "job.ODR"), kDownload);  // the download is never written
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "job.txm"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "PENhlp.txt"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, Icon::error);
}

}  // namespace
}  // namespace korvath::test
