#include "flow/line_origins.hpp"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "flow/conversion_error.hpp"

namespace korvath {

LineOrigins::LineOrigins() {
  pending_.reserve(kChunk);
}

void LineOrigins::restart() {
  pending_.clear();
  chunk_.clear();
  chunk_first_ = 0;
  recorded_ = 0;
  if (!file_) return;
  std::rewind(file_.get());
  if (ftruncate(fileno(file_.get()), 0) != 0)
    throw ConversionError(Fault::write_failed, {}, std::strerror(errno));
}

void LineOrigins::finish() {
  // A pass of one chunk or less stays in memory: no temporary file to make and free, which would
  // cost a small download more than its conversion.
  if (!file_ && recorded_ == 0) {
    chunk_.swap(pending_);
    pending_.clear();
    chunk_first_ = 0;
    recorded_ = chunk_.size();
    return;
  }
  write_pending();
}

void LineOrigins::write_pending() {
  if (pending_.empty()) return;
  if (!file_) file_.reset(std::tmpfile());
  if (!file_) throw ConversionError(Fault::cannot_create, {}, std::strerror(errno));
  if (std::fseek(file_.get(), static_cast<long>(recorded_ * sizeof(std::uint64_t)), SEEK_SET) !=
          0 ||
      std::fwrite(pending_.data(), sizeof(std::uint64_t), pending_.size(), file_.get()) !=
          pending_.size() ||
      std::fflush(file_.get()) != 0)
    throw ConversionError(Fault::write_failed, {}, std::strerror(errno));
  recorded_ += pending_.size();
  pending_.clear();
  chunk_.clear();
}

std::uint64_t LineOrigins::at_outside_chunk(std::uint64_t line) const {
  if (line == 0 || recorded_ == 0) return 0;
  // Reading past the end of a scratch file is a fault of the record its last line began.
  const std::uint64_t index = std::min(line, recorded_) - 1;
  if (chunk_.empty() || index < chunk_first_ || index >= chunk_first_ + chunk_.size()) {
    chunk_first_ = index - index % kChunk;
    chunk_.resize(kChunk);
    std::fseek(file_.get(), static_cast<long>(chunk_first_ * sizeof(std::uint64_t)), SEEK_SET);
    chunk_.resize(std::fread(chunk_.data(), sizeof(std::uint64_t), kChunk, file_.get()));
    if (index >= chunk_first_ + chunk_.size()) {
      chunk_.clear();
      return 0;
    }
  }
  return chunk_[index - chunk_first_];
}

}  // namespace korvath
