// Any bytes, for every built command: the run ends in success, on the error path or (TC 600)
// with the invalid-file message; then the input is as it was, no file of the command is left
// open, and every output holds whole lines only, so that a success message never stands
// beside a half-written record.
#include <gtest/gtest.h>

#include "safety/safety_cases.hpp"
#include "support/convert.hpp"

namespace korvath::safety {
namespace {

using Status = Outcome::Status;

class SafetyDamagedInput : public ::testing::TestWithParam<SafetyCase> {};

TEST_P(SafetyDamagedInput, EndsCleanly) {
  const std::size_t descriptors = open_descriptors();
  const test::Converted out = test::convert_bytes(GetParam().command->id, GetParam().input);
  EXPECT_TRUE(out.status == Status::converted || out.status == Status::failed ||
              out.status == Status::invalid_input)
      << static_cast<int>(out.status);
  // Fault::other without a file is how the flow words a library exception (out_of_range,
  // length_error) that escaped a converter instead of its own error.
  if (out.error && out.error->fault() == Fault::other) {
    EXPECT_FALSE(out.error->file().empty()) << out.error->detail();
  }
  EXPECT_EQ(open_descriptors(), descriptors);
  EXPECT_EQ(test::read_file(out.dir->path() / "input.dat"), GetParam().input);
  for (std::size_t i = 0; i < out.outputs.size(); ++i) {
    const std::string written = out.file(i);
    EXPECT_TRUE(written.empty() || written.ends_with("\r\n")) << out.outputs[i];
  }
}

INSTANTIATE_TEST_SUITE_P(Safety, SafetyDamagedInput, ::testing::ValuesIn(damaged_inputs()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace korvath::safety
