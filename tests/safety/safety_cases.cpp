#include "safety/safety_cases.hpp"

#include <algorithm>
#include <filesystem>
#include <random>

#include "bench/instrument_file.hpp"
#include "converters/catalogue.hpp"
#include "support/case_file.hpp"
#include "support/files.hpp"

namespace korvath::safety {
namespace {

namespace fs = std::filesystem;

// Bytes drawn from the whole range, or from the bytes of the source so that record keys,
// commas and digits come up often.
std::string random_bytes(std::string_view source, std::size_t size, bool from_source) {
  std::mt19937 random(static_cast<unsigned>(source.size() + size));
  std::string out(size, '\0');
  for (char& c : out) {
    const auto pick = random();
    c = from_source && !source.empty() ? source[pick % source.size()]
                                       : static_cast<char>(pick & 0xFF);
  }
  return out;
}

// A third of the lines of the source, each cut at a random length: records edited by hand.
std::string cut_lines(std::string_view source) {
  std::mt19937 random(7);
  std::string out;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find('\n', start);
    end = end == std::string_view::npos ? source.size() : end + 1;
    std::string_view line = source.substr(start, end - start);
    if (random() % 3 == 0) {
      out.append(line.substr(0, random() % (line.size() + 1)));
      out.append("\r\n");
    } else {
      out.append(line);
    }
    start = end;
  }
  return out;
}

void add_damaged(std::vector<SafetyCase>& cases, const ConversionCommand& command,
                 std::string_view source_name, const std::string& source) {
  if (source.empty()) return;
  const std::string prefix = test::test_name(command.id) + std::string(source_name);
  auto add = [&](std::string_view damage, std::string input) {
    cases.push_back({prefix + std::string(damage), &command, std::move(input)});
  };
  add("AsWritten", source);
  add("CutInTheMiddleOfALine", source.substr(0, source.size() * 2 / 3 + 1));
  add("WithoutItsLastByte", source.substr(0, source.size() - 1));
  add("LinesCutShort", cut_lines(source));
  add("ShuffledBytes", random_bytes(source, source.size(), true));
  add("RandomBytes", random_bytes(source, 4096, false));
}

// The inputs the fuzzer once found faults with, kept in tests/data/fuzz/<id>/.
void add_fuzz_findings(std::vector<SafetyCase>& cases, const ConversionCommand& command) {
  const fs::path folder =
      fs::path(KORVATH_EXAMPLES) / ".." / "tests" / "data" / "fuzz" / std::string(command.id);
  if (!fs::is_directory(folder)) return;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files)
    cases.push_back(
        {test::test_name(command.id) + "Fuzz" + test::test_name(file.filename().string()), &command,
         test::read_file(file)});
}

}  // namespace

std::string generated_bytes(std::string_view command_id) {
  constexpr std::uint64_t kGeneratedBytes = 6000;
  std::string text;
  if (bench::has_generator(command_id))
    bench::generate(command_id, kGeneratedBytes, [&](std::string_view s) { text.append(s); });
  return text;
}

std::string with_line_ends(std::string_view text, std::vector<std::string_view> line_ends) {
  std::string out;
  out.reserve(text.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.append(line_ends[next++ % line_ends.size()]);
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::vector<const ConversionCommand*> built_commands() {
  std::vector<const ConversionCommand*> built;
  for (const ConversionCommand& command : catalogue())
    if (command.convert) built.push_back(&command);
  return built;
}

std::string example_bytes(std::string_view command_id) {
  // A row without its example is failed by name in the catalogue's test; reading nothing here
  // keeps the cases built from the examples from stopping the whole run before it.
  const std::string example = test::example_of(command_id);
  return example.empty() ? std::string() : test::read_file(example);
}

std::vector<SafetyCase> damaged_inputs() {
  std::vector<SafetyCase> cases;
  for (const ConversionCommand* command : built_commands()) {
    add_damaged(cases, *command, "Example", example_bytes(command->id));
    add_damaged(cases, *command, "Generated", generated_bytes(command->id));
    cases.push_back({test::test_name(command->id) + "Empty", command, ""});
    add_fuzz_findings(cases, *command);
  }
  return cases;
}

std::size_t open_descriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

}  // namespace korvath::safety
