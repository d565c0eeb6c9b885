// Each command leaves exactly the files its row declares (its outputs, its scratch files, the
// `.ODR` listing), and a second run in the same folder, over the first run's files, leaves the
// same bytes and the input as it was.
#include <gtest/gtest.h>

#include <set>

#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "safety/safety_cases.hpp"
#include "support/case_file.hpp"
#include "support/files.hpp"

namespace korvath::safety {
namespace {

class RowFiles : public ::testing::TestWithParam<const ConversionCommand*> {};

TEST_P(RowFiles, AreAllTheRunLeavesAlsoTheSecondTime) {
  const ConversionCommand& command = *GetParam();
  const bool coordinates = command.outputs == Outputs::coordinates;
  std::set<std::string> declared = {"input.dat", coordinates ? "coords.seq" : "stations.txm"};
  if (!coordinates) declared.insert("points.txm");
  if (command.odr_listing) declared.insert("points.txm.ODR");
  for (const std::string_view scratch : command.scratch_files)
    if (!scratch.empty()) declared.emplace(scratch.substr(1));

  test::TempDir dir;
  test::write_file(dir / "input.dat", example_bytes(command.id));
  test::Files first;
  for (int run = 1; run <= 2; ++run) {
    ScriptedPlatform ui;  // every overwrite question: Yes
    ui.folder = dir.path().string();
    ui.open_answers = {dir / "input.dat"};
    ui.save_answers = {dir / (coordinates ? "coords" : "stations"), dir / "points"};
    ASSERT_EQ(run_command(command, ui).status, Outcome::Status::converted) << "run " << run;
    const test::Files files = test::files_in(dir.path());
    if (run == 1) {
      std::set<std::string> names;
      for (const auto& [name, bytes] : files) names.insert(name);
      EXPECT_EQ(names, declared);
      first = files;
    } else {
      EXPECT_EQ(files, first);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Safety, RowFiles, ::testing::ValuesIn(built_commands()),
                         [](const auto& info) { return test::test_name(info.param->id); });

}  // namespace
}  // namespace korvath::safety
