// What the conversion flow needs from the system it runs on: four modal operations and the
// program's folder. The window answers them with dialogs, the command line from its arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvath {

enum class Icon { error, warning, information };

class Platform {
 public:
  virtual ~Platform() = default;

  /// A file-open dialog; nullopt when cancelled. The file need not exist.
  virtual std::optional<std::string> ask_open_path(std::string_view title,
                                                   std::string_view filter) = 0;
  /// A file-save dialog; nullopt when cancelled. It asks nothing about existing files.
  /// `suggested`, when not empty, is the path the dialog starts with (the window pre-fills it;
  /// the command line has its answer already).
  virtual std::optional<std::string> ask_save_path(std::string_view title, std::string_view filter,
                                                   const std::string& suggested) = 0;
  /// A question with Yes as the default; true for Yes.
  virtual bool ask_yes_no(std::string_view text, std::string_view title) = 0;
  /// A message with an OK button; `details`, when not empty, is shown below the text.
  virtual void show_message(std::string_view text, std::string_view title, Icon icon,
                            std::string_view details = {}) = 0;
  /// show_message with a second button, `action`, beside OK; true when the user chose it. A
  /// platform without buttons (the command line) shows the message alone and answers false.
  virtual bool show_message_with_action(std::string_view action, std::string_view text,
                                        std::string_view title, Icon icon,
                                        std::string_view details);
  /// The folder scratch files are written to, without a separator at its end.
  virtual std::string program_folder() = 0;

  /// The overwrite question about the existing file `path`: the window asks it in the system's
  /// own words alone, the command line names the file too.
  virtual bool ask_overwrite(const std::string& path);
  /// Whether every dialog's answer is known before the first is asked (the command line): then
  /// all outputs are checked, and every question asked, before any file is created or emptied.
  virtual bool knows_every_answer() const { return false; }
};

// The system's own texts.
inline constexpr std::string_view kConverted = "Η μετατροπή ολοκληρώθηκε επιτυχώς";
inline constexpr std::string_view kInformationTitle = "Πληροφορία";
inline constexpr std::string_view kNotValid = "Δεν είναι έγκυρο αρχείο";
inline constexpr std::string_view kWarningTitle = "Προσοχή";
inline constexpr std::string_view kOverwriteQuestion = "Το αρχείο υπάρχει ήδη. Να επαναγραφεί;";
inline constexpr std::string_view kOverwriteTitle = "Προσοχή:";

inline constexpr std::string_view kStationSaveTitle = "Αποθήκευση αρχείου μετρήσεων στάσεων";
inline constexpr std::string_view kPointSaveTitle = "Αποθήκευση αρχείου μετρήσεων σημείων";
inline constexpr std::string_view kMeasurementFilter = "Αρχεία μετρήσεων txm (*.txm)|*.txm|";
inline constexpr std::string_view kCoordinateSaveTitle = "Αποθήκευση αρχείου συντεταγμένων";
inline constexpr std::string_view kCoordinateFilter = "Αρχεία συντεταγμένων seq (*.seq)|*.seq|";

inline bool Platform::ask_overwrite(const std::string&) {
  return ask_yes_no(kOverwriteQuestion, kOverwriteTitle);
}

inline bool Platform::show_message_with_action(std::string_view, std::string_view text,
                                               std::string_view title, Icon icon,
                                               std::string_view details) {
  show_message(text, title, icon, details);
  return false;
}

}  // namespace korvath
