// The number rules on many values: the bare-number text keeps 15 significant digits of any
// value, short decimals read as the C library reads them, and a number read from a file and
// passed through is written as its number is, whether from its text or from the number. The
// edges are rows of tests/tables/numbers.table and readers.table.
#include "flow/number_text.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#include "flow/readers.hpp"
#include "flow/signature.hpp"
#include "flow/text.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

void expect_15_digit_text(double value) {
  char rounded[64];  // the value rounded to 15 significant digits, as the C library prints it
  std::snprintf(rounded, sizeof rounded, "%.14e", value);
  const std::string text = plain_number(value);
  ASSERT_EQ(std::strtod(text.c_str(), nullptr), std::strtod(rounded, nullptr))
      << text << " for " << std::hexfloat << value;
  // Bare-number text is written by a quicker path of its own for most values.
  ASSERT_EQ(bare_number(value), (value < 0 ? "" : " ") + text + " ") << std::hexfloat << value;
}

TEST(NumberText, AnyValueKeeps15DigitsInPlainAndBareText) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const double reading = static_cast<double>(random() % 4000000) / 10000;  // grads, 4 decimals
    const double other = static_cast<double>(random() % 4000000) / 10000;
    expect_15_digit_text(reading);
    expect_15_digit_text(reading - other);  // reduced directions: 16 or 17 shortest digits
    expect_15_digit_text((reading - other) / 1000);
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value) && value != 0) expect_15_digit_text(value);
    // Next to half-way points between two 15-digit decimals: 16 digits ending in 5.
    char text[40];
    std::snprintf(text, sizeof text, "%d.%014llu5e%d", 1 + static_cast<int>(random() % 9),
                  static_cast<unsigned long long>(random() % 100000000000000ull),
                  static_cast<int>(random() % 40) - 20);
    expect_15_digit_text(std::strtod(text, nullptr));
    expect_15_digit_text(std::nextafter(std::strtod(text, nullptr), 0.0));
  }
  for (const double value : {5e-324, 2.2250738585072014e-308, 1e23, 9.999999999999999e22,
                             999999999999999.9, 1.7976931348623157e308})
    expect_15_digit_text(value);
}

// The fixed pattern as the general rule makes it: the value's 15-digit form, as the C library
// prints it, rounded to `decimals` places, halves away from zero; no "-" on what rounds to zero.
std::string fixed_from_15_digits(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14e", std::fabs(value));  // "d.dddddddddddddde+XX"
  std::string digits = text[0] + std::string(text + 2, 14);
  int point = std::atoi(text + 17) + 1;  // digits before the point
  if (point <= 0) {
    digits.insert(0, static_cast<std::size_t>(1 - point), '0');
    point = 1;
  }
  const std::size_t kept = static_cast<std::size_t>(point) + static_cast<std::size_t>(decimals);
  if (digits.size() < kept + 1) digits.resize(kept + 1, '0');
  const bool up = digits[kept] >= '5';
  digits.resize(kept);
  if (up) {
    std::size_t i = kept;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      ++point;
    } else {
      ++digits[i - 1];
    }
  }
  std::string integer = digits.substr(0, static_cast<std::size_t>(point));
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  return (value < 0 && !zero ? "-" : "") + integer +
         (decimals > 0 ? "." + digits.substr(static_cast<std::size_t>(point)) : "");
}

