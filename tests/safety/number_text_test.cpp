// The quick paths of the number rules (short decimals, shortest round-trip digits, numbers read
// in place) must give what the plain rules give: 15 significant digits for any double.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "flow/number_text.hpp"
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

TEST(SafetyNumberText, SurveyValuesAndTheirDifferencesKeep15Digits) {
  std::mt19937_64 random(42);
  for (int i = 0; i < 200000; ++i) {
    const double reading = static_cast<double>(random() % 4000000) / 10000;  // grads, 4 decimals
    const double other = static_cast<double>(random() % 4000000) / 10000;
    expect_15_digit_text(reading);
    expect_15_digit_text(reading - other);  // reduced directions: 16 or 17 shortest digits
    expect_15_digit_text((reading - other) / 1000);
  }
}

TEST(SafetyNumberText, AnyDoubleKeeps15Digits) {
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

TEST(SafetyNumberText, FixedPatternsRoundTheSame15Digits) {
  EXPECT_EQ(format_fixed(0.1 + 0.2, 5), "0.30000");
  EXPECT_EQ(format_fixed(123.4567 - 10.1234, 4), "113.3333");
  EXPECT_EQ(format_fixed(2.00005, 4), "2.0001");  // the 15-digit form 2.00005 rounds up
  EXPECT_EQ(plain_number(123.4567 - 10.1234), "113.3333");
  EXPECT_EQ(plain_number(5e-324), "4.94065645841247E-324");
}

// Comparing a number with a record key skips formatting it; a number still equals its text.
TEST(SafetyNumberText, NumberEqualsItsPlainTextAndNoRecordKey) {
  EXPECT_TRUE(equals_text(Value(12.0), "12"));
  EXPECT_TRUE(equals_text(Value(0.5), ".5"));
  EXPECT_TRUE(equals_text(Value(-0.5), "-.5"));
  EXPECT_FALSE(equals_text(Value(12.0), "NOTAV"));
  EXPECT_FALSE(equals_text(Value(0.0), ""));
  EXPECT_FALSE(equals_text(Value(1.0), "+1"));
}

// Short decimals are read by one division; it must round as the C library does.
TEST(SafetyNumberText, ShortDecimalsReadAsTheLibraryReadsThem) {
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

// Numbers are read in place unless their exponent is written with D.
TEST(SafetyNumberText, ExponentMarksAndSignsReadTheSame) {
  EXPECT_EQ(read_number("1.5D2"), 150);
  EXPECT_EQ(read_number("1.5d-1x"), 0.15);
  EXPECT_EQ(read_number("+2.5e1"), 25);
  EXPECT_EQ(read_number("1e-999"), 0);
  EXPECT_EQ(read_number(" 1 234.5 "), 1234.5);
  EXPECT_EQ(parse_number("\t-7.25E+1 "), -72.5);
  EXPECT_THROW(read_number("1e999"), ConversionError);
}

}  // namespace
}  // namespace korvath
