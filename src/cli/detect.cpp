#include "cli/detect.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>

#include "cli/cli.hpp"
#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/report.hpp"

namespace korvath {
namespace {

// The text and blanks up to `width` characters (UTF-8: a Greek letter is one character).
std::string padded(std::string_view text, std::size_t width) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return std::string(text) + std::string(width > characters ? width - characters : 1, ' ');
}

// The first kPrefixBytes of standard input and no more, whatever it is (a pipe, a file, an
// endless device): the rest is left unread. Throws Fault::cannot_open when it cannot be read
// (closed).
Prefix standard_input_prefix() {
  std::string bytes(kPrefixBytes, '\0');
  std::size_t got = 0;
  bool ended = false;
  while (got < bytes.size()) {
    const ssize_t n = ::read(STDIN_FILENO, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ConversionError(Fault::cannot_open, {"-"}, std::strerror(errno));
    if (n == 0) {
      ended = true;
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return Prefix::of(bytes, ended);
}

Prefix prefix_of(const std::string& file) {
  return file == "-" ? standard_input_prefix() : read_prefix(file);
}

// Returns whether the file fits a command.
bool print_fits(const std::string& file, const Prefix& prefix, std::ostream& out) {
  out << on_one_line(file) << ":\n";
  const std::vector<Detection> fits = rank_commands(prefix);
  for (const Detection& fit : fits)
    out << "  " << padded(fit.command->id, 28) << padded(menu_label(*fit.command), 39)
        << fit.fit.evidence << '\n';
  if (!fits.empty()) return true;
  out << "  δεν αναγνωρίστηκε";
  if (is_utf16(prefix)) out << " (" << kUtf16Text << ")";
  for (const Detection& miss : near_misses(prefix))
    out << " (" << miss.command->id << ": " << miss.fit.evidence << ")";
  out << '\n';
  return false;
}

}  // namespace

int detect_files(const std::vector<std::string>& files, bool id_only, std::ostream& out,
                 std::ostream& err) {
  int status = kExitConverted;
  for (const std::string& file : files) {
    Prefix prefix;
    try {
      prefix = prefix_of(file);
    } catch (const ConversionError& e) {
      err << "korvath: " << failure_line(e) << "\n";
      status = kExitFailed;
      continue;
    }
    if (!id_only) {
      if (!print_fits(file, prefix, out)) status = kExitFailed;
      continue;
    }
    // Commands that fit equally well come in the ranking's order: the catalogue's, which puts a
    // maker's measurement command before its coordinate command.
    const std::vector<Detection> best = best_commands(prefix);
    if (best.empty())
      status = kExitFailed;
    else
      out << best.front().command->id << '\n';
  }
  return status;
}

}  // namespace korvath
