#include "flow/number_text.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "flow/conversion_error.hpp"

namespace korvath {
namespace {

// The magnitude of a non-zero finite value as 15 significant digits d1..d15 and the decimal
// exponent of d1: |value| = d1.d2...d15 x 10^exponent, correctly rounded.
struct Decimal15 {
  char digits[15];
  int exponent;
};

// Reads scientific text "d[.ddd]e[+-]XX" of a value into `d`, rounded to 15 digits and padded
// with zeros. Text of 16 or 17 digits is the shortest that reads back as the value: no 16-digit
// half-way point lies between it and the value, so rounding the text rounds the value, except
// when its 16th and last digit is 5 (the value may lie on either side): then false.
bool read_scientific(const char* first, const char* last, Decimal15& d) {
  char digits[24];
  int count = 0;
  for (; first != last && *first != 'e'; ++first)
    if (*first != '.' && count < 24) digits[count++] = *first;
  if (first != last) ++first;                   // 'e'
  if (first != last && *first == '+') ++first;  // from_chars takes '-' only
  d.exponent = 0;
  std::from_chars(first, last, d.exponent);
  if (count > 15) {
    if (count == 16 && digits[15] == '5') return false;
    if (digits[15] >= '5') {
      int i = 14;
      while (i >= 0 && digits[i] == '9') digits[i--] = '0';
      if (i < 0) {
        digits[0] = '1';  // 9.99...9 rounds to 10
        ++d.exponent;
      } else {
        ++digits[i];
      }
    }
    count = 15;
  }
  std::fill(std::copy(digits, digits + count, d.digits), std::end(d.digits), '0');
  return true;
}

// Most values are short decimals (readings of four decimals, their differences): when
// magnitude x 10^k comes out a whole number N below 10^15 for some k <= 9, N / 10^k is within
// 1.2e-16 of the value and so its 15-digit rounding. Gives the least such k; false when none.
bool short_decimal(double magnitude, std::int64_t& whole, int& decimals) {
  double scale = 1;
  for (int k = 0; k <= 9; ++k, scale *= 10) {
    const double scaled = magnitude * scale;
    if (scaled >= 1e15) return false;
    whole = static_cast<std::int64_t>(scaled);  // one instruction, unlike floor()
    if (static_cast<double>(whole) != scaled) continue;
    decimals = k;
    return true;
  }
  return false;
}

bool short_decimal(double magnitude, Decimal15& d) {
  std::int64_t whole = 0;
  int decimals = 0;
  if (!short_decimal(magnitude, whole, decimals)) return false;
  std::fill(std::begin(d.digits), std::end(d.digits), '0');
  const auto end = std::to_chars(d.digits, std::end(d.digits), whole).ptr;
  d.exponent = static_cast<int>(end - d.digits) - 1 - decimals;
  return true;
}

// "00" to "99": two digits a step halve the chain of divisions that each digit waits for.
constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the last two digits of `n` before `p` and drops them from `n`.
char* write_pair_backwards(char* p, std::uint64_t& n) {
  p -= 2;
  std::memcpy(p, &kDigitPairs[2 * (n % 100)], 2);
  n /= 100;
  return p;
}

// Writes `whole` / 10^decimals at the end of [.., p): the whole part (none when it is 0), then
// the point and exactly `decimals` digits when there are any. Returns the start.
char* write_decimal_backwards(char* p, std::uint64_t whole, int decimals) {
  if (decimals > 0) {
    int left = decimals;
    for (; left >= 2; left -= 2) p = write_pair_backwards(p, whole);
    if (left == 1) {
      *--p = static_cast<char>('0' + whole % 10);
      whole /= 10;
    }
    *--p = '.';
  }
  while (whole >= 10) p = write_pair_backwards(p, whole);
  if (whole != 0) *--p = static_cast<char>('0' + whole);
  return p;
}

// 10^0 to 10^19: every power of ten a 64-bit whole number holds.
constexpr std::array<std::uint64_t, 20> whole_powers_of_ten() {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& each : powers) {
    each = power;
    power *= 10;  // past the last one it wraps, unused
  }
  return powers;
}
constexpr auto kWholePowersOfTen = whole_powers_of_ten();

// The number of decimal digits of `n` (0 for 0), from its binary length: 1233 / 4096 is just
// above log10(2), so the guess is the count or one less.
int digit_count(std::uint64_t n) {
  const int guess = (std::bit_width(n) * 1233) >> 12;
  return guess + (n >= kWholePowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

// Powers of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Other values (a reduced angle, a scaled reading) mostly lie between 1e-7 and 1e15: scaled
// by an exact power of ten to 15 digits before the point, the product is within 1/16 of the
// exact one (its unit in the last place is at most 1/8). Its whole part and fraction, and the
// exponent of its first digit; false outside that range.
bool scaled_to_15_digits(double magnitude, std::int64_t& whole, double& fraction, int& exponent) {
  if (!(magnitude >= 1e-7 && magnitude < 1e15)) return false;
  const int binary_exponent =
      static_cast<int>(std::bit_cast<std::uint64_t>(magnitude) >> 52) - 1023;
  // floor(binary_exponent x log10(2)): the decimal exponent, or one less.
  int k = 14 - ((binary_exponent * 78913) >> 18);
  double scaled = magnitude * kPowersOfTen[k];
  if (scaled >= 1e15) scaled = magnitude * kPowersOfTen[--k];
  if (scaled < 1e14) return false;
  whole = static_cast<std::int64_t>(scaled);
  fraction = scaled - static_cast<double>(whole);
  exponent = 14 - k;
  return true;
}

// Rounding the scaled value rounds the value, unless its fraction lies near one half: then
// false, and the exact path decides.
// The rounded digits as one whole number of 15 digits, and the exponent of the first.
bool scaled_rounding(double magnitude, std::int64_t& whole, int& exponent) {
  double fraction = 0;
  if (!scaled_to_15_digits(magnitude, whole, fraction, exponent)) return false;
  if (fraction > 0.4375 && fraction < 0.5625) return false;
  if (fraction > 0.5) ++whole;
  if (whole == 1000000000000000) {  // 9.99...95 and above round up to the next power
    whole /= 10;
    ++exponent;
  }
  return true;
}

bool scaled_rounding(double magnitude, Decimal15& d) {
  std::int64_t whole = 0;
  if (!scaled_rounding(magnitude, whole, d.exponent)) return false;
  std::to_chars(d.digits, std::end(d.digits), whole);
  return true;
}

// `short_tried`: short_decimal already failed for this value, and need not be tried again.
Decimal15 decimal15(double value, bool short_tried = false) {
  char buffer[40];
  Decimal15 d{};
  const double magnitude = std::fabs(value);
  if ((!short_tried && short_decimal(magnitude, d)) || scaled_rounding(magnitude, d)) return d;
  // The shortest text that reads back as a normal double is quick to make. With at most 15
  // significant digits it is the 15-digit rounding itself: the double lies within 1.2e-16 of
  // it, less than half a unit in the 15th digit; longer, it rounds to it (read_scientific).
  if (magnitude >= std::numeric_limits<double>::min()) {
    const auto shortest =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    if (read_scientific(buffer, shortest.ptr, d)) return d;
  }
  const auto rounded =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  read_scientific(buffer, rounded.ptr, d);
  return d;
}

// The places fixed_digits_in_place works out in a buffer: a point within this many digits of
// the first, and as many decimals.
constexpr int kNearPlaces = 20;

// fixed_digits for a number whose 15-digit form has its point within kNearPlaces digits, to at
// most kNearPlaces decimals: the same digits, worked out in a buffer rather than in strings
// (it writes every angle of the newer measurement files).
bool fixed_digits_in_place(double value, const Decimal15& d, int decimals, std::string& out) {
  const int point = d.exponent + 1;  // digits before the decimal point
  char buffer[2 * kNearPlaces + 4];
  char* first = buffer + 1;  // room for a carry before the first digit
  char* last = first;
  if (point <= 0) *last++ = '0';
  for (int i = 0; i < point; ++i) *last++ = i < 15 ? d.digits[i] : '0';
  // The kept decimals and the one after them, which rounds.
  for (int place = point; place <= point + decimals; ++place)
    *last++ = place >= 0 && place < 15 ? d.digits[place] : '0';
  const bool round_up = *--last >= '5';
  if (round_up) {
    char* p = last;
    while (p != first && p[-1] == '9') *--p = '0';
    if (p == first) {
      *--first = '1';
    } else {
      ++p[-1];
    }
  }
  const std::ptrdiff_t integer_length = last - first - decimals;
  const bool nonzero = std::find_if(first, last, [](char c) { return c != '0'; }) != last;
  if (nonzero && value < 0) out.push_back('-');
  out.append(first, static_cast<std::size_t>(integer_length));
  if (decimals > 0) {
    out.push_back('.');
    out.append(first + integer_length, static_cast<std::size_t>(decimals));
  }
  return nonzero;
}

// Writes a number as integer digits and fraction digits, rounded to `decimals` places on its
// 15-digit decimal form, halves away from zero. Returns false when it rounds to zero.
bool fixed_digits(double value, int decimals, std::string& out) {
  std::string integer, fraction;
  if (!std::isfinite(value))
    throw ConversionError(Fault::number_too_large, {}, std::to_string(value));
  if (value != 0) {
    const Decimal15 d = decimal15(value);
    if (decimals >= 0 && decimals <= kNearPlaces && std::abs(d.exponent) < kNearPlaces)
      return fixed_digits_in_place(value, d, decimals, out);
    const std::string_view digits(d.digits, 15);
    const int point = d.exponent + 1;  // digits before the decimal point
    if (point <= 0) {
      integer = "0";
      fraction.assign(static_cast<std::size_t>(-point), '0');
      fraction.append(digits);
    } else if (point >= 15) {
      integer.assign(digits);
      integer.append(static_cast<std::size_t>(point - 15), '0');
    } else {
      integer.assign(digits.substr(0, static_cast<std::size_t>(point)));
      fraction.assign(digits.substr(static_cast<std::size_t>(point)));
    }
  } else {
    integer = "0";
  }
  const auto kept = static_cast<std::size_t>(decimals);
  if (fraction.size() < kept + 1) fraction.resize(kept + 1, '0');
  const bool round_up = fraction[kept] >= '5';
  std::string number = std::move(integer);
  number.append(fraction, 0, kept);
  if (round_up) {
    std::size_t i = number.size();
    while (i > 0 && number[i - 1] == '9') number[--i] = '0';
    if (i == 0) {
      number.insert(number.begin(), '1');
    } else {
      ++number[i - 1];
    }
  }
  // The integer digits start with a non-zero digit, or are the one "0" of a value below 1.
  const std::size_t integer_length = number.size() - kept;
  const bool nonzero = number.find_first_not_of('0') != std::string::npos;
  if (nonzero && value < 0) out.push_back('-');
  out.append(number, 0, integer_length);
  if (kept > 0) {
    out.push_back('.');
    out.append(number, integer_length, kept);
  }
  return nonzero;
}

// Writes the plain number at `p` and returns its end; at most 23 characters
// ("-d.dddddddddddddde-308").
char* write_plain_number(char* p, double value, bool short_tried = false) {
  if (!std::isfinite(value))  // never written as a number: a wrong digit is worse than a stop
    throw ConversionError(Fault::number_too_large, {}, std::to_string(value));
  if (value == 0) {
    *p++ = '0';
    return p;
  }
  const Decimal15 d = decimal15(value, short_tried);
  int significant = 15;
  while (significant > 1 && d.digits[significant - 1] == '0') --significant;
  const char* digits = d.digits;
  if (value < 0) *p++ = '-';
  const int e = d.exponent;
  if (e >= -5 && e < 15) {
    if (e < 0) {
      *p++ = '.';
      p = std::fill_n(p, -e - 1, '0');
      p = std::copy_n(digits, significant, p);
    } else if (significant <= e + 1) {
      p = std::copy_n(digits, significant, p);
      p = std::fill_n(p, e + 1 - significant, '0');
    } else {
      p = std::copy_n(digits, e + 1, p);
      *p++ = '.';
      p = std::copy_n(digits + e + 1, significant - e - 1, p);
    }
  } else {
    *p++ = digits[0];
    if (significant > 1) {
      *p++ = '.';
      p = std::copy_n(digits + 1, significant - 1, p);
    }
    *p++ = 'E';
    *p++ = e < 0 ? '-' : '+';
    const int magnitude = e < 0 ? -e : e;
    if (magnitude < 10) *p++ = '0';
    p = std::to_chars(p, p + 3, magnitude).ptr;
  }
  return p;
}

// Numbers are built in a buffer and appended once: appending them piece by piece costs more
// than working out their digits.
void append_plain_number(std::string& out, double value) {
  char text[32];
  out.append(text, static_cast<std::size_t>(write_plain_number(text, value) - text));
}

}  // namespace

std::string plain_number(double value) {
  std::string out;
  append_plain_number(out, value);
  return out;
}

#if defined(__SSE2__)
namespace {
// The eight decimal digits of `n` (below 10^8) as characters, the first in the lowest byte:
// halves, then quarters, then digits, each step worked out for all parts at once in one word.
std::uint64_t eight_digits(std::uint64_t n) {
  const std::uint64_t halves = n / 10000 | (n % 10000) << 32;
  const std::uint64_t hundreds = (halves * 10486 >> 20) & 0x0000007F0000007FU;  // x / 100, x < 10^4
  const std::uint64_t quarters = hundreds | (halves - 100 * hundreds) << 16;
  const std::uint64_t tens = (quarters * 103 >> 10) & 0x000F000F000F000FU;  // x / 10, x < 100
  return (tens | (quarters - 10 * tens) << 8) + 0x3030303030303030U;
}

// Writes the bare-number text of `whole` (15 digits) x 10^(exponent - 14), 1 <= |x| < 10^15,
// and returns its end: the fixed notation of most computed numbers, such as a reduced direction.
// The fifteen digits are made side by side, and put in place around the point by two stores of
// sixteen bytes, with no division a digit waits for and no branch on how many zeros end them.
char* write_fixed_15_digits(char* out, std::uint64_t whole, int exponent, char sign) {
  const std::uint64_t high = whole / 100000000;
  // A '0', then the 15 digits.
  const __m128i digits =
      _mm_set_epi64x(static_cast<long long>(eight_digits(whole - high * 100000000)),
                     static_cast<long long>(eight_digits(high)));
  const int whole_digits = exponent + 1;
  const auto zeros =
      static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(digits, _mm_set1_epi8('0'))));
  const int decimals = 15 - whole_digits - std::countl_one(zeros << 16);
  // Digit i stands at out + 1 + i in front of the point, at out + 2 + i after it.
  const __m128i place = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m128i after = _mm_cmpgt_epi8(place, _mm_set1_epi8(static_cast<char>(whole_digits)));
  const __m128i point = _mm_cmpeq_epi8(place, _mm_set1_epi8(static_cast<char>(whole_digits + 1)));
  __m128i text = _mm_or_si128(_mm_and_si128(after, _mm_slli_si128(digits, 1)),
                              _mm_andnot_si128(after, digits));
  text = _mm_or_si128(_mm_and_si128(point, _mm_set1_epi8('.')), _mm_andnot_si128(point, text));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 1), digits);  // the last digit, at out + 16
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), text);
  *out = sign;
  char* const end = decimals > 0 ? out + 2 + whole_digits + decimals : out + 1 + whole_digits;
  *end = ' ';
  return end + 1;
}
}  // namespace
#endif

