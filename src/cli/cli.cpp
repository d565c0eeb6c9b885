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
#include "cli/detect.hpp"
#include "cli/help.hpp"
#include "cli/pick.hpp"
#include "cli/synopsis.hpp"
#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/interruption.hpp"
#include "flow/report.hpp"
#include "flow/text.hpp"
#include "flow/version.hpp"

namespace korvath {
namespace {

struct DetectArguments {
  std::vector<std::string> files;
  bool id_only = false;
};

void add_detect(CLI::App& app, DetectArguments& args) {
  CLI::App* detect =
      app.add_subcommand("detect",
                         "σε ποια εντολή ταιριάζει κάθε αρχείο (διαβάζει τα πρώτα 64 KiB)")
          ->group("Εντολές");
  detect->add_option("FILE", args.files, "αρχεία του οργάνου (-: η τυπική είσοδος)")->required();
  detect->add_flag("--id", args.id_only,
                   "μόνο ο κωδικός της εντολής που ταιριάζει καλύτερα (ένα FILE· τίποτα, με "
                   "κατάσταση 1, όταν δεν ταιριάζει καμία)");
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
  std::string command, overwrite, scratch_dir, to;  // command: an id, a menu name or "auto"
  bool to_given = false;                            // --to, even with an empty value
  std::vector<std::string> files;  // INPUT OUTPUT [OUTPUT2], or with --to the inputs
  unsigned jobs = 1;
};

// An output name without a file name of its own ("", "dir/", "."): the extension rule would
// make it a hidden ".txm" or ".seq".
bool names_no_file(const std::string& output) {
  const std::string_view name = std::string_view(output).substr(output.rfind('/') + 1);
  return name.empty() || name == "." || name == "..";
}

// The outputs after the input: as many as the command writes, each naming a file.
bool outputs_fit(const ConversionCommand& command, const ConvertArguments& args,
                 std::ostream& err) {
  const std::size_t wanted = command.outputs == Outputs::coordinates ? 1 : 2;
  if (args.files.size() != wanted + 1) {
    usage_error(err, "η εντολή " + std::string(command.id) + " θέλει το αρχείο εισόδου και " +
                         (wanted == 1 ? "ένα αρχείο εξόδου (συντεταγμένων)"
                                      : "δύο αρχεία εξόδου (στάσεων, σημείων)"));
    return false;
  }
  for (auto output = args.files.begin() + 1; output != args.files.end(); ++output) {
    if (names_no_file(*output)) {
      usage_error(err, "το «" + on_one_line(*output) + "» δεν είναι όνομα αρχείου εξόδου");
      return false;
    }
  }
  return true;
}

// `convert auto INPUT OUTPUT [OUTPUT2]`: the input's first bytes name the command, the number of
// outputs settles a tie between its measurements and its points.
int convert_picked(ConvertSettings settings, const ConvertArguments& args, const Streams& io) {
  if (args.files.size() < 2 || args.files.size() > 3) {
    usage_error(io.err, "η auto θέλει το αρχείο εισόδου και ένα ή δύο αρχεία εξόδου");
    return kExitUsage;
  }
  const std::string& input = args.files.front();
  if (input == "-") {
    usage_error(io.err,
                "η auto διαλέγει την εντολή από την αρχή του αρχείου, και η τυπική είσοδος δεν "
                "ξαναδιαβάζεται: δώστε την εντολή (τη βρίσκει η korvath detect --id -)");
    return kExitUsage;
  }
  const Pick pick = pick_command(input, args.files.size() - 1);
  if (!pick.command) {
    io.err << pick.why;
    return pick.status;
  }
  settings.command = pick.command;
  settings.picked = true;
  if (!outputs_fit(*pick.command, args, io.err)) return kExitUsage;
  io.out << pick.picked << '\n';
  return convert_file(settings, input, {args.files.begin() + 1, args.files.end()}, io);
}

int convert(const ConvertArguments& args, std::istream& in, std::ostream& out, std::ostream& err) {
  const bool picks = args.command == kAutoCommand;
  ConvertSettings settings{
      picks ? nullptr : find_command(args.command), overwrite_answer(args.overwrite), {}};
  if (!picks && !settings.command) {
    usage_error(err, "άγνωστη εντολή μετατροπής «" + args.command + "» (οι εντολές: korvath list)");
    return kExitUsage;
  }
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
  if (picks) return convert_picked(settings, args, io);
  if (!outputs_fit(*settings.command, args, err)) return kExitUsage;
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
  std::string footer = "\n";
  for (const std::string_view form : kSynopsis) footer += "  " + std::string(form) + "\n";
  app.footer(footer +
             "\nΈξοδος: 0 ολοκληρώθηκε, 1 σφάλμα, 2 λάθος κλήση, 3 μη έγκυρο αρχείο, 4 χωρίς "
             "μετατροπή");

  app.add_subcommand("list", "οι εντολές μετατροπής")->group("Εντολές");

  DetectArguments detect;
  add_detect(app, detect);

  ConvertArguments args;
  CLI::App* convert_cmd =
      app.add_subcommand("convert", "μετατροπή ενός αρχείου, ή με --to πολλών")->group("Εντολές");
  convert_cmd
      ->add_option("COMMAND", args.command,
                   "κωδικός εντολής (korvath list), όνομα μενού, ή auto: "
                   "η εντολή που ταιριάζει στο αρχείο")
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
  if (app.got_subcommand("detect")) {
    if (detect.id_only && detect.files.size() != 1) {
      usage_error(err, "η --id θέλει ένα αρχείο");
      return kExitUsage;
    }
    return checked(detect_files(detect.files, detect.id_only, out, err), out, err);
  }
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
