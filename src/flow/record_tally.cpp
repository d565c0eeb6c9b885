#include "flow/record_tally.hpp"

#include <algorithm>

#include "flow/conversion.hpp"
#include "flow/text.hpp"

namespace korvath {

std::size_t RecordTally::kind(std::string_view one, std::string_view many) {
  for (std::size_t i = 0; i < kinds_.size(); ++i)
    if (kinds_[i].many == many) return i;
  kinds_.push_back({std::string(one), std::string(many)});
  return kinds_.size() - 1;
}

void RecordTally::report(Conversion& c, std::string_view file) const {
  std::vector<const Kind*> counted;
  for (const Kind& k : kinds_)
    if (k.count > 0) counted.push_back(&k);
  std::stable_sort(counted.begin(), counted.end(),
                   [](const Kind* a, const Kind* b) { return a->first < b->first; });
  for (const Kind* k : counted) {
    const std::string text =
        k->count == 1 ? k->one : replace_all(k->many, "{}", std::to_string(k->count));
    c.note(Where{file, k->first}, text);
  }
}

}  // namespace korvath
