#include "flow/number_text.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "flow/value.hpp"

namespace korvath {
namespace {

struct BareCase {
  double value;
  const char* text;
};

class BareNumber : public ::testing::TestWithParam<BareCase> {};
TEST_P(BareNumber, WritesShortestFifteenDigitForm) {
  EXPECT_EQ(bare_number(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Values, BareNumber,
    ::testing::Values(BareCase{0, " 0 "}, BareCase{-0.0, " 0 "}, BareCase{12, " 12 "},
                      BareCase{-3, "-3 "}, BareCase{0.5, " .5 "}, BareCase{-0.5, "-.5 "},
                      BareCase{1.5, " 1.5 "}, BareCase{1000.25, " 1000.25 "},
                      BareCase{0.1 + 0.2, " .3 "}, BareCase{123.4567, " 123.4567 "},
                      BareCase{1e-5, " .00001 "}, BareCase{1e-6, " 1E-06 "},
                      BareCase{1.5e-7, " 1.5E-07 "}, BareCase{1e14, " 100000000000000 "},
                      BareCase{1e15, " 1E+15 "}, BareCase{1.5e15, " 1.5E+15 "},
                      BareCase{9999999999999999.0, " 1E+16 "}, BareCase{1e100, " 1E+100 "},
                      BareCase{123456789012345678.0, " 1.23456789012346E+17 "},
                      BareCase{-340 + 400, " 60 "}, BareCase{210.001 - 350 + 400, " 260.001 "}));

struct FixedCase {
  double value;
  int decimals;
  const char* text;
};

class FormatFixed : public ::testing::TestWithParam<FixedCase> {};
TEST_P(FormatFixed, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(format_fixed(GetParam().value, GetParam().decimals), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Values, FormatFixed,
    ::testing::Values(FixedCase{2, 4, "2.0000"}, FixedCase{-0.12345, 4, "-0.1235"},
                      FixedCase{0.000049, 4, "0.0000"}, FixedCase{-0.000049, 4, "0.0000"},
                      FixedCase{2.00005, 4, "2.0001"}, FixedCase{1.5, 4, "1.5000"},
                      FixedCase{0.5, 0, "1"}, FixedCase{-0.5, 0, "-1"},
                      FixedCase{9.99995, 4, "10.0000"}, FixedCase{260.001, 5, "260.00100"},
                      FixedCase{123.4567, 5, "123.45670"}, FixedCase{0, 3, "0.000"},
                      FixedCase{1e20, 3, "100000000000000000000.000"},
                      FixedCase{0.0005, 3, "0.001"}));

TEST(NumberText, InfiniteValuesAreNeverWritten) {
  const double infinite = std::numeric_limits<double>::infinity();
  EXPECT_THROW(bare_number(infinite), ConversionError);
  EXPECT_THROW(format_fixed(-infinite, 4), ConversionError);
  EXPECT_THROW(format_integer(std::numeric_limits<double>::quiet_NaN()), ConversionError);
}

TEST(FormatInteger, RoundsAndDropsLeadingZeros) {
  EXPECT_EQ(format_integer(12.0), "12");
  EXPECT_EQ(format_integer(3.6), "4");
  EXPECT_EQ(format_integer(2.5), "3");
  EXPECT_EQ(format_integer(-2.5), "-3");
  EXPECT_EQ(format_integer(0.4), "");
  EXPECT_EQ(format_integer(-0.4), "");
  EXPECT_EQ(format_integer(text("00000012")), "12");
  EXPECT_EQ(format_integer(text("A0012")), "A0012");
  EXPECT_EQ(format_integer(text("00000000")), "");
  EXPECT_EQ(format_integer(Value(Empty{})), "");
}

TEST(FormatFixedValue, TextThatIsNotANumberComesBackUnchanged) {
  EXPECT_EQ(format_fixed(text(" 1.5 "), 4), "1.5000");
  EXPECT_EQ(format_fixed(text("1.5m"), 4), "1.5m");
  EXPECT_EQ(format_fixed(Value(Empty{}), 4), "");
}

TEST(Values, ArithmeticComparisonAndOutputForms) {
  EXPECT_EQ(as_number(Value(Empty{}), {}), 0);
  EXPECT_EQ(as_number(text(" 25 "), {}), 25);
  EXPECT_THROW(as_number(text(""), {}), ConversionError);
  EXPECT_THROW(as_number(text("12x"), {}), ConversionError);
  EXPECT_TRUE(equals_text(text("STS"), "STS"));
  EXPECT_FALSE(equals_text(text("sts"), "STS"));
  EXPECT_TRUE(equals_text(Value(-2.5), "-2.5"));
  std::string out;
  append_value(out, text("ST1"));
  append_value(out, Value(Empty{}));
  append_value(out, Value(0.5));
  EXPECT_EQ(out, "ST1 .5 ");
}

}  // namespace
}  // namespace korvath
