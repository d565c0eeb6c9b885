// Geodimeter job and area files to station and point measurement files. A station block (2=)
// sets the instrument up; its height is the first 3= before the first point, which may stand in
// the block of a reference object (62=), whose circle reading (21=) orients the set-up. A point
// block (5=) with a horizontal reading is a shot; face I is read where the block has both faces.
#include <bit>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "converters/geodimeter/geodimeter.hpp"
#include "converters/geodimeter/labels.hpp"
#include "converters/geodimeter/units.hpp"
#include "flow/conversion.hpp"
#include "formats/field_book.hpp"

namespace korvath::geodimeter {
namespace {

constexpr std::uint64_t bit(int label) {
  return std::uint64_t{1} << label;
}

constexpr std::uint64_t bits(std::initializer_list<int> labels) {
  std::uint64_t mask = 0;
  for (const int label : labels) mask |= bit(label);
  return mask;
}

constexpr std::uint64_t kKept =
    bits({kInstrumentHeight, kTargetHeight, kReading, kZenith, kSlope, kHorizontal, kReadingII,
          kZenithII, kOrientation, kReadingI, kZenithI});

// A shot's vertical angle with no slope distance beside its horizontal distance: level.
constexpr double kLevel = 100;

class Survey {
 public:
  Survey(Conversion& c, RecordTally& tally, PassedOver& passed, Units& units)
      : book_(c, tally),
        file_(c.input_name()),
        passed_(passed),
        units_(units),
        tally_(tally),
        distance_only_(tally.kind(
            "1 μέτρηση μόνο με οριζόντια απόσταση (γράφτηκε με κατακόρυφη 100 και την "
            "οριζόντια απόσταση ως κεκλιμένη)",
            "{} μετρήσεις μόνο με οριζόντια απόσταση (γράφτηκαν με κατακόρυφη 100 και την "
            "οριζόντια απόσταση ως κεκλιμένη)")) {}

  void take(const Block& b) {
    switch (b.kind()) {
      case kStation:
        return station(b);
      case kReference:
        return reference(b);
      case kPoint:
        return point(b);
      default:
        return pass_over(b, 0);
    }
  }

 private:
  void station(const Block& b) {
    pending_ = true;
    station_ = point_name(b.name());
    instrument_height_ = length(b, kInstrumentHeight);
    backsight_.reset();
    pass_over(b, bit(kInstrumentHeight));
  }

  void reference(const Block& b) {
    std::uint64_t used = 0;
    if (pending_ && !instrument_height_ && b.has(kInstrumentHeight)) {
      instrument_height_ = length(b, kInstrumentHeight);
      used |= bit(kInstrumentHeight);
    }
    if (b.has(kOrientation)) {
      used |= bit(kOrientation);
      Backsight named{point_name(b.name()), angle(b, kOrientation)};
      if (pending_) {
        backsight_ = std::move(named);
      } else {
        book_.name_backsight(std::move(named.name), named.reading);
      }
    } else {
      passed_.count(kReference, b.name_line(), Why::no_orientation);
    }
    pass_over(b, used);
  }

  void point(const Block& b) {
    if (pending_) {
      book_.set_up(std::move(station_), instrument_height_);
      if (backsight_) book_.name_backsight(std::move(backsight_->name), backsight_->reading);
      pending_ = false;
    }
    const int face = b.has(kReading) ? kReading : b.has(kReadingI) ? kReadingI : kReadingII;
    if (!b.has(face)) {
      passed_.count(kPoint, b.name_line(), Why::no_reading);
      return pass_over(b, 0);
    }
    Shot shot;
    shot.target = point_name(b.name());
    shot.reading = angle(b, face);
    if (face == kReadingII) {  // the other face, half a turn round
      *shot.reading -= 200;
      if (*shot.reading < 0) *shot.reading += 400;
    }
    shot.target_height = length(b, kTargetHeight);
    std::uint64_t used = bit(face) | bit(kTargetHeight);
    if (b.has(kSlope) || !b.has(kHorizontal)) {
      shot.slope_distance = length(b, kSlope);
      const int zenith = b.has(kZenith) ? kZenith : b.has(kZenithI) ? kZenithI : kZenithII;
      if (b.has(zenith)) {
        shot.vertical_angle = angle(b, zenith);
        if (zenith == kZenithII) *shot.vertical_angle = 400 - *shot.vertical_angle;
      }
      used |= bit(kSlope) | bit(zenith);
    } else {
      shot.slope_distance = length(b, kHorizontal);
      shot.vertical_angle = kLevel;
      used |= bit(kHorizontal);
      tally_.count(distance_only_, Where{file_, b.line(kHorizontal)});
    }
    pass_over(b, used);
    book_.observe(shot, Where{file_, b.name_line()});
  }

  // Counts every label of the block that was not used.
  void pass_over(const Block& b, std::uint64_t used) {
    for (std::uint64_t left = b.given() & ~used; left != 0; left &= left - 1) {
      const int label = std::countr_zero(left);
      passed_.count(label, b.line(label),
                    label == kOrientation ? Why::outside_reference : Why::unused);
    }
  }

  std::optional<double> length(const Block& b, int label) const {
    if (!b.has(label)) return std::nullopt;
    return number_at(b.value(label), b.where(file_, label));
  }
  double angle(const Block& b, int label) {
    return units_.grads(b.value(label), b.where(file_, label));
  }

  struct Backsight {
    Value name;
    double reading = 0;
  };

  FieldBook book_;
  std::string_view file_;
  PassedOver& passed_;
  Units& units_;
  RecordTally& tally_;
  std::size_t distance_only_;
  // The set-up being read: written when its first point comes.
  bool pending_ = false;
  Value station_;
  std::optional<double> instrument_height_;
  std::optional<Backsight> backsight_;
};

}  // namespace

void convert_measurements(Conversion& c) {
  RecordTally tally;
  PassedOver passed(tally);
  Units units(c, true);
  LineReader in = c.read_input_lines();
  BlockReader blocks(in, kKept, passed, units);
  Survey survey(c, tally, passed, units);
  Block block;
  while (blocks.next(block)) survey.take(block);
  tally.report(c, c.input_name());
}

}  // namespace korvath::geodimeter
