// A number read from a file is written from its own text when it is only passed through: those
// bytes must be the ones the number rule writes, for every text the readers accept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "flow/number_text.hpp"
#include "flow/text.hpp"
#include "flow/value.hpp"

namespace korvath {
namespace {

// The text path as the item reader and append_value take it: a short decimal, written from its
// text unless it is below 1E-05.
bool append_from_text(std::string& out, std::string_view text) {
  double number = 0;
  return read_short_decimal(text, number) && append_bare_decimal(out, text);
}

// Checks one text: when the text path writes it, the bytes are those of the number. Returns
// whether the text path took it.
bool agrees(std::string_view text) {
  const auto number = parse_number(text);
  if (!number) return false;
  std::string from_text = "x";
  if (!append_from_text(from_text, text)) {
    EXPECT_EQ(from_text, "x") << "appended and gave up: " << text;
    return false;
  }
  EXPECT_EQ(from_text, "x" + bare_number(*number)) << "text: " << text;
  return true;
}

TEST(PassthroughNumber, EdgesOfTheFixedFormAndOfFifteenDigits) {
  const struct {
    const char* text;
    const char* written;  // nullptr: the number is written instead
  } cases[] = {
      {"1.500", " 1.5 "},
      {"-1.500", "-1.5 "},
      {"+1.5", " 1.5 "},
      {"007", " 7 "},
      {"-.50", "-.5 "},
      {"12.", " 12 "},
      {"-0.000", " 0 "},
      {"0", " 0 "},
      {".00001", " .00001 "},
      {"0.000010", " .00001 "},
      {".000001", nullptr},
      {"100000000000000", " 100000000000000 "},
      {"1000000000000000", nullptr},
      {"12345678901234.5", " 12345678901234.5 "},
      {"1234567890123456", nullptr},
      {"1.23456789012345", " 1.23456789012345 "},
      {"1.234567890123456", nullptr},
      {"0.00012345678901", " .00012345678901 "},
      {"0.000123456789012345", nullptr},
      {"1E3", nullptr},
      {"1.5D-2", nullptr},
      {"1 2", nullptr},
      {"", nullptr},
      {".", nullptr},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(append_from_text(out, c.text), c.written != nullptr) << c.text;
    EXPECT_EQ(out, c.written ? c.written : "") << c.text;
    agrees(c.text);
  }
}

// Random texts in the shapes instruments write and well beyond: leading zeros, long fractions,
// runs of zeros and nines, signs, exponents.
TEST(PassthroughNumber, AgreesWithTheNumberOnRandomTexts) {
  std::mt19937_64 random(15);
  const auto below = [&random](int n) { return static_cast<int>(random() % n); };
  const auto digit = [&](int mode) {
    if (mode == 0) return static_cast<char>('0' + below(10));
    return below(3) == 0 ? static_cast<char>('0' + below(10)) : (mode == 1 ? '0' : '9');
  };
  int taken = 0;
  const int texts = 400000;
  for (int i = 0; i < texts; ++i) {
    std::string text;
    const int mode = below(3);
    if (const int sign = below(4); sign == 1)
      text += '-';
    else if (sign == 2)
      text += '+';
    for (int n = below(18); n > 0; --n) text += digit(mode);
    if (below(4) != 0) {
      text += '.';
      for (int n = below(21); n > 0; --n) text += digit(mode);
    }
    if (below(20) == 0) text += "E" + std::to_string(below(40) - 20);
    if (agrees(text)) ++taken;
  }
  EXPECT_GT(taken, texts / 3);  // the text path is the common one, not a rare exception
}

// Every number text in the example downloads and in the case files.
TEST(PassthroughNumber, AgreesWithTheNumberOnTheTextsOfExamplesAndCases) {
  const std::filesystem::path examples = KORVATH_EXAMPLES;
  int taken = 0;
  for (const auto& folder : {examples, std::filesystem::path(KORVATH_CASES)}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), {});
      std::size_t start = 0;
      for (std::size_t i = 0; i <= bytes.size(); ++i) {
        const bool part = i < bytes.size() && std::string_view("0123456789.+-").find(bytes[i]) !=
                                                  std::string_view::npos;
        if (part) continue;
        if (i > start && agrees(std::string_view(bytes).substr(start, i - start))) ++taken;
        start = i + 1;
      }
    }
  }
  EXPECT_GT(taken, 1000);
}

TEST(PassthroughNumber, ReadNumbersAreWrittenFromTheirTextAndComputedOnesFromTheNumber) {
  std::string out;
  append_value(out, ReadNumber(1.5, "1.500"));
  append_value(out, ReadNumber(1e-6, "0.000001"));
  append_value(out, ReadNumber(2, {}));  // read from "2E0": no text kept
  append_value(out, Value(1.5));
  EXPECT_EQ(out, " 1.5  1E-06  2  1.5 ");
  EXPECT_EQ(as_number(ReadNumber(-2.25, "-2.250"), {}), -2.25);
  EXPECT_TRUE(equals_text(ReadNumber(10, "10.0"), "10"));
}

}  // namespace
}  // namespace korvath
