#include "cli/pick.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "cli/cli.hpp"
#include "converters/catalogue.hpp"
#include "converters/detect.hpp"
#include "flow/report.hpp"

namespace korvath {
namespace {

// Why a file read_prefix could not read cannot be read, in the system's words.
std::string unreadable_reason(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  struct stat info {};
  const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
  ::close(fd);
  return std::strerror(folder ? EISDIR : EIO);
}

std::string named(const ConversionCommand& command) {
  return std::string(command.id) + " (" + menu_label(command) + ")";
}

// "a", "a και b", "a, b και c".
std::string listed(const std::vector<Detection>& fits) {
  std::string text;
  for (std::size_t i = 0; i < fits.size(); ++i) {
    if (i > 0) text += i + 1 == fits.size() ? " και " : ", ";
    text += named(*fits[i].command);
  }
  return text;
}

Pick refused(std::string why, int status) {
  Pick pick;
  pick.why = std::move(why);
  pick.status = status;
  return pick;
}

std::size_t outputs_of(const ConversionCommand& command) {
  return command.outputs == Outputs::coordinates ? 1 : 2;
}

Pick fits_none(const std::string& input, const Prefix& prefix) {
  std::string why = "korvath: σφάλμα: «" + on_one_line(input) + "»: δεν ταιριάζει σε καμία εντολή";
  if (is_utf16(prefix)) why += " (" + std::string(kUtf16Text) + ")";
  for (const Detection& miss : near_misses(prefix))
    why += " (" + std::string(miss.command->id) + ": " + miss.fit.evidence + ")";
  return refused(why + "\n", kExitInvalid);
}

}  // namespace

Pick pick_command(const std::string& input, std::size_t outputs) {
  Prefix prefix;
  try {
    prefix = read_prefix(input);
  } catch (const ConversionError& e) {
    const ConversionError with_reason(e.fault(), {e.file(), e.line()}, unreadable_reason(input));
    return refused("korvath: σφάλμα: " + failure_line(with_reason) + "\n", kExitFailed);
  }
  std::vector<Detection> best = best_commands(prefix);
  if (best.empty()) return fits_none(input, prefix);
  const std::vector<Detection> tied = best;
  // A measurement command and a coordinate command that read the same file: the outputs given
  // say which of the two is meant.
  if (best.size() > 1 && outputs > 0) {
    std::erase_if(best, [&](const Detection& fit) { return outputs_of(*fit.command) != outputs; });
    if (best.size() != 1) best = tied;
  }
  if (best.size() > 1)
    return refused("korvath: το «" + on_one_line(input) + "» ταιριάζει εξίσου στις εντολές " +
                       listed(best) +
                       ": δώστε μία από αυτές αντί για auto. Δείτε: korvath --help\n",
                   kExitUsage);
  const ConversionCommand& command = *best.front().command;
  std::string picked = "Εντολή: " + named(command);
  if (tied.size() > 1) {
    std::vector<Detection> others = tied;
    std::erase_if(others, [&](const Detection& fit) { return fit.command == &command; });
    picked +=
        std::string(outputs == 1 ? ", από το ένα αρχείο εξόδου" : ", από τα δύο αρχεία εξόδου") +
        (others.size() == 1 ? " (ταιριάζει εξίσου και η εντολή "
                            : " (ταιριάζουν εξίσου και οι εντολές ") +
        listed(others) + ")";
  }
  Pick pick;
  pick.command = &command;
  pick.picked = std::move(picked);
  return pick;
}

}  // namespace korvath
