// The command line's own words in CLI11: its help layout and labels, and its parse errors as one
// Greek line that names what was wrong.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace CLI {
class App;
class Error;
class Formatter;
}  // namespace CLI

namespace korvath {

/// The help in Greek; set on the application before its subcommands, which inherit it.
std::shared_ptr<CLI::Formatter> greek_formatter();

/// The cause of a parse error, in Greek: an unknown option or command named as such, a missing
/// argument, a value that is not allowed.
std::string parse_failure(const CLI::App* app, const CLI::Error& error);

/// The usage error's one line: "korvath: cause. Δείτε: korvath --help".
void usage_error(std::ostream& err, std::string_view cause);

}  // namespace korvath
