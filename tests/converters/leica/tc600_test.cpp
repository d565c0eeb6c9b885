#include <gtest/gtest.h>

#include <cstdio>

#include "support/convert.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;
using test::convert_bytes;

// One 16-character data word: six columns of word index, the sign, eight digits, a blank.
std::string word(const char* index, const char* signed_digits) {
  char w[17];
  std::snprintf(w, sizeof w, "%-6.6s%-9.9s ", index, signed_digits);
  return w;
}

// A short line: a record code and three values.
std::string short_line(const char* code, const char* a, const char* b, const char* c) {
  return word("410000", code) + word("420000", a) + word("430000", b) + word("440000", c) + "\r\n";
}

// A long line: point, horizontal, vertical, slope distance, (ppm), target height, (spare).
std::string long_line(const char* point, const char* hz, const char* v, const char* sd,
                      const char* th) {
  return word("110000", point) + word("210000", hz) + word("220000", v) + word("310000", sd) +
         word("510000", "+00000000") + word("870000", th) + word("880000", "+00000000") + "\r\n";
}

const std::string kSetup =
    short_line("-00000003", "+00000005", "+00000001", "+00000160") +
    long_line("+00000001", "+35000000", "+10000000", "+00045210", "+00001500");
const std::string kStationShot =
    short_line("-00000002", "+00000007", "+00000000", "+00000000") +
    long_line("+00000007", "+01000000", "+09876540", "+00025432", "+00001500");
const std::string kPoint12 =
    long_line("+00000012", "+21000100", "+10120000", "+00012345", "+00001500");

struct Tc600Case {
  const char* name;
  std::string input, stations, points;
};

const Tc600Case kCases[] = {
    {"WorkedExample", kSetup + kStationShot + kPoint12,
     "S7,S5,S1,1.5000,60.00000,98.76540,25.4320,1.6000\r\n",
     " 10 ,S5,S1,1.5000,260.00100,101.20000,12.3450,1.6000\r\n"},
    {"OnlyEmptyLines", "\r\n\r\n\r\n", "", ""},
    {"OtherShortCodesWriteNothingAndKeepTheCounter",
     kSetup + short_line("+00000099", "+00000001", "+00000002", "+00000003") + kPoint12, "",
     " 11 ,S5,S1,1.5000,260.00100,101.20000,12.3450,1.6000\r\n"},
    {"ZeroAndLetterStationDigits",
     short_line("-00000003", "+00000000", "+0000A123", "+00000150") +
         long_line("+00000001", "+10000000", "+10000000", "+00001000", "+00001000") +
         long_line("+00000005", "+10000000", "+10000000", "+00001000", "+00001000"),
     "", " 4 ,S,S0000A123,1.0000,0.00000,100.00000,1.0000,1.5000\r\n"},
    {"EighthDigitNeverReachesTheOutput",
     long_line("+00000003", "+12345678", "+09999999", "+00001000", "+00001000"), "",
     " 3 ,,,1.0000,123.45670,99.99990,1.0000,\r\n"},
    {"SmallerReadingThanOrientationAddsFourHundred",
     kSetup + long_line("+00000020", "+34999990", "+10000000", "+00001000", "+00001000"), "",
     " 19 ,S5,S1,1.0000,399.99990,100.00000,1.0000,1.6000\r\n"},
    {"PointFieldThatIsNotANumberCountsAsZero",
     kSetup + long_line("ABCDEFGHI", "+35000000", "+10000000", "+00001000", "+00001000"), "",
     "-1 ,S5,S1,1.0000,0.00000,100.00000,1.0000,1.6000\r\n"},
    {"EveryPairLowersTheCounter", kSetup + kStationShot + kStationShot + kPoint12,
     "S7,S5,S1,1.5000,60.00000,98.76540,25.4320,1.6000\r\n"
     "S7,S5,S1,1.5000,60.00000,98.76540,25.4320,1.6000\r\n",
     " 9 ,S5,S1,1.5000,260.00100,101.20000,12.3450,1.6000\r\n"},
};

class Tc600Bytes : public ::testing::TestWithParam<Tc600Case> {};
TEST_P(Tc600Bytes, WritesBothFilesExactly) {
  const auto out = convert_bytes("leica-tc600", GetParam().input);
  ASSERT_EQ(out.status, Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
}
INSTANTIATE_TEST_SUITE_P(Leica, Tc600Bytes, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Tc600Validation, RejectsALineOfAnotherLengthBeforeAnyOutputDialog) {
  const auto out = convert_bytes("leica-tc600", kSetup + std::string(63, 'x') + "\r\n");
  ASSERT_EQ(out.status, Status::invalid_input);
  ASSERT_EQ(out.ui.messages.size(), 1u);
  EXPECT_EQ(out.ui.messages[0].text, "Δεν είναι έγκυρο αρχείο");
  EXPECT_EQ(out.ui.messages[0].title, "Προσοχή");
  EXPECT_EQ(out.ui.messages[0].icon, Icon::error);
  EXPECT_EQ(out.ui.dialog_titles.size(), 1u);  // the open dialog only
  EXPECT_FALSE(std::filesystem::exists(out.outputs[0]));
}

TEST(Tc600Errors, PairCutShortByTheEndOfTheFile) {
  const auto out = convert_bytes(
      "leica-tc600", kPoint12 + short_line("-00000003", "+00000005", "+00000001", "+00000160"));
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.error->line(), 3u);
  EXPECT_EQ(out.file(1), " 12 ,,,1.5000,210.00100,101.20000,12.3450,\r\n");
}

TEST(Tc600Errors, SetupFollowedByAShortLineIsNotANumber) {
  // The second line of a pair is converted in full: columns 88 to 96 of a short line are empty.
  const auto out = convert_bytes(
      "leica-tc600", short_line("-00000003", "+00000005", "+00000001", "+00000160") +
                         short_line("+00000099", "+00000001", "+00000002", "+00000003"));
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->line(), 2u);
}

TEST(Tc600Errors, StationShotFollowedByAnEmptyLineIsNotANumber) {
  const auto out = convert_bytes(
      "leica-tc600",
      kSetup + short_line("-00000002", "+00000007", "+00000000", "+00000000") + "\r\n" + kPoint12);
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::not_a_number);
  EXPECT_EQ(out.error->line(), 4u);
  EXPECT_EQ(out.file(0), "");
}

}  // namespace
}  // namespace korvath
