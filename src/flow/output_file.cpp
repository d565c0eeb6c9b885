#include "flow/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "flow/conversion_error.hpp"
#include "flow/line_origins.hpp"
#include "flow/readers.hpp"

namespace korvath {

namespace {
// Opens the file at its end (append) or emptied (create); sets `length` to what it holds. A
// file is emptied by hand, and only when it holds something: one truncated on opening, even one
// already empty, is written out to the disk when it is closed (the file system keeps it from
// coming back empty after a crash), which costs a large conversion a tenth of its time. An
// output is most often new, or left empty by the question whether to overwrite it.
std::FILE* open_for_writing(const std::string& path, OutputFile::Mode mode, std::uint64_t& length) {
  const bool append = mode == OutputFile::Mode::append;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : 0), 0666);
  if (fd < 0) return nullptr;
  struct stat info {};
  const bool known = fstat(fd, &info) == 0;
  const bool holds_bytes = !known || (S_ISREG(info.st_mode) && info.st_size > 0);
  const bool ready = append || !holds_bytes || ftruncate(fd, 0) == 0;
  std::FILE* file = ready ? fdopen(fd, append ? "ab" : "wb") : nullptr;
  if (!file) {
    const int failure = errno;
    close(fd);
    errno = failure;
    return nullptr;
  }
  length = append && known ? static_cast<std::uint64_t>(info.st_size) : 0;
  return file;
}
}  // namespace

OutputFile::OutputFile(std::string path, Mode mode) : path_(std::move(path)) {
  errno = 0;
  file_.reset(open_for_writing(path_, mode, written_));
  if (!file_) throw ConversionError(Fault::cannot_create, {path_, 0}, std::strerror(errno));
  buffer_.reserve(kFlushAt + 256);
}

OutputFile::OutputFile(std::string path, std::FILE* opened) : path_(std::move(path)) {
  if (!opened) throw ConversionError(Fault::cannot_create, {path_, 0}, std::strerror(errno));
  file_.reset(opened);
  buffer_.reserve(kFlushAt + 256);
}

void OutputFile::follow(LineOrigins& origins, const InputFile& source) {
  origins.restart();
  origins_ = &origins;
  source_ = &source;
}

OutputFile::~OutputFile() {
  if (!file_) return;
  if (!failed_ && !buffer_.empty() &&
      std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) == buffer_.size())
    written_ += buffer_.size();
  std::fflush(file_.get());
  cut();
  file_.reset();
}

bool OutputFile::cut() {
  return !cut_when_closed_ || ftruncate(fileno(file_.get()), static_cast<off_t>(written_)) == 0;
}

void OutputFile::flush() {
  if (buffer_.empty() || !file_) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size()) {
    failed_ = true;
    throw ConversionError(Fault::write_failed, {shown_name(), 0}, std::strerror(errno));
  }
  written_ += buffer_.size();
  buffer_.clear();
}

void OutputFile::close() {
  if (!file_) return;
  flush();
  if (origins_) origins_->finish();
  const bool flushed = std::fflush(file_.get()) == 0 && !std::ferror(file_.get()) && cut();
  const int saved = errno;
  const bool closed = std::fclose(file_.release()) == 0;
  if (!flushed || !closed)
    throw ConversionError(Fault::write_failed, {shown_name(), 0},
                          std::strerror(saved ? saved : errno));
}

}  // namespace korvath
