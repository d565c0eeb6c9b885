#include "flow/report.hpp"

namespace korvath {
namespace {

constexpr std::size_t kQuotedBytes = 40;

std::string_view cause(Fault fault) {
  switch (fault) {
    case Fault::cancelled:
      return "ο διάλογος ακυρώθηκε";
    case Fault::cannot_open:
      return "δεν ανοίγει για ανάγνωση";
    case Fault::cannot_create:
      return "δεν μπορεί να δημιουργηθεί ή να ανοιχτεί για εγγραφή";
    case Fault::read_past_end:
      return "το αρχείο τελειώνει στη μέση μιας εγγραφής";
    case Fault::not_a_number:
      return "η τιμή δεν είναι αριθμός";
    case Fault::number_too_large:
      return "ο αριθμός είναι πολύ μεγάλος";
    case Fault::not_an_angle:
      return "η τιμή δεν είναι γωνία (πρώτα ή δεύτερα 60 ή περισσότερα)";
    case Fault::out_of_circle:
      return "η γωνία είναι έξω από τον κύκλο";
    case Fault::line_too_long:
      return "η γραμμή είναι πολύ μεγάλη";
    case Fault::line_too_short:
      return "η γραμμή είναι πολύ μικρή";
    case Fault::bad_field:
      return "μη έγκυρη θέση πεδίου";
    case Fault::too_many_values:
      return "πάρα πολλές τιμές στην εγγραφή";
    case Fault::write_failed:
      return "αποτυχία εγγραφής";
    case Fault::unknown_unit:
      return "άγνωστη μονάδα για αυτή την τιμή";
    case Fault::stream_too_large:
      return "η σωλήνωση δίνει πάνω από 2 GiB, πολύ περισσότερα από κάθε λήψη οργάνου";
    case Fault::interrupted:
      return "η μετατροπή διακόπηκε";
    case Fault::other:
      return "σφάλμα αρχείου";
  }
  return "σφάλμα";
}

// A file fault carries the system's reason, in the user's language; the others the input's text.
bool detail_is_input(Fault fault) {
  return fault != Fault::cannot_open && fault != Fault::cannot_create &&
         fault != Fault::write_failed && fault != Fault::other && fault != Fault::interrupted;
}

void append_escaped(std::string& to, unsigned char byte) {
  constexpr char kHex[] = "0123456789ABCDEF";
  to += "\\x";
  to += kHex[byte >> 4];
  to += kHex[byte & 0xF];
}

// "«file»: γραμμή N: " with only the parts known.
std::string place(std::string_view file, std::uint64_t line) {
  std::string text;
  if (!file.empty()) text += "«" + on_one_line(file) + "»: ";
  if (line != 0) text += "γραμμή " + std::to_string(line) + ": ";
  return text;
}

}  // namespace

std::string on_one_line(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      append_escaped(shown, byte);
    else
      shown += c;
  }
  return shown;
}

std::string quoted_text(std::string_view text) {
  std::string quoted;
  for (const char c : text.substr(0, kQuotedBytes)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F)
      append_escaped(quoted, byte);
    else
      quoted += c;
  }
  if (text.size() > kQuotedBytes) quoted += "…";
  return quoted;
}

std::string failure_line(const ConversionError& error) {
  // A download that ends inside a record stopped in the middle of its transfer.
  if (error.fault() == Fault::read_past_end) {
    std::string line = place(error.file(), 0) + "η λήψη μοιάζει κομμένη";
    if (error.line() != 0) line += " στη γραμμή " + std::to_string(error.line());
    return line + " (" + std::string(cause(error.fault())) + "): κατεβάστε την ξανά από το όργανο";
  }
  std::string line = place(error.file(), error.line()) + std::string(cause(error.fault()));
  if (error.detail().empty()) return line;
  if (detail_is_input(error.fault())) return line + " («" + quoted_text(error.detail()) + "»)";
  return line + " (" + on_one_line(error.detail()) + ")";
}

std::string count_text(std::uint64_t count, Count style) {
  std::string digits = std::to_string(count);
  if (style == Count::grouped)
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ".");
  return digits;
}

std::string left_line(const WrittenFile& file, Count style) {
  const std::string name = "«" + on_one_line(file.path) + "»";
  if (file.lines == 0) return name + " έμεινε κενό";
  if (file.lines == 1) return name + " κρατά 1 γραμμή, γραμμένη πριν από το σφάλμα";
  return name + " κρατά " + count_text(file.lines, style) +
         " γραμμές, γραμμένες πριν από το σφάλμα";
}

std::string failure_text(const Outcome& outcome) {
  if (outcome.empty_input) return std::string(kEmptyInput);
  return failure_line(*outcome.error);
}

std::string failure_details(const Outcome& outcome) {
  std::string details;
  // An empty input ends any record it was asked for: no cut-off to speak of.
  if (outcome.empty_input && outcome.error->fault() != Fault::read_past_end)
    details += failure_line(*outcome.error) + '\n';
  if (outcome.fit_warning) details += on_one_line(*outcome.fit_warning) + '\n';
  for (const WrittenFile& file : outcome.left) details += left_line(file, Count::grouped) + '\n';
  if (!details.empty()) details.pop_back();
  return details;
}

std::string note_line(const Note& note) {
  return place(note.file, note.line) + on_one_line(note.text);
}

std::string written_line(const WrittenFile& file, Count style) {
  return on_one_line(file.path) + ": " + count_text(file.lines, style) +
         (file.lines == 1 ? " γραμμή" : " γραμμές");
}

std::string nothing_written_line(const Outcome& outcome) {
  if (!outcome.looks_like) return "Δεν γράφτηκε καμία γραμμή.";
  return "Δεν γράφτηκε καμία γραμμή· το αρχείο μοιάζει με " + *outcome.looks_like + ".";
}

std::string success_details(const Outcome& outcome) {
  std::string details;
  if (outcome.empty_input) details += std::string(kEmptyInput) + '\n';
  if (outcome.fit_warning) details += on_one_line(*outcome.fit_warning) + '\n';
  if (wrote_nothing(outcome)) details += nothing_written_line(outcome) + '\n';
  for (const WrittenFile& file : outcome.written)
    details += written_line(file, Count::grouped) + '\n';
  for (const Note& note : outcome.notes) details += note_line(note) + '\n';
  if (!details.empty()) details.pop_back();
  return details;
}

}  // namespace korvath
