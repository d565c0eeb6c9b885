#include "flow/conversion.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "flow/conversion_error.hpp"
#include "flow/input_kind.hpp"
#include "flow/overwrite.hpp"
#include "flow/same_file.hpp"

namespace korvath {
namespace {

struct OutputDialog {
  std::string_view title, filter, extension, role;
};

constexpr OutputDialog kStationDialog{kStationSaveTitle, kMeasurementFilter, "txm",
                                      "το αρχείο μετρήσεων στάσεων"};
constexpr OutputDialog kPointDialog{kPointSaveTitle, kMeasurementFilter, "txm",
                                    "το αρχείο μετρήσεων σημείων"};
constexpr OutputDialog kCoordinateDialog{kCoordinateSaveTitle, kCoordinateFilter, "seq",
                                         "το αρχείο συντεταγμένων"};
constexpr std::string_view kInputRole = "το αρχείο εισόδου";
constexpr std::string_view kScratchRole = "βοηθητικό αρχείο της μετατροπής";
constexpr std::string_view kOdrRole = "το αρχείο ODR";
constexpr std::string_view kDeviceKind = "συσκευή ή υποδοχή, όχι κανονικό αρχείο";
constexpr std::string_view kStreamKind = "σωλήνωση (FIFO), όχι κανονικό αρχείο";
constexpr std::string_view kClosedKind = "η τυπική είσοδος, που είναι κλειστή";

const OutputDialog& dialog_for(const ConversionCommand& command, std::size_t i) {
  if (command.outputs == Outputs::coordinates) return kCoordinateDialog;
  return i == 0 ? kStationDialog : kPointDialog;
}

std::size_t output_count(const ConversionCommand& command) {
  return command.outputs == Outputs::coordinates ? 1 : 2;
}

}  // namespace

Conversion::Conversion(const ConversionCommand& command, Platform& ui, const InputAdvice& advice)
    : command_(command), ui_(ui), advice_(advice) {}

std::optional<std::string> Conversion::looks_like() const {
  if (!advice_.looks_like) return std::nullopt;
  return advice_.looks_like(input_);
}

std::optional<std::string> Conversion::fit_warning() const {
  if (!advice_.fits_better) return std::nullopt;
  return advice_.fits_better(input_, command_);
}

void Conversion::check_input_and_folder() const {
  // A pipe is not opened twice: its bytes are read once, when it is copied.
  if (!from_stream_) {
    [[maybe_unused]] const InputFile input(input_, input_name_);  // throws when it does not open
  }
  const bool scratch = std::any_of(command_.scratch_files.begin(), command_.scratch_files.end(),
                                   [](std::string_view name) { return !name.empty(); });
  struct stat info {};
  if (!scratch) return;
  if (stat(folder_.c_str(), &info) != 0)
    throw ConversionError(Fault::cannot_create, {folder_, 0}, std::strerror(errno));
  if (!S_ISDIR(info.st_mode))
    throw ConversionError(Fault::cannot_create, {folder_, 0}, std::strerror(ENOTDIR));
}

bool Conversion::input_is_empty() const {
  try {
    LineReader in = read_input_lines();
    while (!in.at_end())
      if (!in.read_line().empty()) return false;
    return true;
  } catch (const ConversionError&) {
    return false;  // not there, or not readable: the failure says so
  }
}

Conversion::~Conversion() {
  // Outputs close first (members go in reverse), then the scratch files are put in place.
  if (!input_copy_.empty()) std::remove(input_copy_.c_str());
}

ScratchFiles& Conversion::scratch() {
  if (!scratch_) scratch_.emplace(folder_, command_.scratch_files);
  return *scratch_;
}

bool Conversion::take_input(const std::string& chosen) {
  input_name_ = input_ = chosen;
  switch (file_kind(chosen)) {
    case FileKind::device:
      return !refuse(chosen, kInputRole, kDeviceKind);
    case FileKind::closed:
      return !refuse(chosen, kInputRole, kClosedKind);
    case FileKind::stream:
      from_stream_ = true;
      return true;
    case FileKind::none:
    case FileKind::file:
      return true;
  }
  return true;
}

void Conversion::copy_input() {
  if (!from_stream_ || !input_copy_.empty()) return;
  // A pipe can be read once only, and the converters read the input more than once
  // (validation, then conversion): it is read into a private copy, converted from there.
  ScratchFiles::remove_left_behind(folder_);
  OutputFile copy = ScratchFiles::make_private(folder_, "input");
  input_copy_ = input_ = copy.path();
  copy_stream(input_name_, copy);
}

bool Conversion::passes_validation() {
  if (!command_.validate) return true;
  const auto rejection = command_.validate(input_);
  if (!rejection) return true;
  std::string why =
      "«" + input_name_ + "»: γραμμή " + std::to_string(rejection->line) + ": " + rejection->reason;
  if (const auto guess = looks_like()) why += "\nΤο αρχείο μοιάζει με " + *guess + ".";
  // The window offers the command the file fits, on the same input.
  const std::optional<OtherCommand> other =
      advice_.instead ? advice_.instead(input_, command_) : std::nullopt;
  if (!other) {
    ui_.show_message(kNotValid, kWarningTitle, Icon::error, why);
  } else if (ui_.show_message_with_action(std::string(kConvertAs) + other->label, kNotValid,
                                          kWarningTitle, Icon::error, why)) {
    instead_ = other->command;
  }
  return false;
}

bool Conversion::refuse(const std::string& path, std::string_view role, std::string_view other) {
  refusal_ = "Το αρχείο «" + path + "» δεν μπορεί να είναι " + std::string(role) + ": είναι " +
             std::string(other) + ".";
  return true;
}

bool Conversion::refuse_if_taken(const std::string& path, std::string_view role) {
  const FileKind kind = file_kind(path);
  if (kind == FileKind::device) return refuse(path, role, kDeviceKind);
  if (kind == FileKind::stream) return refuse(path, role, kStreamKind);
  if (same_file(path, input_name_)) return refuse(path, role, kInputRole);
  for (std::size_t i = 0; i < command_.scratch_files.size(); ++i)
    if (!command_.scratch_files[i].empty() && same_file(path, scratch_path(i)))
      return refuse(path, role, kScratchRole);
  for (std::size_t i = 0; i < output_paths_.size(); ++i)
    if (same_file(path, output_paths_[i])) return refuse(path, role, dialog_for(command_, i).role);
  if (!odr_path_.empty() && same_file(path, odr_path_)) return refuse(path, role, kOdrRole);
  return false;
}

std::optional<std::string> Conversion::ask_output(std::size_t i) {
  const OutputDialog& dialog = dialog_for(command_, i);
  // Named after the input, beside it: pressing Enter never targets the input itself. A pipe
  // has no folder of its own to suggest.
  const std::string suggested =
      from_stream_ ? std::string()
                   : named_outputs(command_, input_name_,
                                   std::filesystem::path(input_name_).parent_path().string())
                         .at(i);
  const auto chosen = ui_.ask_save_path(dialog.title, dialog.filter, suggested);
  if (!chosen) throw ConversionError(Fault::cancelled, {});
  std::string path = output_name(*chosen, dialog.extension);
  if (refuse_if_taken(path, dialog.role)) return std::nullopt;
  if (command_.odr_listing && i == 1) {
    const std::string odr = odr_name(*chosen);
    if (same_file(odr, path) ? refuse(odr, kOdrRole, dialog.role) : refuse_if_taken(odr, kOdrRole))
      return std::nullopt;
    odr_path_ = odr;
  }
  return path;
}

Conversion::Stage Conversion::ask() {
  const auto input = ui_.ask_open_path(command_.open_title, command_.open_filter);
  if (!input) throw ConversionError(Fault::cancelled, {});
  if (input->empty()) return Stage::ended;
  folder_ = ui_.program_folder();
  for (std::size_t i = 0; i < command_.scratch_files.size(); ++i) {
    if (!command_.scratch_files[i].empty() && same_file(*input, scratch_path(i))) {
      refuse(*input, kInputRole, kScratchRole);
      return Stage::refused;
    }
  }
  if (!take_input(*input)) return Stage::refused;
  // When every answer is known, a pipe is copied once every refusal and question is behind: they
  // need none of its bytes, and an endless one would hold them up for ever. The input and the
  // scratch folder are checked before any output is created or emptied.
  const bool all_first = ui_.knows_every_answer();
  if (all_first) check_input_and_folder();
  if (!all_first || !from_stream_) {
    copy_input();
    if (!passes_validation()) return Stage::invalid;
  }

  for (std::size_t i = 0; i < output_count(command_); ++i) {
    const auto path = ask_output(i);
    if (!path) return Stage::refused;
    output_paths_.push_back(*path);
    if (all_first) continue;
    confirm_overwrite(*path, ui_);
    if (!overwrite_allowed) return Stage::ended;
    // The listing beside the point file is replaced too: asked about as the outputs are.
    if (i == 1 && !odr_path_.empty() && has_content(odr_path_) && !ui_.ask_overwrite(odr_path_))
      return Stage::ended;
    if (command_.opening == Opening::early) outputs_[i].emplace(*path);
  }
  if (!all_first) return Stage::ready;
  if (!overwrite_agreed()) return Stage::ended;
  copy_input();
  if (from_stream_ && !passes_validation()) return Stage::invalid;
  take_outputs();
  return Stage::ready;
}

bool Conversion::overwrite_agreed() {
  // Every refusal is behind us; a declined question leaves every file as it was. The ODR file is
  // an output like the others here: a script never loses one without being told.
  std::vector<std::string> asked = output_paths_;
  if (!odr_path_.empty()) asked.push_back(odr_path_);
  for (const std::string& path : asked)
    if (has_content(path) && !ui_.ask_overwrite(path)) return false;
  return true;
}

void Conversion::take_outputs() {
  for (std::size_t i = 0; i < output_paths_.size(); ++i) {
    if (command_.opening == Opening::early) {
      outputs_[i].emplace(output_paths_[i]);
    } else {
      OutputFile(output_paths_[i], OutputFile::Mode::append).close();  // there, as the flow says
    }
  }
}

OutputFile& Conversion::output(std::size_t i) {
  if (!outputs_.at(i)) outputs_[i].emplace(output_paths_.at(i));
  return *outputs_[i];
}

OutputFile& Conversion::odr_file() {
  if (!odr_) odr_.emplace(odr_path_);
  return *odr_;
}

void Conversion::close_all() {
  written_.clear();
  if (scratch_ && !scratch_->put_in_place())
    note({}, "ένα βοηθητικό αρχείο δεν μπήκε στη θέση του στον φάκελο " + folder_);
  // Every output chosen is reported, also one the converter never had to open: the overwrite
  // check created it, empty, and the user should see that nothing was written there.
  for (std::size_t i = 0; i < output_paths_.size(); ++i) {
    std::optional<OutputFile>& file = outputs_.at(i);
    if (file) file->close();
    written_.push_back({output_paths_[i], file ? file->lines() : 0});
  }
  if (odr_) {
    odr_->close();
    written_.push_back({odr_->path(), odr_->lines()});
  }
}

std::vector<WrittenFile> Conversion::written() const {
  return written_;
}

std::uint64_t Conversion::lines_written() const {
  std::uint64_t lines = 0;
  for (const std::optional<OutputFile>& file : outputs_)
    if (file) lines += file->lines();
  return lines;
}

std::vector<WrittenFile> Conversion::left_behind() const {
  std::vector<WrittenFile> left;
  for (std::size_t i = 0; i < output_paths_.size(); ++i)
    if (outputs_.at(i)) left.push_back({output_paths_[i], outputs_[i]->lines()});
  if (odr_) left.push_back({odr_->path(), odr_->lines()});
  return left;
}

}  // namespace korvath
