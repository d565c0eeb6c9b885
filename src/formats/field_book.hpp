// The field book of the newer downloads: set-ups, their backsights and the shots from them, kept
// by the rules every such format shares.
// - A set-up gives the station and the instrument height. The backsight is the one the file names
//   with its circle reading, else the first shot after the set-up; its reading is the orientation.
// - Shots before any set-up belong to an unnamed set-up at the start of the file (counted).
// - To the station file go the backsight shot, every later shot to the backsight's name and every
//   shot whose target name reads as 0 (text names, the point 0); the rest to the point file.
// - Angles come in grads and lengths in metres; a value the file does not give is written empty.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "flow/conversion.hpp"
#include "flow/output_file.hpp"
#include "flow/record_tally.hpp"
#include "flow/value.hpp"

namespace korvath {

/// A point name as the outputs write it: trimmed; a name that reads as a number in full is that
/// number (bare-number text, "0004" gives " 4 "), any other name text as it stands.
Value point_name(std::string_view raw);
/// A length (target height, distance, instrument height, coordinate) as "0.0000"; empty if none.
Value length_value(std::optional<double> metres);
/// An angle as "0.00000"; empty if none.
Value angle_value(std::optional<double> grads);

/// Whether two point names are written alike (their plain text is the same: "0031" and "31" are
/// one point), without making that text where the names show it already: two texts, the same
/// number, or a text that begins as no number's plain text does.
bool same_name(const Value& a, const Value& b);

/// One observation as read: angles in grads, lengths in metres, each absent when not given.
struct Shot {
  Value target;
  std::optional<double> target_height, reading, vertical_angle, slope_distance;
};

class FieldBook {
 public:
  /// Creates both measurement outputs.
  FieldBook(Conversion& c, RecordTally& tally);

  /// A new station: the next shot is its backsight unless name_backsight() names one.
  void set_up(Value station, std::optional<double> instrument_height);
  /// The instrument height from now on (a height written on an observation line).
  void set_instrument_height(std::optional<double> metres);
  /// The file names the backsight of the current set-up and its circle reading (grads).
  void name_backsight(Value name, double reading);
  /// Writes a shot to the station file or the point file: its values are written where its line
  /// is made, not made into values first.
  void observe(const Shot& shot, const Where& where);

  /// Whether a set-up was read (shots before it have an unnamed one).
  bool any_set_up() const { return any_set_up_; }

 private:
  OutputFile &stations_, &points_;
  RecordTally& tally_;
  std::size_t before_set_up_;
  Value station_ = text(""), backsight_ = text("");
  std::string instrument_height_;  // as written, once a set-up rather than once a shot
  double orientation_ = 0;
  bool awaiting_backsight_ = true, any_set_up_ = false;
};

/// The coordinate file of the newer downloads: every record with coordinates, in file order, its
/// three values in the file's own order; a value dashed out or missing is written empty and
/// counted. Each line is made in the file's buffer, as the coordinate file (.seq) lays it out.
class CoordinateList {
 public:
  CoordinateList(Conversion& c, RecordTally& tally);
  void write(const Value& name, std::optional<double> first, std::optional<double> second,
             std::optional<double> third, const Where& where);

 private:
  OutputFile& file_;
  RecordTally& tally_;
  std::size_t empty_;
};

}  // namespace korvath
