#include "formats/observation.hpp"

#include <gtest/gtest.h>

namespace korvath {
namespace {

// 400 grads are added once, and only to a negative difference.
TEST(Observation, ReductionToTheBacksight) {
  EXPECT_EQ(reduce_to_backsight(10, 350), 60);
  EXPECT_EQ(reduce_to_backsight(350, 10), 340);
  EXPECT_EQ(reduce_to_backsight(100, 100), 0);
  EXPECT_EQ(reduce_to_backsight(-5, 0), 395);
  EXPECT_EQ(reduce_to_backsight(380, -50), 430);
  // A difference beyond a double would be written as a plain number: it is an error instead.
  try {
    reduce_to_backsight(1e308, -1e308, {"job.raw", 4});
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::number_too_large);
    EXPECT_EQ(e.line(), 4u);
  }
}

// Named stations, the point 0 and an empty name read as 0: the station file.
TEST(Observation, StationTargetsReadAsZero) {
  for (const Value& name : {text("ST1"), text("A12"), text("0"), Value(0.0), Value(Empty{})})
    EXPECT_TRUE(is_station_target(name)) << plain_text(name);
  for (const Value& name : {text("12A"), text("007"), Value(7.0), Value(-0.5)})
    EXPECT_FALSE(is_station_target(name)) << plain_text(name);
}

}  // namespace
}  // namespace korvath
