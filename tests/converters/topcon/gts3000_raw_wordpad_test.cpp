#include <gtest/gtest.h>

#include "flow/text.hpp"
#include "support/convert.hpp"

namespace korvath {
namespace {

using Status = Outcome::Status;
using test::convert_bytes;

constexpr std::string_view kRecords =
    "STN     ST1,1.550,X\nBS      ST2,1.600\nSD      350.0000,98.0000,120.500\n"
    "SS      101,1.300,P\nHV      10.0000,99.5000\nSTN     ST2,1.480,X\nBS      ST1,1.600\n"
    "SD      150.0000,102.0000,120.490\nSS      0,1.500,P\nSD      170.0000,101.0000,30.000\n"
    "SS      12A,1.300,P\nSD      120.0000,100.2000,25.100\n";

TEST(TopconGts3000RawWordpad, CrLfFileGivesWhatTheRawCommandGivesWithBareLineFeeds) {
  const auto raw = convert_bytes("topcon-gts3000-raw", kRecords);
  const auto wordpad =
      convert_bytes("topcon-gts3000-raw-wordpad", replace_all(kRecords, "\n", "\r\n"));
  ASSERT_EQ(raw.status, Status::converted);
  ASSERT_EQ(wordpad.status, Status::converted);
  EXPECT_EQ(wordpad.file(0),
            "ST2,ST1,ST2, 1.6 , 0 , 98 , 120.5 , 1.55 \r\n"
            "ST1,ST2,ST1, 1.6 , 0 , 102 , 120.49 , 1.48 \r\n"
            " 0 ,ST2,ST1, 1.5 , 20 , 101 , 30 , 1.48 \r\n");
  EXPECT_EQ(wordpad.file(1),
            " 101 ,ST1,ST2, 1.3 , 60 , 99.5 , 0 , 1.55 \r\n"
            "12A,ST2,ST1, 1.3 , 370 , 100.2 , 25.1 , 1.48 \r\n");
  EXPECT_EQ(wordpad.file(0), raw.file(0));
  EXPECT_EQ(wordpad.file(1), raw.file(1));
  // The key lines go to the first scratch file; the second is neither written nor read.
  EXPECT_EQ(wordpad.scratch("/Top300hlp.txt"), raw.scratch("/Top3000hlp.txt"));
  EXPECT_FALSE(std::filesystem::exists(wordpad.dir->path() / "Top3000hlp.txt"));
}

TEST(TopconGts3000RawWordpad, FirstLineIsARecordAndOtherLinesAreDropped) {
  const auto out = convert_bytes("topcon-gts3000-raw-wordpad",
                                 "STN     S1,1.5,\r\n\r\n}\r\nJOB     J\rBS      S2\r\nHV  \r\n");
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/Top300hlp.txt"), "STN     ,S1,1.5,\r\nBS      ,S2\r\nHV  ,\r\n");
}

TEST(TopconGts3000RawWordpad, BareLineFeedFileIsOneLine) {
  const auto out = convert_bytes("topcon-gts3000-raw-wordpad", kRecords);
  ASSERT_EQ(out.status, Status::converted);
  EXPECT_EQ(out.scratch("/Top300hlp.txt"), "STN     ," + std::string(kRecords.substr(8)) + "\r\n");
  EXPECT_EQ(out.file(0), "");
  EXPECT_EQ(out.file(1), "");
}

}  // namespace
}  // namespace korvath
