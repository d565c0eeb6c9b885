#include "cli/batch.hpp"

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

struct FileReport {
  std::ostringstream out, err;
  int status = kExitConverted;
  bool done = false;
};

// Reports finish in any order; they are printed in the files' order, each as soon as every
// report before it is printed.
class Reports {
 public:
  explicit Reports(std::size_t count) : reports_(count) {}

  FileReport& at(std::size_t i) { return reports_[i]; }

  void finish(std::size_t i, int status) {
    const std::lock_guard guard(lock_);
    reports_[i].status = status;
    reports_[i].done = true;
    finished_.notify_all();
  }

  void print_in_order(const std::vector<std::string>& files, const Streams& io) {
    for (std::size_t i = 0; i < reports_.size(); ++i) {
      std::unique_lock guard(lock_);
      finished_.wait(guard, [&] { return reports_[i].done; });
      io.out << on_one_line(files[i]) << ":\n" << reports_[i].out.str() << std::flush;
      io.err << reports_[i].err.str() << std::flush;
    }
  }

 private:
  std::vector<FileReport> reports_;
  std::mutex lock_;
  std::condition_variable finished_;
};

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

int convert_batch(const ConvertSettings& settings, const std::vector<std::string>& files,
                  const std::string& folder, unsigned jobs, const Streams& io) {
  Reports reports(files.size());
  std::mutex questions;
  // With auto each file picks its command first: the command names its outputs.
  std::vector<Pick> picks(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (settings.command)
      picks[i].command = settings.command;
    else
      picks[i] = pick_command(files[i], 0);
  }
  std::set<std::string> names;  // two inputs named alike would write the same outputs
  std::vector<bool> twin(files.size());
  for (std::size_t i = 0; i < files.size(); ++i)
    twin[i] = picks[i].command &&
              !names.insert(named_outputs(*picks[i].command, files[i], folder).front()).second;

  std::atomic<std::size_t> next = 0;
  auto work = [&] {
    for (std::size_t i = next++; i < files.size(); i = next++) {
      FileReport& report = reports.at(i);
      if (interruption() != 0) {  // stopped: no file after that is begun
        reports.finish(i, kExitFailed);
        continue;
      }
      const Pick& pick = picks[i];
      if (!pick.command) {
        report.err << pick.why;
        reports.finish(i, pick.status);
        continue;
      }
      if (twin[i]) {
        report.err << "korvath: το «" << files[i]
                   << "» δίνει τα ίδια ονόματα εξόδου με αρχείο πριν από αυτό\n";
        reports.finish(i, kExitFailed);
        continue;
      }
      ConvertSettings own_settings = settings;
      own_settings.command = pick.command;
      own_settings.picked = !settings.command;
      if (own_settings.picked) report.out << pick.picked << '\n';
      const Streams own{io.in, report.out, report.err};
      const int status =
          convert_file(own_settings, files[i], named_outputs(*pick.command, files[i], folder), own,
                       {&io.err, &questions});
      reports.finish(i, status);
    }
  };
  std::vector<std::jthread> workers;
  const unsigned count = std::clamp<unsigned>(jobs, 1, static_cast<unsigned>(files.size()));
  for (unsigned w = 0; w < count; ++w) workers.emplace_back(work);
  reports.print_in_order(files, io);
  workers.clear();

  std::size_t converted = 0, rejected = 0, failed = 0;
  int first_failure = kExitConverted;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const int status = reports.at(i).status;
    if (status == kExitConverted)
      ++converted;
    else if (status == kExitInvalid || status == kExitNotConverted)
      ++rejected;
    else
      ++failed;
    if (first_failure == kExitConverted) first_failure = status;
  }
  io.out << "Σύνοψη: " << plural(converted, "μετατράπηκε", "μετατράπηκαν") << ", "
         << plural(failed, "απέτυχε", "απέτυχαν") << ", "
         << plural(rejected, "απορρίφθηκε", "απορρίφθηκαν") << '\n';
  return first_failure;
}

}  // namespace korvath
