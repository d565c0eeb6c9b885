#include "converters/geodimeter/units.hpp"

#include "converters/geodimeter/labels.hpp"
#include "flow/text.hpp"

namespace korvath::geodimeter {
namespace {

bool is_digits(std::string_view text) {
  return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether an angle can be DDD.MMSS: minutes and seconds below 60. Text that is no number says
// nothing about the unit (it stops the conversion where it is used).
bool can_be_dms(std::string_view value) {
  std::string_view text = trim_blanks_and_tabs(value);
  double number = 0;
  if (read_short_decimal(text, number)) {
    // Its digits as written are the digits the conversion splits.
    if (text.front() == '-' || text.front() == '+') text.remove_prefix(1);
    const auto point = text.find('.');
    if (point == std::string_view::npos) return true;
    std::string places(text.substr(point + 1));
    if (places.size() < 4) places.resize(4, '0');
    return places.compare(0, 2, "60") < 0 && places.compare(2, 2, "60") < 0;
  }
  const std::optional<double> parsed = parse_number(text);
  if (!parsed) return true;
  try {
    angle_in_grads(*parsed, AngleUnit::dms, {});
  } catch (const ConversionError&) {
    return false;
  }
  return true;
}

}  // namespace

double number_at(std::string_view value, const Where& where) {
  double number = 0;
  if (read_short_decimal(value, number)) return number;
  if (const std::optional<double> parsed = parse_number(value, where)) return *parsed;
  throw ConversionError(Fault::not_a_number, where, std::string(value));
}

bool Units::declare(std::string_view code, const Where& where) {
  code = trim_blanks_and_tabs(code);
  if (code.size() != 4 || !is_digits(code)) return false;
  const std::string declared = "23=" + std::string(code);
  if (code[2] != '1' && declared != lengths_noted_) {
    lengths_noted_ = declared;
    c_.note(where,
            "μήκη σε «" + declared + "» (τρίτο ψηφίο όχι 1, μέτρα): γράφτηκαν όπως διαβάστηκαν");
  }
  if (!angles_) return true;
  const bool dms = code[3] == '2';
  if (dms && !dms_declared_) c_.note(where, angle_unit_note(declared, AngleUnit::dms));
  dms_declared_ = dms;
  return true;
}

double Units::grads(std::string_view value, const Where& where) {
  const AngleUnit unit = dms_declared_ ? AngleUnit::dms : file_unit(where.file);
  if (unit == AngleUnit::dms)
    if (const std::optional<double> grads = dms_text_in_grads(value)) return *grads;
  const double number = number_at(value, where);
  return unit == AngleUnit::grads ? number : angle_in_grads(number, unit, where);
}

AngleUnit Units::file_unit(std::string_view file) {
  if (file_unit_) return *file_unit_;
  const Where whole_file{file, 0};  // a choice for the whole file
  LineReader in = c_.read_input_lines();
  while (!in.at_end()) {
    const std::optional<Label> label = read_label(in.read_line());
    if (label && is_angle_label(label->number) && !can_be_dms(label->value)) {
      file_unit_ = AngleUnit::grads;
      c_.note(whole_file,
              "γωνίες χωρίς μονάδα στην ετικέτα 23: διαβάστηκαν ως βαθμοί, αφού η γραμμή " +
                  std::to_string(in.where().line) + " (" + std::to_string(label->number) + "=" +
                  std::string(trim_blanks_and_tabs(label->value)) +
                  ") δεν είναι μοίρες, πρώτα, δεύτερα (ΜΜΜ.ΠΠΔΔ)");
      return *file_unit_;
    }
  }
  file_unit_ = AngleUnit::dms;
  c_.note(whole_file,
          "γωνίες χωρίς μονάδα στην ετικέτα 23: διαβάστηκαν ως μοίρες, πρώτα, δεύτερα (ΜΜΜ.ΠΠΔΔ) "
          "και μετατράπηκαν σε βαθμούς, αφού σε όλες τα πρώτα και τα δεύτερα είναι κάτω από 60");
  return *file_unit_;
}

}  // namespace korvath::geodimeter
