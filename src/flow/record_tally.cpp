#include "flow/record_tally.hpp"

#include <algorithm>

#include "flow/conversion.hpp"
#include "flow/text.hpp"

namespace korvath {
namespace {

constexpr std::string_view kLines = "{lines}";
constexpr NoteTexts kOtherKinds{"παραλείφθηκε 1 εγγραφή άλλου είδους",
                                "παραλείφθηκαν {} εγγραφές άλλων ειδών"};

std::string listed(const std::vector<std::uint64_t>& lines, std::size_t most) {
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < most; ++i)
    text += (i ? ", " : "") + std::to_string(lines[i]);
  if (lines.size() > most) text += ", …";
  return text;
}

std::string counted(std::uint64_t count, std::string_view one, std::string_view many) {
  return count == 1 ? std::string(one) : replace_all(many, "{}", std::to_string(count));
}

}  // namespace

std::size_t RecordTally::add(std::string_view one, std::string_view many, bool passed) {
  for (std::size_t i = 0; i < kinds_.size(); ++i)
    if (kinds_[i].many == many) return i;
  const bool lists = many.find(kLines) != std::string_view::npos;
  kinds_.push_back({std::string(one), std::string(many), passed, lists, 0, 0, {}});
  return kinds_.size() - 1;
}

std::size_t RecordTally::kind(std::string_view one, std::string_view many) {
  return add(one, many, false);
}

std::size_t RecordTally::passed_over(std::string_view one, std::string_view many) {
  // A file of another format passes over a kind a line: past a few, the rest share one note.
  const auto passed = std::count_if(kinds_.begin(), kinds_.end(), [](const Kind& k) {
    return k.passed && k.many != kOtherKinds.many;
  });
  const bool known =
      std::any_of(kinds_.begin(), kinds_.end(), [many](const Kind& k) { return k.many == many; });
  if (!known && passed >= static_cast<std::ptrdiff_t>(kMostKinds))
    return add(kOtherKinds.one, kOtherKinds.many, true);
  return add(one, many, true);
}

void RecordTally::report(Conversion& c, std::string_view file) const {
  std::vector<const Kind*> noted;
  std::uint64_t passed = 0;
  for (const Kind& k : kinds_) {
    if (k.count == 0) continue;
    noted.push_back(&k);
    if (k.passed) passed += k.count;
  }
  std::stable_sort(noted.begin(), noted.end(),
                   [](const Kind* a, const Kind* b) { return a->first < b->first; });
  for (const Kind* k : noted) {
    std::string text = counted(k->count, k->one, k->many);
    if (k->lists) text = replace_all(text, kLines, listed(k->lines, kListed));
    c.note(Where{file, k->first}, std::move(text));
  }
  if (passed == 0) return;
  const std::uint64_t written = c.lines_written();
  const std::uint64_t read = written + set_ups_ + passed;
  c.note(Where{file, 0}, counted(read, "διαβάστηκε 1 εγγραφή", "διαβάστηκαν {} εγγραφές") + ": " +
                             counted(written, "1 γράφτηκε", "{} γράφτηκαν") + ", " +
                             counted(set_ups_, "1 όρισε στάση", "{} όρισαν στάσεις") + ", " +
                             counted(passed, "1 παραλείφθηκε", "{} παραλείφθηκαν"));
}

}  // namespace korvath
