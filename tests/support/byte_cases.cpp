// The two table-driven suites of byte_cases.hpp; each converter's test file instantiates them.
#include "support/byte_cases.hpp"

#include "support/convert.hpp"

namespace korvath::test {
namespace {

void expect_files(const Converted& out, const std::vector<std::string>& files) {
  ASSERT_EQ(out.outputs.size(), files.size());
  for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(out.file(i), files[i]) << "output " << i;
}

}  // namespace

TEST_P(OutputBytes, WritesEveryFileExactly) {
  const OutputCase& c = GetParam();
  const Converted out = convert_bytes(c.command, c.input);
  ASSERT_EQ(out.status, Outcome::Status::converted) << (out.error ? out.error->what() : "");
  expect_files(out, c.files);
  std::vector<std::string> notes;
  for (const Note& note : out.notes) {
    EXPECT_EQ(note.file, *out.dir / "input.dat");
    notes.push_back(std::to_string(note.line) + ": " + note.text);
  }
  EXPECT_EQ(notes, c.notes);
}

TEST_P(FailureBytes, StopsAtTheFaultAndKeepsWhatWasWritten) {
  const FailureCase& c = GetParam();
  const Converted out = convert_bytes(c.command, c.input);
  ASSERT_EQ(out.status, Outcome::Status::failed);
  EXPECT_EQ(fault_name(out.error->fault()), fault_name(c.fault));
  EXPECT_EQ(out.error->file(), *out.dir / c.file);
  EXPECT_EQ(out.error->line(), c.line);
  expect_files(out, c.files);
}

}  // namespace korvath::test
