// The `.ODR` listing of the Pentax measurement commands: setups and observations as plain text
// beside the point file. Values keep their form (text as held, a number as bare-number text);
// the target name of an observation is followed by a move to the next 14-character print zone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "flow/output_file.hpp"
#include "flow/value.hpp"

namespace korvath {

class OdrFile {
 public:
  static constexpr std::uint64_t kZoneWidth = 14;

  explicit OdrFile(OutputFile& file) : file_(file) {}

  /// "S " and the station, with no line end: the instrument height that follows completes it.
  void write_station(const Value& station);
  /// The instrument height and a line end.
  void write_instrument_height(const Value& height);
  /// "D ", the target name, a move to the next print zone, then target height, horizontal
  /// reading, vertical angle and distance back to back, and a line end.
  void write_observation(const Value& target, const Value& target_height, const Value& horizontal,
                         const Value& vertical, const Value& distance);

  /// Characters on the current line since the last line end of the file.
  std::uint64_t column() const { return column_; }

 private:
  void write_bytes(std::string_view bytes);
  void write_value(const Value& v);
  void end_line();
  // The column after `bytes` written at the current one.
  void move_column(std::string_view bytes);
  // The same for the bytes written from `v`: only a text can hold a line end, a number or an
  // empty value only moves the column on.
  void move_column(std::string_view bytes, const Value& v) {
    if (is_text(v)) {
      move_column(bytes);
    } else {
      column_ += bytes.size();
    }
  }

  OutputFile& file_;
  std::uint64_t column_ = 0;
};

}  // namespace korvath
