#include "flow/scratch_files.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

#include "flow/conversion_error.hpp"
#include "flow/interruption.hpp"

namespace korvath {
namespace {

constexpr std::string_view kFolderRole = "φάκελος βοηθητικών αρχείων";
constexpr std::string_view kPrivatePrefix = ".korvath-";
constexpr std::time_t kStaleAfter = std::time_t{24} * 60 * 60;

// A private name of this process: the prefix, the process id, the scratch file's role.
std::string private_name(std::string_view role) {
  return std::string(kPrivatePrefix) + std::to_string(getpid()) + "-" + std::string(role);
}

// The process a private name belongs to; 0 for a name without one.
pid_t owner_of(std::string_view name) {
  name.remove_prefix(kPrivatePrefix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  return error == std::errc() && end != name.data() && *end == '-' && pid > 0 ? pid : 0;
}

// A run that was killed (SIGKILL, a power cut) leaves its private files behind: any run removes
// those whose process is gone, and those older than a day (a process id comes round again, and
// a name may carry none). Only regular files of this user, never through a link.
void remove_stale_private_files(const std::string& folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(kPrivatePrefix)) continue;
    struct stat info {};
    if (fstatat(dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(info.st_mode) || info.st_uid != geteuid()) continue;
    const pid_t owner = owner_of(name);
    const bool gone = owner != 0 && kill(owner, 0) != 0 && errno == ESRCH;
    if (gone || now - info.st_mtime > kStaleAfter) unlinkat(dirfd(dir.get()), entry->d_name, 0);
  }
}

}  // namespace

ScratchFiles::ScratchFiles(std::string folder, std::array<std::string_view, kMost> names)
    : folder_(std::move(folder)) {
  for (std::size_t i = 0; i < kMost; ++i) slots_[i].name = names[i];
}

ScratchFiles::~ScratchFiles() {
  if (interruption() != 0) {
    give_back();
  } else {
    put_in_place();
  }
}

std::string ScratchFiles::fixed_path(std::size_t i) const {
  return folder_ + std::string(slots_.at(i).name);
}

OutputFile ScratchFiles::make_private(const std::string& folder, std::string_view role) {
  const std::string pattern = folder + "/" + private_name(role) + "-XXXXXX";
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  const int fd = mkostemp(path.data(), O_CLOEXEC);  // O_EXCL: never an existing file or link
  if (fd < 0)
    throw ConversionError(Fault::cannot_create, {folder, 0},
                          std::string(kFolderRole) + ": " + std::strerror(errno));
  std::FILE* file = fdopen(fd, "wb");
  if (!file) close(fd);
  return OutputFile(path.data(), file);
}

std::optional<OutputFile> ScratchFiles::take_over(std::size_t i) const {
  const std::string fixed = fixed_path(i);
  const std::string_view role = slots_.at(i).name.substr(1);
  // A name of this process's own (one conversion at a time writes each scratch file), which
  // renameat2 never puts over an existing file.
  const std::string path = folder_ + "/" + private_name(role);
  // Only a plain file of this user, which nobody else may read and no other name links to;
  // checked again once taken, as it may have been replaced in between.
  const auto private_file = [](const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_uid == geteuid() && info.st_nlink == 1 &&
           (info.st_mode & 077) == 0;
  };
  struct stat before {};
  if (lstat(fixed.c_str(), &before) != 0 || !private_file(before) ||
      renameat2(AT_FDCWD, fixed.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0)
    return std::nullopt;
  const int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  struct stat after {};
  // Dated now: another run cleaning up would take a file of the day before for a stale one
  // until the first buffer is written.
  const bool same = fd >= 0 && fstat(fd, &after) == 0 && private_file(after) &&
                    after.st_dev == before.st_dev && after.st_ino == before.st_ino &&
                    futimens(fd, nullptr) == 0;
  std::FILE* file = same ? fdopen(fd, "wb") : nullptr;
  if (!file) {  // put back as found
    if (fd >= 0) close(fd);
    renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, fixed.c_str(), RENAME_NOREPLACE);
    return std::nullopt;
  }
  OutputFile taken_over(path, file);
  taken_over.cut_when_closed();
  return taken_over;
}

OutputFile ScratchFiles::write(std::size_t i) {
  Slot& slot = slots_.at(i);
  const bool first =
      std::all_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.work.empty(); });
  if (first) remove_stale_private_files(folder_);
  // The last run's file is written over where it can be taken: writing over the pages the
  // system holds already costs less than filling new ones and freeing the old (a tenth of a
  // large conversion).
  std::optional<OutputFile> taken;
  if (slot.work.empty()) {
    taken = take_over(i);
    slot.taken = slot.taken || taken.has_value();
  } else {
    std::remove(slot.work.c_str());
  }
  OutputFile file = taken ? std::move(*taken) : make_private(folder_, slot.name.substr(1));
  file.report_as(fixed_path(i));
  slot.work = file.path();
  return file;
}

OutputFile ScratchFiles::write(std::size_t i, const InputFile& source) {
  OutputFile file = write(i);
  Slot& slot = slots_[i];
  if (!slot.origins) slot.origins = std::make_unique<LineOrigins>();
  file.follow(*slot.origins, source);
  return file;
}

const ScratchFiles::Slot& ScratchFiles::made(std::size_t i) const {
  const Slot& slot = slots_.at(i);
  if (slot.work.empty())
    throw ConversionError(Fault::cannot_open, {fixed_path(i), 0}, "not written in this run");
  return slot;
}

LineReader ScratchFiles::read_lines(std::size_t i, const std::string& input_name,
                                    std::uint64_t lines_before) const {
  const Slot& slot = made(i);
  LineReader reader(slot.work);
  reader.report_lines_as(input_name, slot.origins.get(), lines_before);
  return reader;
}

ItemReader ScratchFiles::read_items(std::size_t i, const std::string& input_name) const {
  const Slot& slot = made(i);
  ItemReader reader(slot.work);
  reader.report_lines_as(input_name, slot.origins.get());
  return reader;
}

bool ScratchFiles::put_in_place() {
  bool all = true;
  for (std::size_t i = 0; i < kMost; ++i) {
    Slot& slot = slots_[i];
    if (slot.work.empty()) continue;
    // The last run's file goes first: a file renamed over another is written out to the disk
    // at once (the file system keeps the old or the new one across a crash, which a scratch file
    // does not need), and that costs a large conversion a tenth of its time. Both remove() and
    // rename() act on the fixed name itself, never on what a link there points to.
    const std::string fixed = fixed_path(i);
    std::remove(fixed.c_str());
    if (std::rename(slot.work.c_str(), fixed.c_str()) != 0) {
      std::remove(slot.work.c_str());
      all = false;
    }
    slot.work.clear();
  }
  return all;
}

void ScratchFiles::give_back() {
  for (std::size_t i = 0; i < kMost; ++i) {
    Slot& slot = slots_[i];
    if (slot.work.empty()) continue;
    // Where another run has put its file meanwhile, that whole file stays.
    if (!slot.taken || renameat2(AT_FDCWD, slot.work.c_str(), AT_FDCWD, fixed_path(i).c_str(),
                                 RENAME_NOREPLACE) != 0)
      std::remove(slot.work.c_str());
    slot.work.clear();
  }
}

void ScratchFiles::remove_left_behind(const std::string& folder) {
  remove_stale_private_files(folder);
}

}  // namespace korvath
