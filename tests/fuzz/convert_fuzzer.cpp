// A libFuzzer target for one conversion command, named by the target's own file name:
// fuzz-south-mes fuzzes "south-mes" (the build links one such name per command to this
// program). Each input is
// the instrument file of a whole run of the command (dialogs answered, outputs and scratch
// files in a private folder); after the run the target checks what must hold for any bytes:
// the input unchanged, no descriptor left open, every output made of whole CR LF lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "converters/catalogue.hpp"
#include "flow/run.hpp"
#include "platform/scripted_platform.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kNotBuilt = 77;  // the exit status that scripts/fuzz reads as "skipped"

// The folder of this fuzzing process, made once and removed when the process ends normally.
class WorkFolder {
 public:
  WorkFolder() {
    std::string pattern = (fs::temp_directory_path() / "korvath-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  const fs::path& path() const { return path_; }
  // Empties the folder, so that every input starts from the same state.
  void clear() const {
    for (const auto& entry : fs::directory_iterator(path_)) fs::remove_all(entry.path());
  }

 private:
  fs::path path_;
};

const WorkFolder& work_folder() {
  static const WorkFolder folder;
  return folder;
}

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The command of this program's name as it was run: "fuzz-south-mes" gives "south-mes".
std::string program_name() {
  const std::string arguments = read_bytes("/proc/self/cmdline");
  return fs::path(arguments.substr(0, arguments.find('\0'))).filename().string();
}

const korvath::ConversionCommand* fuzzed() {
  static const korvath::ConversionCommand* const found =
      program_name().starts_with("fuzz-") ? korvath::find_command(program_name().substr(5))
                                          : nullptr;
  return found;
}

const korvath::ConversionCommand& command() {
  return *fuzzed();
}

std::size_t open_descriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

[[noreturn]] void fail(std::string_view what, const fs::path& path) {
  std::fprintf(stderr, "korvath-fuzz %.*s: %.*s: %s\n", static_cast<int>(command().id.size()),
               command().id.data(), static_cast<int>(what.size()), what.data(), path.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!fuzzed()) {
    std::fprintf(stderr, "korvath-fuzz: run as fuzz-<command id>, not %s\n",
                 program_name().c_str());
    std::exit(2);
  }
  if (!command().convert) {
    std::fprintf(stderr, "korvath-fuzz: %s is not built yet\n", program_name().c_str());
    std::exit(kNotBuilt);
  }
  work_folder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const WorkFolder& folder = work_folder();
  folder.clear();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const fs::path input_path = folder.path() / "input.dat";
  std::ofstream(input_path, std::ios::binary).write(input.data(), static_cast<long>(size));

  korvath::ScriptedPlatform ui;
  ui.folder = folder.path().string();
  ui.open_answers.push_back(input_path.string());
  const bool coordinates = command().outputs == korvath::Outputs::coordinates;
  const fs::path outputs[] = {folder.path() / (coordinates ? "coords.seq" : "stations.txm"),
                              folder.path() / "points.txm"};
  ui.save_answers.push_back((folder.path() / (coordinates ? "coords" : "stations")).string());
  if (!coordinates) ui.save_answers.push_back((folder.path() / "points").string());

  // The command's signature sees the same bytes, as `korvath detect` would.
  if (command().signature) command().signature(korvath::Prefix::of(input, true));

  const std::size_t descriptors = open_descriptors();
  const korvath::Outcome outcome = korvath::run_command(command(), ui);

  // The flow words any other exception as Fault::other without a file: a converter let a
  // library exception (out_of_range, length_error) escape instead of raising its own error.
  if (outcome.error && outcome.error->fault() == korvath::Fault::other &&
      outcome.error->file().empty())
    fail("an escaped exception: " + outcome.error->detail(), input_path);
  if (open_descriptors() != descriptors) fail("a file was left open", input_path);
  if (read_bytes(input_path) != input) fail("the input was changed", input_path);
  for (std::size_t i = 0; i < (coordinates ? 1u : 2u); ++i) {
    if (!fs::exists(outputs[i])) continue;
    const std::string written = read_bytes(outputs[i]);
    if (!written.empty() && !written.ends_with("\r\n")) fail("a partial last line", outputs[i]);
  }
  return 0;
}
