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

// An output linked to another file of the run (a scratch file, or the station file for the
// `.ODR` listing) that exists from an earlier run or not yet: refused, a scratch file kept or
// absent.
TEST(SafetyRefusal, OutputLinkedToAnotherFileOfTheRun) {
  struct Link {
    const ConversionCommand* command;
    std::string name, target;
    std::vector<std::string_view> answers;
  };
  std::vector<Link> links = {{&listing, "pt.ODR", "st.txm", {"st", "pt.dat"}}};
  for (const std::string_view scratch : two_scratch_files.scratch_files) {
    if (scratch.empty()) continue;
    links.push_back(
        {&two_scratch_files, "link.txm", std::string(scratch.substr(1)), {"link", "pt"}});
    links.push_back(
        {&two_scratch_files, "link.txm", std::string(scratch.substr(1)), {"st", "link"}});
  }
  for (const std::string_view scratch : listing.scratch_files)
    if (!scratch.empty())
      links.push_back({&listing, "pt.ODR", std::string(scratch.substr(1)), {"st", "pt.dat"}});
  for (const Link& link : links) {
    for (const bool exists : {true, false}) {
      SCOPED_TRACE(link.name + " to " + link.target + (exists ? "" : " (missing)") + ", " +
                   std::string(link.answers[0]));
      Refusal r(*link.command, "job.dat");
      if (exists) test::write_file(r.dir / link.target, kKept);
      r.link(link.name, link.target);
      r.save(link.answers);
      r.expect_refused();
      if (exists) {
        EXPECT_EQ(test::read_file(r.dir / link.target), kKept);
      } else if (link.target != "st.txm") {
        EXPECT_FALSE(fs::exists(r.dir / link.target));  // the overwrite check created no scratch
      }
    }
  }
}

}  // namespace
}  // namespace korvath::safety
