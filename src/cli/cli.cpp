#include "cli/cli.hpp"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/batch.hpp"
#include "cli/convert.hpp"
#include "cli/help.hpp"
#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/interruption.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"
#include "flow/version.hpp"

namespace korvath {
namespace {

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
    out << on_one_line(file) << ":\n";
    const std::vector<Detection> fits = rank_commands(prefix);
    for (const Detection& fit : fits)
      out << "  " << padded(fit.command->id, 28) << padded(menu_label(*fit.command), 39)
          << fit.fit.evidence << '\n';
    if (!fits.empty()) continue;
    out << "  δεν αναγνωρίστηκε";
    if (is_utf16(prefix)) out << " (" << kUtf16Text << ")";
    for (const Detection& miss : near_misses(prefix))
      out << " (" << miss.command->id << ": " << miss.fit.evidence << ")";
    out << '\n';
    status = kExitFailed;
  }
  return status;
}

void add_detect(CLI::App& app, std::vector<std::string>& files) {
  app.add_subcommand("detect", "σε ποια εντολή ταιριάζει κάθε αρχείο (διαβάζει τα πρώτα 64 KiB)")
      ->group("Εντολές")
      ->add_option("FILE", files, "αρχεία του οργάνου")
      ->required();
}

void list_commands(std::ostream& out) {
  for (const ConversionCommand& command : catalogue()) {
    out << std::left << std::setw(28) << command.id << std::setw(28) << command.menu_name
        << menu_label(command) << " ("
        << (command.outputs == Outputs::coordinates ? "συντεταγμένες" : "μετρήσεις") << ")";
    if (!command.convert) out << "  [δεν είναι ακόμη διαθέσιμη]";
    out << '\n';
  }
}

struct ConvertArguments {
  std::string command, overwrite, scratch_dir, to;
  bool to_given = false;           // --to, even with an empty value
  std::vector<std::string> files;  // INPUT OUTPUT [OUTPUT2], or with --to the inputs
  unsigned jobs = 1;
};

// An output name without a file name of its own ("", "dir/", "."): the extension rule would
// make it a hidden ".txm" or ".seq".
bool names_no_file(const std::string& output) {
  const std::string_view name = std::string_view(output).substr(output.rfind('/') + 1);
  return name.empty() || name == "." || name == "..";
}

int convert(const ConvertArguments& args, std::istream& in, std::ostream& out, std::ostream& err) {
  ConvertSettings settings{find_command(args.command), overwrite_answer(args.overwrite), {}};
  if (!settings.command) {
    usage_error(err, "άγνωστη εντολή μετατροπής «" + args.command + "» (οι εντολές: korvath list)");
    return kExitUsage;
  }
  const ConversionCommand& command = *settings.command;
  settings.scratch_folder = args.scratch_dir.empty() ? default_scratch_folder() : args.scratch_dir;
  while (settings.scratch_folder.size() > 1 && settings.scratch_folder.back() == '/')
    settings.scratch_folder.pop_back();
  const Streams io{in, out, err};

  if (args.to_given) {
    std::error_code ec;
    // An empty --to is most often a script's unset variable: never taken as no --to at all.
    if (args.to.empty() || !std::filesystem::is_directory(args.to, ec)) {
      usage_error(err, args.to.empty() ? std::string("η --to θέλει όνομα φακέλου")
                       : std::filesystem::exists(args.to, ec)
                           ? "το «" + on_one_line(args.to) + "» της --to δεν είναι φάκελος"
                           : "ο φάκελος «" + on_one_line(args.to) + "» της --to δεν υπάρχει");
      return kExitUsage;
    }
    return convert_batch(settings, args.files, args.to, args.jobs, io);
  }
  const std::size_t wanted = command.outputs == Outputs::coordinates ? 1 : 2;
  if (args.files.size() != wanted + 1) {
    usage_error(err, "η εντολή " + std::string(command.id) + " θέλει το αρχείο εισόδου και " +
                         (wanted == 1 ? "ένα αρχείο εξόδου (συντεταγμένων)"
                                      : "δύο αρχεία εξόδου (στάσεων, σημείων)"));
    return kExitUsage;
  }
  for (auto output = args.files.begin() + 1; output != args.files.end(); ++output) {
    if (names_no_file(*output)) {
      usage_error(err, "το «" + on_one_line(*output) + "» δεν είναι όνομα αρχείου εξόδου");
      return kExitUsage;
    }
  }
  return convert_file(settings, args.files.front(), {args.files.begin() + 1, args.files.end()}, io);
}

