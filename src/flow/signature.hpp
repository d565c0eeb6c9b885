// What a format's signature looks at (the first bytes of a file, cut into lines whatever their
// line ends) and what it says (whether the file fits, how strongly, and what it saw).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

/// No more than this many bytes of a file are read to tell its format.
inline constexpr std::size_t kPrefixBytes = std::size_t{64} * 1024;

/// The start of a file, cut into lines at CR, LF and CR LF alike.
struct Prefix {
  std::vector<std::string> lines;  // without their ends; a line the prefix cut short is dropped
  std::string cut;                 // that line, for a stream sent without line ends
  bool whole = true;               // the file ended within the prefix
  bool text = true;                // no NUL byte, and control bytes other than the framing of a
                                   // serial download (STX, ETX, EOT) are rare: not a binary file
  bool cr = false;                 // some line ends at CR or CR LF
  bool lone_lf = false;            // some line ends at a line feed without a CR before it

  /// Cuts `bytes` (at most kPrefixBytes of them are looked at); `whole`: nothing follows them.
  static Prefix of(std::string_view bytes, bool whole);
};

/// The first kPrefixBytes of the file at `path` (fewer if it is shorter), read once and never
/// more: a pipe is left with the rest of its data. Nothing is written. Throws ConversionError
/// (cannot_open) for a path that cannot be read, a folder included.
Prefix read_prefix(const std::string& path);

/// A signature's verdict on a prefix.
struct Fit {
  int score = 0;         // 0: the file does not fit; up to 100, the share of lines explained
  std::string evidence;  // what was seen, for the user; for a non-fit, what came close (or empty)
  bool fits() const { return score > 0; }
};

/// A format's signature: pure, reads only the prefix.
using Signature = Fit (*)(const Prefix& prefix);

// Small rules the signatures share.

/// The pieces between the separators, empty ones included ("a,,b" gives "a", "", "b").
std::vector<std::string_view> split(std::string_view text, char separator);
/// The pieces between runs of blanks, leading and trailing blanks ignored (tabs are not blanks).
std::vector<std::string_view> blank_separated(std::string_view text);
/// Whether the text, less blanks and tabs around it, reads as a number in full.
bool is_number(std::string_view text);
/// Whether the text reads as a number from 0 to 400: a reading in grads (or in degrees).
bool is_angle(std::string_view text);
/// Whether the line holds nothing but blanks, tabs and the DOS end-of-file mark (Ctrl-Z).
bool is_blank_line(std::string_view line);
/// "γραμμή 3: TEXT" with the text cut to 40 characters ("…" after) and control or non-ASCII
/// bytes shown as \xNN; `index` counts from 0.
std::string quote_line(std::size_t index, std::string_view line);

/// A count with its noun in number: "1 στάση", "3 στάσεις".
std::string counted(int count, std::string_view one, std::string_view many);

/// How many of the non-blank lines a format explains.
struct Tally {
  int seen = 0, matched = 0;
  void count(bool match) {
    ++seen;
    if (match) ++matched;
  }
  /// The share in percent (0 when no line was seen).
  int percent() const { return seen == 0 ? 0 : matched * 100 / seen; }
};

/// The share of non-blank lines, in percent, a line-by-line signature must recognise.
inline constexpr int kRecognisedPercent = 60;

/// The rule of the line-by-line signatures: the records a conversion needs were seen
/// (`needed`: a station and an observation, say) and at least kRecognisedPercent of the lines
/// were recognised (exactly 60 % is enough). Kept here once, so that a change of it is one edit.
bool recognised(const Tally& lines, bool needed);

}  // namespace korvath
