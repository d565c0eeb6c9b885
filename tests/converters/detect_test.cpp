// Which command a file fits: every bundled example and every real download in the shared
// samples comes out with its own command first; files of other kinds fit none.
#include "converters/detect.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "bench/instrument_file.hpp"
#include "converters/catalogue.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

namespace fs = std::filesystem;

// A file, the commands that may come first for it and those that may fit it after the first,
// "|" between ids. Folders: "examples/" is the project's, "samples/" the shared real downloads.
struct Expected {
  const char* file;
  std::string_view first;
  std::string_view also = "";
};

constexpr std::string_view kIdxPair = "leica-tcr407-idx|leica-tcr407-coords";
constexpr std::string_view kTopconRaw = "topcon-gts3000-raw|topcon-gts3000-raw-wordpad";

const Expected kFiles[] = {
    {"examples/leica-tc600.TC6", "leica-tc600"},
    {"examples/leica-tcr307.txt", "leica-tcr307"},
    // One IDX file holds the measurements and the point table: both commands fit it equally
    // (the coordinate command's example and sample are the same bytes).
    {"examples/leica-tcr407-idx.idx", kIdxPair, kIdxPair},
    {"examples/leica-tcr407-mdt.mdt", "leica-tcr407-mdt"},
    {"examples/nikon-npl352-dos.cmt", "nikon-npl352-dos"},
    {"examples/nikon-npl352-raw.nik", "nikon-npl352-raw"},
    {"examples/pentax-mes.raw", "pentax-mes"},
    {"examples/pentax-cor.csv", "pentax-cor"},
    {"examples/pentax-mes-traverse.txt", "pentax-mes-traverse"},
    {"examples/pentax-cor-traverse.txt", "pentax-cor-traverse"},
    {"examples/south-mes.txt", "south-mes"},
    {"examples/topcon-gts3000.gts", "topcon-gts3000"},
    // The same records; the line ends (LF, CR LF) tell the two commands apart.
    {"examples/topcon-gts3000-raw.raw", "topcon-gts3000-raw", kTopconRaw},
    {"examples/topcon-gts3000-raw-wordpad.raw", "topcon-gts3000-raw-wordpad", kTopconRaw},
    {"samples/leica-tcr407-idx/maga0921.idx", kIdxPair, kIdxPair},
    {"samples/nikon-npl352-raw/nikon_raw_v200.tops", "nikon-npl352-raw"},
    {"samples/nikon-npl352-raw/nikon_npl_350", "nikon-npl352-raw"},
    {"samples/nikon-npl352-raw/nikon_dtm.tops", "nikon-npl352-raw"},
    {"samples/nikon-npl352-raw/sample.raw", "nikon-npl352-raw"},
    {"samples/topcon-gts3000-raw/jkv.gts7", kTopconRaw, kTopconRaw},
    {"samples/topcon-gts3000-raw/topcon_gpt", kTopconRaw, kTopconRaw},
    // GSI files of 80 and 176 characters a line: the TC 600 command rejects them, so they fit
    // none; a Nikon DTM-300 ".nik" of "1 , 0 , MD" records has only the RAW command's extension.
    {"samples/leica-tc600/leica_gsi8_ertola.gsi", ""},
    {"samples/leica-tc600/RILIEVO.gsi", ""},
    {"samples/nikon-npl352-raw/kismaros.nik", ""},
};

fs::path located(std::string_view file) {
  if (file.starts_with("examples/")) return fs::path(KORVATH_EXAMPLES) / file.substr(9);
  return fs::path(KORVATH_EXAMPLES) / ".." / ".." / "shared" / file;
}

class DetectFile : public ::testing::TestWithParam<Expected> {};

TEST_P(DetectFile, ComesOutWithItsOwnCommandFirst) {
  const fs::path path = located(GetParam().file);
  if (!fs::exists(path)) GTEST_SKIP() << path << " is not here";
  const std::vector<Detection> fits = rank_commands(read_prefix(path.string()));
  if (GetParam().first.empty()) {
    EXPECT_TRUE(fits.empty()) << fits.front().command->id;
    return;
  }
  ASSERT_FALSE(fits.empty());
  const auto among = [](std::string_view id, std::string_view ids) {
    const std::vector<std::string_view> listed = split(ids, '|');
    return std::find(listed.begin(), listed.end(), id) != listed.end();
  };
  EXPECT_TRUE(among(fits.front().command->id, GetParam().first)) << fits.front().command->id;
  // No command of another format fits it.
  for (std::size_t i = 1; i < fits.size(); ++i)
    EXPECT_TRUE(among(fits[i].command->id, GetParam().also)) << fits[i].command->id;
  EXPECT_FALSE(fits.front().fit.evidence.empty());
  const std::optional<Detection> best = best_fit(path.string());
  ASSERT_TRUE(best);
  EXPECT_EQ(best->command, fits.front().command);
}

INSTANTIATE_TEST_SUITE_P(Files, DetectFile, ::testing::ValuesIn(kFiles), [](const auto& info) {
  std::string name;
  for (const char c : std::string_view(info.param.file))
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  return name;
});

