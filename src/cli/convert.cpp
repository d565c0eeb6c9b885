#include "cli/convert.hpp"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli/cli.hpp"
#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/report.hpp"
#include "flow/run.hpp"

namespace korvath {
namespace {

// Only a regular file: a pipe is read once, by the conversion itself. An unreadable file draws
// no warning: the conversion says why.
void warn_about_better_fit(const InputAdvice& advice, const ConversionCommand& command,
                           const std::string& input, std::ostream& err) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(input, ec)) return;
  if (const auto better = advice.fits_better(input, command))
    err << "korvath: προειδοποίηση: «" << input << "»: " << *better << "\n";
}

}  // namespace

OverwriteAnswer overwrite_answer(const std::string& value) {
  if (value == "yes") return OverwriteAnswer::yes;
  if (value == "no") return OverwriteAnswer::no;
  if (value == "ask") return OverwriteAnswer::ask;
  return isatty(STDIN_FILENO) ? OverwriteAnswer::ask : OverwriteAnswer::no;
}

int convert_file(const ConvertSettings& settings, const std::string& input,
                 const std::vector<std::string>& outputs, const Streams& io, Questions questions) {
  const ConversionCommand& command = *settings.command;
  // Standard input that is the input holds no answers: a question about it keeps the file.
  const bool answers_in = input != "-" || settings.overwrite != OverwriteAnswer::ask;
  ConsolePlatform ui(answers_in ? settings.overwrite : OverwriteAnswer::no, io.in, io.out, io.err);
  if (questions.prompt && questions.lock) ui.ask_on(*questions.prompt, *questions.lock);
  ui.open_answers.push_back(input);
  for (const std::string& output : outputs) ui.save_answers.push_back(output);
  ui.folder = settings.scratch_folder;

  InputAdvice advice = detector_advice();
  if (command.convert && !input.empty() && !settings.picked)
    warn_about_better_fit(advice, command, input, io.err);

  // The better fit is said before the conversion (above), so only the guess for a success that
  // wrote nothing, or for a rejected input, comes from the flow.
  advice.fits_better = nullptr;
  const Outcome outcome = run_conversion(command, ui, advice);
  switch (outcome.status) {
    case Outcome::Status::converted:
      if (outcome.empty_input) io.err << "korvath: προειδοποίηση: " << kEmptyInput << "\n";
      if (wrote_nothing(outcome))
        io.err << "korvath: προειδοποίηση: " << nothing_written_line(outcome) << "\n";
      for (const WrittenFile& file : outcome.written) io.out << written_line(file) << '\n';
      for (const Note& note : outcome.notes)
        io.err << "korvath: σημείωση: " << note_line(note) << '\n';
      ui.show_message(kConverted, kInformationTitle, Icon::information);
      return kExitConverted;
    case Outcome::Status::failed:
      if (outcome.empty_input)
        io.err << "korvath: σφάλμα: «" << input << "»: " << kEmptyInput << '\n';
      if (!outcome.empty_input || outcome.error->fault() != Fault::read_past_end)
        io.err << "korvath: σφάλμα: " << failure_line(*outcome.error) << '\n';
      for (const WrittenFile& file : outcome.left) io.err << "korvath: " << left_line(file) << '\n';
      return kExitFailed;
    case Outcome::Status::invalid_input:
      return kExitInvalid;
    case Outcome::Status::ended:
      if (!ui.kept().empty())
        io.err << "korvath: το «" << ui.kept()
               << "» υπάρχει ήδη και κρατήθηκε όπως ήταν· για να αντικατασταθεί: --overwrite=yes\n";
      return kExitNotConverted;
    case Outcome::Status::refused:
    case Outcome::Status::not_built:
      return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace korvath
