// Topcon GTS-200 serial dump: a stream of words, each "_" and a kind character. A set-up is
// "_'NAME_(CODE_)IH"; an observation "_+TARGET_ ?+SSSSSSSSmZZZZZZZ+HHHHHHHu..._*CODE_,TH", its
// angles in the unit its letter u gives (g gon, d DDDMMSS), its slope distance in millimetres.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "converters/topcon/dump_text.hpp"
#include "converters/topcon/topcon.hpp"
#include "flow/conversion.hpp"
#include "flow/record_tally.hpp"
#include "flow/text.hpp"
#include "formats/angle_unit.hpp"
#include "formats/field_book.hpp"

namespace korvath::topcon {
namespace {

// " ?+SSSSSSSSmZZZZZZZ+HHHHHHHu": where each part of an observation word stands.
constexpr std::size_t kDistance = 3, kDistanceUnit = 11, kZenith = 12, kReadingSign = 19,
                      kReading = 20, kAngleUnit = 27;

// The `count` digits at `at` of the word; throws Fault::not_a_number at `where` when they are not
// all there.
std::uint64_t digits(std::string_view word, std::size_t at, std::size_t count, const Where& where) {
  std::uint64_t value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    const auto digit = static_cast<unsigned>(i < word.size() ? word[i] - '0' : 10);
    if (digit > 9) throw ConversionError(Fault::not_a_number, where, std::string(word));
    value = value * 10 + digit;
  }
  return value;
}

double angle(std::uint64_t digits, char unit, std::string_view word, const Where& where) {
  if (unit == 'g') return short_decimal_number(digits, 4, false);
  // DDDMMSS: whole degrees, minutes and seconds, each read as the integer it is.
  const std::uint64_t degrees = digits / 10000, minutes = digits / 100 % 100,
                      seconds = digits % 100;
  return dms_in_grads(static_cast<double>(degrees), static_cast<double>(minutes),
                      static_cast<double>(seconds), where, word);
}

double metres(std::string_view text, const Where& where) {
  double value = 0;
  if (read_short_decimal(text, value)) return value;
  if (const auto parsed = parse_number(text, where)) return *parsed;
  throw ConversionError(Fault::not_a_number, where, std::string(text));
}

std::optional<double> height(std::string_view word, const Where& where) {
  const std::string_view text = trim_blanks_and_tabs(word);
  if (text.empty()) return std::nullopt;
  return metres(text, where);
}

class DumpRecords {
 public:
  explicit DumpRecords(Conversion& c)
      : c_(c),
        book_(c, tally_),
        cut_(tally_.kind("1 εγγραφή κομμένη από χαλασμένο μπλοκ ή από το τέλος της λήψης",
                         "{} εγγραφές κομμένες από χαλασμένο μπλοκ ή από το τέλος της λήψης")),
        no_measurement_(tally_.kind("1 σημείο χωρίς μέτρηση", "{} σημεία χωρίς μέτρηση")),
        angles_only_(
            tally_.kind("1 μέτρηση μόνο γωνιών («_ <»)", "{} μετρήσεις μόνο γωνιών («_ <»)")),
        coordinates_(
            tally_.kind("1 εγγραφή συντεταγμένων («_ W»)", "{} εγγραφές συντεταγμένων («_ W»)")),
        other_measurement_(
            tally_.kind("1 μέτρηση άγνωστου είδους", "{} μετρήσεις άγνωστου είδους")),
        station_codes_(
            tally_.kind("1 κωδικός στάσης (δεν γράφεται)", "{} κωδικοί στάσεων (δεν γράφονται)")),
        point_codes_(
            tally_.kind("1 κωδικός σημείου (δεν γράφεται)", "{} κωδικοί σημείων (δεν γράφονται)")),
        stray_(tally_.kind("1 λέξη έξω από εγγραφή", "{} λέξεις έξω από εγγραφή")) {}

  /// The text of one piece of the dump, joined to the pieces before it.
  void read(const DumpPiece& piece) {
    if (piece.broken) break_stream();
    std::string_view text = piece.text;
    while (!text.empty()) {
      if (!in_word_) {
        in_word_ = true;
        word_where_ = piece.where;
      }
      const std::size_t bar = text.find('_');
      if (bar == std::string_view::npos) {
        partial_.append(text);
        return;
      }
      if (partial_.empty()) {
        word(text.substr(0, bar), word_where_);
      } else {
        partial_.append(text.substr(0, bar));
        word(partial_, word_where_);
        partial_.clear();
      }
      text.remove_prefix(bar + 1);
      in_word_ = false;
    }
  }

  /// The end of the dump: its last word, then its last record, unless the dump stops short of
  /// that record's target height.
  void finish() {
    const bool last_word_is_height = !trim(partial_).empty() && partial_[0] == ',';
    if (open_ && !has_height_ && !last_word_is_height) {
      tally_.count(cut_, record_where_);
      open_ = false;
    } else if (in_word_) {
      word(partial_, word_where_);
    }
    close_record();
    tally_.report(c_, c_.input_name());
  }