// Every line end (CR LF, CR or LF) written as `line_end`.
std::string with_line_ends(std::string_view text, std::string_view line_end) {
  std::string out;
  for (const std::string& line : Prefix::of(text, true).lines) out += line + std::string(line_end);
  return out;
}

TEST(Detect, EveryCommandsExampleFitsItWhateverItsLineEnds) {
  for (const ConversionCommand& command : catalogue()) {
    ASSERT_NE(command.signature, nullptr) << command.id;
    for (const auto& entry : fs::directory_iterator(KORVATH_EXAMPLES)) {
      if (entry.path().stem() != command.id) continue;
      const std::string example = test::read_file(entry.path());
      for (const std::string_view end : {"\r\n", "\r", "\n"})
        EXPECT_TRUE(command.signature(Prefix::of(with_line_ends(example, end), true)).fits())
            << command.id << " with line ends "
            << (end == "\n"   ? "LF"
                : end == "\r" ? "CR"
                              : "CR LF");
    }
  }
}

// A download longer than the prefix, so the signature sees its first 64 KiB only, cut in a line.
TEST(Detect, EveryCommandsLongDownloadComesOutWithItsCommandFirst) {
  for (const ConversionCommand& command : catalogue()) {
    if (!bench::has_generator(command.id)) continue;
    std::string download;
    bench::generate(command.id, 3 * kPrefixBytes, [&](std::string_view s) { download += s; });
    const std::vector<Detection> fits = rank_commands(Prefix::of(download, true));
    ASSERT_FALSE(fits.empty()) << command.id;
    EXPECT_EQ(fits.front().command, &command) << fits.front().command->id;
  }
}

struct Bytes {
  const char* name;
  std::string bytes;
};

TEST(Detect, FilesOfOtherKindsFitNone) {
  const Bytes kOthers[] = {
      {"Empty", ""},
      {"PlainText", "Dear surveyor,\r\nthe job of 14 May is attached.\r\nRegards 2024\r\n"},
      {"Binary", std::string("\x7f"
                             "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0",
                             20) +
                     "1,S1,1.5\n"},
      {"CppSource",
       test::read_file(fs::path(KORVATH_EXAMPLES) / ".." / "src" / "flow" / "text.cpp")},
      {"NumbersTable", "A0\t\t<compat> 0020\nBC\t\t<fraction> 0031 2044 0034\nC0\t\t0041 0300\n"},
  };
  for (const Bytes& other : kOthers)
    EXPECT_TRUE(rank_commands(Prefix::of(other.bytes, true)).empty()) << other.name;
}

TEST(Detect, SaysWhyAGsiFileOfOtherLineLengthsFitsNone) {
  const std::string word = "110001+00000001 ";
  std::string line;
  for (int i = 0; i < 11; ++i) line += word;
  const std::vector<Detection> misses = near_misses(Prefix::of(line + "\r\n" + line, true));
  ASSERT_EQ(misses.size(), 1u);
  EXPECT_EQ(misses[0].command->id, "leica-tc600");
  EXPECT_EQ(misses[0].fit.evidence,
            "λέξεις GSI των 16 χαρακτήρων, αλλά η γραμμή 1 έχει 176 χαρακτήρες· η εντολή δέχεται"
            " μόνο γραμμές των 64 και 112");
}

TEST(Prefix, CutsLinesAtCrLfAndCrLfAlikeAndDropsALineCutShort) {
  const Prefix whole = Prefix::of("a\r\nb\rc\nd", true);
  EXPECT_EQ(whole.lines, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_TRUE(whole.cr);
  EXPECT_TRUE(whole.lone_lf);
  EXPECT_EQ(Prefix::of("a\nb", false).lines, std::vector<std::string>{"a"});
  const std::string big(kPrefixBytes + 10, 'x');
  const Prefix cut = Prefix::of("line\n" + big, true);
  EXPECT_FALSE(cut.whole);
  EXPECT_EQ(cut.lines, std::vector<std::string>{"line"});
}

TEST(Detect, WarnsOnlyWhenAnotherCommandFitsBetter) {
  const fs::path examples(KORVATH_EXAMPLES);
  const auto better = [&](const char* file, std::string_view chosen) {
    const std::optional<Detection> fit =
        better_fit((examples / file).string(), *find_command(chosen));
    return fit ? std::string(fit->command->id) : std::string();
  };
  EXPECT_EQ(better("south-mes.txt", "leica-tcr307"), "south-mes");
  // Both Topcon raw commands read any line ends: neither fits a raw file better.
  EXPECT_EQ(better("topcon-gts3000-raw-wordpad.raw", "topcon-gts3000-raw"), "");
  EXPECT_EQ(better("south-mes.txt", "south-mes"), "");
  EXPECT_EQ(better("leica-tcr407-idx.idx", "leica-tcr407-coords"),
            "");  // the same file serves both
  EXPECT_EQ(better("no-such-file", "south-mes"), "");
}

}  // namespace
}  // namespace korvath
