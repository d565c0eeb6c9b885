// The scratch files of one conversion. Each run writes and reads its own private files in the
// scratch folder (never through a link, never shared with another run): the last run's file,
// taken away from its fixed name under a private one and written over, or else one made
// exclusively. It puts them in place under their fixed names when it ends, on success and on
// the error path alike: two conversions at once never read each other's records, and the
// fixed-name files hold what the run that ended last wrote. A run a signal stops removes its
// private files instead, and gives a file it took over back under its fixed name. A private
// name carries its process's id, so that the files of a killed run are known as soon as it is
// gone.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "flow/line_origins.hpp"
#include "flow/output_file.hpp"
#include "flow/readers.hpp"

namespace korvath {

class ScratchFiles {
 public:
  static constexpr std::size_t kMost = 2;

  /// `folder` without a separator at its end; `names` the fixed names, each beginning with "/"
  /// (an empty name: no such file).
  ScratchFiles(std::string folder, std::array<std::string_view, kMost> names);
  ScratchFiles(const ScratchFiles&) = delete;
  ScratchFiles& operator=(const ScratchFiles&) = delete;
  /// Puts every private file made in place, quietly (the error path).
  ~ScratchFiles();

  /// The fixed path of scratch file i: the folder followed by its name.
  std::string fixed_path(std::size_t i) const;

  /// Makes private file i anew, empty, and opens it for writing; every line written records the
  /// line `source` read last. Throws Fault::cannot_create.
  OutputFile write(std::size_t i, const InputFile& source);
  /// The same, for a file whose lines are not records of the input (the Topcon rendering).
  OutputFile write(std::size_t i);
  /// Opens private file i for reading; its faults name `input_name` and the input line each
  /// record came from (`lines_before`: the file's lines stand that many lines after the input's).
  LineReader read_lines(std::size_t i, const std::string& input_name,
                        std::uint64_t lines_before = 0) const;
  ItemReader read_items(std::size_t i, const std::string& input_name) const;

  /// Puts every private file in place under its fixed name; false when one could not be.
  bool put_in_place();

  /// A file made exclusively in `folder` for a private copy (the input read from a pipe): its
  /// path, with the file open for writing. Throws Fault::cannot_create naming the folder.
  static OutputFile make_private(const std::string& folder, std::string_view role);
  /// Removes from `folder` the private files of runs that are gone, or older than a day.
  static void remove_left_behind(const std::string& folder);

 private:
  struct Slot {
    std::string_view name;
    std::string work;  // the private file, once made
    std::unique_ptr<LineOrigins> origins;
    bool taken = false;  // the last run's file was taken over: there was one to give back
  };
  // The interrupted run's end: removes every private file, but gives one taken over back.
  void give_back();
  const Slot& made(std::size_t i) const;
  // The last run's file i under a private name, open for writing over from its start; empty when
  // there is none, or when it is not a private file of this user.
  std::optional<OutputFile> take_over(std::size_t i) const;

  std::string folder_;
  std::array<Slot, kMost> slots_;
};

}  // namespace korvath
