#include "support/files.hpp"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace korvath::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvath-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

ShellResult shell(const TempDir& dir, const std::string& line, std::string_view stdin_text) {
  write_file(dir / ".stdin", stdin_text);
  const std::string command =
      "cd '" + dir.path().string() + "' && ( " + line + " ) < .stdin > .stdout 2> .stderr";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(dir / ".stdout"),
          read_file(dir / ".stderr")};
}

ShellResult korvath(const TempDir& dir, const std::string& args, std::string_view stdin_text) {
  return shell(dir, "timeout 20 '" KORVATH_BINARY "' " + args, stdin_text);
}

Files files_in(const std::filesystem::path& dir) {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    files[entry.path().filename().string()] = read_file(entry.path());
  return files;
}

std::string example_of(std::string_view command_id) {
  for (const auto& entry : std::filesystem::directory_iterator(KORVATH_EXAMPLES))
    if (entry.path().stem() == command_id) return entry.path().string();
  return {};
}

}  // namespace korvath::test