char* write_bare_number(char* out, double value) {
  const double magnitude = std::fabs(value);
  std::int64_t found = 0;
  int exponent = 0, digits = 0, decimals = 0;
  const bool rounded = scaled_rounding(magnitude, found, exponent);
#if defined(__SSE2__)
  if (rounded && exponent >= 0 && exponent < 15)
    return write_fixed_15_digits(out, static_cast<std::uint64_t>(found), exponent,
                                 value < 0 ? '-' : ' ');
#endif
  // Without an exponent, the value as `digits` digits over 10^decimals: mostly its rounded 15
  // digits (a reading reduced to the backsight is seldom a short decimal in binary), else, near a
  // half-way point, a short decimal from 1E-05 up from its own digits.
  bool fixed = false;
  if (rounded) {
    fixed = exponent >= -5 && exponent < 15;
    digits = 15;
    decimals = 14 - exponent;
  } else if (magnitude >= 1e-5 && short_decimal(magnitude, found, decimals)) {
    fixed = true;
    digits = digit_count(static_cast<std::uint64_t>(found));
  }
  if (fixed) {
    auto whole = static_cast<std::uint64_t>(found);
    // Trailing zeros go: at most 14, so eight, four, two and one at a time (divisions by
    // constants, which the compiler turns into multiplications).
    const auto drop_zeros = [&](int step, std::uint64_t unit) {
      if (decimals >= step && whole % unit == 0) {
        whole /= unit;
        digits -= step;
        decimals -= step;
      }
    };
    drop_zeros(8, 100000000);
    drop_zeros(4, 10000);
    drop_zeros(2, 100);
    drop_zeros(1, 10);
    // Its length is known first, so that the digits go straight to `out` (see
    // write_bare_decimal): the sign, the whole part (none below 1), the point and the decimals,
    // a blank.
    const int length = 1 + std::max(digits - decimals, 0) + (decimals > 0 ? decimals + 1 : 0) + 1;
    char* const end = out + length;
    end[-1] = ' ';
    write_decimal_backwards(end - 1, whole, decimals);
    *out = value < 0 ? '-' : ' ';
    return end;
  }
  if (!(value < 0)) *out++ = ' ';
  out = write_plain_number(out, value, magnitude >= 1e-5);
  *out++ = ' ';
  return out;
}

