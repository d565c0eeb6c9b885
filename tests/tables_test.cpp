// Runs the rows of tests/tables/*.table (support/case_file.hpp): "kind | argument... | expected".
// Each kind below calls the code with the row's arguments and gives its result as text; a
// ConversionError gives "!fault@line" (arguments that take a place are read at line 7).
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/number_text.hpp"
#include "flow/overwrite.hpp"
#include "flow/readers.hpp"
#include "flow/report.hpp"
#include "flow/signature.hpp"
#include "flow/text.hpp"
#include "formats/angle_unit.hpp"
#include "formats/observation.hpp"
#include "platform/rich_text_box.hpp"
#include "support/case_file.hpp"
#include "support/convert.hpp"
#include "support/files.hpp"

namespace korvath::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
constexpr Where kAt{"in.dat", 7};

std::string shortest(double value) {
  char text[32];
  return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

double number(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

// A file of the given bytes, rewritten for each row.
std::string file_of(const std::string& bytes) {
  static const TempDir dir;
  write_file(dir / "row", bytes);
  return dir / "row";
}

// An item as the tables show it: "()" empty, "\"12\"" text, "( 12 )" a number as written.
std::string shown(const Value& v) {
  if (is_text(v)) return '"' + std::get<std::string>(v) + '"';
  std::string out = "(";
  append_value(out, v);
  return out + ")";
}

Value value(const std::string& item) {
  ItemReader in(file_of(item + "\r\n"));
  return in.read_item();
}

// Every line or item the reader gives, then what it threw, if anything.
template <typename Reader, typename Read>
std::string read_all(const std::string& bytes, Read read) {
  Reader in(file_of(bytes));
  std::string out;
  try {
    while (!in.at_end()) out += (out.empty() ? "" : " ") + read(in);
  } catch (const ConversionError& e) {
    out += (out.empty() ? "!" : " !") + std::string(fault_name(e.fault())) + "@" +
           std::to_string(e.line());
  }
  return out;
}

// The commands a file fits, best first, and why: "id" (the evidence) or "id: evidence".
std::string ids_of(const std::vector<Detection>& fits, bool evidence = false) {
  std::string ids;
  for (const Detection& d : fits)
    ids += (ids.empty() ? "" : " ") + std::string(d.command->id) +
           (evidence                 ? ": " + d.fit.evidence
            : d.fit.evidence.empty() ? "(no evidence)"
                                     : "");
  return ids;
}

std::string fitting(const std::string& file) {
  const fs::path path = fs::path(KORVATH_EXAMPLES) / ".." / file;
  if (!fs::exists(path)) return "<skip>";
  const std::string ids = ids_of(rank_commands(read_prefix(path.string())));
  const std::optional<Detection> best = best_fit(path.string());
  return ids.empty() == !best && (!best || ids.starts_with(best->command->id)) ? ids : "<best_fit>";
}

// The commands other than the example's own under which the example converts without the
// warning that it does not fit: none, when every wrong choice fails or is told so.
std::string unwarned(const std::string& file) {
  const std::string bytes = read_file(fs::path(KORVATH_EXAMPLES) / ".." / file);
  const std::string own = fs::path(file).stem().string();
  std::string ids;
  for (const ConversionCommand& command : catalogue()) {
    if (!command.convert || command.id == own) continue;
    const Converted out = convert_bytes(command.id, bytes, detector_advice());
    if (out.status == Outcome::Status::converted && !out.fit_warning)
      ids += (ids.empty() ? "" : " ") + std::string(command.id);
  }
  return ids;
}

// Every command a file fits, best first, each on a line: "id score: evidence".
std::string evidence(const std::string& file) {
  std::string out;
  for (const Detection& d : rank_commands(read_prefix(KORVATH_EXAMPLES "/../" + file)))
    out += std::string(d.command->id) + " " + std::to_string(d.fit.score) + ": " + d.fit.evidence +
           "\n";
  return out;
}

std::string better(const std::string& file, const std::string& chosen) {
  const auto fit = better_fit(KORVATH_EXAMPLES "/../" + file, *find_command(chosen));
  return fit ? std::string(fit->command->id) : "";
}

const std::map<std::string_view, std::function<std::string(const Args&)>> kKinds = {
    {"bare", [](const Args& a) { return bare_number(number(a[1])); }},
    {"fixed", [](const Args& a) { return format_fixed(number(a[1]), std::stoi(a[2])); }},
    {"integer", [](const Args& a) { return format_integer(number(a[1])); }},
    {"fixed-value", [](const Args& a) { return format_fixed(value(a[1]), std::stoi(a[2])); }},
    {"integer-value", [](const Args& a) { return format_integer(value(a[1])); }},
    {"as-number", [](const Args& a) { return shortest(as_number(value(a[1]), kAt)); }},
    {"equals", [](const Args& a) { return equals_text(value(a[1]), a[2]) ? "yes" : "no"; }},
    {"station-target",
     [](const Args& a) { return is_station_target(value(a[1]), kAt) ? "yes" : "no"; }},
    {"reduce",
     [](const Args& a) { return shortest(reduce_to_backsight(number(a[1]), number(a[2]), kAt)); }},
    {"read-number", [](const Args& a) { return shortest(read_number(a[1], kAt)); }},
    {"parse-number",
     [](const Args& a) {
       const auto n = parse_number(a[1], kAt);
       return n ? shortest(*n) : "none";
     }},
    {"field",
     [](const Args& a) {
       return std::string(a.size() == 5 ? field(a[1], std::stol(a[2]), std::stol(a[3]), kAt)
                                        : field(a[1], std::stol(a[2]), kAt));
     }},
    {"trim", [](const Args& a) { return std::string(trim(a[1])); }},
    {"trim-tabs", [](const Args& a) { return std::string(trim_blanks_and_tabs(a[1])); }},
    {"replace-all", [](const Args& a) { return replace_all(a[1], a[2], a[3]); }},
    {"output-name", [](const Args& a) { return output_name(a[1], a[2]); }},
    {"odr-name", [](const Args& a) { return odr_name(a[1]); }},
    {"quoted", [](const Args& a) { return quoted_text(a[1]); }},
    {"lines",
     [](const Args& a) {
       return read_all<LineReader>(
           a[1], [](LineReader& in) { return '[' + std::string(in.read_line()) + ']'; });
     }},
    {"items",
     [](const Args& a) {
       return read_all<ItemReader>(a[1], [](ItemReader& in) { return shown(in.read_item()); });
     }},
    {"item-lines",
     [](const Args& a) {
       return read_all<ItemReader>(a[1], [](ItemReader& in) {
         in.read_item();
         return std::to_string(in.where().line);
       });
     }},
    {"skipped-lines",
     [](const Args& a) {
       return read_all<ItemReader>(a[1], [](ItemReader& in) {
         in.skip_item();
         return std::to_string(in.where().line);
       });
     }},
    {"rich-text",
     [](const Args& a) {
       RichTextBox rt1;
       rt1.Text(a[1]);
       return rt1.TextRTF();
     }},
    {"dms-text",
     [](const Args& a) -> std::string {
       const std::optional<double> grads = dms_text_in_grads(a[1]);
       if (!grads) return "none";
       const double read = angle_in_grads(number(a[1]), AngleUnit::dms, kAt);
       const bool same = *grads == read && std::signbit(*grads) == std::signbit(read);
       return shortest(*grads) + (same ? "" : " (as a number: " + shortest(read) + ")");
     }},
    {"recognised",
     [](const Args& a) {
       const Tally lines{.seen = std::stoi(a[2]), .matched = std::stoi(a[1])};
       return recognised(lines, a[3] == "needed") ? "yes" : "no";
     }},
    {"is-angle", [](const Args& a) { return is_angle(a[1]) ? "yes" : "no"; }},
    {"detect", [](const Args& a) { return fitting(a[1]); }},
    {"evidence", [](const Args& a) { return evidence(a[1]); }},
    {"fits", [](const Args& a) { return ids_of(rank_commands(Prefix::of(a[1], true))); }},
    {"near-miss", [](const Args& a) { return ids_of(near_misses(Prefix::of(a[1], true)), true); }},
    {"better-fit", [](const Args& a) { return better(a[1], a[2]); }},
    {"wrong-command", [](const Args& a) { return unwarned(a[1]); }},
};

TEST(Tables, EveryRowGivesItsExpectedText) {
  for (const auto& entry : fs::directory_iterator(fs::path(KORVATH_CASES) / ".." / "tables")) {
    for (const TableRow& row : read_table(entry.path())) {
      const auto kind = kKinds.find(row.fields.at(0));
      ASSERT_TRUE(row.fields.size() >= 3 && kind != kKinds.end()) << row.where;
      std::string got;
      try {
        got = kind->second(row.fields);
      } catch (const ConversionError& e) {
        got = "!" + std::string(fault_name(e.fault())) + "@" + std::to_string(e.line());
      }
      EXPECT_EQ(spelt(got), spelt(got == "<skip>" ? got : row.fields.back())) << row.where;
    }
  }
}

}  // namespace
}  // namespace korvath::test
