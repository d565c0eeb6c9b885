#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/convert.hpp"

namespace korvath::test {
namespace {

using Status = Outcome::Status;

constexpr std::string_view kOdr = "points.txm.ODR";
constexpr std::string_view kGroupTail =
    "PFH:1.300\r\nRTH:123.4560\r\nRTV:95.1230\r\nRTD:45.678\r\n";

struct TraverseCase {
  const char* name;
  std::string input, scratch, stations, points, odr;
};
void PrintTo(const TraverseCase& c, std::ostream* os) {
  *os << c.name;
}

const TraverseCase kTraverse[] = {
    {"OneSetupAsTheKeyedDownloadGives",
     "STS:ST1\r\nINH:1.500\r\nPPD:101\r\n" + std::string(kGroupTail),
     "STS,ST1\r\nINH,1.500\r\nPPD,101\r\nPFH,1.300\r\nRTH,123.4560\r\nRTV,95.1230\r\n"
     "RTD,45.678\r\n",
     "", " 101 ,ST1,T-T-T, 1.3 , 123.456 , 95.123 , 45.678 , 1.5 \r\n",
     "S ST1 1.5 \r\nD  101         1.3  123.456  95.123  45.678 \r\n"},
    {"BlanksAroundTheLineGoAndBlankBeforeTheValueStays",
     "STS: ST2\r\n  PPD:101  \r\n" + std::string(kGroupTail),
     "STS, ST2\r\nPPD,101\r\nPFH,1.300\r\nRTH,123.4560\r\nRTV,95.1230\r\nRTD,45.678\r\n", "",
     " 101 ,ST2,T-T-T, 1.3 , 123.456 , 95.123 , 45.678 ,\r\n",
     "S ST2D  101    1.3  123.456  95.123  45.678 \r\n"},
    {"EmptyValueStaysEmpty", "PPD:7\r\nPFH:1.3\r\nRTH:100\r\nRTV:99\r\nRTD:\r\n",
     "PPD,7\r\nPFH,1.3\r\nRTH,100\r\nRTV,99\r\nRTD,\r\n", "",
     " 7 ,T-T-T,T-T-T, 1.3 , 100 , 99 ,,\r\n", "D  7           1.3  100  99 \r\n"},
    // Every colon becomes a comma: the 30 is taken as the first key of the group, and every
    // value of the group moves by one item.
    {"FurtherColonSplitsTheValue", "PPD:12:30\r\n" + std::string(kGroupTail),
     "PPD,12,30\r\nPFH,1.300\r\nRTH,123.4560\r\nRTV,95.1230\r\nRTD,45.678\r\n", "",
     " 12 ,T-T-T,T-T-T,PFH,RTH,RTV,RTD,\r\n", "D  12         PFHRTHRTVRTD\r\n"},
    {"BlankInsteadOfColonIsNoKeyOnReading", "STS ST1\r\nINH:1.5\r\n", "STS ST1\r\nINH,1.5\r\n", "",
     "", " 1.5 \r\n"},
    {"KeyedDownloadLayoutIsDropped", "001 STS ST1X\r\n\r\nST\r\nsts:ST1\r\n", "", "", "", ""},
};

class PentaxMesTraverseBytes : public ::testing::TestWithParam<TraverseCase> {};

TEST_P(PentaxMesTraverseBytes, WritesScratchAndAllThreeFilesExactly) {
  const Converted out = convert_bytes("pentax-mes-traverse", GetParam().input);
  ASSERT_EQ(out.status, Status::converted) << (out.error ? out.error->what() : "");
  EXPECT_EQ(out.scratch("/PENhlp.txt"), GetParam().scratch);
  EXPECT_EQ(out.file(0), GetParam().stations);
  EXPECT_EQ(out.file(1), GetParam().points);
  EXPECT_EQ(out.in_dir(kOdr), GetParam().odr);
}

INSTANTIATE_TEST_SUITE_P(PentaxMesTraverse, PentaxMesTraverseBytes, ::testing::ValuesIn(kTraverse),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PentaxMesTraverseErrors, GroupCutShortByTheEndKeepsEarlierRecords) {
  const Converted out = convert_bytes("pentax-mes-traverse",
                                      "PPD:1\r\n" + std::string(kGroupTail) + "PPD:2\r\nPFH:1\r\n");
  ASSERT_EQ(out.status, Status::failed);
  EXPECT_EQ(out.error->fault(), Fault::read_past_end);
  EXPECT_EQ(out.file(1), " 1 ,T-T-T,T-T-T, 1.3 , 123.456 , 95.123 , 45.678 ,\r\n");
}

}  // namespace
}  // namespace korvath::test
