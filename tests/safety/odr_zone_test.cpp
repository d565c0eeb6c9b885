// The `.ODR` listing counts its print zones from the last line end it wrote, also one inside a
// quoted value; the count is kept without searching every byte written.
#include <gtest/gtest.h>

#include "flow/output_file.hpp"
#include "formats/odr_file.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

TEST(SafetyOdrFile, ZonesCountFromTheLastLineEndEvenInsideAValue) {
  test::TempDir dir;
  OutputFile file(dir / "job.ODR");
  OdrFile odr(file);
  odr.write_station(text("ST1"));
  EXPECT_EQ(odr.column(), 5u);
  odr.write_instrument_height(1.5);
  EXPECT_EQ(odr.column(), 0u);
  odr.write_observation(101.0, 1.3, 2.0, 3.0, 4.0);
  odr.write_observation(text("A\r\nBC"), Empty{}, Empty{}, Empty{}, Empty{});  // zone after BC
  file.close();
  EXPECT_EQ(test::read_file(dir / "job.ODR"),
            "S ST1 1.5 \r\n"
            "D  101         1.3  2  3  4 \r\n"
            "D A\r\nBC            \r\n");
}

}  // namespace
}  // namespace korvath
