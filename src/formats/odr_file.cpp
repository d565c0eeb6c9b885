#include "formats/odr_file.hpp"

#include <algorithm>
#include <initializer_list>

namespace korvath {

void OdrFile::write_bytes(std::string_view bytes) {
  file_.write(bytes);
  move_column(bytes);
}

void OdrFile::move_column(std::string_view bytes) {
  // A quoted value may carry a line end of its own; the zones count from the last one.
  // (A loop: find_last_of("\r\n") calls memchr for every byte.)
  std::size_t after_end = bytes.size();
  while (after_end > 0 && bytes[after_end - 1] != '\r' && bytes[after_end - 1] != '\n') --after_end;
  column_ = after_end == 0 ? column_ + bytes.size() : bytes.size() - after_end;
}

void OdrFile::write_value(const Value& v) {
  char number[kLongestBareNumber];
  const std::string_view bytes =
      is_text(v)
          ? text_in(v)
          : std::string_view(number, static_cast<std::size_t>(write_output(number, v) - number));
  file_.write(bytes);
  move_column(bytes, v);
}

void OdrFile::end_line() {
  write_bytes("\r\n");
  file_.count_line();
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
  const std::initializer_list<const Value*> values = {&target_height, &horizontal, &vertical,
                                                      &distance};
  // The line is made long enough once and written into, not appended piece by piece.
  file_.write_line_with([&](std::string& line) {
    std::size_t longest = 2 + longest_output(target) + kZoneWidth;
    for (const Value* v : values) longest += longest_output(*v);
    const std::size_t start = line.size();
    line.resize(start + longest);
    char* p = line.data() + start;
    *p++ = 'D';
    *p++ = ' ';
    const char* const name = p;
    p = write_output(p, target);
    move_column({name - 2, static_cast<std::size_t>(p - name + 2)}, target);
    // Blanks to the next zone: a full zone when the name ends on a zone start, so the values
    // never touch the name.
    p = std::fill_n(p, kZoneWidth - column_ % kZoneWidth, ' ');
    for (const Value* v : values) p = write_output(p, *v);
    line.resize(static_cast<std::size_t>(p - line.data()));
  });
  column_ = 0;
}

}  // namespace korvath
