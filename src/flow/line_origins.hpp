// Where each line of a scratch file came from, so that a fault met in a later pass names the
// user's file and line. One number a line, kept in memory for a pass of up to 4096 lines and
// beyond that in an anonymous temporary file: memory stays flat whatever the size of the download.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace korvath {

class LineOrigins {
 public:
  LineOrigins();

  /// Starts a new writing pass: every line recorded before is forgotten.
  void restart();
  /// The next scratch line came from this input line.
  void record(std::uint64_t input_line) {
    pending_.push_back(input_line);
    if (pending_.size() == kChunk) write_pending();
  }
  /// Writes out what is recorded (when it is more than a chunk); lines can be looked up from now
  /// on. Throws Fault::cannot_create when no temporary file can be made for them.
  void finish();

  /// The input line scratch line `line` (1-based) came from; 0 when it is not known. Inline for
  /// the chunk read last: a later pass asks for its lines in order, often several times each.
  std::uint64_t at(std::uint64_t line) const {
    if (line > chunk_first_ && line - chunk_first_ <= chunk_.size() && line <= recorded_)
      return chunk_[line - 1 - chunk_first_];
    return at_outside_chunk(line);
  }

 private:
  static constexpr std::size_t kChunk = 4096;
  void write_pending();
  std::uint64_t at_outside_chunk(std::uint64_t line) const;

  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::vector<std::uint64_t> pending_;
  std::uint64_t recorded_ = 0;
  // The chunk read last: lines are mostly looked up in order.
  mutable std::vector<std::uint64_t> chunk_;
  mutable std::uint64_t chunk_first_ = 0;
};

}  // namespace korvath
