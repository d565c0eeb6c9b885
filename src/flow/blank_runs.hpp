// Lines whose values are separated by runs of blanks, made comma-separated from masks of their
// blanks: the first pass of the instruments that write such lines (Leica TCR 307, South).
#pragma once

#include <cstddef>

namespace korvath {

/// What blank_runs_to_commas wrote: where it ends, and how many runs of blanks it made commas.
struct CommaLine {
  char* end = nullptr;
  std::size_t runs = 0;
};

/// `line`, its `length` bytes without blanks at either end, written at `out` with each run of
/// blanks made one comma. Each stretch between the blanks a run drops is copied sixteen bytes at
/// a time from its own place: no step waits for the one before, as a search from value to value
/// would. Only for a line of at most 64 bytes, and with `under_sixteen` only for one whose runs
/// are shorter than sixteen blanks; `end` is null for any other line. The line is read up to
/// 64 bytes past its start (see kLineReadAhead), and up to 16 bytes of room past what is written
/// are written over.
CommaLine blank_runs_to_commas(const char* line, std::size_t length, char* out, bool under_sixteen);

}  // namespace korvath
