// One run of a ConversionCommand: the dialogs, the output names and the overwrite question,
// then the files the converter works with. Owns every output it opens; its destructor closes
// them quietly (the error path), close_all() closes and checks them (success).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "flow/advice.hpp"
#include "flow/command.hpp"
#include "flow/conversion_error.hpp"
#include "flow/output_file.hpp"
#include "flow/platform.hpp"
#include "flow/readers.hpp"
#include "flow/scratch_files.hpp"

namespace korvath {

struct WrittenFile {
  std::string path;
  std::uint64_t lines = 0;
};

/// Something the user should know about a conversion that went through: a converted angle unit,
/// a declared unit left as read. Where it was found (line 0: the whole file), and what.
struct Note {
  std::string file;
  std::uint64_t line = 0;
  std::string text;
};

class Conversion {
 public:
  enum class Stage {
    ready,    // all dialogs answered: convert
    ended,    // empty input path or overwrite declined: nothing more happens
    invalid,  // the validation pass rejected the input (its message is shown)
    refused,  // an output would be the input, the other output or a scratch file
  };

  Conversion(const ConversionCommand& command, Platform& ui, const InputAdvice& advice = {});
  Conversion(const Conversion&) = delete;
  Conversion& operator=(const Conversion&) = delete;
  ~Conversion();

  /// Runs the input dialog, the validation pass and the output steps of the flow. Throws
  /// ConversionError on the error path (a cancelled dialog, a file that cannot be created).
  Stage ask();
  /// The refusal's text, after ask() gave Stage::refused.
  const std::string& refusal() const { return refusal_; }
  /// The command the user chose to run instead from the box of a rejected input; else null.
  const ConversionCommand* instead() const { return instead_; }

  const ConversionCommand& command() const { return command_; }
  /// The input as the user named it.
  const std::string& input_name() const { return input_name_; }
  /// The file the converter reads (the input itself, or a private copy of a pipe) in a reader of
  /// type `Reader` (an InputFile), its text only: past a byte order mark an editor may have put
  /// before it, up to an end-of-file mark a transfer program may have put after it.
  template <typename Reader>
  Reader read_input_as() const {
    Reader reader(input_, input_name_);
    reader.skip_marks_around_text();
    return reader;
  }
  LineReader read_input_lines() const { return read_input_as<LineReader>(); }
  ItemReader read_input_items() const { return read_input_as<ItemReader>(); }

  /// Scratch file i of the command's row, made anew for this run; each line written records the
  /// input line `source` read last (see ScratchFiles).
  OutputFile write_scratch(std::size_t i, const InputFile& source) {
    return scratch().write(i, source);
  }
  OutputFile write_scratch(std::size_t i) { return scratch().write(i); }
  /// Scratch file i read back; faults name the input file and the line a record came from.
  ItemReader read_scratch_items(std::size_t i) { return scratch().read_items(i, input_name_); }
  LineReader read_scratch_lines(std::size_t i, std::uint64_t lines_before = 0) {
    return scratch().read_lines(i, input_name_, lines_before);
  }
  /// The fixed path of scratch file i: the scratch folder followed by its name.
  std::string scratch_path(std::size_t i) const {
    return folder_ + std::string(command_.scratch_files.at(i));
  }

  /// Output i (0: station or coordinate file, 1: point file), created now in the late order.
  OutputFile& output(std::size_t i);
  const std::string& output_path(std::size_t i) const { return output_paths_.at(i); }
  /// The `OdrFile` beside the point file, created (emptied) on first use.
  OutputFile& odr_file();
  const std::string& odr_path() const { return odr_path_; }

  /// Closes every output, checked: Fault::write_failed when a flush or close failed.
  void close_all();
  /// The outputs with the lines written, after close_all().
  std::vector<WrittenFile> written() const;
  /// The lines written so far to the station and point files or the coordinate file.
  std::uint64_t lines_written() const;
  /// The same for output i alone.
  std::uint64_t lines_written_to(std::size_t i) const {
    return outputs_.at(i) ? outputs_[i]->lines() : 0;
  }
  /// On the error path: each output this run opened (emptied) with the lines it holds.
  std::vector<WrittenFile> left_behind() const;
  /// Whether the input holds nothing but line ends and the marks around a download's text.
  bool input_is_empty() const;
  /// What the input looks like, from the front end's detector; none when it fits no command.
  std::optional<std::string> looks_like() const;
  /// The warning for an input the detector does not find fit for this command, or finds fit
  /// better for another; none otherwise.
  std::optional<std::string> fit_warning() const;

  /// Adds a note for the final report (each front end shows them after the files written).
  void note(const Where& where, std::string text) {
    notes_.push_back({std::string(where.file), where.line, std::move(text)});
  }
  const std::vector<Note>& notes() const { return notes_; }

 private:
  std::optional<std::string> ask_output(std::size_t i);
  // When every answer is known: asks the overwrite questions of all outputs and the ODR file;
  // false when one was declined.
  bool overwrite_agreed();
  // Then creates the outputs.
  void take_outputs();
  // Takes the chosen input: refuses a device or a closed standard input; false when refused.
  bool take_input(const std::string& chosen);
  // Copies an input read from a pipe, once.
  void copy_input();
  // The validation pass, when the command has one; false (its message shown) when it rejects.
  bool passes_validation();
  // Before any output is created or emptied: the input opens and the scratch folder is there.
  // Throws the fault of the first that is not so.
  void check_input_and_folder() const;
  ScratchFiles& scratch();
  // Sets the refusal's text: `path` cannot be `role` because it is `other`. Returns true.
  bool refuse(const std::string& path, std::string_view role, std::string_view other);
  // Refuses a path that is the input, a scratch file, an output chosen before or the ODR file.
  bool refuse_if_taken(const std::string& path, std::string_view role);

  const ConversionCommand& command_;
  Platform& ui_;
  InputAdvice advice_;
  std::string input_, input_name_, input_copy_, folder_, odr_path_, refusal_;
  bool from_stream_ = false;
  std::optional<ScratchFiles> scratch_;
  std::vector<std::string> output_paths_;
  std::array<std::optional<OutputFile>, 2> outputs_;
  std::optional<OutputFile> odr_;
  std::vector<WrittenFile> written_;
  std::vector<Note> notes_;
  const ConversionCommand* instead_ = nullptr;
};

}  // namespace korvath
