#include "converters/sokkia/sdr_records.hpp"

#include <utility>

#include "converters/sokkia/sokkia.hpp"
#include "flow/signature.hpp"
#include "flow/text.hpp"
#include "formats/field_book.hpp"

namespace korvath::sokkia {
namespace {

constexpr long kFieldWidth = 16;
constexpr std::size_t kAngleUnitColumn = 41, kDistanceUnitColumn = 42;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// What each record type holds, for the notes on what was passed over.
std::string_view type_label(std::string_view type) {
  constexpr std::pair<std::string_view, std::string_view> kLabels[] = {
      {"00", " (κεφαλίδα)"},
      {"01", " (όργανο)"},
      {"02", " (στάση)"},
      {"03", " (ύψος στόχου)"},
      {"06", " (συντελεστής κλίμακας)"},
      {"07", " (πίσω σκόπευση)"},
      {"08", " (συντεταγμένες)"},
      {"09", " (μέτρηση)"},
      {"10", " (εργασία)"},
      {"13", " (σημειώσεις)"}};
  for (const auto& [key, label] : kLabels)
    if (key == type) return label;
  return {};
}

}  // namespace

Header read_header(std::string_view line) {
  Header header;
  if (!line.starts_with("00NM") || field(line, 5, 5) != "SDR33") {
    header.refusal = line.starts_with("00NM") && field(line, 5, 4) == "SDR2"
                         ? "κεφαλίδα SDR2x: η εντολή διαβάζει μόνο αρχεία SDR33"
                         : "δεν είναι κεφαλίδα SDR33 (00NM και SDR33 στις στήλες 5–9)";
    return header;
  }
  if (line.size() < kDistanceUnitColumn) {
    header.refusal = "η κεφαλίδα τελειώνει πριν από τις μονάδες των στηλών 41 και 42";
    return header;
  }
  header.angle_digit = line[kAngleUnitColumn - 1];
  switch (header.angle_digit) {
    case '1':
      header.angles = AngleUnit::degrees;
      break;
    case '2':
      header.angles = AngleUnit::grads;
      break;
    case '4':
      header.angles = AngleUnit::mils;
      break;
    default:
      header.refusal = "μονάδα γωνιών «" + std::string(1, header.angle_digit) +
                       "» στη στήλη 41· η εντολή δέχεται 1 (μοίρες), 2 (βαθμοί) και 4 (mil)";
      return header;
  }
  const char distance = line[kDistanceUnitColumn - 1];
  if (distance != '1' && distance != '2')
    header.refusal = "μονάδα μηκών «" + std::string(1, distance) +
                     "» στη στήλη 42· η εντολή δέχεται 1 (μέτρα) και 2 (πόδια)";
  header.feet = distance == '2';
  return header;
}

bool is_framing(std::string_view line) {
  if (line == "\x02") return true;
  if (!line.starts_with('\x03')) return false;
  for (const char c : line.substr(1))
    if (!is_digit(c)) return false;
  return true;
}

bool is_record(std::string_view line) {
  const auto code = [](char c) { return is_digit(c) || (c >= 'A' && c <= 'Z'); };
  return line.size() >= 4 && is_digit(line[0]) && is_digit(line[1]) && code(line[2]) &&
         code(line[3]);
}

std::optional<Rejection> validate_sdr33(const std::string& input_path) {
  LineReader in(input_path);
  in.skip_marks_around_text();
  while (!in.at_end()) {
    const std::string_view line = in.read_line();
    if (is_blank_line(line) || is_framing(line)) continue;
    Header header = read_header(line);
    if (header.refusal.empty()) return std::nullopt;
    return Rejection{in.own_line(), std::move(header.refusal)};
  }
  return std::nullopt;
}

SdrRecords::SdrRecords(Conversion& c, RecordTally& tally)
    : c_(c), tally_(tally), in_(c.read_input_lines()), to_metres_(c) {
  while (!in_.at_end()) {
    const std::string_view line = in_.read_line();
    if (is_blank_line(line) || is_framing(line)) continue;
    header_ = read_header(line);
    // The flow has refused such a file already; one changed since is refused here.
    if (!header_.refusal.empty()) throw ConversionError(Fault::other, where(), header_.refusal);
    return;
  }
}

bool SdrRecords::next() {
  while (!in_.at_end()) {
    record_ = in_.read_line();
    if (!is_blank_line(record_) && !is_framing(record_)) return true;
  }
  record_ = {};
  return false;
}

std::string_view SdrRecords::text(long column) const {
  return trim(field(record_, column, kFieldWidth));
}

Value SdrRecords::name(long column) const {
  return point_name(field(record_, column, kFieldWidth));
}

std::optional<double> SdrRecords::number(long column) const {
  const std::string_view digits = text(column);
  if (digits.empty()) return std::nullopt;
  double value = 0;
  if (read_short_decimal(digits, value)) return value;
  if (const auto number = parse_number(digits, where())) return number;
  throw ConversionError(Fault::not_a_number, where(), std::string(digits));
}

std::optional<double> SdrRecords::length(long column) {
  const auto value = number(column);
  if (!value || !header_.feet) return value;
  return to_metres_(*value, where());
}

std::optional<double> SdrRecords::angle(long column) {
  const auto value = number(column);
  if (!value || header_.angles == AngleUnit::grads) return value;
  if (!angles_noted_) {
    angles_noted_ = true;
    c_.note(where(), angle_unit_note(std::string("SDR33 ") + header_.angle_digit, header_.angles));
  }
  return angle_in_grads(*value, header_.angles, where());
}

void SdrRecords::pass_over() {
  if (!is_record(record_)) {
    if (not_records_ == 0)
      not_records_ = 1 + tally_.kind("παραλείφθηκε 1 γραμμή που δεν είναι εγγραφή SDR33",
                                     "παραλείφθηκαν {} γραμμές που δεν είναι εγγραφές SDR33");
    tally_.count(not_records_ - 1, where());
    return;
  }
  std::size_t& kind = kinds_[static_cast<std::size_t>((record_[0] - '0') * 10 + record_[1] - '0')];
  if (kind == 0) {
    const std::string type(record_.substr(0, 2));
    const std::string_view label = type_label(type);
    kind = 1 + tally_.kind("παραλείφθηκε 1 εγγραφή " + type + std::string(label),
                           "παραλείφθηκαν {} εγγραφές " + type + std::string(label));
  }
  tally_.count(kind - 1, where());
}

}  // namespace korvath::sokkia
