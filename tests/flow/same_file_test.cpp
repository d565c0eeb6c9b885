// Whether two paths name one file: the quick answers for new names agree with resolving both.
#include "flow/same_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/files.hpp"

namespace korvath {
namespace {

namespace fs = std::filesystem;

struct SameFile : ::testing::Test {
  test::TempDir dir;
  std::string at(const std::string& name) const { return (dir.path() / name).string(); }
  void SetUp() override {
    fs::create_directory(dir.path() / "sub");
    test::write_file(dir.path() / "job.txt", "ST1 1.550\r\n");
    fs::create_symlink(dir.path() / "job.txt", dir.path() / "link.txt");
    fs::create_symlink(dir.path() / "later.txm", dir.path() / "dangling.txm");
  }
};

TEST_F(SameFile, ANewNameIsNoExistingFile) {
  EXPECT_FALSE(same_file(at("new.txm"), at("job.txt")));
  EXPECT_FALSE(same_file(at("job.txt"), at("sub/new.txm")));
}

TEST_F(SameFile, TwoNewNamesAreOneFileOnlyWhenTheyResolveAlike) {
  EXPECT_FALSE(same_file(at("stations.txm"), at("points.txm")));
  EXPECT_TRUE(same_file(at("points.txm"), at("sub/../points.txm")));
  EXPECT_FALSE(same_file(at("points.txm"), at("sub/points.txm")));
}

TEST_F(SameFile, AWayThroughAMissingFolderStillResolves) {
  EXPECT_TRUE(same_file(at("missing/../job.txt"), at("job.txt")));
}

TEST_F(SameFile, LinksNameTheirTargets) {
  EXPECT_TRUE(same_file(at("link.txt"), at("job.txt")));
  EXPECT_TRUE(same_file(at("dangling.txm"), at("later.txm")));
  EXPECT_FALSE(same_file(at("dangling.txm"), at("job.txt")));
}

}  // namespace
}  // namespace korvath
