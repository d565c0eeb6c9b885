#include "flow/run.hpp"

#include <algorithm>

#include "flow/report.hpp"

namespace korvath {

std::string not_built_text(const ConversionCommand& command) {
  return "Η μετατροπή «" + std::string(command.menu_path) + " / " + std::string(command.caption) +
         "» δεν είναι ακόμη διαθέσιμη.";
}

std::string convert_as_text(const OtherCommand& other) {
  return std::string(kConvertAs) + other.label;
}

bool wrote_nothing(const Outcome& outcome) {
  return std::all_of(outcome.written.begin(), outcome.written.end(),
                     [](const WrittenFile& file) { return file.lines == 0; });
}

Outcome run_conversion(const ConversionCommand& command, Platform& ui, const InputAdvice& advice) {
  using Status = Outcome::Status;
  Outcome outcome;
  if (!command.convert) {
    ui.show_message(not_built_text(command), kWarningTitle, Icon::error);
    outcome.status = Status::not_built;
    return outcome;
  }
  // Outside the try: on the error path it still names the outputs it leaves behind.
  Conversion conversion(command, ui, advice);
  try {
    switch (conversion.ask()) {
      case Conversion::Stage::ended:
        return outcome;
      case Conversion::Stage::invalid:
        outcome.status = Status::invalid_input;
        outcome.input = conversion.input_name();
        outcome.instead = conversion.instead();
        return outcome;
      case Conversion::Stage::refused:
        ui.show_message(conversion.refusal(), kWarningTitle, Icon::error);
        outcome.status = Status::refused;
        return outcome;
      case Conversion::Stage::ready:
        break;
    }
    outcome.fit_warning = conversion.fit_warning();
    command.convert(conversion);
    conversion.close_all();  // a failed flush or close is never reported as success
    outcome.status = Status::converted;
    outcome.written = conversion.written();
    // A success that wrote nothing is most often the wrong command: say what the file looks
    // like, unless the warning that it does not fit said so already.
    if (wrote_nothing(outcome) && !outcome.fit_warning)
      outcome.looks_like = conversion.looks_like();
    outcome.notes = conversion.notes();
  } catch (const ConversionError& e) {
    outcome.status = Status::failed;
    outcome.error = e;
  } catch (const std::exception& e) {
    outcome.status = Status::failed;
    outcome.error = ConversionError(Fault::other, {}, e.what());
  }
  if (outcome.status == Status::failed) outcome.left = conversion.left_behind();
  outcome.input = conversion.input_name();
  // A cancelled dialog comes before the input is known.
  if (!(outcome.error && outcome.error->fault() == Fault::cancelled))
    outcome.empty_input = conversion.input_is_empty();
  return outcome;
}

namespace {

// The final box, with the command the file fits instead when the run went wrong.
void report(Outcome& outcome, const ConversionCommand& command, Platform& ui,
            const InputAdvice& advice, std::string_view text, std::string_view title, Icon icon,
            const std::string& details) {
  const bool went_wrong = outcome.status == Outcome::Status::failed || outcome.fit_warning;
  const std::optional<OtherCommand> other = went_wrong && advice.instead && !outcome.input.empty()
                                                ? advice.instead(outcome.input, command)
                                                : std::nullopt;
  if (!other) return ui.show_message(text, title, icon, details);
  if (ui.show_message_with_action(convert_as_text(*other), text, title, icon, details))
    outcome.instead = other->command;
}

}  // namespace

Outcome run_command(const ConversionCommand& command, Platform& ui, const InputAdvice& advice) {
  Outcome outcome = run_conversion(command, ui, advice);
  // A success that wrote nothing is worth a second look: the warning icon, the same text.
  if (outcome.status == Outcome::Status::converted)
    report(outcome, command, ui, advice, kConverted, kInformationTitle,
           wrote_nothing(outcome) ? Icon::warning : Icon::information, success_details(outcome));
  // A cancelled dialog is the user's own choice: nothing to say.
  if (outcome.status == Outcome::Status::failed && outcome.error->fault() != Fault::cancelled)
    report(outcome, command, ui, advice, failure_text(outcome), kWarningTitle, Icon::error,
           failure_details(outcome));
  return outcome;
}

}  // namespace korvath
