#include "converters/leica/gsi_words.hpp"

#include <charconv>
#include <string>

#include "formats/field_book.hpp"

namespace korvath::leica {
namespace {

constexpr std::size_t kHead = 7;  // word index, information, sign
constexpr std::size_t kData = 8, kLongData = 16;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// What a word the commands pass over held, for the user's note.
std::string_view meaning(int wi) {
  if (wi >= 42 && wi <= 49) return " (πληροφορίες κωδικού)";
  if (wi >= 71 && wi <= 79) return " (σχόλια)";
  if (wi >= 81 && wi <= 83) return " (συντεταγμένες σημείου)";
  if (wi >= 84 && wi <= 86) return " (συντεταγμένες στάσης)";
  switch (wi) {
    case 11:
      return " (όνομα σημείου)";
    case 21:
      return " (οριζόντια γωνία)";
    case 22:
      return " (κατακόρυφη γωνία)";
    case 25:
      return " (προσανατολισμός)";
    case 31:
      return " (κεκλιμένη απόσταση)";
    case 32:
      return " (οριζόντια απόσταση)";
    case 33:
      return " (υψομετρική διαφορά)";
    case 41:
      return " (κωδικός)";
    case 51:
      return " (ppm και σταθερά πρίσματος)";
    case 87:
      return " (ύψος στόχου)";
    case 88:
      return " (ύψος οργάνου)";
    default:
      return "";
  }
}

}  // namespace

std::int64_t GsiWord::digits(const Where& where) const {
  std::int64_t value = 0;
  const char* const end = data.data() + data.size();
  const auto [stop, error] = std::from_chars(data.data(), end, value);
  if (error != std::errc() || stop != end || data.front() == '-')
    throw ConversionError(Fault::not_a_number, where, std::string(text));
  return negative ? -value : value;
}

bool GsiLine::read(std::string_view line) {
  present_.each_not_in(WordSet{}, [this](int wi) { counts_[static_cast<std::size_t>(wi)] = 0; });
  present_.clear();
  std::size_t at = 0, data = kData;
  if (line.starts_with('*')) {
    at = 1;
    data = kLongData;
  }
  const std::size_t size = kHead + data;
  for (;;) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (at == line.size()) break;
    if (line.size() - at < size) return false;
    const std::string_view text = line.substr(at, size);
    // Instruments fill the data with "0" or "-": a blank in it is a word cut short.
    if (!is_digit(text[0]) || !is_digit(text[1]) || (text[6] != '+' && text[6] != '-') ||
        text.find(' ', kHead) != std::string_view::npos)
      return false;
    at += size;
    if (at < line.size() && line[at] != ' ') return false;
    const int wi = (text[0] - '0') * 10 + (text[1] - '0');
    const auto slot = static_cast<std::size_t>(wi);
    words_[slot] = {text, text.substr(kHead), text[6] == '-'};
    if (counts_[slot] < 255) ++counts_[slot];
    present_.add(wi);
  }
  return true;
}

GsiRecord GsiLine::record(const Where& where) const {
  if (has(41)) {
    const GsiWord& code = word(41);
    if (code.dashed()) return GsiRecord::code_block;
    const std::int64_t number = code.digits(where);
    return number == 2 || number == 21 ? GsiRecord::code_set_up : GsiRecord::code_block;
  }
  if (has(21)) return GsiRecord::observation;
  if (present_.any_of({84, 85, 86, 88})) return GsiRecord::set_up;
  if (present_.any_of({81, 82, 83})) return GsiRecord::coordinates;
  return GsiRecord::other;
}

Value GsiLine::name(int wi) const {
  if (!has(wi)) return text("");
  const std::string_view data = word(wi).data;
  const std::size_t first = data.find_first_not_of('0');
  return point_name(first == std::string_view::npos ? std::string_view("0") : data.substr(first));
}

void PassedWords::count(const GsiLine& line, const WordSet& used, const Where& where) {
  line.present().each_not_in(used, [&](int wi) {
    std::size_t& kind = kinds_[static_cast<std::size_t>(wi)];
    if (kind == kNone) {
      const std::string index = (wi < 10 ? "0" : "") + std::to_string(wi);
      const std::string_view what = meaning(wi);
      kind = tally_.kind("παραλείφθηκε 1 λέξη " + index + std::string(what),
                         "παραλείφθηκαν {} λέξεις " + index + std::string(what));
    }
    for (int n = line.count(wi); n > 0; --n) tally_.count(kind, where);
  });
}

}  // namespace korvath::leica
