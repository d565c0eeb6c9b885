#include "cli/cli.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "converters/catalogue.hpp"
#include "flow/report.hpp"
#include "flow/run.hpp"
#include "flow/text.hpp"
#include "platform/console_platform.hpp"

namespace korvath {
namespace {

void list_commands(std::ostream& out) {
  for (const ConversionCommand& command : catalogue()) {
    std::string menu = replace_all(command.menu_path, "/", " / ");
    out << std::left << std::setw(28) << command.id << std::setw(28) << command.menu_name << menu
        << " / " << command.caption << " ("
        << (command.outputs == Outputs::coordinates ? "συντεταγμένες" : "μετρήσεις") << ")";
    if (!command.convert) out << "  [δεν είναι ακόμη διαθέσιμη]";
    out << '\n';
  }
}

struct ConvertArguments {
  std::string command, input;
  std::vector<std::string> outputs;
  std::string overwrite, scratch_dir;
};

int convert(const ConvertArguments& args, std::istream& in, std::ostream& out, std::ostream& err) {
  const ConversionCommand* command = find_command(args.command);
  if (!command) {
    err << "korvath: άγνωστη εντολή «" << args.command << "» (δείτε: korvath list)\n";
    return kExitUsage;
  }
  const std::size_t wanted = command->outputs == Outputs::coordinates ? 1 : 2;
  if (args.outputs.size() != wanted) {
    err << "korvath: η εντολή " << command->id << " θέλει "
        << (wanted == 1 ? "ένα αρχείο εξόδου (συντεταγμένων)"
                        : "δύο αρχεία εξόδου (στάσεων, σημείων)")
        << "\n";
    return kExitUsage;
  }
  OverwriteAnswer overwrite = isatty(STDIN_FILENO) ? OverwriteAnswer::ask : OverwriteAnswer::no;
  if (args.overwrite == "yes") overwrite = OverwriteAnswer::yes;
  if (args.overwrite == "no") overwrite = OverwriteAnswer::no;
  if (args.overwrite == "ask") overwrite = OverwriteAnswer::ask;

  ConsolePlatform ui(overwrite, in, out, err);
  ui.open_answers.push_back(args.input);
  for (const std::string& output : args.outputs) ui.save_answers.push_back(output);
  ui.folder = args.scratch_dir.empty() ? default_scratch_folder() : args.scratch_dir;
  while (ui.folder.size() > 1 && ui.folder.back() == '/') ui.folder.pop_back();

  const Outcome outcome = run_conversion(*command, ui);
  switch (outcome.status) {
    case Outcome::Status::converted:
      for (const WrittenFile& file : outcome.written) out << written_line(file) << '\n';
      for (const Note& note : outcome.notes)
        err << "korvath: σημείωση: " << note_line(note) << '\n';
      ui.show_message(kConverted, kInformationTitle, Icon::information);
      return kExitConverted;
    case Outcome::Status::failed:
      err << "korvath: σφάλμα: " << failure_line(*outcome.error) << '\n';
      return kExitFailed;
    case Outcome::Status::invalid_input:
      return kExitInvalid;
    case Outcome::Status::ended:
      return kExitNotConverted;
    case Outcome::Status::refused:
    case Outcome::Status::not_built:
      return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace

int run_cli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err) {
  CLI::App app{
      "Korvath: μετατροπή αρχείων γεωδαιτικών σταθμών σε αρχεία μετρήσεων (.txm) και"
      " συντεταγμένων (.seq)",
      "korvath"};
  app.set_version_flag("--version", "korvath " KORVATH_VERSION);
  app.require_subcommand(1);
  app.footer(
      "\n  korvath list\n"
      "  korvath convert COMMAND INPUT OUTPUT [OUTPUT2] [--overwrite=ask|yes|no] "
      "[--scratch-dir=DIR]\n\n"
      "Έξοδος: 0 ολοκληρώθηκε, 1 σφάλμα, 2 λάθος κλήση, 3 μη έγκυρο αρχείο, 4 χωρίς μετατροπή");

  app.add_subcommand("list", "οι εντολές μετατροπής");

  ConvertArguments args;
  CLI::App* convert_cmd = app.add_subcommand("convert", "μετατροπή ενός αρχείου");
  convert_cmd->add_option("COMMAND", args.command, "κωδικός εντολής (korvath list) ή όνομα μενού")
      ->required();
  convert_cmd->add_option("INPUT", args.input, "αρχείο του οργάνου")->required();
  convert_cmd
      ->add_option("OUTPUT", args.outputs,
                   "αρχείο στάσεων και αρχείο σημείων, ή ένα αρχείο συντεταγμένων")
      ->required()
      ->expected(1, 2);
  convert_cmd->add_option("--overwrite", args.overwrite, "απάντηση στην ερώτηση επαναγραφής")
      ->check(CLI::IsMember({"ask", "yes", "no"}));
  convert_cmd->add_option("--scratch-dir", args.scratch_dir, "φάκελος βοηθητικών αρχείων");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion& e) {
    out << app.version() << '\n';
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "korvath: " << e.what() << "\n" << app.help();
    return kExitUsage;
  }
  if (app.got_subcommand("list")) {
    list_commands(out);
    return 0;
  }
  return convert(args, in, out, err);
}

}  // namespace korvath
