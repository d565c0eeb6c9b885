// The real `korvath convert` refuses an output that is the input: it exits with the failure
// status, says why on standard error, and leaves the input and the other output untouched.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "safety/safety_cases.hpp"
#include "support/files.hpp"

namespace korvath::safety {
namespace {

class SafetyBinaryRefusal : public ::testing::TestWithParam<const ConversionCommand*> {};

TEST_P(SafetyBinaryRefusal, OutputThatIsTheInputExitsWithFailure) {
  const ConversionCommand& command = *GetParam();
  const bool coordinates = command.outputs == Outputs::coordinates;
  test::TempDir dir;
  const std::string input = coordinates ? "job.seq" : "job.txm";
  const std::string example = example_bytes(command.id);
  const std::string bytes = example.empty() ? "instrument data that must stay\r\n" : example;
  test::write_file(dir / input, bytes);
  const std::string shell = "cd '" + dir.path().string() + "' && '" KORVATH_BINARY "' convert " +
                            std::string(command.id) + " " + input + " job" +
                            (coordinates ? "" : " points") +
                            " --overwrite yes --scratch-dir . </dev/null >out 2>err";
  const int raw = std::system(shell.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  EXPECT_NE(test::read_file(dir / "err").find("δεν μπορεί να είναι το αρχείο"), std::string::npos)
      << test::read_file(dir / "err");
  EXPECT_EQ(test::read_file(dir / input), bytes);
  EXPECT_FALSE(std::filesystem::exists(dir / "points.txm"));
}

INSTANTIATE_TEST_SUITE_P(Safety, SafetyBinaryRefusal, ::testing::ValuesIn(built_commands()),
                         [](const auto& info) { return test_name(info.param->id); });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SafetyBinaryRefusal);

}  // namespace
}  // namespace korvath::safety
