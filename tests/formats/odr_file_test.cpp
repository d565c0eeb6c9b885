#include "formats/odr_file.hpp"

#include <gtest/gtest.h>

#include "support/files.hpp"

namespace korvath {
namespace {

using test::read_file;
using test::TempDir;

// Writes through a real file and gives back its bytes and line count.
struct Listing {
  TempDir dir;
  OutputFile file{dir / "job.ODR"};
  OdrFile odr{file};
  std::string bytes() {
    file.close();
    return read_file(dir / "job.ODR");
  }
};

TEST(OdrFile, SetupThenObservationInPrintZones) {
  Listing l;
  l.odr.write_station(text("ST1"));
  l.odr.write_instrument_height(1.5);
  l.odr.write_observation(101.0, 1.3, 123.456, 95.123, 45.678);
  EXPECT_EQ(l.bytes(), "S ST1 1.5 \r\nD  101         1.3  123.456  95.123  45.678 \r\n");
  EXPECT_EQ(l.file.lines(), 2u);
}

TEST(OdrFile, ZonesCountFromTheLastLineEnd) {
  Listing l;
  l.odr.write_station(text("ST1"));  // no height: the next observation continues the line
  l.odr.write_observation(text("AB"), 1.0, 2.0, 3.0, 4.0);
  l.odr.write_observation(text("AB"), 1.0, 2.0, 3.0, 4.0);
  EXPECT_EQ(l.bytes(),
            "S ST1D AB      1  2  3  4 \r\n"
            "D AB           1  2  3  4 \r\n");
  EXPECT_EQ(l.file.lines(), 2u);
}

TEST(OdrFile, NameFillingAZoneGetsAWholeZone) {
  Listing l;
  l.odr.write_observation(text("ABCDEFGHIJKL"), text("X"), Empty{}, Empty{}, text("Y"));
  EXPECT_EQ(l.bytes(), "D ABCDEFGHIJKL              XY\r\n");
  EXPECT_EQ(l.odr.column(), 0u);
}

TEST(OdrFile, LineEndInsideAQuotedNameRestartsTheZones) {
  Listing l;
  l.odr.write_observation(text("A\r\nB"), text("X"), Empty{}, Empty{}, Empty{});
  EXPECT_EQ(l.bytes(), "D A\r\nB             X\r\n");
}

}  // namespace
}  // namespace korvath
