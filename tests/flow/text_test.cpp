#include "flow/text.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace korvath {
namespace {

TEST(Field, CutsByPositionAndStopsAtTheEnd) {
  EXPECT_EQ(field("ABC", 5, 3), "");
  EXPECT_EQ(field("ABCDEF", 5, 3), "EF");
  EXPECT_EQ(field("ABCDEF", 1, 2), "AB");
  EXPECT_EQ(field("ABCDEF", 3), "CDEF");
  EXPECT_EQ(field("ABCDEF", 7), "");
  EXPECT_EQ(field("ABCDEF", 2, 0), "");
}

TEST(Field, StartBelowOneOrNegativeLengthIsAConversionError) {
  EXPECT_THROW(field("ABC", 0, 1), ConversionError);
  EXPECT_THROW(field("ABC", 1, -1), ConversionError);
  EXPECT_THROW(field("ABC", -2), ConversionError);
  EXPECT_THROW(field("ABC", 0), ConversionError);
  try {
    field("ABC", 0, 1, {"in.dat", 7});
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.fault(), Fault::bad_field);
    EXPECT_EQ(e.line(), 7u);
  }
}

TEST(Trim, RemovesBlanksOnlyNotTabs) {
  EXPECT_EQ(trim("  a b  "), "a b");
  EXPECT_EQ(trim("\ta\t"), "\ta\t");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(trim_blanks_and_tabs(" \ta\t "), "a");
}

TEST(ReplaceAll, LeftToRightWithoutRescanning) {
  EXPECT_EQ(replace_all("a:b:c", ":", ","), "a,b,c");
  EXPECT_EQ(replace_all("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(replace_all("    ", "  ", " "), "  ");
  EXPECT_EQ(replace_all("abc", "", "x"), "abc");
  EXPECT_EQ(replace_all("aabab", "ab", "-"), "a--");  // a pattern of two, at the very end too
  EXPECT_EQ(replace_all("a", "ab", "-"), "a");
}

struct NumberCase {
  const char* text;
  double expected;
};

class ReadNumber : public ::testing::TestWithParam<NumberCase> {};
TEST_P(ReadNumber, TakesTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(read_number(GetParam().text), GetParam().expected) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumber,
    ::testing::Values(NumberCase{"", 0}, NumberCase{"ABC", 0}, NumberCase{"  -0012.50xyz", -12.5},
                      NumberCase{"12.5.3", 12.5}, NumberCase{"1 234", 1234},
                      NumberCase{"1E3", 1000}, NumberCase{"1d2", 100}, NumberCase{"+7", 7},
                      NumberCase{"12A", 12}, NumberCase{"ST1", 0}, NumberCase{"1\t2\n3", 123},
                      NumberCase{",5", 0}, NumberCase{"/5", 0}, NumberCase{"1E", 1},
                      NumberCase{"1E+", 1}, NumberCase{".5", 0.5}, NumberCase{"-", 0},
                      NumberCase{"1e-999", 0}, NumberCase{"1.5d-1x", 0.15}));

TEST(ReadNumber, TooLargeForADoubleIsAConversionError) {
  EXPECT_THROW(read_number("1E999"), ConversionError);
  EXPECT_THROW(parse_number(" 1E999 "), ConversionError);
}

TEST(ParseNumber, OnlyWholeTextsReadAsNumbers) {
  EXPECT_EQ(parse_number(" 12.5 "), 12.5);
  EXPECT_EQ(parse_number("\t-3\t"), -3);
  EXPECT_EQ(parse_number("1.5D2"), 150);
  EXPECT_EQ(parse_number("5."), 5);
  EXPECT_EQ(parse_number("-.5e-1"), -0.05);
  for (const char* text : {"", "  ", "1 2", "12.5x", "1.2.3", ".", "-", "E5", "1E", "1E+", "0x10",
                           "inf", "nan", "12,5"})
    EXPECT_FALSE(parse_number(text).has_value()) << '"' << text << '"';
}

}  // namespace
}  // namespace korvath
