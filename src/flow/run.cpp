#include "flow/run.hpp"

#include <algorithm>

#include "flow/report.hpp"

namespace korvath {

std::string not_built_text(const ConversionCommand& command) {
  return "Η μετατροπή «" + std::string(command.menu_path) + " / " + std::string(command.caption) +
         "» δεν είναι ακόμη διαθέσιμη.";
}

bool wrote_nothing(const Outcome& outcome) {
  return std::all_of(outcome.written.begin(), outcome.written.end(),
                     [](const WrittenFile& file) { return file.lines == 0; });
}

Outcome run_conversion(const ConversionCommand& command, Platform& ui, const InputAdvice& advice) {
  using Status = Outcome::Status;
  if (!command.convert) {
    ui.show_message(not_built_text(command), kWarningTitle, Icon::error);
    return {Status::not_built, {}, {}, {}, {}};
  }
  try {
    Conversion conversion(command, ui, advice);
    switch (conversion.ask()) {
      case Conversion::Stage::ended:
        return {Status::ended, {}, {}, {}, {}};
      case Conversion::Stage::invalid:
        return {Status::invalid_input, {}, {}, {}, {}};
      case Conversion::Stage::refused:
        ui.show_message(conversion.refusal(), kWarningTitle, Icon::error);
        return {Status::refused, {}, {}, {}, {}};
      case Conversion::Stage::ready:
        break;
    }
    command.convert(conversion);
    conversion.close_all();  // a failed flush or close is never reported as success
    Outcome outcome{Status::converted, {}, conversion.written(), {}, {}};
    // A success that wrote nothing is most often the wrong command: say what the file looks
    // like; otherwise say so only when another command fits it better.
    if (wrote_nothing(outcome))
      outcome.looks_like = conversion.looks_like();
    else
      conversion.note_better_fit();
    outcome.notes = conversion.notes();
    return outcome;
  } catch (const ConversionError& e) {
    return {Status::failed, e, {}, {}, {}};  // unwinding has already closed every file
  } catch (const std::exception& e) {
    return {Status::failed, ConversionError(Fault::other, {}, e.what()), {}, {}, {}};
  }
}

Outcome run_command(const ConversionCommand& command, Platform& ui, const InputAdvice& advice) {
  Outcome outcome = run_conversion(command, ui, advice);
  if (outcome.status == Outcome::Status::converted)
    ui.show_message(kConverted, kInformationTitle, Icon::information, success_details(outcome));
  // A cancelled dialog is the user's own choice: nothing to say.
  if (outcome.status == Outcome::Status::failed && outcome.error->fault() != Fault::cancelled)
    ui.show_message(failure_line(*outcome.error), kWarningTitle, Icon::error);
  return outcome;
}

}  // namespace korvath
