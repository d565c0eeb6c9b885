#include "command_line.hpp"

#include <sys/wait.h>

#include <cstdlib>

namespace korvath::test {
namespace {

std::string quoted(const std::string& word) {
  std::string out = "'";
  for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

int convert_with_binary(const std::string& id, const std::string& input,
                        const std::vector<std::string>& outputs, const std::string& folder) {
  std::string command = quoted(KORVATH_BINARY) + " convert " + quoted(id) + " " + quoted(input);
  for (const std::string& output : outputs) command += " " + quoted(output);
  command += " --overwrite yes --scratch-dir " + quoted(folder) + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string example_path(const std::string& file_name) {
  return std::string(KORVATH_EXAMPLES) + "/" + file_name;
}

}  // namespace korvath::test