void append_bare_number(std::string& out, double value) {
  char text[kLongestBareNumber];
  out.append(text, static_cast<std::size_t>(write_bare_number(text, value) - text));
}

std::string bare_number(double value) {
  std::string out;
  append_bare_number(out, value);
  return out;
}

namespace {

// `whole` / 10^places rounded to `decimals` places, halves away from zero, in units of
// 10^-decimals.
std::uint64_t round_to_places(std::uint64_t whole, int places, int decimals) {
  if (places > decimals) {  // the first digit dropped rounds
    const auto dropped = static_cast<std::size_t>(places - decimals - 1);
    whole = dropped < kWholePowersOfTen.size() ? whole / kWholePowersOfTen[dropped] : 0;
    return whole / 10 + (whole % 10 >= 5 ? 1 : 0);
  }
  for (; places < decimals; ++places) whole *= 10;
  return whole;
}

// The value rounded to `decimals` places, in units of the last place, from one product: the
// product lies within 1.2e-16 of itself from the exact one, and the 15-digit form within 5e-15
// of itself from the value, so where the product's fraction lies farther than 1e-14 of the
// product from one half, both round alike. False nearer a half, or from 1E+15 up.
bool rounded_directly(double magnitude, int decimals, std::uint64_t& rounded) {
  const double scaled = magnitude * kPowersOfTen[decimals];
  if (!(scaled < 1e15)) return false;
  rounded = static_cast<std::uint64_t>(scaled);
  const double fraction = scaled - static_cast<double>(rounded);
  if (std::fabs(fraction - 0.5) <= 1e-14 * scaled) return false;
  if (fraction > 0.5) ++rounded;
  return true;
}

// The value below 1E+09 rounded to `decimals` places in whole numbers (see append_fixed); false
// when only the exact path can tell.
bool fixed_in_whole_numbers(double magnitude, int decimals, std::uint64_t& rounded) {
  if (rounded_directly(magnitude, decimals, rounded)) return true;
  std::int64_t whole = 0;
  double fraction = 0;
  int exponent = 0, places = 0;
  if (scaled_to_15_digits(magnitude, whole, fraction, exponent)) {
    // The 15-digit form is `whole` or the next number up (the first 15 digits, the first in the
    // place of 10^exponent). Near a half it is unsure which, and matters only where the two
    // round to other places: "...4999" and "...5000".
    places = 14 - exponent;
    const auto down = static_cast<std::uint64_t>(whole);
    if (fraction <= 0.4375) {
      rounded = round_to_places(down, places, decimals);
      return true;
    }
    if (fraction >= 0.5625) {
      rounded = round_to_places(down + 1, places, decimals);
      return true;
    }
    rounded = round_to_places(down, places, decimals);
    if (rounded == round_to_places(down + 1, places, decimals)) return true;
  }
  if (!short_decimal(magnitude, whole, places)) return false;
  rounded = round_to_places(static_cast<std::uint64_t>(whole), places, decimals);
  return true;
}

}  // namespace