  RecordTally& tally() { return tally_; }

 private:
  // A damaged block lost the text between the words before it and after it: the word it cut is
  // lost, and the record it cut is passed over unless it had come to its target height.
  void break_stream() {
    partial_.clear();
    in_word_ = false;
    if (open_ && !has_height_) {
      tally_.count(cut_, record_where_);
      open_ = false;
    }
    close_record();
    skipping_ = true;
  }

  void word(std::string_view w, const Where& where) {
    if (trim(w).empty()) return;  // the blank padding at the end, or "__"
    const char kind = w[0];
    const std::string_view rest = w.substr(1);
    if (kind == '\'' || kind == '+') skipping_ = false;
    if (skipping_) return;  // the rest of a record a damaged block cut
    switch (kind) {
      case '\'':
        close_record();
        record_where_ = where;
        book_.set_up(point_name(rest), std::nullopt);
        in_set_up_ = true;
        return;
      case '(':
        if (!in_set_up_) return tally_.count(stray_, where);
        if (!trim(rest).empty()) tally_.count(station_codes_, where);
        return;
      case ')':
        if (!in_set_up_) return tally_.count(stray_, where);
        book_.set_instrument_height(height(rest, record_where_));
        return;
      case '+':
        close_record();
        open_ = true;
        record_where_ = where;
        target_.assign(rest);
        return;
      case ' ':
        return measurement(w, where, record_where_);
      case '*':
        if (!open_) return tally_.count(stray_, where);
        if (!trim(rest).empty()) tally_.count(point_codes_, where);
        return;
      case ',':
        if (!open_) return tally_.count(stray_, where);
        shot_.target_height = height(rest, record_where_);
        has_height_ = true;
        return;
      default:
        return tally_.count(stray_, where);
    }
  }

  // " ?..." is an observation; other kinds (" <" angles only, " W" coordinates) are counted.
  // Its faults are reported at the line its record starts on.
  void measurement(std::string_view w, const Where& word_where, const Where& where) {
    const std::string_view kind = trim(w);
    if (!open_ || measured_ || passed_over_) return tally_.count(stray_, word_where);
    if (kind[0] != '?') {
      passed_over_ = true;
      return tally_.count(kind[0] == '<'   ? angles_only_
                          : kind[0] == 'W' ? coordinates_
                                           : other_measurement_,
                          word_where);
    }
    const std::uint64_t distance = digits(w, kDistance, 8, where);
    const std::uint64_t zenith = digits(w, kZenith, 7, where);
    const std::uint64_t reading = digits(w, kReading, 7, where);  // the word runs this far
    const char sign = w[kReadingSign];
    if (w[kDistance - 1] != '+' || (sign != '+' && sign != '-'))
      throw ConversionError(Fault::not_a_number, where, std::string(w));
    // Another distance letter than metres, or angle letter than g and d: nothing to go by.
    if (w[kDistanceUnit] != 'm') throw ConversionError(Fault::not_a_number, where, std::string(w));
    const char unit = w.size() > kAngleUnit ? w[kAngleUnit] : '\0';
    if (unit != 'g' && unit != 'd')
      throw ConversionError(Fault::not_an_angle, where, std::string(w));
    if (unit == 'd') angle_notes_.seen(c_, AngleUnit::dms, "d", where);
    const double horizontal = angle(reading, unit, w, where);
    shot_.reading = sign == '-' ? -horizontal : horizontal;
    shot_.vertical_angle = angle(zenith, unit, w, where);
    shot_.slope_distance = short_decimal_number(distance, 3, false);
    measured_ = true;
  }

  // Writes the open observation, or counts it when it holds no observation to write.
  void close_record() {
    in_set_up_ = false;
    if (open_) {
      if (measured_) {
        shot_.target = point_name(target_);
        book_.observe(shot_, record_where_);
      } else if (!passed_over_) {
        tally_.count(no_measurement_, record_where_);
      }
    }
    open_ = measured_ = passed_over_ = has_height_ = false;
    shot_.target_height.reset();
  }

  Conversion& c_;
  RecordTally tally_;
  FieldBook book_;
  AngleUnitNotes angle_notes_;
  std::size_t cut_, no_measurement_, angles_only_, coordinates_, other_measurement_, station_codes_,
      point_codes_, stray_;
  std::string partial_, target_;  // a word that runs on into the next piece; the open target
  Where word_where_, record_where_;
  Shot shot_;
  bool in_word_ = false, skipping_ = false, in_set_up_ = false;
  bool open_ = false, measured_ = false, passed_over_ = false, has_height_ = false;
};

}  // namespace

void convert_gts200_dump(Conversion& c) {
  DumpRecords records(c);
  DumpText text(c, records.tally());
  DumpPiece piece;
  while (text.next(piece)) records.read(piece);
  records.finish();
}

}  // namespace korvath::topcon
