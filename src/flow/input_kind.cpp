#include "flow/input_kind.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "flow/conversion_error.hpp"
#include "flow/output_file.hpp"

namespace korvath {

FileKind file_kind(const std::string& path) {
  struct stat info {};
  const int status = path == "-" ? fstat(STDIN_FILENO, &info) : stat(path.c_str(), &info);
  if (status != 0) return FileKind::none;
  // Standard input is read through "-" whatever it is: a redirected file is read like a pipe.
  if (S_ISFIFO(info.st_mode) || (path == "-" && S_ISREG(info.st_mode))) return FileKind::stream;
  if (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) return FileKind::file;
  return FileKind::device;
}

void copy_stream(const std::string& path, OutputFile& copy) {
  const bool standard_input = path == "-";
  const int fd = standard_input ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw ConversionError(Fault::cannot_open, {path, 0}, std::strerror(errno));
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      if (!standard_input) close(fd);
      throw ConversionError(Fault::cannot_open, {path, 0}, std::strerror(saved));
    }
    copy.write({buffer.data(), static_cast<std::size_t>(n)});
  }
  if (!standard_input) close(fd);
  copy.close();
}

}  // namespace korvath
