// The copy of a download that comes down a pipe, and an output on a full disk.
#include "flow/input_kind.hpp"

#include <gtest/gtest.h>

#include <string>

#include "flow/output_file.hpp"
#include "flow/readers.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

TEST(CopyStream, ManyShortLinesAreNoLongLine) {
  // Each line's length is counted afresh: a long download of short lines copies whole.
  const test::TempDir dir;
  std::string lines;
  while (lines.size() <= 2 * kLongestLine) lines += "P1 1.3 10.0000 99.5000 12.000\r\n";
  test::write_file(dir / "in", lines);
  OutputFile copy(dir / "copy");
  copy_stream(dir / "in", copy);
  EXPECT_EQ(test::read_file(dir / "copy"), lines);
}

TEST(OutputFile, AFullDiskIsAWriteFailureOfNoLine) {
  OutputFile out("/dev/full");
  try {
    out.write(std::string(std::size_t{1} << 20, 'x'));
    out.close();
    ADD_FAILURE() << "written to a full disk";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::write_failed);
    EXPECT_EQ(e.line(), 0u);
  }
}

}  // namespace
}  // namespace korvath