// Lengths and angles are written in fixed patterns by quick paths for most values; each must give
// what the general rule gives, near the halves of the 15th digit and of the last place kept too.
TEST(NumberText, FixedPatternsRoundThe15DigitForm) {
  std::mt19937_64 random(11);
  const auto expect_fixed = [](double value, int decimals) {
    ASSERT_EQ(format_fixed(value, decimals), fixed_from_15_digits(value, decimals))
        << std::hexfloat << value << " to " << decimals;
  };
  for (int i = 0; i < 60000; ++i) {
    const double reading = static_cast<double>(random() % 4000000) / 10000;  // grads, 4 decimals
    const double other = static_cast<double>(random() % 4000000) / 10000;
    const auto decimals = static_cast<int>(random() % 10);
    for (const double value : {reading, reading - other, (reading - other) / 1000,
                               reading * 400 / 360, (reading - other) * 0.3048}) {
      expect_fixed(value, 4);
      expect_fixed(value, 5);
      expect_fixed(value, decimals);
    }
    // Next to half-way points of the 15th digit, and of a last place kept: a 16th digit 5, and
    // a run of 9s or 0s after the place kept.
    char half_15th[40], half_kept[40];
    std::snprintf(half_15th, sizeof half_15th, "%d.%014llu5e%d", 1 + static_cast<int>(random() % 9),
                  static_cast<unsigned long long>(random() % 100000000000000ull),
                  static_cast<int>(random() % 20) - 10);
    std::snprintf(half_kept, sizeof half_kept, "%llu.%04llu%s",
                  static_cast<unsigned long long>(random() % 1000),
                  static_cast<unsigned long long>(random() % 10000),
                  random() % 2 ? "4999999999" : "5000000000");
    for (const char* each : {half_15th, half_kept}) {
      const double value = std::strtod(each, nullptr) * (random() % 2 ? -1 : 1);
      for (const double near : {value, std::nextafter(value, 0.0), std::nextafter(value, 1e300)}) {
        expect_fixed(near, 4);
        expect_fixed(near, 5);
        expect_fixed(near, decimals);
      }
    }
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value) && std::fabs(value) < 1e12) expect_fixed(value, decimals);
  }
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
}

// Random texts in the shapes instruments write and well beyond (leading zeros, long fractions,
// runs of zeros and nines, signs, exponents), and every number text of the examples and the case
// files, read as items and written: the bytes are the bare-number text of their number, and the
// number is the one the text reads as.
TEST(NumberText, NumbersPassedThroughAreWrittenAsTheirNumber) {
  std::vector<std::string> texts;
  std::mt19937_64 random(15);
  const auto below = [&random](int n) { return static_cast<int>(random() % n); };
  const auto digit = [&](int mode) {
    if (mode == 0 || below(3) == 0) return static_cast<char>('0' + below(10));
    return mode == 1 ? '0' : '9';
  };
  for (int i = 0; i < 400000; ++i) {
    const int sign = below(4), mode = below(3);
    std::string& text = texts.emplace_back(sign == 1 ? "-" : sign == 2 ? "+" : "");
    for (int n = below(18); n > 0; --n) text += digit(mode);
    if (below(4) != 0) text += '.';
    for (int n = text.ends_with('.') ? below(21) : 0; n > 0; --n) text += digit(mode);
    if (below(20) == 0) text += "E" + std::to_string(below(40) - 20);
  }
  for (const char* folder : {KORVATH_EXAMPLES, KORVATH_CASES}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      std::string bytes = entry.is_regular_file() ? test::read_file(entry.path()) : "";
      for (char& c : bytes)  // every run of the characters of a number is an item
        if (std::string_view("0123456789.+-").find(c) == std::string_view::npos) c = '\n';
      for (const std::string_view text : split(bytes, '\n')) texts.emplace_back(text);
    }
  }
  const test::TempDir dir;
  std::string items;
  for (const std::string& text : texts) items += text + '\n';
  test::write_file(dir / "items", items);
  ItemReader in(dir / "items");
  for (const std::string& text : texts) {
    // Written into exactly the room the value asks for, with a guard after it.
    const Value item = in.read_item();
    std::string room(longest_output(item) + 8, '#');
    const char* const end = write_output(room.data(), item);
    ASSERT_EQ(room.substr(longest_output(item)), "########") << "written past its room: " << text;
    const std::string written = room.substr(0, static_cast<std::size_t>(end - room.data()));
    const auto number = parse_number(text);
    ASSERT_EQ(written, number ? bare_number(*number) : written) << text;
    // The reader's quick path gives the number, sign of a zero included, that the text reads as.
    const auto read = number_in(item);
    ASSERT_EQ(read.has_value(), number.has_value()) << text;
    if (read) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(*number)) << text;
    }
  }
}

}  // namespace
}  // namespace korvath
