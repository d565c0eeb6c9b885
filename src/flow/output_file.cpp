#include "flow/output_file.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "flow/conversion_error.hpp"
#include "flow/line_origins.hpp"
#include "flow/readers.hpp"

namespace korvath {

OutputFile::OutputFile(std::string path, Mode mode) : path_(std::move(path)) {
  errno = 0;
  file_.reset(std::fopen(path_.c_str(), mode == Mode::create ? "wb" : "ab"));
  if (!file_) throw ConversionError(Fault::cannot_create, {path_, 0}, std::strerror(errno));
  struct stat info {};
  if (fstat(fileno(file_.get()), &info) == 0) written_ = static_cast<std::uint64_t>(info.st_size);
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

void OutputFile::record_origin() {
  origins_->record(source_->where().line);
}

OutputFile::~OutputFile() {
  if (!file_) return;
  if (!failed_ && !buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get());
  file_.reset();
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
  const bool flushed = std::fflush(file_.get()) == 0 && !std::ferror(file_.get());
  const int saved = errno;
  const bool closed = std::fclose(file_.release()) == 0;
  if (!flushed || !closed)
    throw ConversionError(Fault::write_failed, {shown_name(), 0},
                          std::strerror(saved ? saved : errno));
}

}  // namespace korvath
