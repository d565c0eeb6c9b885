#include "converters/foif/records.hpp"

#include <string>

#include "flow/text.hpp"

namespace korvath::foif {
namespace {

// A full circle in half arc-seconds; 6480 of them make a grad.
constexpr double kCircle = 2592000;
constexpr double kPerGrad = 6480;

// The instrument's filler for a value it did not measure: "------".
bool dashed(std::string_view field) {
  return !field.empty() && field.find_first_not_of('-') == std::string_view::npos;
}

std::optional<double> number(std::string_view field, const Where& where) {
  if (field.empty() || dashed(field)) return std::nullopt;
  if (const auto value = parse_number(field, where)) return value;
  throw ConversionError(Fault::not_a_number, where, std::string(field));
}

// Cuts the line into the record's fields; `r.closed` counts those a comma closes.
void cut(std::string_view line, Record& r) {
  r.closed = 0;
  std::size_t i = 0, start = 0;
  for (; i < kFields; ++i) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) {
      r.fields[i] = trim(line.substr(start));
      ++i;
      break;
    }
    r.fields[i] = trim(line.substr(start, comma - start));
    r.closed = i + 1;
    start = comma + 1;
  }
  for (; i < kFields; ++i) r.fields[i] = {};
}

}  // namespace

RecordReader::RecordReader(const Conversion& c, RecordTally& tally, std::string_view on_default_one,
                           std::string_view on_default_many)
    : lines_(c.read_input_lines()),
      tally_(tally),
      header_(tally.kind("παραλείφθηκε 1 γραμμή επικεφαλίδας (στοιχεία της εργασίας)",
                         "παραλείφθηκαν {} γραμμές επικεφαλίδας (στοιχεία της εργασίας)")),
      orientation_result_(tally.kind("παραλείφθηκε 1 εγγραφή D (αποτέλεσμα προσανατολισμού)",
                                     "παραλείφθηκαν {} εγγραφές D (αποτέλεσμα προσανατολισμού)")),
      orientation_adjustment_(tally.kind("παραλείφθηκε 1 εγγραφή E (διόρθωση προσανατολισμού)",
                                         "παραλείφθηκαν {} εγγραφές E (διόρθωση προσανατολισμού)")),
      code_(tally.kind("παραλείφθηκε 1 εγγραφή U (κωδικός της επόμενης μέτρησης)",
                       "παραλείφθηκαν {} εγγραφές U (κωδικός της επόμενης μέτρησης)")),
      other_lines_(tally.kind("παραλείφθηκε 1 γραμμή που δεν είναι εγγραφή FOIF",
                              "παραλείφθηκαν {} γραμμές που δεν είναι εγγραφές FOIF")),
      cut_short_(tally.kind("παραλείφθηκε 1 εγγραφή κομμένη στο τέλος του αρχείου",
                            "παραλείφθηκαν {} εγγραφές κομμένες στο τέλος του αρχείου")),
      on_default_(tally.kind(on_default_one, on_default_many)) {}

bool RecordReader::next(Record& r) {
  while (!lines_.at_end()) {
    const std::string_view line = without_padding(lines_.read_line());
    if (line.empty()) continue;
    last_line_ = line;
    const Where where = lines_.where();
    if (line.size() >= 2 && line[1] == ',') {
      switch (line[0]) {
        case 'A':
          set_up_on_default_ = false;
          [[fallthrough]];
        case 'B':
        case 'C':
        case 'F':
        case 'G':
        case 'H':
          r.letter = line[0];
          r.where = where;
          cut(line, r);
          return true;
        default:
          break;
      }
    }
    pass_over(line, where);
  }
  return false;
}

void RecordReader::pass_over(std::string_view line, const Where& where) {
  if (line.front() == ' ') {
    tally_.count(header_, where);
    return;
  }
  if (line.size() < 2 || line[1] != ',' || line[0] < 'A' || line[0] > 'Z') {
    tally_.count(other_lines_, where);
    return;
  }
  switch (line[0]) {
    case 'D':
      tally_.count(orientation_result_, where);
      break;
    case 'E':
      tally_.count(orientation_adjustment_, where);
      break;
    case 'U':
      tally_.count(code_, where);
      break;
    default: {
      const std::string letter(1, line[0]);
      tally_.count("παραλείφθηκε 1 εγγραφή " + letter + " (άγνωστη)",
                   "παραλείφθηκαν {} εγγραφές " + letter + " (άγνωστες)", where);
    }
  }
}

bool RecordReader::holds(const Record& r, std::size_t last) {
  if (r.closed > last) return true;
  // The line's text before the reader moves on: at_end() may refill the buffer that holds it.
  std::string detail(last_line_);
  if (!lines_.at_end()) throw ConversionError(Fault::line_too_short, r.where, std::move(detail));
  tally_.count(cut_short_, r.where);
  return false;
}

bool RecordReader::on_default(const Record& r) {
  if (!r.names_default()) return false;
  if (!set_up_on_default_) tally_.count(on_default_, r.where);
  set_up_on_default_ = true;
  return true;
}

std::optional<double> angle(std::string_view field, const Where& where) {
  const std::optional<double> half_seconds = number(field, where);
  if (!half_seconds) return std::nullopt;
  if (*half_seconds < 0 || *half_seconds > kCircle)
    throw ConversionError(Fault::out_of_circle, where, std::string(field));
  return *half_seconds / kPerGrad;
}

std::optional<double> length(std::string_view field, const Where& where) {
  return number(field, where);
}

}  // namespace korvath::foif
