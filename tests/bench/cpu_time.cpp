// bench-cpu-time RUNS FOLDER COMMAND [ARG...]: runs the command RUNS times, its standard output
// thrown away, and prints the median CPU time of a run (user and system, in microseconds, as the
// kernel counts it for the child alone) and the highest peak resident memory (KiB). Before each
// run the regular files of FOLDER ("-": none) are removed, so every run writes new outputs.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

namespace {

double microseconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_usec);
}

void empty_folder(std::string_view folder) {
  if (folder == "-") return;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) std::filesystem::remove(entry.path());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench-cpu-time RUNS FOLDER COMMAND [ARG...]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<double> cpu;
  long peak_kib = 0;
  for (int i = 0; i < runs; ++i) {
    empty_folder(argv[2]);
    const pid_t child = fork();
    if (child == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      execvp(argv[3], argv + 3);
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "bench-cpu-time: %s failed\n", argv[3]);
      return 1;
    }
    cpu.push_back(microseconds(usage.ru_utime) + microseconds(usage.ru_stime));
    peak_kib = std::max(peak_kib, usage.ru_maxrss);
  }
  std::sort(cpu.begin(), cpu.end());
  std::printf("%.0f %ld\n", cpu[cpu.size() / 2], peak_kib);
  return 0;
}
