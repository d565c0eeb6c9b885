#include "flow/run.hpp"

#include "flow/report.hpp"

namespace korvath {

std::string not_built_text(const ConversionCommand& command) {
  return "Η μετατροπή «" + std::string(command.menu_path) + " / " + std::string(command.caption) +
         "» δεν είναι ακόμη διαθέσιμη.";
}

Outcome run_conversion(const ConversionCommand& command, Platform& ui) {
  using Status = Outcome::Status;
  if (!command.convert) {
    ui.show_message(not_built_text(command), kWarningTitle, Icon::error);
    return {Status::not_built, {}, {}, {}};
  }
  try {
    Conversion conversion(command, ui);
    switch (conversion.ask()) {
      case Conversion::Stage::ended:
        return {Status::ended, {}, {}, {}};
      case Conversion::Stage::invalid:
        return {Status::invalid_input, {}, {}, {}};
      case Conversion::Stage::refused:
        ui.show_message(conversion.refusal(), kWarningTitle, Icon::error);
        return {Status::refused, {}, {}, {}};
      case Conversion::Stage::ready:
        break;
    }
    command.convert(conversion);
    conversion.close_all();  // a failed flush or close is never reported as success
    return {Status::converted, {}, conversion.written(), conversion.notes()};
  } catch (const ConversionError& e) {
    return {Status::failed, e, {}, {}};  // unwinding has already closed every file
  } catch (const std::exception& e) {
    return {Status::failed, ConversionError(Fault::other, {}, e.what()), {}, {}};
  }
}

Outcome run_command(const ConversionCommand& command, Platform& ui) {
  Outcome outcome = run_conversion(command, ui);
  if (outcome.status == Outcome::Status::converted)
    ui.show_message(kConverted, kInformationTitle, Icon::information, success_details(outcome));
  // A cancelled dialog is the user's own choice: nothing to say.
  if (outcome.status == Outcome::Status::failed && outcome.error->fault() != Fault::cancelled)
    ui.show_message(failure_line(*outcome.error), kWarningTitle, Icon::error);
  return outcome;
}

}  // namespace korvath
