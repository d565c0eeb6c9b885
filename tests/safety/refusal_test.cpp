// Each shape of command (outputs opened early; two scratch files; the `.ODR` listing; one
// coordinate file) refuses, through the real flow, an output that would overwrite a file the
// command reads or writes: the input, the other output, a scratch file, the `.ODR` listing;
// also when a symbolic link leads there, and also when the link's target does not exist yet.
#include <gtest/gtest.h>

#include <filesystem>

#include "converters/catalogue.hpp"
#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"
#include "safety/safety_cases.hpp"
#include "support/convert.hpp"

namespace korvath::safety {
namespace {

namespace fs = std::filesystem;
using Status = Outcome::Status;

constexpr std::string_view kKept = "kept as it was\r\n";

// One run of a command on its example in a private folder; the test names the input and the
// answers.
struct Refusal : test::Session {
  const ConversionCommand& command;

  Refusal(const ConversionCommand& c, std::string_view input_name)
      : Session(input_name, example_bytes(c.id)), command(c) {}
  void link(std::string_view name, std::string_view target) {
    fs::create_symlink(dir.path() / target, dir.path() / name);
  }
  // Runs the command and checks it refused with one error message, the input unchanged.
  void expect_refused() {
    const std::string before = test::read_file(input);
    EXPECT_EQ(run_command(command, ui).status, Status::refused);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, Icon::error);
    EXPECT_EQ(test::read_file(input), before);
  }
};

std::string extension(const ConversionCommand& c) {
  return c.outputs == Outputs::measurements ? ".txm" : ".seq";
}

// The shapes of command: outputs opened early, one coordinate file, two scratch files, the
// `.ODR` listing; each refusal is tried on the shapes it concerns.
const ConversionCommand& early = *find_command("leica-tc600");
const ConversionCommand& coordinates = *find_command("pentax-cor");
const ConversionCommand& two_scratch_files = *find_command("leica-tcr307");
const ConversionCommand& listing = *find_command("pentax-mes");

TEST(SafetyRefusal, FirstOutputThatIsTheInputOrLinkedToIt) {
  for (const ConversionCommand* command : {&early, &coordinates}) {
    SCOPED_TRACE(command->id);
    Refusal same(*command, "job" + extension(*command));
    same.save({"job"});
    same.expect_refused();
    EXPECT_EQ(same.ui.dialog_titles.size(), 2u);  // no dialog after the refused one
    Refusal linked(*command, "job.dat");
    linked.link("link" + extension(*command), "job.dat");
    linked.save({"link"});
    linked.expect_refused();
  }
}

// The point file that is the station file; the input that is a scratch file (refused before
// any output dialog); the `.ODR` listing that is the input.
TEST(SafetyRefusal, OneFileInTwoRoles) {
  const std::pair<const ConversionCommand*, std::string_view> inputs[] = {
      {&early, "job.dat"}, {&listing, listing.scratch_files[0].substr(1)}, {&listing, "job.ODR"}};
  const std::pair<std::string_view, std::string_view> outputs[] = {
      {"out", "out.txt"}, {"st", "pt"}, {"st", "job.dat"}};
  for (int i = 0; i < 3; ++i) {
    Refusal r(*inputs[i].first, inputs[i].second);
    r.save({outputs[i].first, outputs[i].second});
    r.expect_refused();
    EXPECT_EQ(r.ui.dialog_titles.size(), i == 1 ? 1u : 3u) << inputs[i].second;
  }
}

// An output that is a link to a scratch file, which exists from an earlier run or not yet.
TEST(SafetyRefusal, OutputLinkedToAScratchFile) {
  const ConversionCommand& command = two_scratch_files;
  for (std::string_view scratch : command.scratch_files) {
    if (scratch.empty()) continue;
    scratch.remove_prefix(1);
    for (const bool exists : {true, false}) {
      for (const bool second : {false, true}) {
        SCOPED_TRACE(std::string(scratch) + (exists ? " exists" : " missing") +
                     (second ? ", point file" : ", first output"));
        Refusal r(command, "job.dat");
        if (exists) test::write_file(r.dir / scratch, kKept);
        r.link("link.txm", scratch);
        r.save({second ? "st" : "link", second ? "link" : "pt"});
        r.expect_refused();
        if (exists) {
          EXPECT_EQ(test::read_file(r.dir / scratch), kKept);
        } else {
          EXPECT_FALSE(fs::exists(r.dir / scratch));  // the overwrite check did not create it
        }
      }
    }
  }
}

TEST(SafetyRefusal, OdrFileLinkedToTheStationFileOrAScratchFile) {
  std::vector<std::string> targets = {"st.txm"};
  for (std::string_view scratch : listing.scratch_files)
    if (!scratch.empty()) targets.emplace_back(scratch.substr(1));
  for (const std::string& target : targets) {
    for (const bool exists : {true, false}) {
      SCOPED_TRACE(target + (exists ? " exists" : " missing"));
      Refusal r(listing, "job.dat");
      if (exists) test::write_file(r.dir / target, kKept);
      r.link("pt.ODR", target);
      r.save({"st", "pt.dat"});
      r.expect_refused();
      if (exists) {
        EXPECT_EQ(test::read_file(r.dir / target), kKept);
      }
    }
  }
}

}  // namespace
}  // namespace korvath::safety
