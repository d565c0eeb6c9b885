#include <gtest/gtest.h>

#include <string>

#include "support/convert.hpp"

namespace korvath {
namespace {

using test::convert_bytes;
using Status = Outcome::Status;

constexpr std::string_view kHeading =
    "DATABASE\r\n\tPOINTS(PointNo, PointID, East, North, Elevation, Code, Date, CLASS)\r\n";
// The heading of the next table of the point database ends the point table; the eight items
// of that record run on into the lines after it.
constexpr std::string_view kNextTable =
    "\t\tTHEMINFO(PointNo, PointID, Attribute, Value)\r\n\t\tEND THEMINFO\r\n"
    "\t\tANNOTATIONS(PointNo, PointID, Annotation)\r\n\t\tEND ANNOTATIONS\r\n"
    "\tEND POINTS\r\nEND DATABASE\r\n";

struct ByteCase {
  const char* name;
  std::string_view records, coordinates;
};

const ByteCase kCoords[] = {
    {"QuotedNameIsTextZeroAndEmptyAreNumberZero",
     "\t\t1, \"A1\", 1000.0000, 2000.5000, 0, \"\", x, y\r\n", "A1, 1000 , 2000.5 , 0 \r\n"},
    {"UnquotedNumericNameIsANumber", "\t\t2,\t12,\t1.5,\t-5.25,\t.5,\t\"\",\td,\tFIX;\r\n",
     " 12 , 1.5 ,-5.25 , .5 \r\n"},
    {"EmptyCoordinatesOfAMeasuredPointAreZero",
     "\t\t500004,\t\"2000\", , , ,\"\",\t21-09-2004/08:45:47.0\t,\tMEAS;\r\n",
     "2000, 0 , 0 , 0 \r\n"},
    {"CoordinateTextKeepsItsFormUnlessItReadsAsZero",
     "\t\t3,\t\"P3\",\t12abc,\tabc,\t-0.000,\t\"\",\td,\tFIX;\r\n", "P3,12abc, 0 , 0 \r\n"},
};

class LeicaTcr407CoordsBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(LeicaTcr407CoordsBytes, WritesTheCoordinateFileExactly) {
  const auto out =
      convert_bytes("leica-tcr407-coords", std::string(kHeading) + std::string(GetParam().records) +
                                               std::string(kNextTable));
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), GetParam().coordinates);
}

INSTANTIATE_TEST_SUITE_P(LeicaTcr407Coords, LeicaTcr407CoordsBytes, ::testing::ValuesIn(kCoords),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeicaTcr407Coords, HeadingNeedsExactlyOneCharacterBeforeTheKeyword) {
  const std::string records = "1,\"A\",1,2,3,4,5,6\r\n" + std::string(kNextTable);
  for (const char* heading : {"POINTS(PointNo)\r\n", "\t\tPOINTS(PointNo)\r\n",
                              "    POINTS(PointNo)\r\n", "\tpoints(PointNo)\r\n"}) {
    const auto out = convert_bytes("leica-tcr407-coords", heading + records);
    ASSERT_EQ(out.status, Status::converted) << heading;
    EXPECT_EQ(out.file(0), "") << heading;
  }
  // Blanks are trimmed before the test; the one tab then stands in front of the keyword.
  const auto out = convert_bytes("leica-tcr407-coords", "   \tPOINTS(PointNo)\r\n" + records);
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), "A, 1 , 2 , 3 \r\n");
}

TEST(LeicaTcr407Coords, PointIdEndsTheTableEvenBeforeMorePoints) {
  const auto out =
      convert_bytes("leica-tcr407-coords", std::string(kHeading) + "1,\"A\",1,2,3,4,5,6\r\n" +
                                               std::string(kNextTable) + "2,\"B\",1,2,3,4,5,6\r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.file(0), "A, 1 , 2 , 3 \r\n");
}

TEST(LeicaTcr407CoordsErrors, TableWithoutPointIdReadsPastTheEnd) {
  const auto out = convert_bytes("leica-tcr407-coords", std::string(kHeading) +
                                                            "1,\"A\",1,2,3,4,5,6\r\n"
                                                            "\tEND POINTS\r\nEND DATABASE\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.error->line(), 6u);
  EXPECT_EQ(out.file(0), "A, 1 , 2 , 3 \r\n");  // the points before stay
}

}  // namespace
}  // namespace korvath
