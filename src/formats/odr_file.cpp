#include "formats/odr_file.hpp"

namespace korvath {

void OdrFile::write_bytes(std::string_view bytes) {
  file_.write(bytes);
  // A quoted value may carry a line end of its own; the zones count from the last one.
  // (A loop: find_last_of("\r\n") calls memchr for every byte.)
  std::size_t after_end = bytes.size();
  while (after_end > 0 && bytes[after_end - 1] != '\r' && bytes[after_end - 1] != '\n') --after_end;
  column_ = after_end == 0 ? column_ + bytes.size() : bytes.size() - after_end;
}

void OdrFile::write_value(const Value& v) {
  if (const std::string* text = std::get_if<std::string>(&v)) {
    write_bytes(*text);
    return;
  }
  if (is_empty(v)) return;
  // A number has no line end in it: the column only moves on.
  char number[kLongestBareNumber];
  const auto length = static_cast<std::size_t>(write_number(number, v) - number);
  file_.write({number, length});
  column_ += length;
}

void OdrFile::end_line() {
  write_bytes("\r\n");
  file_.count_line();
}

void OdrFile::next_zone() {
  static constexpr std::string_view kBlanks = "              ";
  static_assert(kBlanks.size() == kZoneWidth);
  write_bytes(kBlanks.substr(column_ % kZoneWidth));
}

void OdrFile::write_station(const Value& station) {
  write_bytes("S ");
  write_value(station);
}

void OdrFile::write_instrument_height(const Value& height) {
  write_value(height);
  end_line();
}

void OdrFile::write_observation(const Value& target, const Value& target_height,
                                const Value& horizontal, const Value& vertical,
                                const Value& distance) {
  write_bytes("D ");
  write_value(target);
  next_zone();
  for (const Value* v : {&target_height, &horizontal, &vertical, &distance}) write_value(*v);
  end_line();
}

}  // namespace korvath