char* write_fixed(char* out, double value, int decimals) {
  // A number below 1E+09 is rounded in whole numbers: its 15-digit form, from scaling it to 15
  // digits when that rounds without doubt (a reduced angle), or a short decimal's own digits;
  // padded to nine decimals they still fit.
  std::uint64_t rounded = 0;
  if (!(decimals >= 0 && decimals <= 9 && std::fabs(value) < 1e9 &&
        fixed_in_whole_numbers(std::fabs(value), decimals, rounded)))
    return nullptr;
  // Its length first, so that the digits go straight to their place: at least one digit before
  // the point, no sign on what rounds to zero.
  const bool sign = value < 0 && rounded != 0;
  const int digits = std::max(digit_count(rounded), decimals + 1);
  char* const end = out + static_cast<int>(sign) + digits + (decimals > 0 ? 1 : 0);
  char* p = write_decimal_backwards(end, rounded, decimals);
  if (p == end || *p == '.') *--p = '0';
  if (sign) *--p = '-';
  return end;
}

void append_fixed(std::string& out, double value, int decimals) {
  char text[kLongestQuickFixed];
  if (const char* const end = write_fixed(text, value, decimals)) {
    out.append(text, static_cast<std::size_t>(end - text));
  } else {
    fixed_digits(value, decimals, out);
  }
}

std::string format_fixed(double value, int decimals) {
  std::string out;
  append_fixed(out, value, decimals);
  return out;
}

std::string format_integer(double value) {
  std::string out;
  return fixed_digits(value, 0, out) ? out : std::string();
}

}  // namespace korvath
