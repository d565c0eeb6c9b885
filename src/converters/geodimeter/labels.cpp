#include "converters/geodimeter/labels.hpp"

#include <string>

#include "flow/signature.hpp"
#include "flow/text.hpp"

namespace korvath::geodimeter {
namespace {

bool starts_block(int number) {
  return number == kStation || number == kPoint || number == kReference;
}

// What a label holds, in the user's words; empty for a label of no meaning known here.
std::string_view meaning(int label) {
  switch (label) {
    case 0:
      return "κείμενο";
    case kStation:
      return "στάση";
    case kInstrumentHeight:
      return "ύψος οργάνου";
    case 4:
      return "κωδικός";
    case kPoint:
      return "σημείο";
    case kTargetHeight:
      return "ύψος στόχου";
    case kReading:
      return "οριζόντια ανάγνωση";
    case kZenith:
      return "κατακόρυφη γωνία";
    case kSlope:
      return "κεκλιμένη απόσταση";
    case 10:
      return "υψομετρική διαφορά";
    case kHorizontal:
      return "οριζόντια απόσταση";
    case kReadingII:
      return "οριζόντια ανάγνωση β΄ θέσης";
    case kZenithII:
      return "κατακόρυφη γωνία β΄ θέσης";
    case kOrientation:
      return "ανάγνωση αναφοράς";
    case kUnits:
      return "μονάδες";
    case kReadingI:
      return "οριζόντια ανάγνωση α΄ θέσης";
    case kZenithI:
      return "κατακόρυφη γωνία α΄ θέσης";
    case kNorth:
      return "συντεταγμένη N";
    case kEast:
      return "συντεταγμένη E";
    case kElevation:
      return "υψόμετρο";
    case 46:
      return "ποιότητα";
    case kReference:
      return "σημείο αναφοράς";
    default:
      return label >= 50 && label <= 56 ? "στοιχεία εργασίας" : "";
  }
}

std::string_view reason(int label, Why why) {
  switch (why) {
    case Why::unused:
      return meaning(label);
    case Why::repeated:
      return "ξανά στο ίδιο μπλοκ";
    case Why::no_reading:
      return "σημείο χωρίς οριζόντια ανάγνωση";
    case Why::no_orientation:
      return "σημείο αναφοράς χωρίς ανάγνωση αναφοράς 21";
    case Why::outside_reference:
      return "ανάγνωση αναφοράς έξω από μπλοκ 62";
    case Why::no_coordinates:
      return "χωρίς συντεταγμένες 37 ή 38";
  }
  return {};
}

}  // namespace

std::optional<Label> read_label(std::string_view line) {
  int number = 0;
  std::size_t at = 0;
  for (; at < line.size() && at < 4; ++at) {
    const auto digit = static_cast<unsigned char>(line[at] - '0');
    if (digit > 9) break;
    number = number * 10 + digit;
  }
  if (at == 0 || at > 3 || at == line.size() || line[at] != '=') return std::nullopt;
  return Label{number, line.substr(at + 1)};
}

bool is_angle_label(int number) {
  return number == kReading || number == kZenith || number == kReadingII || number == kZenithII ||
         number == kOrientation || number == kReadingI || number == kZenithI;
}

void PassedOver::count(int label, std::uint64_t line, Why why) {
  const auto why_index = static_cast<std::size_t>(why);
  std::size_t* kind = nullptr;
  if (label < kKeptLabels) {
    kind = &kinds_[static_cast<std::size_t>(label) * kReasons + why_index];
  } else {
    const auto key = static_cast<std::size_t>(label) * kReasons + why_index;
    kind = &other_kinds_.try_emplace(key, kNone).first->second;
  }
  if (*kind == kNone) {
    const std::string number = std::to_string(label);
    const std::string_view because = reason(label, why);
    const std::string after = because.empty() ? "" : " (" + std::string(because) + ")";
    *kind = tally_.kind("παραλείφθηκε 1 ετικέτα " + number + after,
                        "παραλείφθηκαν {} ετικέτες " + number + after);
  }
  tally_.count(*kind, Where{{}, line});
}

void PassedOver::not_a_label(std::uint64_t line) {
  tally_.count("παραλείφθηκε 1 γραμμή χωρίς ετικέτα «αριθμός=»",
               "παραλείφθηκαν {} γραμμές χωρίς ετικέτα «αριθμός=»", Where{{}, line});
}

BlockReader::BlockReader(LineReader& in, std::uint64_t kept, PassedOver& passed, Units& units)
    : in_(in), kept_(kept), passed_(passed), units_(units) {}

bool BlockReader::next(Block& block) {
  if (started_ && !next_kind_) return false;
  block.given_ = 0;
  if (next_kind_) {
    block.kind_ = *next_kind_;
    block.name_.swap(next_name_);
    block.name_line_ = next_line_;
  } else {
    block.kind_ = 0;
    block.name_.clear();
    block.name_line_ = 0;
  }
  started_ = true;
  next_kind_.reset();
  while (!in_.at_end()) {
    const std::string_view line = in_.read_line();
    const std::optional<Label> label = read_label(line);
    if (!label) {
      if (!is_blank_line(line)) passed_.not_a_label(in_.where().line);
      continue;
    }
    if (starts_block(label->number)) {
      next_kind_ = label->number;
      next_name_.assign(label->value);
      next_line_ = in_.where().line;
      // Labels before the first block make a block of their own; without any, the file
      // starts with its first block.
      if (block.kind_ != 0 || block.given_ != 0) return true;
      return next(block);
    }
    keep(block, *label);
  }
  return block.kind_ != 0 || block.given_ != 0;
}

void BlockReader::keep(Block& block, const Label& label) {
  const std::uint64_t line = in_.where().line;
  if (label.number == kUnits && units_.declare(label.value, in_.where())) return;
  if (label.number >= kKeptLabels || (kept_ >> label.number & 1U) == 0) {
    passed_.count(label.number, line);
    return;
  }
  if (block.has(label.number)) {
    passed_.count(label.number, line, Why::repeated);
    return;
  }
  // An empty value gives nothing, as if the label were not there.
  if (trim_blanks_and_tabs(label.value).empty()) return;
  const auto at = static_cast<std::size_t>(label.number);
  block.values_[at].assign(label.value);
  block.lines_[at] = line;
  block.given_ |= std::uint64_t{1} << label.number;
}

}  // namespace korvath::geodimeter
