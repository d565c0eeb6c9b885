// The one kind of failure a conversion raises. It carries facts (what, which file, which line,
// the offending text); each front end words them in its own way, and the window shows nothing.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korvath {

enum class Fault {
  cancelled,         // a dialog was cancelled
  cannot_open,       // an input or scratch file cannot be opened for reading
  cannot_create,     // an output or scratch file cannot be created or opened for appending
  read_past_end,     // a line or item was requested at the end of a file
  not_a_number,      // arithmetic on text that does not read as a number in full
  not_an_angle,      // a degrees-minutes-seconds value with 60 or more minutes or seconds
  out_of_circle,     // a reading below 0 or beyond the full circle of its unit
  number_too_large,  // a number beyond the range of a double, such as 1E999
  line_too_short,    // a record line too short for the fields its key needs
  line_too_long,     // a line or item longer than any instrument writes (1 MiB)
  bad_field,         // a field with a start below 1 or a negative length
  too_many_values,   // a record with more values than its row can hold
  write_failed,      // a write, flush or close of an output failed
  unknown_unit,      // a value in a unit its kind of value does not have (a GSI unit digit)
  stream_too_large,  // a pipe gave more than any download holds (kLongestStream)
  interrupted,       // a signal asked the run to end (SIGINT, SIGTERM, SIGHUP)
  other,             // any other failure of a file operation
};

/// Where a fault was met: the file's path as the user chose it, and the 1-based line (0: none).
struct Where {
  std::string_view file;
  std::uint64_t line = 0;
};

class ConversionError : public std::runtime_error {
 public:
  ConversionError(Fault fault, const Where& where, std::string detail = {});

  Fault fault() const { return fault_; }
  const std::string& file() const { return file_; }
  std::uint64_t line() const { return line_; }
  const std::string& detail() const { return detail_; }

 private:
  Fault fault_;
  std::string file_;
  std::uint64_t line_;
  std::string detail_;
};

/// Short English name of a fault, for test output and diagnostics.
std::string_view fault_name(Fault fault);

}  // namespace korvath
