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

class SafetyDamagedInput : public ::testing::TestWithParam<SafetyCase> {
 protected:
  test::Converted convert() const {
    return test::convert_bytes(GetParam().command->id, GetParam().input);
  }
};

TEST_P(SafetyDamagedInput, EndsInSuccessOrOnTheErrorPath) {
  const test::Converted out = convert();
  EXPECT_TRUE(out.status == Status::converted || out.status == Status::failed ||
              out.status == Status::invalid_input)
      << static_cast<int>(out.status);
  // Fault::other without a file is how the flow words a library exception (out_of_range,
  // length_error) that escaped a converter instead of its own error.
  if (out.error && out.error->fault() == Fault::other) {
    EXPECT_FALSE(out.error->file().empty()) << out.error->detail();
  }
}

TEST_P(SafetyDamagedInput, InputIsByteIdenticalAfterwards) {
  const test::Converted out = convert();
  EXPECT_EQ(test::read_file(out.dir->path() / "input.dat"), GetParam().input);
}

TEST_P(SafetyDamagedInput, NoFileIsLeftOpen) {
  const std::size_t before = open_descriptors();
  const test::Converted out = convert();
  EXPECT_EQ(open_descriptors(), before) << "status " << static_cast<int>(out.status);
}

TEST_P(SafetyDamagedInput, OutputsHoldWholeLinesOnly) {
  const test::Converted out = convert();
  for (std::size_t i = 0; i < out.outputs.size(); ++i) {
    const std::string written = out.file(i);
    EXPECT_TRUE(written.empty() || written.ends_with("\r\n"))
        << out.outputs[i] << " ends with a partial line, status " << static_cast<int>(out.status);
  }
}

INSTANTIATE_TEST_SUITE_P(Safety, SafetyDamagedInput, ::testing::ValuesIn(damaged_inputs()),
                         [](const auto& info) { return info.param.name; });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SafetyDamagedInput);

}  // namespace
}  // namespace korvath::safety
