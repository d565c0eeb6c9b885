// "Άνοιγμα λήψης…": a download opened without naming its instrument. The detector tells which
// commands the file fits best; the window asks about one, lets the user pick among several, or
// says why none fits.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "converters/detect.hpp"
#include "flow/advice.hpp"

class QWidget;

namespace korvath {

inline constexpr std::string_view kOpenDownloadTitle = "Άνοιγμα λήψης";
inline constexpr std::string_view kOpenDownloadItem = "Άνοιγμα λήψης…";
inline constexpr std::string_view kOpenDownloadFilter = "Όλα τα αρχεία (*.*)|*.*|";

/// What the detector found in a file: the commands it fits best, or why it fits none.
struct DownloadGuess {
  std::vector<Detection> best;  // tied best, in the catalogue's order of ranking
  std::string why_none;         // when `best` is empty: the reason, one line per cause
};

/// Reads the start of the file at `path` and ranks the commands.
DownloadGuess guess_download(const std::string& path);

/// "Το αρχείο «NAME» μοιάζει με MENU / PATH (EVIDENCE). Μετατροπή;"
std::string detect_question(const std::string& path, const Detection& fit);
/// The box for a file no command fits: "Το αρχείο «NAME» δεν μοιάζει με καμία λήψη …".
std::string no_fit_text(const std::string& path);

/// The user's pick among commands the file fits equally well, in a small modal list over
/// `window`; none when cancelled.
const ConversionCommand* choose_command(QWidget& window, const std::string& path,
                                        const std::vector<Detection>& tied);

/// The detector's advice as the window's boxes take it: what the file looks like, which command
/// it fits better, and the command to offer when a run goes wrong.
InputAdvice window_advice();

}  // namespace korvath
