#include "cli/cli.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/report.hpp"
#include "flow/run.hpp"
#include "flow/text.hpp"
#include "platform/console_platform.hpp"

namespace korvath {
namespace {

// Only a regular file: a pipe is read once, by the conversion itself.
void warn_about_better_fit(const ConversionCommand& command, const std::string& input,
                           std::ostream& err) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(input, ec)) return;
  const std::optional<Detection> better = better_fit(input, command);
  if (!better) return;
  err << "korvath: προειδοποίηση: το «" << input << "» ταιριάζει καλύτερα στην εντολή "
      << better->command->id << " (" << menu_label(*better->command)
      << "): " << better->fit.evidence << "\n";
}

// The text and blanks up to `width` characters (UTF-8: a Greek letter is one character).
std::string padded(std::string_view text, std::size_t width) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return std::string(text) + std::string(width > characters ? width - characters : 1, ' ');
}

// `korvath detect`: for each file the commands it fits, best first; 1 when one fits none.
int detect_files(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  int status = kExitConverted;
  for (const std::string& file : files) {
    Prefix prefix;
    try {
      prefix = read_prefix(file);
    } catch (const ConversionError& e) {
      err << "korvath: " << failure_line(e) << "\n";
      status = kExitFailed;
      continue;
    }
    out << file << ":\n";
    const std::vector<Detection> fits = rank_commands(prefix);
    for (const Detection& fit : fits)
      out << "  " << padded(fit.command->id, 28) << padded(menu_label(*fit.command), 39)
          << fit.fit.evidence << '\n';
    if (!fits.empty()) continue;
    out << "  δεν αναγνωρίστηκε";
    for (const Detection& miss : near_misses(prefix))
      out << " (" << miss.command->id << ": " << miss.fit.evidence << ")";
    out << '\n';
    status = kExitFailed;
  }
  return status;
}

void add_detect(CLI::App& app, std::vector<std::string>& files) {
  app.add_subcommand("detect", "σε ποια εντολή ταιριάζει κάθε αρχείο (διαβάζει τα πρώτα 64 KiB)")
      ->add_option("FILE", files, "αρχεία του οργάνου")
      ->required();
}

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

  if (command->convert && !args.input.empty()) warn_about_better_fit(*command, args.input, err);

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
      "  korvath detect FILE...\n"
      "  korvath convert COMMAND INPUT OUTPUT [OUTPUT2] [--overwrite=ask|yes|no] "
      "[--scratch-dir=DIR]\n\n"
      "Έξοδος: 0 ολοκληρώθηκε, 1 σφάλμα, 2 λάθος κλήση, 3 μη έγκυρο αρχείο, 4 χωρίς μετατροπή");

  app.add_subcommand("list", "οι εντολές μετατροπής");

  std::vector<std::string> detect_paths;
  add_detect(app, detect_paths);

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
  if (app.got_subcommand("detect")) return detect_files(detect_paths, out, err);
  return convert(args, in, out, err);
}

}  // namespace korvath
