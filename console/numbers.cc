#include "console/numbers.h"

#include <cstddef>
#include <cstdlib>
#include <string>

namespace torvex {
namespace {

std::size_t skip_white_space(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_white_space(text[i])) ++i;
  return i;
}

}  // namespace

std::int32_t integer_of_any(std::string_view text) {
  std::size_t i = skip_white_space(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  SaturatingInteger saturating(negative);
  for (; i < text.size() && is_digit(text[i]); ++i) saturating.add_digit(text[i] - '0');
  return saturating.result();
}

double real_of(std::string_view text) {
  std::size_t i = skip_white_space(text);
  // The accepted text, rewritten in the one form strtod reads identically
  // in every locale: sign, digits, '.', 'e', sign, digits.
  std::string accepted;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    accepted.push_back(text[i]);
    ++i;
  }
  bool any_digit = false;
  bool point_seen = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (is_digit(c)) {
      any_digit = true;
    } else if (c == '.' && !point_seen) {
      point_seen = true;
    } else {
      break;
    }
    accepted.push_back(c);
  }
  if (!any_digit) return 0.0;
  if (i < text.size() &&
      (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      exponent.push_back(text[j]);
      ++j;
    }
    std::size_t first_digit = j;
    while (j < text.size() && is_digit(text[j])) exponent.push_back(text[j++]);
    // An exponent letter without digits is not part of the number.
    if (j > first_digit) accepted += exponent;
  }
  // strtod rounds correctly and gives an infinity or zero past the range of
  // double; the text it sees cannot be hexadecimal, "inf" or "nan".
  return std::strtod(accepted.c_str(), nullptr);
}

}  // namespace torvex
