#include "converters/detect.hpp"

#include <algorithm>

#include "converters/catalogue.hpp"
#include "flow/conversion_error.hpp"

namespace korvath {
namespace {

// Every command reads any line ends alike; a file in the command's own line ends only comes
// first between two commands that fit it equally (the two Topcon raw commands).
bool in_own_line_ends(LineEnds ends, const Prefix& prefix) {
  return ends == LineEnds::bare_lf ? !prefix.cr : prefix.cr || !prefix.lone_lf;
}

struct Ranked {
  Detection detection;
  bool suits = true;
};

std::vector<Ranked> ranked(const Prefix& prefix) {
  std::vector<Ranked> fits;
  if (!prefix.text) return fits;
  for (const ConversionCommand& command : catalogue()) {
    if (!command.signature) continue;
    Fit fit = command.signature(prefix);
    if (!fit.fits()) continue;
    const bool suits = in_own_line_ends(command.line_ends, prefix);
    fits.push_back({{&command, std::move(fit)}, suits});
  }
  std::stable_sort(fits.begin(), fits.end(), [](const Ranked& a, const Ranked& b) {
    if (a.detection.fit.score != b.detection.fit.score)
      return a.detection.fit.score > b.detection.fit.score;
    return a.suits && !b.suits;
  });
  return fits;
}

std::optional<Prefix> try_read_prefix(const std::string& path) {
  try {
    return read_prefix(path);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

std::optional<Detection> best_fit(const Prefix& prefix) {
  std::vector<Detection> fits = rank_commands(prefix);
  if (fits.empty()) return std::nullopt;
  return std::move(fits.front());
}

// The highest score a signature gives: every line of the prefix explained.
constexpr int kFullFit = 100;

std::optional<Detection> better_fit(const Prefix& prefix, const ConversionCommand& chosen) {
  // A file the chosen command explains in full fits no other better: after a conversion, that
  // is the usual answer, found by one signature instead of every command's.
  if (!prefix.text || explained_in_full(prefix, chosen)) return std::nullopt;
  std::vector<Ranked> fits = ranked(prefix);
  if (fits.empty() || fits.front().detection.command == &chosen) return std::nullopt;
  const auto mine = std::find_if(fits.begin(), fits.end(), [&](const Ranked& fit) {
    return fit.detection.command == &chosen;
  });
  // Equal score: the same file serves both (an IDX file's measurements and its points, a Topcon
  // raw file with either line ends, since every command reads any); neither fits better.
  if (mine != fits.end() && mine->detection.fit.score == fits.front().detection.fit.score)
    return std::nullopt;
  return std::move(fits.front().detection);
}

}  // namespace

bool is_utf16(const Prefix& prefix) {
  if (prefix.text || prefix.lines.empty()) return false;
  const std::string_view first = prefix.lines.front();
  return first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF");
}

std::vector<Detection> rank_commands(const Prefix& prefix) {
  std::vector<Detection> detections;
  for (Ranked& fit : ranked(prefix)) detections.push_back(std::move(fit.detection));
  return detections;
}

std::vector<Detection> best_commands(const Prefix& prefix) {
  std::vector<Ranked> fits = ranked(prefix);
  std::vector<Detection> best;
  for (Ranked& fit : fits) {
    if (fit.detection.fit.score != fits.front().detection.fit.score ||
        fit.suits != fits.front().suits)
      break;
    best.push_back(std::move(fit.detection));
  }
  return best;
}

std::vector<Detection> near_misses(const Prefix& prefix) {
  std::vector<Detection> misses;
  if (!prefix.text) return misses;
  for (const ConversionCommand& command : catalogue()) {
    if (!command.signature) continue;
    Fit fit = command.signature(prefix);
    if (!fit.fits() && !fit.evidence.empty()) misses.push_back({&command, std::move(fit)});
  }
  return misses;
}

std::optional<Detection> best_fit(const std::string& path) {
  const std::optional<Prefix> prefix = try_read_prefix(path);
  return prefix ? best_fit(*prefix) : std::nullopt;
}

std::optional<Detection> better_fit(const std::string& path, const ConversionCommand& chosen) {
  const std::optional<Prefix> prefix = try_read_prefix(path);
  return prefix ? better_fit(*prefix, chosen) : std::nullopt;
}

bool explained_in_full(const Prefix& prefix, const ConversionCommand& chosen) {
  return prefix.text && chosen.signature && chosen.signature(prefix).score >= kFullFit;
}

InputAdvice detector_advice() {
  InputAdvice advice;
  advice.looks_like = [](const std::string& path) -> std::optional<std::string> {
    const std::optional<Prefix> prefix = try_read_prefix(path);
    if (!prefix) return std::nullopt;
    if (is_utf16(*prefix)) return std::string(kUtf16Text);
    const auto best = best_fit(*prefix);
    if (!best) return std::nullopt;
    return menu_label(*best->command) + " (" + std::string(best->command->id) + ")";
  };
  advice.fits_better = [](const std::string& path,
                          const ConversionCommand& chosen) -> std::optional<std::string> {
    const std::optional<Prefix> prefix = try_read_prefix(path);
    if (!prefix) return std::nullopt;
    // Not a better command, but the reason none reads it as it should: its lines come out
    // with a NUL byte after every character.
    if (is_utf16(*prefix))
      return "το αρχείο είναι " + std::string(kUtf16Text) +
             ", δύο bytes ανά χαρακτήρα, ενώ τα όργανα γράφουν ένα: οι γραμμές του δεν "
             "διαβάζονται σωστά";
    // An empty file fits nothing, and the report says it is empty.
    if (prefix->whole && std::all_of(prefix->lines.begin(), prefix->lines.end(),
                                     [](const std::string& line) { return line.empty(); }))
      return std::nullopt;
    // The usual answer after a conversion, from one signature instead of every command's.
    if (explained_in_full(*prefix, chosen)) return std::nullopt;
    const std::vector<Detection> fits = rank_commands(*prefix);
    const bool fits_chosen = std::any_of(
        fits.begin(), fits.end(), [&](const Detection& fit) { return fit.command == &chosen; });
    const auto better = better_fit(*prefix, chosen);
    const auto named = [](const Detection& fit) {
      return "στην εντολή " + std::string(fit.command->id) + " (" + menu_label(*fit.command) +
             "): " + fit.fit.evidence;
    };
    // Not fitting at all is said even when no command fits: a file of long lines or of commas
    // otherwise converts to confident nonsense under a command that reads anything.
    if (!fits_chosen) {
      std::string warning = "το αρχείο δεν μοιάζει με αρχείο " + menu_label(chosen);
      if (!fits.empty()) warning += "· ταιριάζει " + named(fits.front());
      return warning;
    }
    if (!better) return std::nullopt;
    return "το αρχείο ταιριάζει καλύτερα " + named(*better);
  };
  return advice;
}

}  // namespace korvath
