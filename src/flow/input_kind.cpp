#include "flow/input_kind.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "flow/conversion_error.hpp"
#include "flow/interruption.hpp"
#include "flow/item_bytes.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"

namespace korvath {

FileKind file_kind(const std::string& path) {
  struct stat info {};
  const bool standard_input = path == "-";
  const int status = standard_input ? fstat(STDIN_FILENO, &info) : stat(path.c_str(), &info);
  if (status != 0) return standard_input && errno == EBADF ? FileKind::closed : FileKind::none;
  // Standard input is read through "-" whatever it is: a redirected file is read like a pipe.
  if (S_ISFIFO(info.st_mode) || (standard_input && S_ISREG(info.st_mode))) return FileKind::stream;
  if (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) return FileKind::file;
  return FileKind::device;
}

namespace {

// Counts the lines of a stream as the readers cut them (CR LF, a lone CR and a lone LF each end
// one) and the length of the one still open, a buffer at a time.
class LineBound {
 public:
  /// Throws Fault::line_too_long at the line that grows past kLongestLine.
  void pass(std::string_view bytes, const std::string& name) {
    for (std::size_t i = 0; i < bytes.size();) {
      if (after_cr_ && bytes[i] == '\n') {  // the LF of a CR LF
        after_cr_ = false;
        ++i;
        continue;
      }
      const char* const data = bytes.data();
      const auto stop =
          static_cast<std::size_t>(find_any<'\r', '\n'>(data + i, data + bytes.size()) - data);
      open_ += stop - i;
      if (open_ > kLongestLine) throw ConversionError(Fault::line_too_long, {name, lines_ + 1});
      after_cr_ = false;
      if (stop == bytes.size()) break;
      ++lines_;
      open_ = 0;
      after_cr_ = bytes[stop] == '\r';
      i = stop + 1;
    }
  }

 private:
  std::uint64_t lines_ = 0;
  std::size_t open_ = 0;
  bool after_cr_ = false;
};

}  // namespace

void copy_stream(const std::string& path, OutputFile& copy, std::uint64_t most) {
  // Standard input stays open: it is the process's, not the copy's.
  struct Descriptor {
    int fd;
    bool own;
    ~Descriptor() {
      if (own) close(fd);
    }
  } in{STDIN_FILENO, path != "-"};
  while (in.own && (in.fd = open(path.c_str(), O_RDONLY | O_CLOEXEC)) < 0 && errno == EINTR)
    check_interruption({path, 0});  // a FIFO opens once a writer comes
  if (in.fd < 0) {
    in.own = false;
    throw ConversionError(Fault::cannot_open, {path, 0}, std::strerror(errno));
  }
  std::vector<char> buffer(1 << 16);
  LineBound lines;
  std::uint64_t total = 0;
  for (;;) {
    check_interruption({path, 0});
    const ssize_t n = read(in.fd, buffer.data(), buffer.size());
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ConversionError(Fault::cannot_open, {path, 0}, std::strerror(errno));
    }
    const std::string_view bytes(buffer.data(), static_cast<std::size_t>(n));
    lines.pass(bytes, path);
    total += bytes.size();
    if (total > most) throw ConversionError(Fault::stream_too_large, {path, 0});
    copy.write(bytes);
  }
  copy.close();
}

}  // namespace korvath
