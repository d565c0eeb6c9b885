#include "cli/batch.hpp"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>
#include <thread>

#include "cli/cli.hpp"
#include "cli/pick.hpp"
#include "flow/interruption.hpp"
#include "flow/overwrite.hpp"
#include "flow/report.hpp"

namespace korvath {
namespace {

// One file's report as its conversion wrote it, kept only until it is printed.
struct FileReport {
  std::string out, err;
  int status = kExitConverted;
  bool done = false;
};

// Where a conversion writes its report: two streams reused from file to file, so that no file
// pays for streams of its own.
class ReportStreams {
 public:
  explicit ReportStreams(std::istream& in) : streams_{in, out_, err_} {}

  const Streams& fresh() {
    out_.str({});
    err_.str({});
    return streams_;
  }
  std::string out() const { return out_.str(); }
  std::string err() const { return err_.str(); }

 private:
  std::ostringstream out_, err_;
  Streams streams_;
};

// Prints a report whole: the file's name, what went to standard output, then what went to
// standard error, each flushed, so that the two streams never interleave within a file.
void print_report(const std::string& file, std::string_view out, std::string_view err,
                  const Streams& io) {
  io.out << on_one_line(file) << ":\n" << out << std::flush;
  io.err << err << std::flush;
}

// Reports finish in any order; they are printed in the files' order, each as soon as every
// report before it is printed, and then let go.
class Reports {
 public:
  explicit Reports(std::size_t count) : reports_(count) {}

  void finish(std::size_t i, int status, const ReportStreams& written) {
    std::string out = written.out(), err = written.err();
    const std::lock_guard guard(lock_);
    reports_[i] = {std::move(out), std::move(err), status, true};
    finished_.notify_all();
  }

  void print_in_order(const std::vector<std::string>& files, const Streams& io,
                      std::vector<int>& statuses) {
    for (std::size_t i = 0; i < reports_.size(); ++i) {
      FileReport report;
      {
        std::unique_lock guard(lock_);
        finished_.wait(guard, [&] { return reports_[i].done; });
        report = std::exchange(reports_[i], {});
      }
      print_report(files[i], report.out, report.err, io);
      statuses[i] = report.status;
    }
  }

 private:
  std::vector<FileReport> reports_;
  std::mutex lock_;
  std::condition_variable finished_;
};

// Each conversion reads through buffers of 64 KiB that it frees at its end. glibc gives freed
// memory at the top of the heap back to the system once it passes 128 KiB, and the next file
// faults the same pages in again: 16 page faults a file, a quarter of a batch's system time.
// Keeping up to 1 MiB lets the next file reuse them; the peak stays the same.
void keep_freed_memory_for_the_next_file() {
#if defined(__GLIBC__)
  mallopt(M_TRIM_THRESHOLD, 1 << 20);
#endif
}

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

void print_summary(const std::vector<int>& statuses, std::ostream& out) {
  std::size_t converted = 0, rejected = 0, failed = 0;
  for (const int status : statuses) {
    if (status == kExitConverted)
      ++converted;
    else if (status == kExitInvalid || status == kExitNotConverted)
      ++rejected;
    else
      ++failed;
  }
  out << "Σύνοψη: " << plural(converted, "μετατράπηκε", "μετατράπηκαν") << ", "
      << plural(failed, "απέτυχε", "απέτυχαν") << ", "
      << plural(rejected, "απορρίφθηκε", "απορρίφθηκαν") << '\n';
}

}  // namespace

int convert_batch(const ConvertSettings& settings, const std::vector<std::string>& files,
                  const std::string& folder, unsigned jobs, const Streams& io) {
  if (files.size() > 1) keep_freed_memory_for_the_next_file();
  // With auto each file picks its command first: the command names its outputs.
  std::vector<Pick> picks(settings.command ? 0 : files.size());
  for (std::size_t i = 0; i < picks.size(); ++i) picks[i] = pick_command(files[i], 0);
  const auto command_of = [&](std::size_t i) {
    return settings.command ? settings.command : picks[i].command;
  };
  std::set<std::string> names;  // two inputs named alike would write the same outputs
  std::vector<bool> twin(files.size());
  for (std::size_t i = 0; i < files.size(); ++i)
    twin[i] = command_of(i) &&
              !names.insert(named_outputs(*command_of(i), files[i], folder).front()).second;
  names.clear();

  std::mutex questions;
  const auto convert_one = [&](std::size_t i, const Streams& to) {
    if (interruption() != 0) return int{kExitFailed};  // stopped: no file after that is begun
    const ConversionCommand* const command = command_of(i);
    if (!command) {
      to.err << picks[i].why;
      return picks[i].status;
    }
    if (twin[i]) {
      to.err << "korvath: το «" << files[i]
             << "» δίνει τα ίδια ονόματα εξόδου με αρχείο πριν από αυτό\n";
      return int{kExitFailed};
    }
    const std::vector<std::string> outputs = named_outputs(*command, files[i], folder);
    if (settings.command)
      return convert_file(settings, files[i], outputs, to, {&io.err, &questions});
    ConvertSettings picked = settings;
    picked.command = command;
    picked.picked = true;
    to.out << picks[i].picked << '\n';
    return convert_file(picked, files[i], outputs, to, {&io.err, &questions});
  };

  std::vector<int> statuses(files.size(), kExitConverted);
  const unsigned count = std::clamp<unsigned>(jobs, 1, static_cast<unsigned>(files.size()));
  if (count == 1) {
    // One at a time: on this thread, each report printed as soon as it is written.
    ReportStreams report(io.in);
    for (std::size_t i = 0; i < files.size(); ++i) {
      statuses[i] = convert_one(i, report.fresh());
      print_report(files[i], report.out(), report.err(), io);
    }
  } else {
    Reports reports(files.size());
    std::atomic<std::size_t> next = 0;
    auto work = [&] {
      ReportStreams report(io.in);
      for (std::size_t i = next++; i < files.size(); i = next++)
        reports.finish(i, convert_one(i, report.fresh()), report);
    };
    std::vector<std::jthread> workers;
    for (unsigned w = 0; w < count; ++w) workers.emplace_back(work);
    reports.print_in_order(files, io, statuses);
  }

  print_summary(statuses, io.out);
  const auto first_failure = std::find_if(statuses.begin(), statuses.end(),
                                          [](int status) { return status != kExitConverted; });
  return first_failure == statuses.end() ? kExitConverted : *first_failure;
}

}  // namespace korvath
