// The deck's number conversions: integer and real of a token's text.
#ifndef TORVEX_CONSOLE_NUMBERS_H_
#define TORVEX_CONSOLE_NUMBERS_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace torvex {

/// Bit b set for each white-space byte b: space, tab, newline, vertical
/// tab, form feed and carriage return, all below 64. A NUL byte is not
/// white space.
inline constexpr std::uint64_t kWhiteSpaceBits =
    (std::uint64_t{1} << ' ') | (std::uint64_t{1} << '\t') | (std::uint64_t{1} << '\n') |
    (std::uint64_t{1} << '\v') | (std::uint64_t{1} << '\f') | (std::uint64_t{1} << '\r');

constexpr bool is_white_space(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte < 64 && ((kWhiteSpaceBits >> byte) & 1);
}

/// A decimal digit, '0' to '9'; takes getc's int results as well.
constexpr bool is_digit(int c) { return c >= '0' && c <= '9'; }

/// Accumulates decimal digits into a signed 32-bit value that sticks at
/// 2147483647 or -2147483648 instead of wrapping.
class SaturatingInteger {
 public:
  explicit SaturatingInteger(bool negative) : negative_(negative) {}
  void add_digit(int digit) {
    if (magnitude_ <= kLimit) magnitude_ = magnitude_ * 10 + digit;
  }
  std::int32_t result() const {
    if (negative_) {
      return magnitude_ >= kLimit ? INT32_MIN : -static_cast<std::int32_t>(magnitude_);
    }
    return magnitude_ >= kLimit ? INT32_MAX : static_cast<std::int32_t>(magnitude_);
  }

 private:
  // 2^31: once reached, further digits cannot bring the value back in range.
  static constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  bool negative_;
  std::int64_t magnitude_ = 0;
};

/// integer_of() for every text; integer_of() itself reads the usual
/// tokens in line.
std::int32_t integer_of_any(std::string_view text);

/// Integer of a token: leading white space, an optional sign, then decimal
/// digits up to the first other byte. No digits give 0 ("$", "", "+x");
/// "1.0" gives 1, "+7x" gives 7. Out-of-range values saturate.
inline std::int32_t integer_of(std::string_view text) {
  // Node numbers and components: one to nine digits, nothing before them,
  // so no white space, no sign and no overflow.
  std::int32_t value = 0;
  std::size_t i = 0;
  for (; i < text.size() && i < 9 && is_digit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
  }
  if (i > 0 && (i == text.size() || !is_digit(text[i]))) return value;
  return integer_of_any(text);
}

/// Real of a token: leading white space, an optional sign, digits with at
/// most one decimal point, and an optional exponent of E, e, D or d with an
/// optional sign and digits. The value is the correctly rounded double of
/// the accepted text; no number gives 0. Hexadecimal, "inf" and "nan" are
/// not numbers here, and the short form "1.-3" reads as 1.
double real_of(std::string_view text);

}  // namespace torvex

#endif  // TORVEX_CONSOLE_NUMBERS_H_
