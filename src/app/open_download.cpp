#include "app/open_download.hpp"

#include <QInputDialog>
#include <QLabel>
#include <algorithm>
#include <filesystem>

#include "converters/catalogue.hpp"
#include "flow/report.hpp"
#include "platform/qt/qt_text.hpp"

namespace korvath {
namespace {

std::string file_name(const std::string& path) {
  return on_one_line(std::filesystem::path(path).filename().string());
}

std::optional<Prefix> prefix_of(const std::string& path, std::string* why) {
  try {
    return read_prefix(path);
  } catch (const ConversionError& error) {
    if (why) *why = failure_line(error);
    return std::nullopt;
  }
}

// Why a readable file fits no command: what came close, or what kind of file it is.
std::string why_none(const Prefix& prefix) {
  if (is_utf16(prefix))
    return "είναι " + std::string(kUtf16Text) + ": αποθηκεύστε το ξανά ως απλό κείμενο";
  if (!prefix.text) return "δεν είναι αρχείο κειμένου";
  if (std::all_of(prefix.lines.begin(), prefix.lines.end(),
                  [](const std::string& line) { return is_blank_line(line); }))
    return std::string(kEmptyInput);
  std::string why;
  for (const Detection& miss : near_misses(prefix))
    why += menu_label(*miss.command) + ": " + miss.fit.evidence + '\n';
  if (why.empty()) return "καμία εντολή του μενού δεν αναγνωρίζει τις γραμμές του";
  why.pop_back();
  return why;
}

}  // namespace

DownloadGuess guess_download(const std::string& path) {
  DownloadGuess guess;
  const std::optional<Prefix> prefix = prefix_of(path, &guess.why_none);
  if (!prefix) return guess;
  guess.best = best_commands(*prefix);
  if (guess.best.empty()) guess.why_none = why_none(*prefix);
  return guess;
}

std::string detect_question(const std::string& path, const Detection& fit) {
  return "Το αρχείο «" + file_name(path) + "» μοιάζει με " + menu_label(*fit.command) + " (" +
         fit.fit.evidence + "). Μετατροπή;";
}

std::string no_fit_text(const std::string& path) {
  return "Το αρχείο «" + file_name(path) +
         "» δεν μοιάζει με καμία λήψη που διαβάζει το πρόγραμμα. Αν ξέρετε το όργανο, επιλέξτε "
         "το από το μενού.";
}

const ConversionCommand* choose_command(QWidget& window, const std::string& path,
                                        const std::vector<Detection>& tied) {
  QStringList labels;
  for (const Detection& fit : tied) labels << qs(menu_label(*fit.command));
  QInputDialog dialog(&window);
  dialog.setObjectName(QStringLiteral("chooseCommand"));
  dialog.setWindowTitle(qs(kOpenDownloadTitle));
  dialog.setLabelText(qs("Το αρχείο «" + file_name(path) + "» ταιριάζει εξίσου σε " +
                         std::to_string(tied.size()) + " εντολές. Ποια μετατροπή να γίνει;"));
  dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
  dialog.setComboBoxItems(labels);
  if (auto* text = dialog.findChild<QLabel*>()) text->setWordWrap(true);  // a long file name
  dialog.resize(460, 220);
  dialog.setTextValue(labels.front());
  dialog.setOkButtonText(qs("Μετατροπή"));
  dialog.setCancelButtonText(qs("Άκυρο"));
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  const qsizetype chosen = labels.indexOf(dialog.textValue());
  return chosen < 0 ? nullptr : tied[static_cast<std::size_t>(chosen)].command;
}

InputAdvice window_advice() {
  InputAdvice advice = detector_advice();
  advice.instead = [](const std::string& path,
                      const ConversionCommand& chosen) -> std::optional<OtherCommand> {
    const std::optional<Prefix> prefix = prefix_of(path, nullptr);
    if (!prefix) return std::nullopt;
    const std::vector<Detection> fits = rank_commands(*prefix);
    if (fits.empty() || fits.front().command == &chosen || !fits.front().command->convert)
      return std::nullopt;
    return OtherCommand{fits.front().command, menu_label(*fits.front().command)};
  };
  return advice;
}

}  // namespace korvath
