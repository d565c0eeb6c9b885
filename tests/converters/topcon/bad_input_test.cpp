#include <gtest/gtest.h>

#include <random>

#include "support/convert.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;

// Good records of each command, damaged by inserting the bytes these formats react to: keys,
// separators, marks of the rendering, quotes, numbers too large and every kind of line end.
struct Damaged {
  const char* id;
  std::string_view records;
};
const Damaged kCommands[] = {
    {"topcon-gts3000", "1,S1,1.5\n2,S2,100,99,30,1.2\n2,7,150,99,10,1.1\n"},
    {"topcon-gts3000-raw",
     "STN     S1,1.5,\nBS      S2,1.6\nSD      0,100,50\nSS      8,1.2,C\n"
     "HV      10,100\n"},
    {"topcon-gts3000-raw-wordpad",
     "STN     S1,1.5,\r\nBS      S2,1.6\r\nSD      0,100,50\r\nSS      8,1.2,C\r\nHV      "
     "10,100\r\n"},
};

std::string damaged(std::string input, std::mt19937& random) {
  static constexpr std::string_view kPieces[] = {"1",
                                                 "2",
                                                 "3",
                                                 ",",
                                                 "\n",
                                                 "\r",
                                                 "\r\n",
                                                 " ",
                                                 "\"",
                                                 "\\par ",
                                                 "}",
                                                 "{",
                                                 "STN     ",
                                                 "BS      ",
                                                 "SD      ",
                                                 "HV",
                                                 "12A",
                                                 "x",
                                                 "1E999",
                                                 "\t",
                                                 "\\",
                                                 "\xFF",
                                                 std::string_view("\0", 1)};
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  for (int n = std::uniform_int_distribution<int>(0, 3)(random); n > 0; --n) {
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, input.size())(random);
    input.insert(at, kPieces[piece(random)]);
  }
  if (random() % 8 == 0) input.resize(random() % (input.size() + 1));  // cut short
  return input;
}

TEST(TopconBadInput, AnyBytesEndInSuccessOrTheErrorPath) {
  std::mt19937 random(20240611);
  for (const Damaged& command : kCommands) {
    int converted = 0, failed = 0;
    for (int i = 0; i < 150; ++i) {
      const std::string input = damaged(std::string(command.records), random);
      const auto out = test::convert_bytes(command.id, input);
      ASSERT_TRUE(out.status == Status::converted || out.status == Status::failed)
          << command.id << " on " << testing::PrintToString(input);
      ++(out.status == Status::converted ? converted : failed);
      ASSERT_EQ(test::read_file(out.dir->path() / "input.dat"), input);
    }
    EXPECT_GT(converted, 0) << command.id;
    EXPECT_GT(failed, 0) << command.id;
  }
}

}  // namespace
}  // namespace korvath
