// Geodimeter job and area files: one "label=value" a line, the label a number of one to three
// digits. A station (2=), a point (5=) or a reference object (62=) starts a block that runs to
// the next one; the labels inside it stand in any order. Both commands read the file block by
// block and count every label they pass over by its number.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "converters/geodimeter/units.hpp"
#include "flow/readers.hpp"
#include "flow/record_tally.hpp"

namespace korvath::geodimeter {

inline constexpr int kStation = 2, kInstrumentHeight = 3, kPoint = 5, kTargetHeight = 6,
                     kReading = 7, kZenith = 8, kSlope = 9, kHorizontal = 11, kReadingII = 17,
                     kZenithII = 18, kOrientation = 21, kUnits = 23, kReadingI = 24, kZenithI = 25,
                     kNorth = 37, kEast = 38, kElevation = 39, kReference = 62;

/// The labels a block keeps for its command are below this number.
inline constexpr int kKeptLabels = 64;

struct Label {
  int number = 0;
  std::string_view value;  // everything after "=", as it stands
};

/// The label of a line: one to three digits and "="; none for any other line.
std::optional<Label> read_label(std::string_view line);

/// Whether label `number` holds an angle: readings, zenith angles, the orientation.
bool is_angle_label(int number);

/// Why a label was passed over; each reason gives the user its own note per label number.
enum class Why {
  unused,             // the command has no use for the label (its meaning is named)
  repeated,           // the block gave the label before
  no_reading,         // a point without a horizontal reading: no shot
  no_orientation,     // a reference object without its circle reading
  outside_reference,  // a circle reading outside a reference object's block
  no_coordinates,     // a name whose block gives neither N nor E
};

/// The labels passed over, counted by number and reason.
class PassedOver {
 public:
  explicit PassedOver(RecordTally& tally) : tally_(tally) { kinds_.fill(kNone); }
  void count(int label, std::uint64_t line, Why why = Why::unused);
  /// A line that is not "label=value" (a blank line is no record and is not counted).
  void not_a_label(std::uint64_t line);

 private:
  static constexpr std::size_t kNone = SIZE_MAX, kReasons = 8;
  RecordTally& tally_;
  // The tally's kind of each label and reason, looked up at every label passed over: in a table
  // for the labels below kKeptLabels, which most are.
  std::array<std::size_t, kKeptLabels * kReasons> kinds_{};
  std::unordered_map<std::size_t, std::size_t> other_kinds_;  // label x kReasons + reason
};

/// A kept value's text. A short one is copied in one move of a fixed size: the line reader lets
/// the bytes after a line be read (kLineReadAhead), so a value that ends on the line can be
/// copied with bytes after it that are never looked at.
class ValueText {
 public:
  void assign(std::string_view value) {
    size_ = value.size();
    if (size_ <= kShort) {
      std::memcpy(short_.data(), value.data(), kShort);
    } else {
      long_.assign(value);
    }
  }
  std::string_view view() const {
    return size_ <= kShort ? std::string_view(short_.data(), size_) : std::string_view(long_);
  }

 private:
  static constexpr std::size_t kShort = 32;
  static_assert(kShort <= kLineReadAhead);
  std::array<char, kShort> short_{};
  std::size_t size_ = 0;
  std::string long_;
};

/// One block: the label that started it (0 before the first) with its name, and the first value
/// of each label its command keeps.
class Block {
 public:
  int kind() const { return kind_; }
  std::string_view name() const { return name_; }
  std::uint64_t name_line() const { return name_line_; }

  bool has(int label) const { return (given_ >> label & 1U) != 0; }
  std::string_view value(int label) const {
    return values_[static_cast<std::size_t>(label)].view();
  }
  std::uint64_t line(int label) const { return lines_[static_cast<std::size_t>(label)]; }
  Where where(std::string_view file, int label) const { return {file, line(label)}; }
  /// The labels given, lowest first, as a mask of bits.
  std::uint64_t given() const { return given_; }

 private:
  friend class BlockReader;
  int kind_ = 0;
  std::string name_;
  std::uint64_t name_line_ = 0, given_ = 0;
  std::array<ValueText, kKeptLabels> values_;
  std::array<std::uint64_t, kKeptLabels> lines_{};
};

/// Reads a job or area file a block at a time. Labels the command does not keep are counted as
/// passed over when read, and so are lines that are not "label=value"; a kept label with an
/// empty value is as if not given; label 23 declares the units when it is read, so that they hold
/// for the angles of its own block, whatever their order, and of the blocks after it.
class BlockReader {
 public:
  /// `kept`: the labels the command keeps, as a mask of bits (each below kKeptLabels).
  BlockReader(LineReader& in, std::uint64_t kept, PassedOver& passed, Units& units);

  /// Reads the next block whole into `block`; false at the end of the file.
  bool next(Block& block);

 private:
  void keep(Block& block, const Label& label);

  LineReader& in_;
  std::uint64_t kept_;
  PassedOver& passed_;
  Units& units_;
  // The label that starts the next block, read at the end of the one before.
  std::optional<int> next_kind_;
  std::string next_name_;
  std::uint64_t next_line_ = 0;
  bool started_ = false;
};

}  // namespace korvath::geodimeter
