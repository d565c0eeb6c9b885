#include "flow/number_text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "flow/text.hpp"
#include "flow/value.hpp"

namespace korvath {
namespace {

// The value rounded to 15 significant digits, as the C library prints it, read back.
double rounded_to_15_digits(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14e", value);
  return std::strtod(text, nullptr);
}

void expect_15_digit_text(double value) {
  const std::string text = plain_number(value);
  ASSERT_EQ(std::strtod(text.c_str(), nullptr), rounded_to_15_digits(value))
      << text << " for " << std::hexfloat << value;
}

TEST(NumberText, SurveyValuesAndTheirDifferencesKeep15Digits) {
  std::mt19937_64 random(42);
  for (int i = 0; i < 200000; ++i) {
    const double reading = static_cast<double>(random() % 4000000) / 10000;  // grads, 4 decimals
    const double other = static_cast<double>(random() % 4000000) / 10000;
    expect_15_digit_text(reading);
    expect_15_digit_text(reading - other);  // reduced directions: 16 or 17 shortest digits
    expect_15_digit_text((reading - other) / 1000);
  }
}

TEST(NumberText, AnyDoubleKeeps15Digits) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value) && value != 0) expect_15_digit_text(value);
  }
  // Values next to half-way points between two 15-digit decimals: 16 digits ending in 5.
  for (int i = 0; i < 100000; ++i) {
    char text[40];
    std::snprintf(text, sizeof text, "%d.%014llu5e%d", 1 + static_cast<int>(random() % 9),
                  static_cast<unsigned long long>(random() % 100000000000000ull),
                  static_cast<int>(random() % 40) - 20);
    expect_15_digit_text(std::strtod(text, nullptr));
    expect_15_digit_text(std::nextafter(std::strtod(text, nullptr), 0.0));
  }
  for (const double value : {5e-324, 2.2250738585072014e-308, 1e23, 9.999999999999999e22, 0.1 + 0.2,
                             1e15, 999999999999999.9, 1.7976931348623157e308})
    expect_15_digit_text(value);
}

// Short decimals are read by one division; it must round as the C library does.
TEST(NumberText, ShortDecimalsReadAsTheLibraryReadsThem) {
  std::mt19937_64 random(3);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 15);
    std::string text = random() % 2 ? "-" : "";
    for (int k = 0; k < digits; ++k) text.push_back(static_cast<char>('0' + random() % 10));
    text.insert(text.size() - random() % (digits + 1), ".");
    ASSERT_EQ(parse_number(text), std::strtod(text.c_str(), nullptr)) << text;
  }
  EXPECT_TRUE(std::signbit(*parse_number("-0.0")));
  EXPECT_EQ(parse_number("1234567890123456"), 1234567890123456.0);  // 16 digits: the library
}

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
                      FixedCase{0.0005, 3, "0.001"}, FixedCase{0.1 + 0.2, 5, "0.30000"},
                      FixedCase{123.4567 - 10.1234, 4, "113.3333"}));

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
  EXPECT_TRUE(equals_text(Value(0.5), ".5"));
  EXPECT_FALSE(equals_text(Value(12.0), "NOTAV"));
  EXPECT_FALSE(equals_text(Value(0.0), ""));
  EXPECT_FALSE(equals_text(Value(1.0), "+1"));
  std::string out;
  append_value(out, text("ST1"));
  append_value(out, Value(Empty{}));
  append_value(out, Value(0.5));
  EXPECT_EQ(out, "ST1 .5 ");
}

}  // namespace
}  // namespace korvath
