#include "cli/help.hpp"

#include <CLI/CLI.hpp>
#include <ostream>

namespace korvath {
namespace {

// CLI11's English labels, each with its Greek word; a type name of an option without its own
// text would show through get_label too.
constexpr std::pair<std::string_view, std::string_view> kLabels[] = {
    {"Usage", "Χρήση"},          {"OPTIONS", "ΕΠΙΛΟΓΕΣ"},     {"SUBCOMMAND", "ΕΝΤΟΛΗ"},
    {"SUBCOMMANDS", "ΕΝΤΟΛΕΣ"},  {"Positionals", "Ορίσματα"}, {"Options", "Επιλογές"},
    {"REQUIRED", "υποχρεωτικό"}, {"TEXT", "ΚΕΙΜΕΝΟ"},         {"INT", "ΑΡΙΘΜΟΣ"},
    {"UINT", "ΑΡΙΘΜΟΣ"},         {"Env", "Μεταβλητή"},        {"Needs", "Θέλει"},
    {"Excludes", "Αποκλείει"},
};

class GreekFormatter : public CLI::Formatter {
 public:
  GreekFormatter() {
    for (const auto& [english, greek] : kLabels) label(std::string(english), std::string(greek));
  }

  // An option's group keeps CLI11's default name unless given one: say it in Greek.
  std::string make_group(std::string group, bool is_positional,
                         std::vector<const CLI::Option*> opts) const override {
    return CLI::Formatter::make_group(get_label(group), is_positional, std::move(opts));
  }

  // A positional's description says what it is; its type and "required" only add English.
  std::string make_option_opts(const CLI::Option* opt) const override {
    if (opt->get_positional()) return {};
    return CLI::Formatter::make_option_opts(opt);
  }
};

// The text of CLI11's message before `marker` ("--overwrite: ..." gives "--overwrite").
std::string before(const std::string& message, std::string_view marker) {
  const auto at = message.find(marker);
  return at == std::string::npos ? std::string() : message.substr(0, at);
}

std::string in_quotes(std::string_view name) {
  return "«" + std::string(name) + "»";
}

}  // namespace

std::shared_ptr<CLI::Formatter> greek_formatter() {
  return std::make_shared<GreekFormatter>();
}

std::string parse_failure(const CLI::App* app, const CLI::Error& error) {
  // Arguments nobody took come first: they are why a subcommand or a value seems missing.
  for (const std::string& extra : app->remaining(true)) {
    if (extra.starts_with('-')) return "άγνωστη επιλογή " + in_quotes(extra);
    if (app->get_subcommands().empty()) return "άγνωστη εντολή " + in_quotes(extra);
    return "περιττό όρισμα " + in_quotes(extra);
  }
  const std::string message = error.what();
  const std::string kind = error.get_name();
  if (kind == "RequiredError") {
    const std::string name = before(message, " is required");
    if (name.empty()) return "λείπει η εντολή (list, detect ή convert)";
    return "λείπει το όρισμα " + name;
  }
  if (kind == "ValidationError" || kind == "ConversionError") {
    const std::string name = before(message, ":");
    return "μη αποδεκτή τιμή" + (name.empty() ? std::string() : " για την " + name);
  }
  if (kind == "ArgumentMismatch") {
    const std::string name = before(message, ":");
    return name.empty() ? "λάθος πλήθος ορισμάτων" : "λείπει η τιμή της " + name;
  }
  if (const std::string name = before(message, " requires ");
      kind == "RequiresError" && !name.empty())
    return "η " + name + " θέλει και την " + message.substr(name.size() + 10);
  if (kind == "ExtrasError") return "περιττά ορίσματα";
  return "λάθος κλήση";
}

void usage_error(std::ostream& err, std::string_view cause) {
  err << "korvath: " << cause << ". Δείτε: korvath --help\n";
}

}  // namespace korvath
