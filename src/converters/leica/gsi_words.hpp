// The words of a GSI line, as any Leica instrument writes them: "21.322+16901313 " (GSI-8, eight
// data characters) or, on a line that starts with "*", "21.322+0000000016901313 " (GSI-16,
// sixteen). A word is its word index WI (columns 1-2), four columns of information whose last is
// the unit digit, a sign and the data, without blanks; one blank follows it. Any words in any
// order make a line.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "flow/conversion_error.hpp"
#include "flow/record_tally.hpp"
#include "flow/value.hpp"

namespace korvath::leica {

struct GsiWord {
  std::string_view text;  // the whole word, without the blank after it
  std::string_view data;  // 8 or 16 characters
  bool negative = false;
  /// The unit digit: column 6 ("." for millimetres without a unit, as in code blocks).
  char unit() const { return text[5]; }
  /// Whether the instrument filled the value with "-" for want of one ("00000000000-----").
  bool dashed() const { return data.find('-') != std::string_view::npos; }
  /// The data read as a whole number with the word's sign. Throws Fault::not_a_number at `where`
  /// for data that is not digits (a dashed value included: ask dashed() first).
  std::int64_t digits(const Where& where) const;
};

/// A set of word indices (0-99).
class WordSet {
 public:
  constexpr WordSet() = default;
  constexpr WordSet(std::initializer_list<int> indices) {
    for (const int wi : indices) add(wi);
  }
  constexpr void add(int wi) { bits_[wi / 64] |= std::uint64_t{1} << (wi % 64); }
  constexpr bool has(int wi) const { return (bits_[wi / 64] >> (wi % 64) & 1) != 0; }
  constexpr bool any_of(const WordSet& other) const {
    return (bits_[0] & other.bits_[0]) != 0 || (bits_[1] & other.bits_[1]) != 0;
  }
  constexpr void clear() { bits_ = {}; }
  /// Calls `f(wi)` for each index in the set that `other` lacks, lowest first.
  template <typename F>
  void each_not_in(const WordSet& other, F f) const {
    for (int half = 0; half < 2; ++half)
      for (std::uint64_t rest = bits_[half] & ~other.bits_[half]; rest != 0; rest &= rest - 1)
        f(half * 64 + std::countr_zero(rest));
  }

 private:
  std::array<std::uint64_t, 2> bits_{};
};

/// What a line says, by the words it holds.
enum class GsiRecord {
  observation,  // a horizontal reading (21)
  set_up,       // station words (84-86) or an instrument height (88), and no 21
  code_set_up,  // a code block (41) whose code is 2 or 21: station 42, height 43
  code_block,   // any other code block
  coordinates,  // target coordinates (81-83) and nothing of the above
  other,        // none of these
};

/// One line's words, found by their index; the last word of an index that comes twice counts.
class GsiLine {
 public:
  /// Reads the words of a line. False when a word is cut short or is no GSI word (the line is
  /// damaged and nothing of it is used).
  bool read(std::string_view line);

  bool has(int wi) const { return present_.has(wi); }
  const WordSet& present() const { return present_; }
  /// The word with this index; only when has(wi).
  const GsiWord& word(int wi) const { return words_[static_cast<std::size_t>(wi)]; }
  /// How many words of this index the line holds.
  int count(int wi) const { return counts_[static_cast<std::size_t>(wi)]; }

  /// The line's kind; a code block's code is read at `where`.
  GsiRecord record(const Where& where) const;

  /// The point name of word 11 or 42 without the "0" fill before it ("000000000000BP04" is BP04,
  /// an all-zero field 0), as the outputs write it; empty when the word is absent.
  Value name(int wi) const;

 private:
  std::array<GsiWord, 100> words_{};
  std::array<std::uint8_t, 100> counts_{};
  WordSet present_;
};

/// Counts the words a command passes over, one kind for each word index: "παραλείφθηκαν 12
/// λέξεις 71 (σχόλια)".
class PassedWords {
 public:
  explicit PassedWords(RecordTally& tally) : tally_(tally) { kinds_.fill(kNone); }
  /// Counts every word of the line whose index is not in `used`.
  void count(const GsiLine& line, const WordSet& used, const Where& where);

 private:
  static constexpr std::size_t kNone = SIZE_MAX;
  RecordTally& tally_;
  std::array<std::size_t, 100> kinds_{};
};

/// The kind of a line with a word cut short or no GSI word in it, which is passed over.
inline constexpr std::string_view kDamagedLine =
    "παραλείφθηκε 1 γραμμή με κομμένη ή άκυρη λέξη GSI";
inline constexpr std::string_view kDamagedLines =
    "παραλείφθηκαν {} γραμμές με κομμένες ή άκυρες λέξεις GSI";

}  // namespace korvath::leica
