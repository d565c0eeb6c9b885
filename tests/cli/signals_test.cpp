// Runs that end before their time, through the real binary: a Ctrl-C or a `kill` in the middle of
// a large conversion, a run killed outright, and pipes that never end.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/instrument_file.hpp"
#include "support/files.hpp"

namespace korvath {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

const std::string kKorvath = "timeout 20 '" KORVATH_BINARY "'";

std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool holds_private_file(const fs::path& folder) {
  for (const std::string& name : names_in(folder))
    if (name.starts_with(".korvath-")) return true;
  return false;
}

// The binary started with `args`, its standard input `in`, the three signals at their default
// (a shell's background job would ignore SIGINT), its output thrown away.
class Started {
 public:
  Started(const std::vector<std::string>& args, int in) {
    std::vector<char*> argv{const_cast<char*>(KORVATH_BINARY)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, in, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    for (const int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, s);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    started_ = posix_spawn(&pid_, KORVATH_BINARY, &files, &attributes, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  ~Started() {
    if (started_ && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool started() const { return started_; }
  pid_t pid() const { return pid_; }

  // Waits, a minute at most, until a private file appears in `folder`; false when the run ended
  // first (or never made one).
  bool wait_for_private_file(const fs::path& folder) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < until) {
      if (holds_private_file(folder)) return true;
      if (waitpid(pid_, &status_, WNOHANG) == pid_) {
        ended_ = true;
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }

  // The raw wait status once the run has ended.
  int wait() {
    if (!ended_) waitpid(pid_, &status_, 0);
    ended_ = true;
    return status_;
  }

 private:
  pid_t pid_ = 0;
  int status_ = 0;
  bool started_ = false, ended_ = false;
};

std::string generated(std::string_view command, std::uint64_t bytes) {
  std::string text;
  bench::generate(command, bytes, [&](std::string_view s) { text.append(s); });
  return text;
}

// A last run's scratch file, as a run leaves it: this user's only, so a run takes it over.
void leave_scratch_file(const fs::path& path) {
  write_file(path, "STS,OLD\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
}

class Interrupted : public ::testing::TestWithParam<int> {};

// Signalled while it writes over the scratch file it took over, the run gives that file back
// under its fixed name and leaves no private file; it ends as the signal would end it.
TEST_P(Interrupted, FileInputLeavesOnlyTheFixedNames) {
  const int signal = GetParam();
  TempDir dir;
  const fs::path scratch = dir.path() / "scratch";
  fs::create_directory(scratch);
  // Large enough for the signal to come while the run is still reading; a machine fast enough
  // to finish first gets a larger file.
  for (std::uint64_t bytes = 20'000'000; bytes <= 320'000'000; bytes *= 4) {
    write_file(dir / "job.raw", generated("pentax-mes", bytes));
    leave_scratch_file(scratch / "PENhlp.txt");
    Started run({"convert", "pentax-mes", dir / "job.raw", dir / "st", dir / "pt",
                 "--overwrite=yes", "--scratch-dir=" + scratch.string()},
                STDIN_FILENO);
    ASSERT_TRUE(run.started());
    if (!run.wait_for_private_file(scratch)) continue;
    kill(run.pid(), signal);
    const int status = run.wait();
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) continue;  // done before the signal came
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(names_in(scratch), std::vector<std::string>{"PENhlp.txt"});
    EXPECT_TRUE(read_file(scratch / "PENhlp.txt").starts_with("STS,ST1\r\n"));
    return;
  }
  FAIL() << "every run ended before the signal";
}

// Signalled while it copies a pipe (which is never closed), the run removes its copy.
TEST_P(Interrupted, PipeInputLeavesNoCopy) {
  const int signal = GetParam();
  std::signal(SIGPIPE, SIG_IGN);  // a run that ended early is a failure, not the test's end
  TempDir dir;
  const fs::path scratch = dir.path() / "scratch";
  fs::create_directory(scratch);
  leave_scratch_file(scratch / "PENhlp.txt");
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  Started run({"convert", "pentax-mes", "-", dir / "st", dir / "pt", "--overwrite=yes",
               "--scratch-dir=" + scratch.string()},
              pipe_ends[0]);
  close(pipe_ends[0]);
  ASSERT_TRUE(run.started());
  const std::string part = generated("pentax-mes", 1'000'000);
  ASSERT_EQ(write(pipe_ends[1], part.data(), part.size()), static_cast<ssize_t>(part.size()));
  ASSERT_TRUE(run.wait_for_private_file(scratch));
  kill(run.pid(), signal);
  const int status = run.wait();
  close(pipe_ends[1]);
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), signal);
  EXPECT_EQ(names_in(scratch), std::vector<std::string>{"PENhlp.txt"});
  EXPECT_EQ(read_file(scratch / "PENhlp.txt"), "STS,OLD\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cli, Interrupted, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) { return info.param == SIGINT ? "Int" : "Term"; });

// The private files of a run that is gone are removed by the next, whatever their age; those of
// a run still going are left alone.
TEST(CliKilled, PrivateFilesOfAGoneRunAreRemovedByTheNext) {
  TempDir dir;
  write_file(dir / "job", read_file(KORVATH_EXAMPLES "/south-mes.txt"));
  pid_t gone = 0;
  const char* const argv[] = {"true", nullptr};
  ASSERT_EQ(posix_spawnp(&gone, "true", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  const std::string dead = ".korvath-" + std::to_string(gone) + "-input-Ab12Cd";
  const std::string alive = ".korvath-" + std::to_string(getpid()) + "-ConvSou.txt";
  write_file(dir / dead, "left by a killed run\r\n");
  write_file(dir / alive, "a run still going\r\n");
  ASSERT_EQ(test::korvath(dir, "convert south-mes job st pt --scratch-dir=. >/dev/null").status, 0);
  EXPECT_FALSE(fs::exists(dir / dead));
  EXPECT_TRUE(fs::exists(dir / alive));
}

// Questions that need no byte of the input come before the copy of a pipe: an endless one does
// not hold the refusal up.
TEST(CliPipes, AKeptOutputEndsAnEndlessPipeAtOnce) {
  TempDir dir;
  write_file(dir / "co.seq", "keep me\r\n");
  const test::ShellResult r = test::shell(
      dir, "yes | " + kKorvath + " convert pentax-cor - co --overwrite=no --scratch-dir=.");
  EXPECT_EQ(r.status, 4) << r.err;
  EXPECT_EQ(read_file(dir / "co.seq"), "keep me\r\n");
}

TEST(CliPipes, ALineOverTheBoundStopsTheCopyAtOnce) {
  TempDir dir;
  fs::create_directory(dir / "scratch");
  const test::ShellResult r =
      test::shell(dir, "head -c 3M /dev/zero | tr '\\0' A | " + kKorvath +
                           " convert pentax-cor - co --scratch-dir=scratch");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "korvath: σφάλμα: «-»: γραμμή 1: η γραμμή είναι πολύ μεγάλη\n");
  EXPECT_TRUE(names_in(dir.path() / "scratch").empty());
  EXPECT_FALSE(fs::exists(dir / "co.seq"));
}

TEST(CliPipes, ADownloadPaddedWithNulBytesIsDetected) {
  TempDir dir;
  // NOLINTNEXTLINE(bugprone-string-constructor): the padding past detect's window is the point
  write_file(dir / "job.txt",
             read_file(KORVATH_EXAMPLES "/south-mes.txt") + std::string(70'000, '\0'));
  const test::ShellResult r = test::korvath(dir, "detect job.txt");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("south-mes"), std::string::npos) << r.out;
}

// A GTS 3000 record as long as the bound lets through converts: the rendering's own control
// words before the first record do not count against it.
TEST(CliPipes, AGts3000RecordAtTheLineBoundConverts) {
  TempDir dir;
  std::string station = "1,S1,1.5";
  station.resize(std::size_t{1} << 20, ' ');
  write_file(dir / "job.gts", station + "\n2,S2,10,100,20,1.5\n");
  const test::ShellResult r =
      test::korvath(dir, "convert topcon-gts3000 job.gts st pt --scratch-dir=.");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(dir / "st.txm"), "S2,S1,S2, 1.5 , 0 , 100 , 20 , 1.5 \r\n");
}

}  // namespace
}  // namespace korvath
