#include "support/case_file.hpp"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "flow/signature.hpp"
#include "support/files.hpp"

namespace korvath::test {
namespace {

std::optional<Fault> fault_named(std::string_view name) {
  for (int f = 0; f <= static_cast<int>(Fault::other); ++f)
    if (fault_name(static_cast<Fault>(f)) == name) return static_cast<Fault>(f);
  return std::nullopt;
}

}  // namespace

std::string test_name(std::string_view stem) {
  std::string name;
  bool upper = true;
  for (const char c : stem) {
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      upper = true;
    } else {
      name.push_back(upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c);
      upper = false;
    }
  }
  return name;
}

namespace {

// The escapes a case file spells bytes with, besides \xHH, and the bytes they stand for.
constexpr std::string_view kEscapes = "rnt\\", kEscaped = "\r\n\t\\";

bool is_hex(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The bytes a body line spells; false for a raw tab, a trailing blank or a bad escape.
bool unescape(std::string_view line, std::string& out) {
  if (line.find('\t') != std::string_view::npos || line.ends_with(' ')) return false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\') {
      out.push_back(line[i]);
      continue;
    }
    if (++i == line.size()) return false;  // a backslash at the end of the line
    if (const std::size_t k = kEscapes.find(line[i]); k != std::string_view::npos) {
      out.push_back(kEscaped[k]);
    } else if (line[i] == 'x' && i + 2 < line.size() && is_hex(line[i + 1]) &&
               is_hex(line[i + 2])) {
      out.push_back(static_cast<char>(std::stoi(std::string(line.substr(i + 1, 2)), nullptr, 16)));
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string spelt(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const bool last_of_line =
        c == '\n' || (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    if (const std::size_t k = kEscaped.find(bytes[i]); k != std::string_view::npos) {
      out += '\\';
      out += kEscapes[k];
    } else if (c < 0x20 || c == 0x7F || (c == ' ' && i + 1 == bytes.size()) ||
               (c == '#' && (out.empty() || out.back() == '\n'))) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out.push_back(static_cast<char>(c));
    }
    if (last_of_line) out.push_back('\n');
  }
  if (!out.empty() && out.back() != '\n') out.push_back('\n');
  return out;
}

CaseFile read_case(const std::filesystem::path& path) {
  CaseFile c;
  c.command = path.parent_path().filename().string();
  c.name = test_name(c.command + "-" + path.stem().string());
  std::istringstream in(read_file(path));
  std::string* body = nullptr;
  std::vector<std::string>* list = nullptr;  // the lines of the notes or the written files
  std::uint64_t number = 0;
  const auto fail = [&](std::string_view why) {
    throw std::runtime_error(path.string() + ":" + std::to_string(number) + ": " +
                             std::string(why));
  };
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line.starts_with('#')) continue;
    if (line.starts_with("== ")) {
      const std::vector<std::string_view> words = split(std::string_view(line).substr(3), ' ');
      body = nullptr;
      list = nullptr;
      if (words[0] == "input") {
        body = &c.input;
      } else if (words[0] == "notes") {
        list = &c.notes;
      } else if (words[0] == "written") {
        list = &c.written.emplace();
      } else if (words[0] == "invalid") {
        c.invalid = true;
      } else if (words[0] == "fault") {
        if (words.size() != 4 || !(c.fault = fault_named(words[1])))
          fail("== fault NAME FILE LINE");
        c.fault_file = words[2];
        c.fault_line = std::stoull(std::string(words[3]));
      } else if (words.size() == 1 && c.files.count(std::string(words[0])) == 0) {
        body = &c.files[std::string(words[0])];
      } else {
        fail("a section named twice, or a name with a blank");
      }
    } else if (list) {
      list->push_back(line);
    } else if (!body || !unescape(line, *body)) {
      fail("bytes outside a section, a raw tab, a trailing blank or a bad escape");
    }
  }
  return c;
}

std::vector<TableRow> read_table(const std::filesystem::path& path) {
  std::vector<TableRow> rows;
  std::istringstream in(read_file(path));
  std::uint64_t number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line.starts_with('#')) continue;
    TableRow& row = rows.emplace_back();
    row.where = path.filename().string() + ":" + std::to_string(number);
    for (std::string_view field : split(line, '|')) {
      while (field.starts_with(' ')) field.remove_prefix(1);
      while (field.ends_with(' ')) field.remove_suffix(1);
      if (!unescape(field, row.fields.emplace_back()))
        throw std::runtime_error(row.where + ": a raw tab or a bad escape");
    }
  }
  return rows;
}

}  // namespace korvath::test
