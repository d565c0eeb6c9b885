// A file opened for writing (emptied) or appending, with a buffer. Counts the lines written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "flow/line_origins.hpp"
#include "flow/readers.hpp"

namespace korvath {

class OutputFile {
 public:
  enum class Mode { create, append };

  /// Throws Fault::cannot_create when the path cannot be opened in that mode.
  explicit OutputFile(std::string path, Mode mode = Mode::create);
  /// Takes a file already opened for writing (a scratch file made exclusively); throws
  /// Fault::cannot_create when `opened` is null.
  OutputFile(std::string path, std::FILE* opened);
  OutputFile(OutputFile&&) noexcept = default;
  OutputFile& operator=(OutputFile&&) noexcept = default;
  ~OutputFile();  // closes quietly; only close() reports a failure

  void write(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushAt) flush();
  }
  /// The bytes followed by CR LF.
  void write_line(std::string_view bytes) {
    buffer_.append(bytes).append("\r\n");
    ++lines_;
    if (origins_) record_origin();
    if (buffer_.size() >= kFlushAt) flush();
  }
  /// The line `build(std::string&)` appends, followed by CR LF, built in the buffer itself; a
  /// line whose building throws leaves nothing of itself behind, and so does one whose `build`
  /// returns false (a line found not to be wanted once read).
  template <typename Build>
  void write_line_with(Build&& build) {
    const std::size_t start = buffer_.size();
    try {
      if constexpr (std::is_same_v<decltype(build(buffer_)), bool>) {
        if (!build(buffer_)) {
          buffer_.resize(start);
          return;
        }
      } else {
        build(buffer_);
      }
    } catch (...) {
      buffer_.resize(start);
      throw;
    }
    buffer_.append("\r\n");
    ++lines_;
    if (origins_) record_origin();
    if (buffer_.size() >= kFlushAt) flush();
  }
  /// Records in `origins`, for every line written from now on, the line `source` read last: a
  /// scratch record remembers the input line it came from.
  void follow(LineOrigins& origins, const InputFile& source);
  /// For a file written over an older one from its start: what lies beyond the bytes written is
  /// cut off when the file is closed, also on the error path.
  void cut_when_closed() { cut_when_closed_ = true; }
  /// Counts a line end written with write() (the `OdrFile` writes lines in pieces).
  void count_line() { ++lines_; }

  /// Writes out the buffer and closes; throws Fault::write_failed when any write, the flush or
  /// the close failed. Closing twice does nothing.
  void close();

  const std::string& path() const { return path_; }
  /// The name a failed write reports: a private scratch file is reported by its fixed name.
  void report_as(std::string name) { name_ = std::move(name); }
  std::uint64_t lines() const { return lines_; }
  /// The file's length in bytes, written and buffered.
  std::uint64_t length() const { return written_ + buffer_.size(); }

 private:
  static constexpr std::size_t kFlushAt = 1 << 16;
  void flush();
  // Inline: a scratch file written line by line asks for it at every line.
  void record_origin() { origins_->record(source_->where().line); }
  // Cuts the file to what was written (see cut_when_closed); false when that failed.
  bool cut();

  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  const std::string& shown_name() const { return name_.empty() ? path_ : name_; }

  std::string path_, name_;
  std::unique_ptr<std::FILE, Closer> file_;
  std::string buffer_;
  std::uint64_t lines_ = 0, written_ = 0;
  bool failed_ = false, cut_when_closed_ = false;
  LineOrigins* origins_ = nullptr;
  const InputFile* source_ = nullptr;
};

}  // namespace korvath