// Standard output that could not be written (a full disk, /dev/full) is no success.
int checked(int status, std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return status;
  err << "korvath: αποτυχία εγγραφής στην τυπική έξοδο (" << std::strerror(errno) << ")\n";
  return kExitFailed;
}

}  // namespace

void prepare_process() {
  std::setlocale(LC_MESSAGES, "");  // system error texts in the user's language; numbers stay
  std::signal(SIGXFSZ, SIG_IGN);    // a file-size limit is a failed write, reported as such
}

int run_cli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err) {
  CLI::App app{
      "Korvath: μετατροπή αρχείων γεωδαιτικών σταθμών σε αρχεία μετρήσεων (.txm) και"
      " συντεταγμένων (.seq)",
      "korvath"};
  app.formatter(greek_formatter());
  app.failure_message(parse_failure);
  app.set_help_flag("-h,--help", "αυτή η βοήθεια");
  app.set_version_flag("--version", "korvath " + std::string(kVersion),
                       "η έκδοση του προγράμματος");
  app.require_subcommand(1);
  app.footer(
      "\n  korvath list\n"
      "  korvath detect FILE...\n"
      "  korvath convert COMMAND INPUT OUTPUT [OUTPUT2] [--overwrite=ask|yes|no] "
      "[--scratch-dir=DIR]\n"
      "  korvath convert COMMAND --to DIR FILE... [-j N] [--overwrite=ask|yes|no]\n\n"
      "Έξοδος: 0 ολοκληρώθηκε, 1 σφάλμα, 2 λάθος κλήση, 3 μη έγκυρο αρχείο, 4 χωρίς μετατροπή");

  app.add_subcommand("list", "οι εντολές μετατροπής")->group("Εντολές");

  std::vector<std::string> detect_paths;
  add_detect(app, detect_paths);

  ConvertArguments args;
  CLI::App* convert_cmd =
      app.add_subcommand("convert", "μετατροπή ενός αρχείου, ή με --to πολλών")->group("Εντολές");
  convert_cmd->add_option("COMMAND", args.command, "κωδικός εντολής (korvath list) ή όνομα μενού")
      ->required();
  convert_cmd
      ->add_option("FILE", args.files, "INPUT OUTPUT [OUTPUT2], ή με --to τα αρχεία του οργάνου")
      ->required();
  CLI::Option* to = convert_cmd
                        ->add_option("--to", args.to,
                                     "κάθε FILE χωριστά, εξόδους στον DIR: NAME_stations.txm, "
                                     "NAME_points.txm ή NAME.seq")
                        ->option_text("DIR");
  convert_cmd->add_option("-j", args.jobs, "έως N μετατροπές ταυτόχρονα (με --to)")
      ->option_text("N")
      ->check(CLI::Range(1U, 256U))
      ->needs(to);
  convert_cmd->add_option("--overwrite", args.overwrite, "απάντηση στην ερώτηση επαναγραφής")
      ->option_text("ask|yes|no")
      ->check(CLI::IsMember({"ask", "yes", "no"}));
  convert_cmd->add_option("--scratch-dir", args.scratch_dir, "φάκελος βοηθητικών αρχείων")
      ->option_text("DIR");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    out << app.help();
    return checked(0, out, err);
  } catch (const CLI::CallForVersion& e) {
    out << app.version() << '\n';
    return checked(0, out, err);
  } catch (const CLI::ParseError& e) {
    usage_error(err, parse_failure(&app, e));
    return kExitUsage;
  }
  if (app.got_subcommand("list")) {
    list_commands(out);
    return checked(0, out, err);
  }
  if (app.got_subcommand("detect")) return checked(detect_files(detect_paths, out, err), out, err);
  args.to_given = to->count() > 0;
  catch_interruptions();
  const int status = checked(convert(args, in, out, err), out, err);
  if (interruption() != 0) {
    err.flush();
    end_as_interrupted();
  }
  return status;
}

}  // namespace korvath
