// How the end of a conversion is worded for the user, the same in the window and on the command
// line: the cause of a failure, a note, the lines written. Each text is one line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "flow/conversion_error.hpp"
#include "flow/run.hpp"

namespace korvath {

/// The offending text as a message quotes it: its first 40 bytes, each control or non-ASCII byte
/// as \xNN, then "…" when more followed. Never a line end, never a raw byte of a binary file.
std::string quoted_text(std::string_view text);

/// A path or a note on one line: its letters kept, Greek ones too, each control byte (a line end
/// in a file name) as \xNN.
std::string on_one_line(std::string_view text);

/// "«file»: γραμμή 17: cause («text»)" with the input's text quoted, or "«file»: cause (reason)"
/// with the system's reason for a file that cannot be opened, created or written; the file and
/// the line only where known.
std::string failure_line(const ConversionError& error);

/// How a count is written: plain digits (the command line, which scripts read) or in groups of
/// three joined by "." as Greek text writes it (1.747.626, the window).
enum class Count { plain, grouped };
std::string count_text(std::uint64_t count, Count style);

/// What an input of nothing but line ends is told, before anything else.
inline constexpr std::string_view kEmptyInput = "Το αρχείο εισόδου είναι κενό";

/// "«st.txm» κρατά 12 γραμμές, γραμμένες πριν από το σφάλμα" for an output a failure left
/// behind ("«st.txm» έμεινε κενό" when it holds none).
std::string left_line(const WrittenFile& file, Count style = Count::plain);

/// The error box's text: the cause of the failure (failure_line), or kEmptyInput first.
std::string failure_text(const Outcome& outcome);
/// The error box's informative text: the warning that the input does not fit the command, then
/// a line per output left behind, its count grouped.
std::string failure_details(const Outcome& outcome);

/// "«file»: γραμμή 3: text" for a note; the file and the line only where known.
std::string note_line(const Note& note);

/// "path: 12 γραμμές" ("1 γραμμή").
std::string written_line(const WrittenFile& file, Count style = Count::plain);

/// "Δεν γράφτηκε καμία γραμμή." for a run that wrote nothing, with what the input looks like
/// when the detector knew.
std::string nothing_written_line(const Outcome& outcome);

/// The success box's informative text: kEmptyInput for an empty input, the warning that the
/// input does not fit the command, "Δεν γράφτηκε καμία γραμμή" when every output is
/// empty (with what the input looks like, when the detector knew), then a line per output, then
/// the notes. Counts grouped: these are the window's boxes.
std::string success_details(const Outcome& outcome);

}  // namespace korvath
