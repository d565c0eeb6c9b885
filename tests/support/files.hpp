// Real files in a private temporary folder, for tests.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace korvath::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view bytes);

struct ShellResult {
  int status;  // -1 when the command did not exit
  std::string out, err;
};
/// Runs the shell `line` in `dir` with `stdin_text` on standard input (never a terminal).
ShellResult shell(const TempDir& dir, const std::string& line, std::string_view stdin_text = "");
/// Runs the real binary with `args`, bounded by `timeout` so that a hang fails the test.
ShellResult korvath(const TempDir& dir, const std::string& args, std::string_view stdin_text = "");

using Files = std::map<std::string, std::string>;  // file name -> bytes
Files files_in(const std::filesystem::path& dir);

/// The command's example instrument file, examples/<id>.<ext>; "" when it has none.
std::string example_of(std::string_view command_id);

}  // namespace korvath::test
